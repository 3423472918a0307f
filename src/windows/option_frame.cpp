#include "windows/option_frame.h"
#include "widgets/translation.h"

#include "widgets/named.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Kelbrix {

QGroupBox *optionFrame(const QString &name, const char *context, const char *caption, QWidget *parent,
                       std::initializer_list<QRadioButton *> options)
{
    auto *frame = named(translated(new QGroupBox(parent), "title", context, caption), name);
    auto *layout = new QVBoxLayout(frame);
    auto *group = new QButtonGroup(frame);
    for (QRadioButton *option : options) {
        option->setParent(frame);
        group->addButton(option);
        layout->addWidget(option);
    }
    return frame;
}

} // namespace Kelbrix
