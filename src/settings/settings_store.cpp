#include "settings/settings_store.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QSettings openSettings(Edition edition)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, settingsKeyName(edition));
}

} // namespace

QString settingsKeyName(Edition edition)
{
    // The full edition keeps its settings under "Barcode", the others under their code.
    return edition == Edition::Alla ? u"Barcode"_s : editionCode(edition);
}

QString ReadRegistryValue(Edition edition, const QString &name)
{
    const QVariant value = openSettings(edition).value(name);
    // Only a plain text counts; a list or anything else reads as missing.
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray)
        return {};
    QString text = value.toString();
    // A value written with a terminating zero reads up to that zero.
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

void WriteRegistryValue(Edition edition, const QString &name, const QString &text)
{
    QSettings settings = openSettings(edition);
    settings.setValue(name, text);
}

const QStringList &settingNames()
{
    static const QStringList names{
        u"Listkod"_s,     u"F1Bar"_s,       u"F1Dig"_s,      u"fBtxt"_s,       u"ClmnH1"_s,      u"ClmnH2"_s,
        u"ClmnH3"_s,      u"ClmnH4"_s,      u"ClmnH5"_s,     u"Bar Matt"_s,    u"Bar Width"_s,   u"Bar Height"_s,
        u"DPI"_s,         u"Bar Def"_s,     u"FontName"_s,   u"FontBold"_s,    u"FontItalic"_s,  u"FontSize"_s,
        u"Find"_s,        u"PicTXTColor"_s, u"Bar1xColor"_s, u"Pixel"_s,       u"Aspect"_s,      u"Font"_s,
        u"RemoveDigit"_s, u"BarAlign"_s,    u"TiffRes"_s,    u"TiffComp"_s,    u"TiffInvert"_s,  u"TiffMirror"_s,
        u"TiffRotate"_s,  u"TiffAdjustW"_s, u"TiffAdjustH"_s, u"Use256"_s,     u"ISBNtiffFont"_s,
    };
    return names;
}

SettingsStore::SettingsStore(Edition edition)
    : m_edition(edition)
{
}

void SettingsStore::load()
{
    m_values.clear();
    for (const QString &name : settingNames())
        m_values.insert(name, ReadRegistryValue(m_edition, name));
}

bool SettingsStore::save() const
{
    QSettings settings = openSettings(m_edition);
    for (const QString &name : settingNames()) {
        const auto it = m_values.constFind(name);
        // A value that was missing and still has no text stays missing, so its default
        // keeps applying.
        if (it == m_values.cend() || it->isEmpty()) {
            if (settings.contains(name) && it != m_values.cend())
                settings.setValue(name, QString());
            continue;
        }
        settings.setValue(name, *it);
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString SettingsStore::value(const QString &name) const
{
    return m_values.value(name);
}

void SettingsStore::setValue(const QString &name, const QString &text)
{
    m_values.insert(name, text);
}

} // namespace Kelbrix
