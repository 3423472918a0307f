#pragma once

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

} // namespace Kelbrix
