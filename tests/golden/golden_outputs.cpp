// Writes what the program makes of a table of records, as a user gets it: the labels of the
// window (copied, shown, defined size at two resolutions), the files of Save As (list, CSV, image
// list, bitmap, TIFF) and of the command line (TIFF at two resolutions, SVG, EPS, label sheets),
// once for each of two stored appearances. The files kept in tests/data/golden are its output; a
// change of what the program makes shows as a change of those files.
//
//   golden_outputs --write FOLDER   writes every output into FOLDER (the golden files)
//   golden_outputs --check FOLDER   writes them into a folder of its own and compares them with
//                                   FOLDER: the same files, the same bytes, and for pictures the
//                                   same pixels and resolution
//
// It runs the program's own window on the offscreen platform and the program itself for the
// commands, under a fontconfig file that offers only the fonts kept with the tests.

#include "label/mono_symbol.h"
#include "mainwindow/form1.h"
#include "recording_prompt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::RecordingPrompt;

namespace {

// One row of the table: what a user picks and types for it.
struct Row {
    const char *name;
    const char *type;       ///< the type option
    const char *supplement; ///< the supplement option
    QString entry;
    QString digits; ///< the supplement box
    QString product;
    QString text;
    bool productLine = true; ///< "&Text" (else "&Blank")
    bool modulus43 = false;
};

const QList<Row> &rows()
{
    static const QList<Row> table{
        {"ean13", "optEAN13", "optNosup", u"501234567890"_s, {}, u"Soap"_s, u"shelf 2"_s},
        {"ean13-add2", "optEAN13", "chk2digit", u"400638133393"_s, u"12"_s, u"Milk"_s, {}},
        {"ean13-add5-blank", "optEAN13", "chk5digit", u"590123412345"_s, u"52495"_s, u"Honey"_s, {}, false},
        {"ean13-noproduct", "optEAN13", "optNosup", u"761234567890"_s, {}, {}, {}},
        {"ean8", "optEAN8", "optNosup", u"9638507"_s, {}, u"Tea"_s, {}},
        {"ean8-add5", "optEAN8", "chk5digit", u"4719512"_s, u"12345"_s, u"Spice mix"_s, {}},
        {"upca", "optUPCA", "optNosup", u"03600029145"_s, {}, u"Juice 1 L"_s, {}},
        {"upca-add2", "optUPCA", "chk2digit", u"01234567890"_s, u"99"_s, u"Cereal"_s, {}},
        {"upce", "optUPCE", "optNosup", u"0425261"_s, {}, u"Gum"_s, {}},
        {"upce-add5", "optUPCE", "chk5digit", u"0654321"_s, u"51299"_s, u"Mints"_s, {}},
        {"upca-to-e", "optUpcEP", "optNosup", u"04210000526"_s, {}, u"Cola"_s, {}},
        {"isbn", "optISBN", "optNosup", u"1-57169-006-9"_s, {}, u"Novel"_s, {}},
        {"isbn-add5",
         "optISBN",
         "chk5digit",
         u"0-306-40615-2"_s,
         u"51299"_s,
         u"A product name longer than twenty"_s,
         {}},
        {"scc14", "optSCC14", "optNosup", u"1501234567890"_s, {}, u"Carton of 12"_s, {}},
        {"code39", "optCode39", "optNosup", u"KELBRIX-39"_s, {}, u"Bin 4"_s, {}},
        {"code39-mod43", "optCode39", "optNosup", u"A1B2"_s, {}, u"Bin 5"_s, {}, true, true},
    };
    return table;
}

// The two looks the size window stores: the defaults, and one that changes every part of it.
struct Appearance {
    const char *name;
    QList<std::pair<QString, QString>> settings;
};

const QList<Appearance> &appearances()
{
    static const QList<Appearance> looks{
        {"plain",
         {{u"Bar Matt"_s, u"M"_s}, {u"Bar Width"_s, u"40"_s}, {u"Bar Height"_s, u"22"_s}, {u"Bar Def"_s, u"N"_s}}},
        {"styled",
         {{u"Bar Matt"_s, u"I"_s},
          {u"Bar Width"_s, u"1.6"_s},
          {u"Bar Height"_s, u"0.9"_s},
          {u"Bar Def"_s, u"Y"_s},
          {u"FontName"_s, u"DejaVu Sans"_s},
          {u"FontBold"_s, u"Y"_s},
          {u"FontItalic"_s, u"Y"_s},
          {u"FontSize"_s, u"11"_s},
          // Colours as the store keeps them: red + 256 green + 65536 blue.
          {u"PicTXTColor"_s, QString::number(0xE0 + 256 * 0xF0 + 65536 * 0xFF)},
          {u"Bar1xColor"_s, QString::number(0xFF + 256 * 0xFF + 65536 * 0xD0)},
          {u"Pixel"_s, u"NO"_s},
          {u"Aspect"_s, u"NO"_s},
          {u"Font"_s, u"Normal"_s},
          {u"BarAlign"_s, u"Left"_s}}},
    };
    return looks;
}

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "golden_outputs: %s\n", qPrintable(why));
    std::exit(1);
}

