#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;
class QWidget;

namespace Kelbrix {

/// The hint panel of a window's status bar: the mouse entering a control puts that control's
/// hint there, where it stays until another control or the window sets its own text.
class HintPanel : public QObject {
    Q_OBJECT
public:
    /// Adds the panel (object name "StatusHint", plain text) to \a statusBar, where it takes the
    /// free width.
    explicit HintPanel(QStatusBar *statusBar);

    /// Gives \a widget the hint \a text, replacing the one it had.
    void setHint(QWidget *widget, const QString &text);
    /// Shows \a text in the panel.
    void show(const QString &text);
    QString text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_panel = nullptr;
    QHash<QObject *, QString> m_hints;
};

} // namespace Kelbrix
