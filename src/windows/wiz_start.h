#pragma once

#include <QWidget>

class QPushButton;

namespace Kelbrix {

/// The start wizard: a short guide to making a first barcode. Not modal; its button hides it.
class WizStart : public QWidget {
    Q_OBJECT
public:
    static WizStart *instance();
    QPushButton *Command1 = nullptr;

private:
    WizStart();
};

} // namespace Kelbrix
