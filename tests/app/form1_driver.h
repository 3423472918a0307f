#pragma once

// Helpers for driving the main window the way a user does.

#include "app/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

namespace Kelbrix::Test {

/// Forgets the settings of every edition, so a window starts as on a first run.
inline void resetSettings()
{
    for (const char16_t *key : {u"Barcode", u"EAN", u"UPC"})
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorran"), QString::fromUtf16(key))
            .clear();
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

/// Pastes \a text into \a box through the clipboard, replacing what it holds.
inline void pasteInto(QLineEdit *box, const QString &text)
{
    QApplication::clipboard()->setText(text);
    box->setFocus();
    box->selectAll();
    box->paste();
}

} // namespace Kelbrix::Test