template <typename T> T *control(const QObject &parent, const QString &name)
{
    T *child = parent.findChild<T *>(name);
    if (!child)
        fail(u"no control "_s + name);
    return child;
}

// Stores \a look and the fixed parameters of the run as the program's settings, replacing any.
void storeSettings(const Appearance &look, int definedDpi)
{
    QSettings stored(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
    stored.clear();
    stored.setValue(u"Use256"_s, u"Never"_s);
    stored.setValue(u"DPI"_s, QString::number(definedDpi));
    stored.setValue(u"TiffRes"_s, u"300"_s);
    stored.setValue(u"TiffComp"_s, u"G4"_s);
    for (const auto &[key, value] : look.settings)
        stored.setValue(key, value);
    stored.sync();
}

void savePicture(const QImage &image, const QString &path)
{
    if (image.isNull() || !image.save(path, "PNG"))
        fail(u"could not write the picture "_s + path);
}

// The main window as a user works it, with every question answered by its first button and
// every file dialog by the next of the queued names.
class Window {
public:
    Window()
    {
        m_form = new Form1(Edition::Alla);
        m_form->setDisplayDepth(24);
        m_form->resize(1000, 700);
        m_form->show();
        if (!QTest::qWaitForWindowExposed(m_form))
            fail(u"the window did not show"_s);
    }
    ~Window() { delete m_form; }

    Form1 &form() { return *m_form; }
    template <typename T> T *child(const QString &name) { return control<T>(*m_form, name); }

    void make(const Row &row)
    {
        child<QRadioButton>(QString::fromLatin1(row.type))->click();
        child<QRadioButton>(QString::fromLatin1(row.supplement))->click();
        child<QRadioButton>(row.productLine ? u"Option1"_s : u"Option2"_s)->click();
        auto *modulus = child<QCheckBox>(u"chkModulus43"_s);
        if (modulus->isEnabled() && modulus->isChecked() != row.modulus43)
            modulus->click();
        type(u"TxtStreck"_s, row.entry);
        type(u"txtSup"_s, row.digits);
        type(u"txtProduct"_s, row.product);
        type(u"txtFree"_s, row.text);
        child<QPushButton>(u"Command1"_s)->click();
        QCoreApplication::processEvents();
    }
    void type(const QString &box, const QString &text)
    {
        auto *edit = child<QLineEdit>(box);
        if (!edit->isEnabled())
            return;
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    void useDefined(bool on)
    {
        auto *box = child<QCheckBox>(u"chkDefined"_s);
        if (box->isChecked() != on)
            box->click();
        QCoreApplication::processEvents();
    }
    QImage copied()
    {
        child<QAction>(u"mnuCopy"_s)->trigger();
        return QGuiApplication::clipboard()->image();
    }
    void saveAs(const QString &path)
    {
        m_prompt.files.enqueue(path);
        child<QAction>(u"mnuAs"_s)->trigger();
        QCoreApplication::processEvents();
    }
    void trigger(const QString &action, const QString &path)
    {
        m_prompt.files.enqueue(path);
        child<QAction>(action)->trigger();
        QCoreApplication::processEvents();
    }
    void selectAll() { child<QTreeView>(u"ListView3"_s)->selectAll(); }
    void clearSelection() { child<QTreeView>(u"ListView3"_s)->clearSelection(); }
    /// The read-back verdict of the label, once the reading is done.
    QString verdict()
    {
        auto *label = control<QLabel>(*m_form, u"lblVerify"_s);
        for (int i = 0; i < 500 && label->text().endsWith(u"…"_s); ++i)
            QTest::qWait(10);
        return label->text();
    }
    QStringList asked() const { return m_prompt.texts(); }
    void queueFile(const QString &path) { m_prompt.files.enqueue(path); }

private:
    RecordingPrompt m_prompt;
    Form1 *m_form = nullptr;
};

// Runs the program with \a arguments; its output, with \a folder written as OUT, is added to
// \a log. The program's exit status is logged too: a refused record is part of what it makes.
void runProgram(const QStringList &arguments, const QString &folder, QStringList &log)
{
    QProcess kelbrix;
    kelbrix.setProcessChannelMode(QProcess::MergedChannels);
    kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
    if (!kelbrix.waitForFinished(300000) || kelbrix.exitStatus() != QProcess::NormalExit)
        fail(u"kelbrix "_s + arguments.join(u' ') + u" did not finish"_s);
    QString output = QString::fromLocal8Bit(kelbrix.readAll());
    output.replace(QDir::toNativeSeparators(folder), u"OUT"_s);
    QStringList shown = arguments;
    shown.replaceInStrings(folder, u"OUT"_s);
    log << u"$ kelbrix "_s + shown.join(u' ') << output.trimmed() << u"exit "_s + QString::number(kelbrix.exitCode());
}

// Page 1 of the PDF \a pdf as the picture \a png, at 100 dpi.
void pdfPage(const QString &pdf, const QString &png)
{
    QProcess render;
    QString stem = png;
    stem.chop(4);
    render.start(u"pdftoppm"_s,
                 {u"-r"_s, u"100"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, u"-singlefile"_s, pdf, stem});
    if (!render.waitForFinished(120000) || render.exitCode() != 0)
        fail(u"pdftoppm could not render "_s + pdf);
}

void writeLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(u"could not write "_s + path);
    file.write((lines.join(u'\n') + u'\n').toUtf8());
}

// Everything one appearance gives, into \a out.
void writeAppearance(const Appearance &look, const QString &out)
{
    for (const char *folder : {"label", "screen", "defined-300", "defined-600", "tiff-window", "tiff-300", "tiff-600",
                               "svg", "eps", "artwork-window"})
        QDir(out).mkpath(QString::fromLatin1(folder));
    const auto name = [](int i, const Row &row) {
        return QString::number(i + 1).rightJustified(2, u'0') + u'-' + QString::fromLatin1(row.name);
    };

    QStringList shown;
    {
        storeSettings(look, 300);
        Window window;
        for (int i = 0; i < rows().size(); ++i) {
            const Row &row = rows().at(i);
            window.useDefined(false);
            window.make(row);
            const QString stem = name(i, row);
            savePicture(window.copied(), out + u"/label/"_s + stem + u".png"_s);
            savePicture(window.child<QWidget>(u"picTST"_s)->grab().toImage(), out + u"/screen/"_s + stem + u".png"_s);
            shown << stem + u": "_s + window.child<QLineEdit>(u"TxtStreck"_s)->text() + u" | "_s + window.verdict() +
                         u" | "_s + window.form().windowTitle();
            // Save As artwork: the label as it is, and in a few rows at the defined size.
            window.saveAs(out + u"/artwork-window/"_s + stem + u".svg"_s);
            window.useDefined(true);
            savePicture(window.copied(), out + u"/defined-300/"_s + stem + u".png"_s);
            if (i % 4 == 0)
                window.saveAs(out + u"/artwork-window/"_s + stem + u"-defined.eps"_s);
            window.useDefined(false);
            window.child<QPushButton>(u"Command4"_s)->click();
            if (i < 4)
                window.child<QPushButton>(u"cmdToRTF1"_s)->click();
        }
        // One label as a bitmap; then the list, its CSV and the image list.
        window.clearSelection();
        window.make(rows().at(4));
        window.saveAs(out + u"/label.bmp"_s);
        window.saveAs(out + u"/list.qz2"_s);
        window.trigger(u"mnuExport"_s, out + u"/list.csv"_s);
        window.saveAs(out + u"/images.rtf"_s);
        window.selectAll();
        window.saveAs(out + u"/tiff-window/export.tif"_s);
        shown << u"asked:"_s << window.asked();
    }
    {
        // The defined-size labels at another resolution.
        storeSettings(look, 600);
        Window window;
        for (int i = 0; i < rows().size(); ++i) {
            const Row &row = rows().at(i);
            window.useDefined(false);
            window.make(row);
            window.useDefined(true);
            savePicture(window.copied(), out + u"/defined-600/"_s + name(i, row) + u".png"_s);
        }
    }
    writeLines(out + u"/window.txt"_s, shown);

    // The same list through the commands.
    storeSettings(look, 300);
    QStringList log;
    const QString list = out + u"/list.qz2"_s;
    for (const QString &dpi : {u"300"_s, u"600"_s})
        runProgram(
            {u"--export"_s, list, u"--out"_s, out + u"/tiff-"_s + dpi, u"--dpi"_s, dpi, u"--compression"_s, u"g4"_s},
            out, log);
    for (const QString &format : {u"svg"_s, u"eps"_s})
        runProgram({u"--export"_s, list, u"--out"_s, out + u'/' + format, u"--format"_s, format}, out, log);
    const QString sheet = out + u"/sheet.pdf"_s;
    runProgram({u"--sheet"_s, list, u"--template"_s, u"L7160"_s, u"--pdf"_s, sheet, u"--start"_s, u"2"_s}, out, log);
    pdfPage(sheet, out + u"/sheet-command.png"_s);
    QFile::remove(sheet);
    writeLines(out + u"/commands.txt"_s, log);

    // The Print Labels window's PDF of the same list.
    {
        Window window;
        window.form().loadListFile(list);
        QTimer::singleShot(0, [&] {
            auto *labels = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!labels || labels->objectName() != u"frmLabels"_s)
                fail(u"Print Labels did not open"_s);
            auto *sheets = control<QComboBox>(*labels, u"cboTemplate"_s);
            sheets->setCurrentIndex(sheets->findText(u"A4 3x7"_s, Qt::MatchStartsWith));
            window.queueFile(sheet);
            control<QPushButton>(*labels, u"cmdPdf"_s)->click();
            labels->reject();
        });
        window.child<QAction>(u"mnuLabels"_s)->trigger();
        if (!QFile::exists(sheet))
            fail(u"Print Labels wrote no PDF"_s);
        pdfPage(sheet, out + u"/sheet-window.png"_s);
        QFile::remove(sheet);
    }
}

