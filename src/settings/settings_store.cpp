#include "settings/settings_store.h"

#include "base/safe_save.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

struct FileRead {
    SettingsStore::LoadOutcome outcome = SettingsStore::LoadOutcome::Missing;
    QByteArray bytes;
    QString problem;
};

// Reads the settings file once, refusing anything that is no regular file (opening a FIFO
// would wait for ever) and anything past the size cap, before a byte of it is read.
FileRead readSettingsFile(const QString &path)
{
    using Outcome = SettingsStore::LoadOutcome;
    FileRead read;
    const QString name = QDir::toNativeSeparators(path);
    const QString defaults = u" The program started with the default settings and keeps the file as it is."_s;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return read;
    if (!info.exists()) // a link to nothing: there is no file yet
        return read;
    if (!info.isFile()) {
        read.outcome = Outcome::NotRegular;
        read.problem = u"The settings file \""_s + name + u"\" is no regular file."_s + defaults;
        return read;
    }
    const auto tooLarge = [&] {
        read.outcome = Outcome::TooLarge;
        read.problem = u"The settings file \""_s + name + u"\" is larger than "_s +
                       QString::number(kMaxSettingsFileSize >> 10) + u" KB, more than settings can be."_s + defaults;
        return read;
    };
    if (info.size() > kMaxSettingsFileSize)
        return tooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.outcome = Outcome::Unreadable;
        read.problem =
            u"The settings file \""_s + name + u"\" could not be read: "_s + file.errorString() + u"."_s + defaults;
        return read;
    }
    read.bytes = file.read(kMaxSettingsFileSize + 1);
    if (read.bytes.size() > kMaxSettingsFileSize) {
        read.bytes.clear();
        return tooLarge();
    }
    if (file.error() != QFileDevice::NoError) {
        read.bytes.clear();
        read.outcome = Outcome::Unreadable;
        read.problem =
            u"The settings file \""_s + name + u"\" could not be read: "_s + file.errorString() + u"."_s + defaults;
        return read;
    }
    read.outcome = Outcome::Read;
    return read;
}

// A value written with a terminating zero reads up to that zero.
QString upToZero(QString text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

SaveResult writeSettingsFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return saveFileSafely(path, [&](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace

QString settingsKeyName(Edition edition)
{
    // The full edition keeps its settings under "Barcode", the others under their code.
    return edition == Edition::Alla ? u"Barcode"_s : editionCode(edition);
}

QString settingsFilePath(Edition edition)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Quorran/"_s +
           settingsKeyName(edition) + u".conf"_s;
}

QString ReadRegistryValue(Edition edition, const QString &name)
{
    const FileRead read = readSettingsFile(settingsFilePath(edition));
    return upToZero(SettingsFile(read.bytes).value(name));
}

bool WriteRegistryValue(Edition edition, const QString &name, const QString &text)
{
    const QString path = settingsFilePath(edition);
    const FileRead read = readSettingsFile(path);
    if (read.outcome != SettingsStore::LoadOutcome::Read && read.outcome != SettingsStore::LoadOutcome::Missing)
        return false;
    SettingsFile file(read.bytes);
    file.setValue(name, text);
    return writeSettingsFile(path, file.bytes()).ok;
}

const QStringList &settingNames()
{
    static const QStringList names{
        u"Listkod"_s,
        u"F1Bar"_s,
        u"F1Dig"_s,
        u"fBtxt"_s,
        u"ClmnH1"_s,
        u"ClmnH2"_s,
        u"ClmnH3"_s,
        u"ClmnH4"_s,
        u"ClmnH5"_s,
        u"Bar Matt"_s,
        u"Bar Width"_s,
        u"Bar Height"_s,
        u"DPI"_s,
        u"Bar Def"_s,
        u"FontName"_s,
        u"FontBold"_s,
        u"FontItalic"_s,
        u"FontSize"_s,
        u"Find"_s,
        u"PicTXTColor"_s,
        u"Bar1xColor"_s,
        u"Pixel"_s,
        u"Aspect"_s,
        u"Font"_s,
        u"RemoveDigit"_s,
        u"BarAlign"_s,
        u"TiffRes"_s,
        u"TiffComp"_s,
        u"TiffInvert"_s,
        u"TiffMirror"_s,
        u"TiffRotate"_s,
        u"TiffAdjustW"_s,
        u"TiffAdjustH"_s,
        u"Use256"_s,
        u"ISBNtiffFont"_s,
        u"TiffVerify"_s,
        // The label sheet window: the last choices, the user's own sheets and printer calibrations.
        u"LabelTemplate"_s,
        u"LabelStart"_s,
        u"LabelCopies"_s,
        u"LabelTemplates"_s,
        u"LabelCalibrations"_s,
        // Vector artwork: magnification, X-dimension and its unit, bar width reduction, marks, background.
        u"ArtMagnification"_s,
        u"ArtXDimension"_s,
        u"ArtXUnit"_s,
        u"ArtBWR"_s,
        u"ArtQuietMarks"_s,
        u"ArtTransparent"_s,
        // The 2D symbols: the module in millimetres and the domain of Digital Link URIs.
        u"2D Module"_s,
        u"GS1Domain"_s,
        // The logistic label: the free blocks, the size and where its SSCCs come from.
        u"LogisticSupplier"_s,
        u"LogisticCustomer"_s,
        u"LogisticCarrier"_s,
        u"LogisticSize"_s,
        u"LogisticPrefix"_s,
        u"LogisticExtension"_s,
        // The bearer bars of SCC-14: "none", "top-bottom" or "frame".
        u"Bearers"_s,
        // The language the program starts in: "2" Swedish, anything else English.
        u"Language"_s,
    };
    return names;
}

SettingsStore::SettingsStore(Edition edition) : m_edition(edition)
{
}

SettingsStore::LoadOutcome SettingsStore::load()
{
    m_values.clear();
    FileRead read = readSettingsFile(settingsFilePath(m_edition));
    m_outcome = read.outcome;
    m_loadProblem = read.problem;
    m_file = std::move(read.bytes);
    const SettingsFile file(m_file);
    for (const QString &name : settingNames())
        m_values.insert(name, upToZero(file.value(name)));
    m_read = m_values;
    return m_outcome;
}

bool SettingsStore::save()
{
    const QString path = settingsFilePath(m_edition);
    m_saveProblem.clear();
    if (m_outcome != LoadOutcome::Read && m_outcome != LoadOutcome::Missing) {
        m_saveProblem = m_loadProblem;
        return false;
    }
    SettingsFile file(m_file);
    bool changed = false;
    for (const QString &name : settingNames()) {
        const auto it = m_values.constFind(name);
        // A value nobody changed stays as it was written, and a missing one stays missing,
        // so its default keeps applying.
        if (it == m_values.cend() || *it == m_read.value(name))
            continue;
        file.setValue(name, *it);
        changed = true;
    }
    if (!changed)
        return true;
    const SaveResult saved = writeSettingsFile(path, file.bytes());
    if (!saved.ok) {
        m_saveProblem = saved.message;
        return false;
    }
    m_file = file.bytes();
    m_read = m_values;
    return true;
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
