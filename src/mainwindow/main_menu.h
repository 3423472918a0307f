#pragma once

namespace Kelbrix {

class Form1;

/// The menus, pop-up menus and toolbar of the main window. Each action's object name is its
/// menu name; the commands that are the menus' own ("New", "&Exit", "Remove Barcode Digits",
/// help, the start wizard, the about window) are handled here, the others by the window.
class MainMenu {
public:
    /// Builds the menus and the toolbar of \a form and connects the menus' own commands.
    static void build(Form1 &form);
    /// "Remove Barcode Digits": Yes when \a remove, else No; the renderers follow.
    static void removeDigits(Form1 &form, bool remove);

private:
    static void buildToolbar(Form1 &form);
    static void newList(Form1 &form);
    static void quit(Form1 &form);
    static void showWizard(Form1 &form);
    static void showAbout(Form1 &form);
};

} // namespace Kelbrix
