#include "app/translation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTranslator>
#include <QVariant>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// A kept text is a dynamic property named after the property it sets, holding its context and
// source text.
constexpr char kPrefix[] = "kelbrix_tr:";

QTranslator *g_translator = nullptr;
Language g_language = Language::English;

QVariant keep(const char *context, const char *source)
{
    return QVariant::fromValue(QByteArrayList{QByteArray(context), QByteArray(source)});
}

QString translated(const QVariant &kept)
{
    const QByteArrayList parts = kept.value<QByteArrayList>();
    if (parts.size() != 2)
        return {};
    return QCoreApplication::translate(parts[0].constData(), parts[1].constData());
}

void retranslateObject(QObject *object)
{
    for (const QByteArray &name : object->dynamicPropertyNames()) {
        if (name.startsWith(kPrefix))
            object->setProperty(name.mid(qsizetype(sizeof kPrefix) - 1).constData(),
                                translated(object->property(name.constData())));
    }
}

} // namespace

void setTranslated(QObject *object, const char *property, const char *context, const char *source)
{
    object->setProperty((QByteArray(kPrefix) + property).constData(), keep(context, source));
    object->setProperty(property, QCoreApplication::translate(context, source));
}

void retranslateWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        retranslateObject(window);
        // Actions, menus and controls are all children of their window.
        for (QObject *child : window->findChildren<QObject *>())
            retranslateObject(child);
    }
}

bool switchLanguage(Language language)
{
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator);
        delete g_translator;
        g_translator = nullptr;
    }
    g_language = Language::English;
    bool loaded = true;
    if (language == Language::Swedish) {
        auto translator = std::make_unique<QTranslator>();
        loaded = translator->load(u":/i18n/kelbrix_sv.qm"_s);
        if (loaded) {
            g_translator = translator.release();
            QCoreApplication::installTranslator(g_translator);
            g_language = Language::Swedish;
        }
    }
    retranslateWindows();
    // Qt posts the language change; delivered now, every window has its texts in the new
    // language when the switch returns.
    if (QCoreApplication::instance()) {
        QEvent change(QEvent::LanguageChange);
        for (QWidget *window : QApplication::topLevelWidgets())
            QCoreApplication::sendEvent(window, &change);
        QCoreApplication::removePostedEvents(nullptr, QEvent::LanguageChange);
    }
    return loaded;
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
