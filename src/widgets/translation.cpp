#include "widgets/translation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QVariant>
#include <QWidget>

namespace Kelbrix {

namespace {

// A kept text is a dynamic property named after the property it sets, holding its context and
// source text.
constexpr char kPrefix[] = "kelbrix_tr:";

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
    const bool loaded = installLanguage(language);
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

} // namespace Kelbrix
