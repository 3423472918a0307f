#pragma once

#include "render/label_appearance.h"

#include <QObject>

class QAction;
class QMenuBar;

namespace Kelbrix {

/// The size window's menus of the look every renderer shares: "F&ont" (the font, small digits),
/// "&Color" (the backgrounds of the symbol and of the text) and "&Barcode" (pixel alignment, the
/// aspect ratio, the alignment).
///
/// The menus hold the look they show (showLook()); an item the user chooses changes it, asking
/// for the font or the colour where the item does, and announces lookEdited().
class LookMenus : public QObject {
    Q_OBJECT
public:
    /// Adds the three menus to \a bar, their items named as the behaviour names them ("mnuFont",
    /// "mnuCFont" ...); \a parent is the window.
    LookMenus(QMenuBar *bar, QObject *parent);

    const LabelAppearance &appearance() const { return m_look; }
    /// Takes \a look as the one the menus show: the check marks of pixel alignment, the aspect
    /// ratio and the alignment, and the small-font item named after what its next click does.
    /// Announces nothing.
    void showLook(const LabelAppearance &look);

signals:
    /// The user changed the look; appearance() holds it. \a reshow: the item changed what the
    /// menus show (an alignment, small digits), and the window shows its settings again, the
    /// menus among them.
    void lookEdited(bool reshow);

private:
    void onChangeFont();
    /// Asks for a colour titled \a title (a QT_TRANSLATE_NOOP text), starting at \a colour, and
    /// takes it there.
    void chooseColour(const char *title, QColor &colour);

    LabelAppearance m_look;

    QAction *mnuCFont = nullptr;
    QAction *mnuSmall = nullptr;
    QAction *mnuBackColor = nullptr;
    QAction *mnuBackText = nullptr;
    QAction *mnuPixel = nullptr;
    QAction *mnuAspect = nullptr;
    QAction *mnuBarLeft = nullptr;
    QAction *mnuBarcenter = nullptr;
    QAction *mnuBarRight = nullptr;
};

} // namespace Kelbrix
