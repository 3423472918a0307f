// Reading the user's settings into the main window at start-up and writing them back at exit.
#include "mainwindow/form1.h"

#include "mainwindow/entry_panel.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/type_options.h"
#include "widgets/translation.h"
#include "windows/frm_find.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::LoadSettings()
{
    // A settings file that is not read (too large, no regular file, unreadable) leaves every
    // value missing, so the defaults apply; the status bar says why.
    if (m_settings.load() != SettingsStore::LoadOutcome::Read && !m_settings.loadProblem().isEmpty())
        setHint(m_settings.loadProblem());

    m_entry->loadSettings(m_settings);
    m_options->loadSettings(m_settings, edition);
    m_listPanel->loadSettings(m_settings);
    m_find->applyFindSetting(m_settings.value(u"Find"_s));

    const QString removeDigits = m_settings.value(u"RemoveDigit"_s);
    if (removeDigits == u"Y"_s)
        m_menus->removeDigits(true);
    else if (removeDigits.isEmpty() || removeDigits == u"N"_s)
        m_menus->removeDigits(false);
    m_windows->loadSettings(m_settings);
    m_label->loadSettings(m_settings);

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
    m_entry->saveSettings(m_settings);
    m_options->saveSettings(m_settings);
    m_listPanel->saveSettings(m_settings);
    m_settings.setValue(u"Find"_s, m_find->findSetting());
    m_settings.setValue(u"RemoveDigit"_s, m_menus->digitsRemoved() ? u"Y"_s : u"N"_s);
    m_windows->saveSettings(m_settings);
    m_label->saveSettings(m_settings);
    return m_settings.save();
}

} // namespace Kelbrix
