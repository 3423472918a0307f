#include "sheet/label_template.h"

#include <QCoreApplication>
#include "base/units.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

// The catalogue is a resource of a static library, which registers it only when asked.
static void initTemplateResources()
{
    Q_INIT_RESOURCE(templates);
}

namespace Kelbrix {

namespace {

// Makers round their figures to a hundredth of a millimetre, so a sheet whose last label ends
// within that of the page edge still fits.
constexpr double kTolerance = 0.01;

std::optional<LabelTemplate> templateFrom(const QJsonObject &object)
{
    const double unit = object.value(u"unit"_s).toString() == u"in"_s ? kMillimetresPerInch : 1.0;
    const auto pair = [&object, unit](const QString &key) {
        const QJsonArray values = object.value(key).toArray();
        return std::pair{values.at(0).toDouble(-1) * unit, values.at(1).toDouble(-1) * unit};
    };
    LabelTemplate sheet;
    sheet.name = object.value(u"name"_s).toString();
    const QString page = object.value(u"page"_s).toString();
    if (page == u"A4"_s)
        sheet.page = QPageSize::A4;
    else if (page == u"Letter"_s)
        sheet.page = QPageSize::Letter;
    else
        return std::nullopt;
    const auto [labelWidth, labelHeight] = pair(u"label"_s);
    sheet.label = QSizeF(labelWidth, labelHeight);
    const QJsonArray grid = object.value(u"grid"_s).toArray();
    sheet.columns = grid.at(0).toInt();
    sheet.rows = grid.at(1).toInt();
    const auto [left, top] = pair(u"margin"_s);
    sheet.margin = QPointF(left, top);
    const auto [across, down] = pair(u"pitch"_s);
    sheet.pitch = QSizeF(across, down);
    sheet.cornerRadius = object.value(u"radius"_s).toDouble() * unit;
    for (const QJsonValue &product : object.value(u"products"_s).toArray())
        sheet.products << product.toString();
    sheet.source = object.value(u"source"_s).toString();
    return sheet;
}

} // namespace

QSizeF LabelTemplate::pageSize() const
{
    return QPageSize(page).size(QPageSize::Millimeter);
}

QRectF LabelTemplate::cellRect(int cell) const
{
    const int column = cell % columns;
    const int row = cell / columns;
    return QRectF(margin + QPointF(column * pitch.width(), row * pitch.height()), label);
}

QString templateProblem(const LabelTemplate &sheet)
{
    const auto positive = [](double value) { return std::isfinite(value) && value > 0; };
    if (!positive(sheet.label.width()) || !positive(sheet.label.height()))
        return QCoreApplication::translate("LabelTemplate", "The labels of %1 have no size.").arg(sheet.name);
    if (sheet.columns < 1 || sheet.rows < 1 || sheet.columns * sheet.rows > 1000)
        return u"%1 has %2 x %3 labels; a sheet has 1 to 1000."_s.arg(sheet.name).arg(sheet.columns).arg(sheet.rows);
    if (!std::isfinite(sheet.margin.x()) || !std::isfinite(sheet.margin.y()) || sheet.margin.x() < 0 ||
        sheet.margin.y() < 0)
        return QCoreApplication::translate("LabelTemplate", "The margins of %1 lie outside the page.").arg(sheet.name);
    if ((sheet.columns > 1 && !(sheet.pitch.width() >= sheet.label.width() - kTolerance)) ||
        (sheet.rows > 1 && !(sheet.pitch.height() >= sheet.label.height() - kTolerance)))
        return QCoreApplication::translate("LabelTemplate",
                                           "The labels of %1 overlap: the pitch is smaller than the label.")
            .arg(sheet.name);
    const QRectF last = sheet.cellRect(sheet.labelsPerSheet() - 1);
    const QSizeF page = sheet.pageSize();
    if (last.right() > page.width() + kTolerance || last.bottom() > page.height() + kTolerance)
        return QCoreApplication::translate("LabelTemplate", "The labels of %1 run off the page.").arg(sheet.name);
    return {};
}

QList<LabelTemplate> builtInTemplates()
{
    static const QList<LabelTemplate> templates = [] {
        initTemplateResources();
        QList<LabelTemplate> read;
        QFile file(u":/sheet/templates.json"_s);
        if (!file.open(QIODevice::ReadOnly))
            return read;
        for (const QJsonValue &value : QJsonDocument::fromJson(file.readAll()).object().value(u"templates"_s).toArray())
            if (const std::optional<LabelTemplate> sheet = templateFrom(value.toObject());
                sheet && templateProblem(*sheet).isEmpty())
                read << *sheet;
        return read;
    }();
    return templates;
}

QString templateNameKey(const QString &text)
{
    QString folded = text.toCaseFolded();
    folded.remove(u' ');
    return folded;
}

std::optional<LabelTemplate> findTemplate(const QList<LabelTemplate> &templates, const QString &nameOrProduct)
{
    const QString wanted = templateNameKey(nameOrProduct);
    if (wanted.isEmpty())
        return std::nullopt;
    for (const LabelTemplate &sheet : templates) {
        if (templateNameKey(sheet.name) == wanted)
            return sheet;
        for (const QString &product : sheet.products) {
            // "Avery L7160" is found as itself and as "L7160".
            const QString full = templateNameKey(product);
            const QString bare = templateNameKey(product.section(u' ', -1));
            if (full == wanted || bare == wanted)
                return sheet;
        }
    }
    return std::nullopt;
}

QString templateLine(const LabelTemplate &sheet)
{
    const QString page = sheet.page == QPageSize::Letter ? u"Letter"_s : QPageSize(sheet.page).name();
    return u"%1\t%2\t%3 x %4\t%5 x %6 mm\t%7"_s.arg(sheet.name, page)
        .arg(sheet.columns)
        .arg(sheet.rows)
        .arg(decimalText(sheet.label.width(), 2, true), decimalText(sheet.label.height(), 2, true),
             sheet.products.join(u", "_s));
}

} // namespace Kelbrix
