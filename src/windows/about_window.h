#pragma once

#include <QDialog>

namespace Kelbrix {

/// The about window: what the program is, its edition and version.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(const QString &windowTitle, QWidget *parent = nullptr);
};

} // namespace Kelbrix
