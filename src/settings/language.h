#pragma once

#include <QString>

namespace Kelbrix {

/// The languages the program speaks, by the number the language flag holds.
enum class Language : qint16 { English = 1, Swedish = 2 };

/// Makes \a language the one the program's texts are translated into from now on: installs its
/// translator (the translations are built into the program's resources) or, for English, the
/// source language, removes the one installed. Texts already shown stay as they are. False (and
/// English stays) when the translation cannot be loaded.
bool installLanguage(Language language);

/// The language the program speaks now.
Language currentLanguage();

/// The language a stored "Language" value names: "2" is Swedish, anything else English.
Language languageFromSetting(const QString &stored);

} // namespace Kelbrix
