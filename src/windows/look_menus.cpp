#include "windows/look_menus.h"
#include "widgets/translation.h"

#include "base/user_prompt.h"

#include <QCoreApplication>
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QAction *addNamedAction(QMenu *menu, const QString &name, const char *caption)
{
    QAction *action = translated(menu->addAction(QString()), "text", "frmBarSize", caption);
    action->setObjectName(name);
    return action;
}

QMenu *addNamedMenu(QMenuBar *bar, const QString &name, const char *caption)
{
    QMenu *menu = translated(bar->addMenu(QString()), "title", "frmBarSize", caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

} // namespace

LookMenus::LookMenus(QMenuBar *bar, QObject *parent) : QObject(parent)
{
    QMenu *font = addNamedMenu(bar, u"mnuFont"_s, QT_TRANSLATE_NOOP("frmBarSize", "F&ont"));
    mnuCFont = addNamedAction(font, u"mnuCFont"_s, QT_TRANSLATE_NOOP("frmBarSize", "Change &Font"));
    mnuSmall = addNamedAction(font, u"mnuSmall"_s, QT_TRANSLATE_NOOP("frmBarSize", "&Small Font"));
    QMenu *colors = addNamedMenu(bar, u"mnuColor"_s, QT_TRANSLATE_NOOP("frmBarSize", "&Color"));
    mnuBackColor =
        addNamedAction(colors, u"mnuBackColor"_s, QT_TRANSLATE_NOOP("frmBarSize", "&Background Color Barcode"));
    mnuBackText = addNamedAction(colors, u"mnuBackText"_s, QT_TRANSLATE_NOOP("frmBarSize", "Back&ground Color Text"));
    QMenu *barcode = addNamedMenu(bar, u"mnuBarcode"_s, QT_TRANSLATE_NOOP("frmBarSize", "&Barcode"));
    mnuPixel = addNamedAction(barcode, u"mnuPixel"_s, QT_TRANSLATE_NOOP("frmBarSize", "Pixel Align"));
    mnuAspect = addNamedAction(barcode, u"mnuAspect"_s, QT_TRANSLATE_NOOP("frmBarSize", "Retain &Aspect Ratio"));
    barcode->addSeparator();
    mnuBarLeft = addNamedAction(barcode, u"mnuBarLeft"_s, QT_TRANSLATE_NOOP("frmBarSize", "&Left"));
    mnuBarcenter = addNamedAction(barcode, u"mnuBarcenter"_s, QT_TRANSLATE_NOOP("frmBarSize", "Cen&ter"));
    mnuBarRight = addNamedAction(barcode, u"mnuBarRight"_s, QT_TRANSLATE_NOOP("frmBarSize", "&Right"));

    auto *alignments = new QActionGroup(this);
    for (QAction *action : {mnuPixel, mnuAspect, mnuBarLeft, mnuBarcenter, mnuBarRight})
        action->setCheckable(true);
    for (QAction *action : {mnuBarLeft, mnuBarcenter, mnuBarRight})
        alignments->addAction(action);

    connect(mnuCFont, &QAction::triggered, this, &LookMenus::onChangeFont);
    connect(mnuSmall, &QAction::triggered, this, [this] {
        m_look.smallFont = !m_look.smallFont;
        emit lookEdited(true);
    });
    connect(mnuBackColor, &QAction::triggered, this, [this] {
        chooseColour(QT_TRANSLATE_NOOP("frmBarSize", "Background Color Barcode"), m_look.barcodeBackColor);
    });
    connect(mnuBackText, &QAction::triggered, this,
            [this] { chooseColour(QT_TRANSLATE_NOOP("frmBarSize", "Background Color Text"), m_look.textBackColor); });
    connect(mnuPixel, &QAction::triggered, this, [this](bool on) {
        m_look.pixelAlign = on;
        emit lookEdited(false);
    });
    connect(mnuAspect, &QAction::triggered, this, [this](bool on) {
        m_look.retainAspectRatio = on;
        emit lookEdited(false);
    });
    const QList<std::pair<QAction *, int>> alignmentItems{{mnuBarLeft, LabelAppearance::kAlignLeft},
                                                          {mnuBarcenter, LabelAppearance::kAlignCentre},
                                                          {mnuBarRight, LabelAppearance::kAlignRight}};
    for (const auto &[action, alignment] : alignmentItems) {
        connect(action, &QAction::triggered, this, [this, alignment] {
            m_look.alignment = alignment;
            emit lookEdited(true);
        });
    }
}

void LookMenus::showLook(const LabelAppearance &look)
{
    m_look = look;
    mnuPixel->setChecked(look.pixelAlign);
    mnuAspect->setChecked(look.retainAspectRatio);
    mnuBarLeft->setChecked(look.alignment == LabelAppearance::kAlignLeft);
    mnuBarcenter->setChecked(look.alignment == LabelAppearance::kAlignCentre);
    mnuBarRight->setChecked(look.alignment == LabelAppearance::kAlignRight);
    // The caption names what the next click does.
    setTranslated(mnuSmall, "text", "frmBarSize",
                  look.smallFont ? QT_TRANSLATE_NOOP("frmBarSize", "&Normal Font")
                                 : QT_TRANSLATE_NOOP("frmBarSize", "&Small Font"));
}

void LookMenus::onChangeFont()
{
    const std::optional<FontChoice> chosen =
        userPrompt().chooseFont(FontRequest{QCoreApplication::translate("frmBarSize", "Font"),
                                            FontChoice{m_look.fontName, m_look.fontSize, m_look.bold, m_look.italic}});
    if (!chosen || chosen->family.isEmpty())
        return;
    m_look.fontName = chosen->family;
    if (chosen->pointSize > 0)
        m_look.fontSize = chosen->pointSize;
    m_look.bold = chosen->bold;
    m_look.italic = chosen->italic;
    emit lookEdited(false);
}

void LookMenus::chooseColour(const char *title, QColor &colour)
{
    const std::optional<quint32> chosen = userPrompt().chooseColor(
        ColorRequest{QCoreApplication::translate("frmBarSize", title), quint32(colour.rgb() & 0xFFFFFF)});
    if (!chosen)
        return;
    colour = QColor::fromRgb(*chosen);
    emit lookEdited(false);
}

} // namespace Kelbrix
