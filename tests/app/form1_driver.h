#pragma once

// Helpers for driving the main window the way a user does.

#include "mainwindow/batch_runner.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/list_panel.h"
#include "list/list_files.h"
#include "recording_prompt.h"
#include "test_helpers.h"
#include "widgets/label_picture.h"
#include "settings/settings_store.h"
#include "zbar_decode.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace Kelbrix::Test {

/// The settings of \a edition as they are stored.
inline QSettings storedSettings(Edition edition = Edition::Alla)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorran"),
                     settingsKeyName(edition));
}

/// Forgets the settings of every edition, so a window starts as on a first run.
inline void resetSettings()
{
    for (const Edition edition : {Edition::Alla, Edition::Ean, Edition::Upc})
        storedSettings(edition).clear();
}

/// The child of \a parent called \a name; the test ends when there is none.
template <typename T> T *found(const QObject &parent, const QString &name)
{
    T *child = parent.findChild<T *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

/// Clicks the option button called \a name (a type or supplement option).
inline void clickOption(Form1 &form, const QString &name)
{
    auto *option = form.findChild<QRadioButton *>(name);
    QVERIFY2(option, qPrintable(name));
    option->click();
}

/// Types \a keys into \a box with real key events, as a user would.
inline void typeInto(QLineEdit *box, const QString &keys)
{
    box->setFocus();
    box->setCursorPosition(int(box->text().size()));
    QTest::keyClicks(box, keys);
}

/// The mouse pointer entering \a target, as when it moves over a control.
inline void enter(QWidget *target)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(target, &event);
}

/// Pastes \a text into \a box through the clipboard, replacing what it holds.
inline void pasteInto(QLineEdit *box, const QString &text)
{
    QApplication::clipboard()->setText(text);
    box->setFocus();
    box->selectAll();
    box->paste();
}

/// Quits \a form through its menu, answering Yes: the quit question comes first, and \a after are
/// the questions asked after it.
inline void quitAnsweringYes(Form1 &form, const QStringList &after = {})
{
    RecordingPrompt prompt;
    found<QAction>(form, QStringLiteral("mnuExit"))->trigger();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Do you want to Quit ?.")} + after);
    const PromptRequest quit = prompt.asked.value(0);
    QCOMPARE(std::tuple(quit.title, quit.icon, quit.buttons, quit.helpContext),
             std::tuple(QStringLiteral("Exit."), PromptIcon::Question, PromptButtons::YesNo, 3010));
}

/// Checks that \a prompt was asked exactly one question and that it is the one described; a
/// \a helpContext of -1 is not checked.
inline void checkAsked(const RecordingPrompt &prompt, const QString &text, const QString &title, PromptIcon icon,
                       PromptButtons buttons, int helpContext = -1)
{
    QCOMPARE(prompt.texts(), QStringList{text});
    QCOMPARE(prompt.asked[0].title, title);
    QCOMPARE(prompt.asked[0].icon, icon);
    QCOMPARE(prompt.asked[0].buttons, buttons);
    if (helpContext >= 0)
        QCOMPARE(prompt.asked[0].helpContext, helpContext);
}

/// Answers the windows a command opens while the command waits for them, each once, by its object
/// name: runs the window's answer, if it has one, and closes the window unless the answer did.
/// Keeps the names in the order the windows showed.
class WindowAnswers : public QObject {
public:
    explicit WindowAnswers(QHash<QString, std::function<void(QDialog *)>> answers = {}) : m_answers(std::move(answers))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || m_done.contains(dialog))
                return;
            m_done.append(dialog);
            shown.append(dialog->objectName());
            if (const auto answer = m_answers.value(dialog->objectName()))
                answer(dialog);
            if (dialog && dialog->isVisible())
                dialog->reject();
        });
        m_poll.start(10);
    }
    QStringList shown;

private:
    QHash<QString, std::function<void(QDialog *)>> m_answers;
    QList<QPointer<QDialog>> m_done;
    QTimer m_poll;
};

/// A fresh, shown main window of the full edition with a recording prompt installed; test
/// classes open it in init() and close it in cleanup().
struct Form1Fixture {
    Form1 *m_form = nullptr;
    RecordingPrompt *m_prompt = nullptr;

    /// Opens the window of \a edition on first-run settings with \a settings stored.
    void open(const QHash<QString, QString> &settings = {}, Edition edition = Edition::Alla)
    {
        resetSettings();
        {
            QSettings stored = storedSettings();
            // The 256-colour question of a first start on a 32-bit display has tests of its own.
            stored.setValue(QStringLiteral("Use256"), QStringLiteral("Never"));
            for (auto it = settings.cbegin(); it != settings.cend(); ++it)
                stored.setValue(it.key(), it.value());
        }
        start(edition);
    }
    /// Opens the window again on the settings stored now, as a new start of the program.
    void start(Edition edition = Edition::Alla)
    {
        m_prompt = new RecordingPrompt;
        m_form = new Form1(edition);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
    }
    void close()
    {
        delete m_form;
        delete m_prompt;
        m_form = nullptr;
        m_prompt = nullptr;
    }

    /// The control of the window called \a name; the test ends when there is none.
    template <typename T> T *child(const QString &name) const { return found<T>(*m_form, name); }
    /// Types \a digits as the barcode, with \a product as the product text, and makes the code.
    void makeBarcode(const QString &digits, const QString &product = QString())
    {
        child<QLineEdit>(QStringLiteral("txtProduct"))->setText(product);
        auto *entry = child<QLineEdit>(QStringLiteral("TxtStreck"));
        entry->clear();
        typeInto(entry, digits);
        child<QPushButton>(QStringLiteral("Command1"))->click();
    }
    /// Makes the code and adds it to the list.
    void addRecord(const QString &digits, const QString &product)
    {
        makeBarcode(digits, product);
        child<QPushButton>(QStringLiteral("Command4"))->click();
    }
    /// Save As, with \a path chosen in its file dialog.
    void saveAs(const QString &path)
    {
        m_prompt->files.enqueue(path);
        child<QAction>(QStringLiteral("mnuAs"))->trigger();
    }
    /// Loads \a records through the Load command, from a list file that is gone afterwards.
    void loadRecords(const QList<ListRecord> &records)
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("list.qz2"));
        QVERIFY(saveListFile(path, records).ok);
        m_prompt->files.enqueue(path);
        child<QAction>(QStringLiteral("mnuLoad"))->trigger();
    }
    /// Selects exactly the list rows \a rows (0-based, as shown).
    void selectRows(const QList<int> &rows)
    {
        auto *list = child<QTreeView>(QStringLiteral("ListView3"));
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

} // namespace Kelbrix::Test
