#pragma once

// Helpers for driving the size window and the defined-size label the way a user does: by the
// controls' names, the labels' images and the settings file.

#include "form1_driver.h"

#include <QMainWindow>

namespace Kelbrix::Test {

/// A control of the main window, found by name in its own area (the size window, a child of
/// the main window, has controls of the same names).
template <typename T> T *mainControl(Form1 &form, const QString &name)
{
    T *control = form.centralWidget()->findChild<T *>(name);
    if (!control)
        qWarning("no control %s in the main window", qPrintable(name));
    return control;
}

inline QMainWindow *sizeWindow(Form1 &form)
{
    return form.findChild<QMainWindow *>(QStringLiteral("frmBarSize"), Qt::FindDirectChildrenOnly);
}

template <typename T> T *sizeControl(Form1 &form, const QString &name)
{
    T *control = sizeWindow(form)->findChild<T *>(name);
    if (!control)
        qWarning("no control %s in the size window", qPrintable(name));
    return control;
}

inline QAction *sizeMenu(Form1 &form, const QString &name)
{
    return sizeWindow(form)->findChild<QAction *>(name);
}

/// Replaces the text of \a box by typing \a text, as a user would.
inline void retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

/// Types a size into the size window: unit first, then width and height.
inline void typeSize(Form1 &form, const QString &unitOption, const QString &width, const QString &height)
{
    sizeControl<QRadioButton>(form, unitOption)->click();
    retype(sizeControl<QLineEdit>(form, QStringLiteral("txtBSWidth")), width);
    retype(sizeControl<QLineEdit>(form, QStringLiteral("txtBSHeight")), height);
}

/// Chooses the resolution: "72", "96" or a user value.
inline void chooseDpi(Form1 &form, const QString &dpi)
{
    if (dpi == QStringLiteral("72") || dpi == QStringLiteral("96")) {
        sizeControl<QRadioButton>(form, QStringLiteral("opt") + dpi + QStringLiteral("dpi"))->click();
        return;
    }
    sizeControl<QRadioButton>(form, QStringLiteral("optUserdpiW"))->click();
    auto *box = sizeControl<QLineEdit>(form, QStringLiteral("Text1"));
    retype(box, dpi);
    emit box->editingFinished();
}

/// Makes the code: type and supplement options, the entry, the add-on and the product, then
/// "&Make Code".
inline void makeCode(Form1 &form, const QString &type, const QString &supplement, const QString &entry,
                     const QString &digits, const QString &product = QString())
{
    mainControl<QRadioButton>(form, type)->click();
    mainControl<QRadioButton>(form, supplement)->click();
    for (const char *name : {"TxtStreck", "txtSup", "txtProduct"})
        mainControl<QLineEdit>(form, QString::fromLatin1(name))->clear();
    typeInto(mainControl<QLineEdit>(form, QStringLiteral("TxtStreck")), entry);
    typeInto(mainControl<QLineEdit>(form, QStringLiteral("txtSup")), digits);
    typeInto(mainControl<QLineEdit>(form, QStringLiteral("txtProduct")), product);
    auto *make = mainControl<QPushButton>(form, QStringLiteral("Command1"));
    QVERIFY(make->isEnabled());
    make->click();
}

inline QImage labelImage(Form1 &form, const QString &name)
{
    return mainControl<LabelPicture>(form, name)->image();
}

/// Answers "Do you want to Quit ?." with Yes: the main window closes and writes its settings.
inline void exitProgram(Form1 &form)
{
    RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Yes);
    form.findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
}

inline QSettings storedSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorran"),
                     QStringLiteral("Barcode"));
}

} // namespace Kelbrix::Test
