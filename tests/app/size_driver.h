#pragma once

// Driving the size window and the defined-size label by names and images.

#include "form1_driver.h"

#include <QMainWindow>

namespace Kelbrix::Test {

/// A control of the main window; the size window has controls of the same names.
template <typename T> T *mainControl(Form1 &form, const QString &name)
{
    return form.centralWidget()->findChild<T *>(name);
}

inline QMainWindow *sizeWindow(Form1 &form)
{
    return form.findChild<QMainWindow *>(QStringLiteral("frmBarSize"), Qt::FindDirectChildrenOnly);
}

template <typename T> T *sizeControl(Form1 &form, const QString &name)
{
    return sizeWindow(form)->findChild<T *>(name);
}

inline void retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

inline void typeSize(Form1 &form, const QString &unitOption, const QString &width, const QString &height)
{
    sizeControl<QRadioButton>(form, unitOption)->click();
    retype(sizeControl<QLineEdit>(form, QStringLiteral("txtBSWidth")), width);
    retype(sizeControl<QLineEdit>(form, QStringLiteral("txtBSHeight")), height);
}

inline void chooseDpi(Form1 &form, const QString &dpi)
{
    const bool fixed = dpi == QStringLiteral("72") || dpi == QStringLiteral("96");
    sizeControl<QRadioButton>(form, fixed ? QStringLiteral("opt") + dpi + QStringLiteral("dpi")
                                          : QStringLiteral("optUserdpiW"))
        ->click();
    if (fixed)
        return;
    auto *box = sizeControl<QLineEdit>(form, QStringLiteral("Text1"));
    retype(box, dpi);
    emit box->editingFinished();
}

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

inline QString decodedJoined(const QImage &image)
{
    return decodedText(image).remove(u'|');
}

} // namespace Kelbrix::Test
