#pragma once

class QWidget;

namespace Kelbrix {

class Form1;

/// Makes the controls of the main window, each with its given name as member and object name,
/// and lays them out; the containers a running export locks go to the window's export lock.
class MainWindowLayout {
public:
    static void build(Form1 &form);

private:
    static void buildPictures(Form1 &form);
    static QWidget *buildOptionsPanel(Form1 &form);
    static QWidget *buildEntryPanel(Form1 &form);
};

} // namespace Kelbrix
