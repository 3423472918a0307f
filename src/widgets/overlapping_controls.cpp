#include "widgets/overlapping_controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QString text(const QRect &r)
{
    return QString::number(r.x()) + u","_s + QString::number(r.y()) + u" "_s + QString::number(r.width()) + u"x"_s +
           QString::number(r.height());
}

// The widgets a user reads or clicks: what must not lie over one another.
bool isControl(const QWidget *widget)
{
    if (qobject_cast<const QLabel *>(widget))
        return !static_cast<const QLabel *>(widget)->text().isEmpty();
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QAbstractItemView *>(widget) || qobject_cast<const QTextEdit *>(widget) ||
           qobject_cast<const QGroupBox *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget) || widget->inherits("Kelbrix::LabelPicture");
}

QString nameOf(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

} // namespace

QStringList overlappingControls(const QWidget *window)
{
    QStringList found;
    QList<const QWidget *> controls;
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->isWindow() || !widget->isVisibleTo(window) || widget->size().isEmpty() || !isControl(widget))
            continue;
        controls.append(widget);
    }
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QWidget *a = controls[i];
            const QWidget *b = controls[j];
            if (a->parentWidget() == b->parentWidget() && a->geometry().intersects(b->geometry()))
                found.append(nameOf(a) + u" ("_s + text(a->geometry()) + u") over "_s + nameOf(b) + u" ("_s +
                             text(b->geometry()) + u")"_s);
        }
    }
    return found;
}

} // namespace Kelbrix
