#pragma once

#include <QString>

#include <initializer_list>

class QGroupBox;
class QRadioButton;
class QWidget;

namespace Kelbrix {

/// A group box in \a parent named \a name, titled \a caption (a QT_TRANSLATE_NOOP text of
/// \a context, kept for a language switch), holding \a options one under the other. The options
/// become the box's children and form one exclusive group of their own.
QGroupBox *optionFrame(const QString &name, const char *context, const char *caption, QWidget *parent,
                       std::initializer_list<QRadioButton *> options);

} // namespace Kelbrix
