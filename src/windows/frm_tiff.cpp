#include "windows/frm_tiff.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "windows/colour_mode_frames.h"
#include "windows/entry_key_filter.h"
#include "windows/help_window.h"
#include "windows/option_frame.h"
#include "windows/tiff_resolution_frame.h"
#include "widgets/window_placement.h"
#include "base/user_prompt.h"
#include "export/image_converter.h"
#include "widgets/label_picture.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

frmTiff::frmTiff(std::unique_ptr<DisplayModes> display, PrinterResolution printer, QWidget *parent)
    : QDialog(parent), m_colourModes(std::make_unique<ColourModeFrames>(std::move(display)))
{
    setObjectName(u"frmTiff"_s);
    setTranslated(this, "windowTitle", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "TIFF Parameters"));
    // The window uses the program's one converter, made here if nothing made it before.
    imageConverter();

    auto *layout = new QGridLayout(this);
    FrameResolution = new TiffResolutionFrame(printer, this);
    layout->addWidget(FrameResolution, 0, 0);
    layout->addWidget(buildFunctionsFrame(), 1, 0, 2, 1);
    layout->addWidget(m_colourModes->buildStartUpFrame(this), 0, 1);
    layout->addWidget(m_colourModes->buildMonitorFrame(this), 1, 1);

    auto *save = new QHBoxLayout;
    Label3 = named(translated(new QLabel(this), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Save")), u"Label3"_s);
    cmdOK = named(translated(new QPushButton(this), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "OK")), u"cmdOK"_s);
    cmdOK->setDefault(true);
    Label3->setBuddy(cmdOK);
    save->addStretch(1);
    save->addWidget(Label3);
    save->addWidget(cmdOK);
    layout->addLayout(save, 2, 1, Qt::AlignBottom);

    // The hidden work parts of the export.
    picTiffRef = new LabelPicture(u"picTiffRef"_s, this);
    picTiffRef->hide();
    lblMeasure = named(new QLabel(this), u"lblMeasure"_s);
    lblMeasure->hide();
    applyAppearance(LabelAppearance{});

    FrameResolution->setPrinterCaption(u" ppi (dpi)"_s);
    m_colourModes->showNormalColorCaption();
    setParameters(TiffParameters{});
    connectHandlers();
}

frmTiff::~frmTiff() = default;

void frmTiff::applyAppearance(const LabelAppearance &appearance)
{
    // BarTiff draws like every other renderer: the main window hands it the size window's look.
    appearance.applyTo(BarTiff);
}

