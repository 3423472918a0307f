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
    /// Gives \a widget the hint \a source (a QT_TRANSLATE_NOOP text of \a context), shown in the
    /// language of the moment.
    void setHint(QWidget *widget, const char *context, const char *source);
    /// Shows \a text in the panel.
    void show(const QString &text);
    /// Shows \a source of \a context in the language of the moment; a language switch shows it
    /// again in the new language.
    void show(const char *context, const char *source);
    QString text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A hint is either a text as it is, or a source text translated when shown.
    struct Hint {
        QString text;
        const char *context = nullptr;
        const char *source = nullptr;
    };
    void showHint(const Hint &hint);

    QLabel *m_panel = nullptr;
    QHash<QObject *, Hint> m_hints;
    Hint m_shown;
};

} // namespace Kelbrix
