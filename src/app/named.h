#pragma once

#include <QString>

namespace Kelbrix {

/// \a object with \a name as its Qt object name: controls and actions carry the name the
/// program's behaviour is written with, so tests and tools find them.
template <typename T> T *named(T *object, const QString &name)
{
    object->setObjectName(name);
    return object;
}

} // namespace Kelbrix
