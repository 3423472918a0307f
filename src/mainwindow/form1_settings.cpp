// Reading the user's settings into the main window at start-up and writing them back at exit.
#include "mainwindow/form1.h"

#include "mainwindow/main_menu.h"
#include "mainwindow/parameter_windows.h"
#include "windows/frm_find.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The type options by the names they are stored under.
struct StoredOption {
    const char16_t *stored;
    QRadioButton *Form1::*option;
};

constexpr StoredOption kTypeOptions[] = {
    {u"Ean8", &Form1::optEAN8}, {u"Ean13", &Form1::optEAN13}, {u"ISBN", &Form1::optISBN}, {u"SC14", &Form1::optSCC14},
    {u"UpcA", &Form1::optUPCA}, {u"UpEP", &Form1::optUpcEP},  {u"UpcE", &Form1::optUPCE}, {u"Co39", &Form1::optCode39},
};

constexpr StoredOption kSupplementOptions[] = {
    {u"Chk0", &Form1::optNosup},
    {u"Chk2", &Form1::chk2digit},
    {u"Chk5", &Form1::chk5digit},
};

} // namespace

void Form1::LoadSettings()
{
    // A settings file that is not read (too large, no regular file, unreadable) leaves every
    // value missing, so the defaults apply; the status bar says why.
    if (m_settings.load() != SettingsStore::LoadOutcome::Read && !m_settings.loadProblem().isEmpty())
        setHint(m_settings.loadProblem());

    const QString listCode = m_settings.value(u"Listkod"_s);
    if (listCode.isEmpty()) {
        TypeCode = u"E130"_s;
        EntryLength = 12;
    } else if (const TypeInfo *type = findType(listCode)) {
        TypeCode = type->code;
        EntryLength = qint16(type->entryLength);
    }

    // An option of a type the edition does not offer is never selected: it stays hidden and
    // the edition's own choice applies.
    const QString typeOption = m_settings.value(u"F1Bar"_s);
    if (typeOption.isEmpty()) {
        optEAN13->setChecked(true);
    } else {
        for (const StoredOption &o : kTypeOptions) {
            if (typeOption == QString::fromUtf16(o.stored) &&
                !editionHiddenTypeOptions(edition).contains((this->*o.option)->objectName()))
                (this->*o.option)->setChecked(true);
        }
    }

    const QString supplement = m_settings.value(u"F1Dig"_s);
    if (supplement.isEmpty()) {
        optNosup->setChecked(true);
    } else {
        for (const StoredOption &o : kSupplementOptions) {
            if (supplement == QString::fromUtf16(o.stored) && (this->*o.option)->isEnabled())
                (this->*o.option)->setChecked(true);
        }
    }
    m_startUpSuffix = supplement == u"Chk2"_s   ? QT_TRANSLATE_NOOP("Form1", " - 2 Digits")
                      : supplement == u"Chk5"_s ? QT_TRANSLATE_NOOP("Form1", " - 5 Digits")
                                                : " ";

    const QString productLine = m_settings.value(u"fBtxt"_s);
    if (productLine.isEmpty() || productLine == u"Y"_s)
        Option1->setChecked(true);
    else if (productLine == u"N"_s)
        Option2->setChecked(true);

    for (int column = 0; column < 5; ++column) {
        bool ok = false;
        const int width = m_settings.value(u"ClmnH"_s + QString::number(column + 1)).toInt(&ok);
        // Widths from 0 to a screen's breadth in twips (about 10 inches times 20) are taken.
        columnWidths[size_t(column)] = ok && width >= 0 && width <= 288000 ? width : 903;
    }

    m_find->applyFindSetting(m_settings.value(u"Find"_s));

    const QString removeDigits = m_settings.value(u"RemoveDigit"_s);
    if (removeDigits == u"Y"_s)
        MainMenu::removeDigits(*this, true);
    else if (removeDigits.isEmpty() || removeDigits == u"N"_s)
        MainMenu::removeDigits(*this, false);
    m_windows->loadSettings(m_settings);

    // The language saved with "Spara/Save"; English without one, whatever the system's.
    switchLanguage(languageFromSetting(m_settings.value(u"Language"_s)));
}

void Form1::switchLanguage(Language language)
{
    Kelbrix::switchLanguage(language);
    languageFlag = qint16(currentLanguage());
}

void Form1::saveLanguage()
{
    // Saved at once, not only at exit: the user asked for it.
    const QString stored = QString::number(languageFlag);
    m_settings.setValue(u"Language"_s, stored);
    if (!WriteRegistryValue(edition, u"Language"_s, stored))
        setHint(QCoreApplication::translate("Form1", "The language could not be saved."));
}

bool Form1::SaveSettings()
{
    QString listCode = typeCodeOfOptions();
    if (listCode.isEmpty())
        listCode = TypeCode.isEmpty() ? u"E130"_s : QString();
    m_settings.setValue(u"Listkod"_s, listCode);

    for (const StoredOption &o : kTypeOptions) {
        if ((this->*o.option)->isChecked())
            m_settings.setValue(u"F1Bar"_s, QString::fromUtf16(o.stored));
    }
    for (const StoredOption &o : kSupplementOptions) {
        if ((this->*o.option)->isChecked())
            m_settings.setValue(u"F1Dig"_s, QString::fromUtf16(o.stored));
    }
    m_settings.setValue(u"fBtxt"_s, Option1->isChecked() ? u"Y"_s : u"N"_s);
    for (int column = 0; column < 5; ++column)
        m_settings.setValue(u"ClmnH"_s + QString::number(column + 1), QString::number(currentColumnWidth(column)));
    m_settings.setValue(u"Find"_s, m_find->findSetting());
    m_settings.setValue(u"RemoveDigit"_s, mnuRBDY->isChecked() ? u"Y"_s : u"N"_s);
    m_windows->saveSettings(m_settings);
    return m_settings.save();
}

} // namespace Kelbrix
