#pragma once

#include <QAction>
#include <QFormLayout>
#include <QLabel>
#include <QString>

namespace Kelbrix {

/// \a object with \a name as its Qt object name: controls and actions carry the name the
/// program's behaviour is written with, so tests and tools find them.
template <typename T> T *named(T *object, const QString &name)
{
    object->setObjectName(name);
    return object;
}

/// Adds \a field to \a form under a label reading \a caption, whose mnemonic moves the focus
/// to the field.
inline void addLabelledRow(QFormLayout *form, QWidget *parent, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(field);
    form->addRow(label, field);
}

/// Puts \a action into \a widget (a menu or a toolbar) right after \a after; at the end when
/// \a after is the last or not there.
inline void insertActionAfter(QWidget *widget, QAction *after, QAction *action)
{
    const QList<QAction *> actions = widget->actions();
    const qsizetype at = actions.indexOf(after);
    widget->insertAction(at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr, action);
}

/// Makes \a follower enabled exactly when \a leader is.
inline void followEnabled(QAction *leader, QAction *follower)
{
    follower->setEnabled(leader->isEnabled());
    QObject::connect(leader, &QAction::enabledChanged, follower, &QAction::setEnabled);
}

} // namespace Kelbrix
