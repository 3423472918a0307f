#include "windows/artwork_options_box.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "artwork/artwork.h"
#include "render/barcode_renderer.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

ArtworkOptionsBox::ArtworkOptionsBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(u"fraArtwork"_s);
    setTranslated(this, "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Artwork (SVG, PDF, EPS)"));
    auto *form = new QFormLayout(this);
    spnMagnification = named(new QDoubleSpinBox(this), u"spnMagnification"_s);
    spnMagnification->setRange(ArtworkOptions::kMinMagnification, ArtworkOptions::kMaxMagnification);
    spnMagnification->setDecimals(1);
    spnXDimension = named(new QDoubleSpinBox(this), u"spnXDimension"_s);
    cboXUnit = named(new QComboBox(this), u"cboXUnit"_s);
    cboXUnit->addItems({u"mm"_s, u"mils"_s});
    auto *xRow = new QHBoxLayout;
    xRow->addWidget(spnXDimension, 1);
    xRow->addWidget(cboXUnit);
    spnBWR = named(new QDoubleSpinBox(this), u"spnBWR"_s);
    spnBWR->setRange(0, ArtworkOptions::kMaxBwrMm);
    spnBWR->setDecimals(3);
    spnBWR->setSingleStep(0.005);
    spnBWR->setSuffix(u" mm"_s);
    chkQuietMarks = named(
        translated(new QCheckBox(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Quiet-zone marks < >")),
        u"chkQuietMarks"_s);
    chkTransparent = named(translated(new QCheckBox(this), "text", "frmBarSize",
                                      QT_TRANSLATE_NOOP("frmBarSize", "Transparent background (SVG, EPS)")),
                           u"chkTransparent"_s);
    lblArtworkX = named(new QLabel(this), u"lblArtworkX"_s);
    lblArtworkX->setTextFormat(Qt::PlainText);
    form->addRow(translated(new QLabel(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Magnification %")),
                 spnMagnification);
    form->addRow(translated(new QLabel(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "X-dimension")),
                 xRow);
    form->addRow(
        translated(new QLabel(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Bar width reduction")),
        spnBWR);
    form->addRow(chkQuietMarks);
    form->addRow(chkTransparent);
    form->addRow(lblArtworkX);
    for (QDoubleSpinBox *box : {spnMagnification, spnXDimension, spnBWR})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { onEdited(); });
    connect(cboXUnit, &QComboBox::currentIndexChanged, this, [this] { onEdited(); });
    for (QCheckBox *box : {chkQuietMarks, chkTransparent})
        connect(box, &QCheckBox::toggled, this, [this] { onEdited(); });
}

void ArtworkOptionsBox::setOptions(const ArtworkOptions &options)
{
    m_options = options;
}

void ArtworkOptionsBox::showFor(const BarcodeRenderer &renderer, double definedWidthMm)
{
    const bool showing = m_showing;
    m_showing = true;
    spnMagnification->setValue(m_options.magnification);
    cboXUnit->setCurrentIndex(m_options.moduleInMils ? 1 : 0);
    // The X-dimension's box counts in the unit chosen; the options keep millimetres.
    const double perUnit = m_options.moduleInMils ? ArtworkOptions::kMmPerMil : 1.0;
    spnXDimension->setDecimals(m_options.moduleInMils ? 2 : 3);
    spnXDimension->setRange(ArtworkOptions::kMinModuleMm / perUnit, ArtworkOptions::kMaxModuleMm / perUnit);
    spnXDimension->setSuffix(m_options.moduleInMils ? u" mils"_s : u" mm"_s);
    spnXDimension->setValue(m_options.moduleMm / perUnit);
    spnBWR->setValue(m_options.bwrMm);
    chkQuietMarks->setChecked(m_options.quietZoneMarks);
    chkTransparent->setChecked(m_options.transparentBackground);
    m_showing = showing;

    ArtworkRequest request;
    request.label.renderer = &renderer;
    request.options = m_options;
    request.definedWidthMm = definedWidthMm;
    QString error;
    const std::optional<LabelLayout> artwork = makeArtwork(request, &error);
    // The size window's tr() context, where the translation of this text is kept.
    lblArtworkX->setText(artwork ? QCoreApplication::translate("Kelbrix::frmBarSize", "Artwork X-dimension: %1 mm")
                                       .arg(artwork->moduleSize, 0, 'f', 3)
                                 : error);
}

void ArtworkOptionsBox::onEdited()
{
    if (m_showing)
        return;
    const bool mils = cboXUnit->currentIndex() == 1;
    const double shownPerUnit = m_options.moduleInMils ? ArtworkOptions::kMmPerMil : 1.0;
    m_options.magnification = spnMagnification->value();
    m_options.moduleMm = spnXDimension->value() * shownPerUnit;
    m_options.moduleInMils = mils;
    m_options.bwrMm = spnBWR->value();
    m_options.quietZoneMarks = chkQuietMarks->isChecked();
    m_options.transparentBackground = chkTransparent->isChecked();
    emit edited();
}

} // namespace Kelbrix