void writeAll(const QString &out)
{
    for (const Appearance &look : appearances()) {
        const QString folder = out + u'/' + QString::fromLatin1(look.name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        writeAppearance(look, folder);
    }
}

QStringList filesIn(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Why the file \a name differs between the folders, or empty when it does not.
QString difference(const QString &expected, const QString &actual, const QString &name)
{
    const QString want = expected + u'/' + name;
    const QString got = actual + u'/' + name;
    if (name.endsWith(u".png"_s)) {
        // Pictures are compared as what they show; their compression may differ.
        QImage a(want), b(got);
        if (a.isNull() || b.isNull())
            return u"cannot be read"_s;
        if (a.size() != b.size())
            return u"is %1 x %2 pixels, not %3 x %4"_s.arg(b.width()).arg(b.height()).arg(a.width()).arg(a.height());
        if (a.dotsPerMeterX() != b.dotsPerMeterX() || a.dotsPerMeterY() != b.dotsPerMeterY())
            return u"has another resolution"_s;
        a = a.convertToFormat(QImage::Format_ARGB32);
        b = b.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    return u"differs first at pixel %1, %2: #%3, not #%4"_s.arg(x)
                        .arg(y)
                        .arg(b.pixel(x, y), 8, 16, QChar(u'0'))
                        .arg(a.pixel(x, y), 8, 16, QChar(u'0'));
        return {};
    }
    const QByteArray a = contentsOf(want), b = contentsOf(got);
    if (a == b)
        return {};
    qsizetype at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    return u"differs first at byte %1 (%2 bytes, not %3)"_s.arg(at).arg(b.size()).arg(a.size());
}

int check(const QString &expected)
{
    QTemporaryDir work;
    writeAll(work.path());
    const QStringList want = filesIn(expected);
    const QStringList got = filesIn(work.path());
    int problems = 0;
    for (const QString &name : want) {
        if (!got.contains(name)) {
            std::printf("missing: %s\n", qPrintable(name));
            ++problems;
        } else if (const QString why = difference(expected, work.path(), name); !why.isEmpty()) {
            std::printf("changed: %s %s\n", qPrintable(name), qPrintable(why));
            ++problems;
        }
    }
    for (const QString &name : got) {
        if (!want.contains(name)) {
            std::printf("new: %s\n", qPrintable(name));
            ++problems;
        }
    }
    std::printf("%lld files compared, %d differ\n", qlonglong(want.size()), problems);
    if (problems)
        std::printf("If the change is meant, write the files again with the target update_golden_outputs and "
                    "review their diff.\n");
    return problems == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // As the program does before anything paints text.
    cacheGlyphsUpToMaskSize();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kelbrix"_s);
    QApplication::setOrganizationName(u"Quorran"_s);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 || (arguments[1] != u"--write"_s && arguments[1] != u"--check"_s))
        fail(u"usage: golden_outputs --write FOLDER | --check FOLDER"_s);
    if (arguments[1] == u"--write"_s) {
        writeAll(arguments[2]);
        return 0;
    }
    return check(arguments[2]);
}
