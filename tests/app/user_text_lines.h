#pragma once
// The texts a user reads, collected from the running program as lines: every runtime error
// message with its title, every menu entry of the main window, the size and find windows, and
// the status-bar hint of every control. The golden file tests/data/texts/user_texts.txt holds
// them in English.
#include "form1_driver.h"

#include "base/runtime_errors.h"

#include <QRegularExpression>

namespace Kelbrix::Test {

using namespace Qt::Literals::StringLiterals;

inline QString goldenPath()
{
    return qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/texts/user_texts.txt"_s;
}

// Runtime errors 0 to 32767 (and -1), with runs of numbers that show the same box joined
// into one line. A number inside a message shows as {N}.
inline QStringList runtimeErrorLines()
{
    QStringList lines;
    QString previous;
    int first = -1;
    int last = -1;
    const auto flush = [&] {
        if (first < 0)
            return;
        const QString numbers =
            first == last ? QString::number(first) : QString::number(first) + u".."_s + QString::number(last);
        lines.append(u"error "_s + numbers + u" | "_s + previous);
    };
    for (int number = -1; number <= 32767; ++number) {
        RecordingPrompt prompt;
        ReportRuntimeError(number);
        QString shown = u"(nothing)"_s;
        if (!prompt.asked.isEmpty()) {
            const PromptRequest &box = prompt.asked.first();
            QString text = box.text;
            text.replace(QRegularExpression(u"=%1$"_s.arg(number)), u"={N}"_s);
            static const QStringList icons{u"no icon"_s, u"information"_s, u"question"_s, u"exclamation"_s,
                                           u"critical"_s};
            static const QStringList buttons{u"OK"_s, u"OK/Cancel"_s, u"Yes/No"_s, u"Yes/No/Cancel"_s,
                                             u"Retry/Cancel"_s};
            shown = box.title + u" | "_s + text + u" | "_s + icons.value(int(box.icon)) + u", "_s +
                    buttons.value(int(box.buttons)) +
                    (box.helpContext ? u", help "_s + QString::number(box.helpContext) : QString()) +
                    (prompt.asked.size() > 1 ? u" | and more"_s : QString());
        }
        if (shown != previous || number != last + 1) {
            flush();
            first = number;
            previous = shown;
        }
        last = number;
    }
    flush();
    return lines;
}

inline void menuLines(const QString &path, const QList<QAction *> &actions, QStringList &lines)
{
    for (QAction *action : actions) {
        if (action->isSeparator())
            continue;
        const QString here = path + u" > "_s + action->text();
        if (QMenu *menu = action->menu()) {
            lines.append(u"menu "_s + here + u" | "_s + menu->objectName() +
                         (action->isEnabled() ? QString() : u" | disabled"_s));
            menuLines(here, menu->actions(), lines);
        } else {
            lines.append(u"menu "_s + here + u" | "_s + action->objectName() +
                         (action->shortcut().isEmpty() ? QString() : u" | "_s + action->shortcut().toString()) +
                         (action->isEnabled() ? QString() : u" | disabled"_s));
        }
    }
}

// The hint of every named control of \a window, in name order, read from the hint panel of its
// status bar. A hint stays until another control sets its own, so the panel first shows a known
// text: the hint of \a reference, or none at all. The lines name the controls after \a prefix.
inline QStringList hintLines(QMainWindow *window, const QString &prefix, QWidget *reference = nullptr)
{
    auto *panel = window->statusBar()->findChild<QLabel *>(u"StatusHint"_s);
    QStringList lines;
    QList<QWidget *> controls = window->findChildren<QWidget *>();
    if (!reference)
        controls.prepend(window);
    std::sort(controls.begin(), controls.end(),
              [](const QWidget *a, const QWidget *b) { return a->objectName() < b->objectName(); });
    for (QWidget *control : controls) {
        if (control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"_s))
            continue;
        if (reference)
            enter(reference);
        else
            panel->setText(u"(none)"_s);
        const QString before = panel->text();
        enter(control);
        if (control == reference || panel->text() != before)
            lines.append(u"hint "_s + prefix + control->objectName() + u" | "_s + panel->text());
    }
    return lines;
}

/// Every line of the golden file for \a form, as the program shows it now.
inline QStringList userTextLines(Form1 *form)
{
    QStringList lines{u"# The texts the user reads. Rewritten by KELBRIX_UPDATE_GOLDEN=1; review every change."_s};
    lines += runtimeErrorLines();
    menuLines(u"Form1"_s, form->menuBar()->actions(), lines);
    // The pop-up menus: the wizard's, and the label's and the image list's right-click menus.
    for (const QString &popup : {u"mnuWiz"_s, u"mnuCopyit"_s, u"mnuIMGPaste"_s}) {
        auto *menu = form->findChild<QMenu *>(popup);
        if (!menu)
            qFatal("no pop-up menu %s", qPrintable(popup));
        menuLines(u"Form1 pop-up "_s + popup, menu->actions(), lines);
    }
    lines += hintLines(form, QString(), found<QLineEdit>(*form, u"txtFree"_s));
    for (const QString &name : {u"frmBarSize"_s, u"frmFind"_s}) {
        auto *window = form->findChild<QMainWindow *>(name);
        if (!window)
            qFatal("no window %s", qPrintable(name));
        menuLines(name, window->menuBar()->actions(), lines);
        lines += hintLines(window, name + u" > "_s);
    }
    return lines;
}

} // namespace Kelbrix::Test
