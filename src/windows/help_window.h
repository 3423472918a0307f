#pragma once

#include "barcode/edition.h"

#include <QWidget>

#include <functional>

class QTextBrowser;

namespace Kelbrix {

/// The help window: the edition's user manual, opened at its contents or at a numbered
/// help context. One window serves the whole program.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    /// Chooses the edition whose manual the window shows (set once at start-up).
    static void setEdition(Edition edition);
    /// Where the window learns the language of its pages: \a languageFlag gives the caller's
    /// language flag (1 English, 2 Swedish) each time a page opens. Without one, English.
    static void setLanguageSource(std::function<int()> languageFlag);
    /// Opens the help at its contents page.
    static void showContents();
    /// Opens the help at the section of help context \a context.
    static void showContext(int context);
    /// Opens the help at \a anchor of the page \a page ("size-window.html").
    static void showTopic(const QString &page, const QString &anchor);
    /// The window, when it has been opened (for tests).
    static HelpWindow *instance();

    /// The anchor the window shows now ("contents" or "context-3010").
    QString currentAnchor() const { return m_anchor; }
    /// The page the window shows now.
    QUrl currentSource() const;

private:
    HelpWindow();
    static HelpWindow *window();
    void showPage(const QString &page, const QString &anchor);

    QTextBrowser *m_browser;
    QString m_anchor;
};

} // namespace Kelbrix