QWidget *frmTiff::buildFunctionsFrame()
{
    auto *frame =
        named(translated(new QGroupBox(this), "title", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "TIFF Functions")),
              u"FrameFunctions"_s);
    auto *grid = new QGridLayout(frame);
    chkInvertImg =
        named(translated(new QCheckBox(frame), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Invert Image")),
              u"chkInvertImg"_s);
    cmdISBNFont =
        named(translated(new QPushButton(frame), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "ISBN Font")),
              u"cmdISBNFont"_s);
    grid->addWidget(chkInvertImg, 0, 0);
    grid->addWidget(cmdISBNFont, 0, 1, Qt::AlignLeft);

    optMirrorNo = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Don't Mirror")),
                        u"optMirrorNo"_s);
    optMirrorH =
        named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Mirror Horizontal")),
              u"optMirrorH"_s);
    optMirrorV =
        named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Mirror Vertical")),
              u"optMirrorV"_s);
    grid->addWidget(optionFrame(u"FrameMirror"_s, "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Mirror Image"), frame,
                                {optMirrorNo, optMirrorH, optMirrorV}),
                    1, 0);

    optRotateNo = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Don't Rotate")),
                        u"optRotateNo"_s);
    optRotate90 = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "90 degrees")),
                        u"optRotate90"_s);
    optRotate180 = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "180 degrees")),
                         u"optRotate180"_s);
    optRotate270 = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "270 degrees")),
                         u"optRotate270"_s);
    grid->addWidget(optionFrame(u"FrameRotate"_s, "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Rotate Image"), frame,
                                {optRotateNo, optRotate90, optRotate180, optRotate270}),
                    1, 1);

    optCompNo = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "No Compression")),
                      u"optCompNo"_s);
    optCompHuff = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Huffman")),
                        u"optCompHuff"_s);
    optCompG3 = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Group 3")),
                      u"optCompG3"_s);
    optCompG4 = named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Group 4")),
                      u"optCompG4"_s);
    grid->addWidget(optionFrame(u"FrameCompression"_s, "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "TIFF Compression"),
                                frame, {optCompNo, optCompHuff, optCompG3, optCompG4}),
                    2, 0);

    auto *adjust = named(
        translated(new QGroupBox(frame), "title", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Adjust Width / Height")),
        u"FrameAdjust"_s);
    auto *adjustLayout = new QVBoxLayout(adjust);
    chkTiffCompW = named(translated(new QCheckBox(adjust), "text", "frmTiff",
                                    QT_TRANSLATE_NOOP("frmTiff", "Adjust Barcode Width to Defiend Width")),
                         u"chkTiffCompW"_s);
    chkTiffCompH = named(translated(new QCheckBox(adjust), "text", "frmTiff",
                                    QT_TRANSLATE_NOOP("frmTiff", "Adjust Barcode Height to Defined Height")),
                         u"chkTiffCompH"_s);
    adjustLayout->addWidget(chkTiffCompW);
    adjustLayout->addWidget(chkTiffCompH);
    grid->addWidget(adjust, 2, 1);

    auto *copies =
        named(translated(new QGroupBox(frame), "title", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Save TIFF Copies")),
              u"FrameCopies"_s);
    auto *copiesLayout = new QHBoxLayout(copies);
    txtCopies = named(new QLineEdit(copies), u"txtCopies"_s);
    txtCopies->setMaxLength(TiffParameters::kCopiesChars);
    txtCopies->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9.]{0,3}"_s), txtCopies));
    txtCopies->setMaximumWidth(fontMetrics().horizontalAdvance(u'0') * 6);
    Label4 =
        named(translated(new QLabel(copies), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Copies of each TIFF.")),
              u"Label4"_s);
    Label4->setBuddy(txtCopies);
    copiesLayout->addWidget(txtCopies);
    copiesLayout->addWidget(Label4, 1);
    grid->addWidget(copies, 3, 0, 1, 2);

    chkVerify =
        named(translated(new QCheckBox(frame), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Verify each file")),
              u"chkVerify"_s);
    setTranslated(chkVerify, "toolTip", "frmTiff",
                  QT_TRANSLATE_NOOP("frmTiff", "Read every exported file back and report the ones that do not scan"));
    grid->addWidget(chkVerify, 4, 0, 1, 2);
    return frame;
}

void frmTiff::connectHandlers()
{
    new EntryKeyFilter(txtCopies, TiffParameters::kCopiesChars);
    connect(cmdOK, &QPushButton::clicked, this, &frmTiff::onOk);
    connect(cmdISBNFont, &QPushButton::clicked, this, &frmTiff::onIsbnFont);
}

TiffParameters frmTiff::parameters() const
{
    TiffParameters p;
    p.printerResolution = FrameResolution->printerResolution();
    p.userResolution = FrameResolution->userResolution();
    p.compression = optCompNo->isChecked()   ? TiffCompression::None
                    : optCompG3->isChecked() ? TiffCompression::Group3
                    : optCompG4->isChecked() ? TiffCompression::Group4
                                             : TiffCompression::Huffman;
    p.invert = chkInvertImg->isChecked();
    p.mirror = optMirrorH->isChecked()   ? TiffMirror::Horizontal
               : optMirrorV->isChecked() ? TiffMirror::Vertical
                                         : TiffMirror::None;
    p.rotation = optRotate90->isChecked()    ? TiffRotation::Rotate90
                 : optRotate180->isChecked() ? TiffRotation::Rotate180
                 : optRotate270->isChecked() ? TiffRotation::Rotate270
                                             : TiffRotation::None;
    p.adjustWidth = chkTiffCompW->isChecked();
    p.adjustHeight = chkTiffCompH->isChecked();
    p.copies = txtCopies->text();
    p.colourMode = m_colourModes->startUpChoice();
    p.isbnTiffFont = m_isbnTiffFont;
    p.verify = chkVerify->isChecked();
    return p;
}

void frmTiff::setParameters(const TiffParameters &p)
{
    FrameResolution->showResolution(p.printerResolution, p.userResolution);
    const QList<std::pair<TiffCompression, QRadioButton *>> compressions{{TiffCompression::None, optCompNo},
                                                                         {TiffCompression::Huffman, optCompHuff},
                                                                         {TiffCompression::Group3, optCompG3},
                                                                         {TiffCompression::Group4, optCompG4}};
    for (const auto &[value, option] : compressions)
        option->setChecked(value == p.compression);
    chkInvertImg->setChecked(p.invert);
    optMirrorNo->setChecked(p.mirror == TiffMirror::None);
    optMirrorH->setChecked(p.mirror == TiffMirror::Horizontal);
    optMirrorV->setChecked(p.mirror == TiffMirror::Vertical);
    optRotateNo->setChecked(p.rotation == TiffRotation::None);
    optRotate90->setChecked(p.rotation == TiffRotation::Rotate90);
    optRotate180->setChecked(p.rotation == TiffRotation::Rotate180);
    optRotate270->setChecked(p.rotation == TiffRotation::Rotate270);
    chkTiffCompW->setChecked(p.adjustWidth);
    chkTiffCompH->setChecked(p.adjustHeight);
    txtCopies->setText(p.copies);
    m_colourModes->setStartUpChoice(p.colourMode);
    m_isbnTiffFont = p.isbnTiffFont;
    chkVerify->setChecked(p.verify);
}

void frmTiff::setCopiesText(const QString &text)
{
    txtCopies->setText(text);
}

int frmTiff::resolutionDpi() const
{
    return parameters().resolutionDpi(FrameResolution->printerDpi());
}

int frmTiff::printerDpi() const
{
    return FrameResolution->printerDpi();
}

ColourModeSwitch &frmTiff::colourMode()
{
    return m_colourModes->colourMode();
}

void frmTiff::offerColourMode()
{
    m_colourModes->offerOnActivation();
}

void frmTiff::returnToStartUpMode()
{
    m_colourModes->returnToStartUpMode();
}

void frmTiff::applyColourModeSetting()
{
    m_colourModes->applyStartUpChoice();
}

void frmTiff::showParameters()
{
    m_colourModes->showNormalColorCaption();
    placeOverMainWindow(this, parentWidget());
    exec();
}

bool frmTiff::event(QEvent *event)
{
    // The caption built from the display, in the new language (the resolution frame builds its
    // own again).
    if (event->type() == QEvent::LanguageChange)
        m_colourModes->showNormalColorCaption();
    if (event->type() == QEvent::WindowActivate)
        FrameResolution->setPrinterCaption(u" dpi"_s);
    // F1 opens this window's help page, not the main window's contents.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void frmTiff::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        HelpWindow::showTopic(u"tiff-window.html"_s, u"tiff"_s);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmTiff::onOk()
{
    if (FrameResolution->settleOnOk())
        accept();
}

void frmTiff::onIsbnFont()
{
    FontRequest request;
    request.title = QCoreApplication::translate("frmTiff", "ISBN Font");
    request.initial.family = m_isbnTiffFont;
    if (const std::optional<FontChoice> chosen = userPrompt().chooseFont(request))
        m_isbnTiffFont = chosen->family;
}

} // namespace Kelbrix
