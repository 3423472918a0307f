#pragma once

#include "settings/language.h"

#include <QByteArray>

class QObject;

namespace Kelbrix {

/// Sets \a property of \a object (a widget's "text", "title", "windowTitle", "toolTip",
/// "statusTip", "placeholderText", an action's "text" ...) to the translation of \a source in
/// \a context, and keeps both on the object, so a language switch sets the property again in
/// the new language. \a source is a QT_TRANSLATE_NOOP text; it stays the English text.
void setTranslated(QObject *object, const char *property, const char *context, const char *source);

/// \a object with a kept text, as setTranslated() sets it; for controls made in one expression.
template <typename T> T *translated(T *object, const char *property, const char *context, const char *source)
{
    setTranslated(object, property, context, source);
    return object;
}

/// Sets every text that setTranslated() keeps, on every window of the program and everything
/// in them, again in the current language.
void retranslateWindows();

/// Switches the program to \a language at once: installs its translator (installLanguage), sets
/// every kept text again and delivers the language change to every window before it returns, so
/// the windows rebuild the texts that depend on their state. False (and English stays) when the
/// translation cannot be loaded.
bool switchLanguage(Language language);

} // namespace Kelbrix
