#include "sheet/sheet_settings.h"

#include "base/units.h"
#include "settings/settings_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Every printer's calibration in one value: a JSON object from the printer's name (any text) to
// "x y scale".
const QString kCalibrationsValue = u"LabelCalibrations"_s;

const QString kUserTemplates = u"LabelTemplates"_s;
const QString kTemplateChoice = u"LabelTemplate"_s;
const QString kStartChoice = u"LabelStart"_s;
const QString kCopiesChoice = u"LabelCopies"_s;

bool soundCalibration(const SheetCalibration &c)
{
    return c.offsetsSound() && c.scaleSound();
}

// A whole number from \a first to \a last, or \a fallback.
int wholeNumber(const QString &text, int first, int last, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= first && value <= last ? value : fallback;
}

QString pageKey(QPageSize::PageSizeId page)
{
    return QPageSize::key(page);
}

std::optional<QPageSize::PageSizeId> pageFromKey(const QString &key)
{
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const auto page = QPageSize::PageSizeId(id);
        if (page != QPageSize::Custom && QPageSize::key(page) == key)
            return page;
    }
    return std::nullopt;
}

QJsonArray pair(double first, double second)
{
    return QJsonArray{first, second};
}

QJsonObject templateObject(const LabelTemplate &sheet)
{
    QJsonObject object;
    object.insert(u"name"_s, sheet.name);
    object.insert(u"page"_s, pageKey(sheet.page));
    object.insert(u"label"_s, pair(sheet.label.width(), sheet.label.height()));
    object.insert(u"grid"_s, QJsonArray{sheet.columns, sheet.rows});
    object.insert(u"margin"_s, pair(sheet.margin.x(), sheet.margin.y()));
    object.insert(u"pitch"_s, pair(sheet.pitch.width(), sheet.pitch.height()));
    object.insert(u"radius"_s, sheet.cornerRadius);
    object.insert(u"products"_s, QJsonArray::fromStringList(sheet.products));
    return object;
}

// A template from one saved entry; nullopt when a field is missing or of the wrong kind.
std::optional<LabelTemplate> templateFrom(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto numbers = [&object](const QString &key) -> std::optional<std::pair<double, double>> {
        const QJsonArray values = object.value(key).toArray();
        if (values.size() != 2 || !values.at(0).isDouble() || !values.at(1).isDouble())
            return std::nullopt;
        return std::pair{values.at(0).toDouble(), values.at(1).toDouble()};
    };
    LabelTemplate sheet;
    if (!object.value(u"name"_s).isString())
        return std::nullopt;
    sheet.name = object.value(u"name"_s).toString().simplified();
    const std::optional<QPageSize::PageSizeId> page = pageFromKey(object.value(u"page"_s).toString());
    const auto label = numbers(u"label"_s);
    const auto grid = numbers(u"grid"_s);
    const auto margin = numbers(u"margin"_s);
    const auto pitch = numbers(u"pitch"_s);
    if (sheet.name.isEmpty() || !page || !label || !grid || !margin || !pitch)
        return std::nullopt;
    // The grid is whole numbers; anything else (or a count past int) is no template.
    if (grid->first != std::floor(grid->first) || grid->second != std::floor(grid->second) || grid->first < 1 ||
        grid->second < 1 || grid->first > 1000 || grid->second > 1000)
        return std::nullopt;
    sheet.page = *page;
    sheet.label = QSizeF(label->first, label->second);
    sheet.columns = int(grid->first);
    sheet.rows = int(grid->second);
    sheet.margin = QPointF(margin->first, margin->second);
    sheet.pitch = QSizeF(pitch->first, pitch->second);
    const double radius = object.value(u"radius"_s).toDouble(0);
    sheet.cornerRadius = std::isfinite(radius) && radius >= 0 ? radius : 0;
    for (const QJsonValue &product : object.value(u"products"_s).toArray())
        if (product.isString() && !product.toString().trimmed().isEmpty())
            sheet.products << product.toString().trimmed();
    sheet.source = u"Own template"_s;
    return sheet;
}

} // namespace

SheetCalibration storedCalibration(const SettingsStore &settings, const QString &printer)
{
    const QJsonObject all = QJsonDocument::fromJson(settings.value(kCalibrationsValue).toUtf8()).object();
    const QStringList parts = all.value(printer).toString().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return {};
    SheetCalibration read;
    double *const fields[] = {&read.offsetX, &read.offsetY, &read.scalePercent};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        *fields[i] = parts.at(i).toDouble(&ok);
        if (!ok)
            return {};
    }
    return soundCalibration(read) ? read : SheetCalibration{};
}

void storeCalibration(SettingsStore &settings, const QString &printer, const SheetCalibration &calibration)
{
    const SheetCalibration kept = soundCalibration(calibration) ? calibration : SheetCalibration{};
    QJsonObject all = QJsonDocument::fromJson(settings.value(kCalibrationsValue).toUtf8()).object();
    const auto number = [](double value) { return decimalText(value, 6, true); };
    all.insert(printer, u"%1 %2 %3"_s.arg(number(kept.offsetX), number(kept.offsetY), number(kept.scalePercent)));
    settings.setValue(kCalibrationsValue, QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact)));
}

QList<LabelTemplate> storedTemplates(const SettingsStore &settings)
{
    QSet<QString> taken;
    for (const LabelTemplate &sheet : builtInTemplates())
        taken.insert(templateNameKey(sheet.name));
    QList<LabelTemplate> read;
    const QJsonDocument document = QJsonDocument::fromJson(settings.value(kUserTemplates).toUtf8());
    for (const QJsonValue &value : document.array()) {
        std::optional<LabelTemplate> sheet = templateFrom(value);
        if (!sheet || !templateProblem(*sheet).isEmpty())
            continue;
        const QString name = sheet->name;
        for (int n = 1; taken.contains(templateNameKey(sheet->name)); ++n)
            sheet->name = n == 1 ? u"%1 (own)"_s.arg(name) : u"%1 (own %2)"_s.arg(name).arg(n);
        taken.insert(templateNameKey(sheet->name));
        read << *sheet;
    }
    return read;
}

void storeTemplates(SettingsStore &settings, const QList<LabelTemplate> &templates)
{
    QJsonArray array;
    for (const LabelTemplate &sheet : templates)
        array.append(templateObject(sheet));
    settings.setValue(kUserTemplates, QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}

QList<LabelTemplate> availableTemplates(const SettingsStore &settings)
{
    return builtInTemplates() + storedTemplates(settings);
}

SheetChoices storedChoices(const SettingsStore &settings)
{
    SheetChoices choices;
    choices.templateName = settings.value(kTemplateChoice).trimmed();
    choices.startAt = wholeNumber(settings.value(kStartChoice), 1, 1000, 1);
    choices.copies = wholeNumber(settings.value(kCopiesChoice), 1, 999, 1);
    return choices;
}

void storeChoices(SettingsStore &settings, const SheetChoices &choices)
{
    settings.setValue(kTemplateChoice, choices.templateName);
    settings.setValue(kStartChoice, QString::number(choices.startAt));
    settings.setValue(kCopiesChoice, QString::number(choices.copies));
}

} // namespace Kelbrix
