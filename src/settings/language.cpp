#include "settings/language.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QTranslator *g_translator = nullptr;
Language g_language = Language::English;

} // namespace

bool installLanguage(Language language)
{
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator);
        delete g_translator;
        g_translator = nullptr;
    }
    g_language = Language::English;
    if (language != Language::Swedish)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(u":/i18n/kelbrix_sv.qm"_s))
        return false;
    g_translator = translator.release();
    QCoreApplication::installTranslator(g_translator);
    g_language = Language::Swedish;
    return true;
}

Language currentLanguage()
{
    return g_language;
}

Language languageFromSetting(const QString &stored)
{
    return stored == u"2"_s ? Language::Swedish : Language::English;
}

} // namespace Kelbrix
