#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QToolBar;

namespace Kelbrix {

class Form1;

/// The menus, pop-up menus and toolbar of the main window. Each action's object name is its
/// menu name, by which the window's panels find the commands they carry out; the commands that
/// are the menus' own ("New", "&Exit", "Remove Barcode Digits", language, help, the start
/// wizard, the about window) are handled here.
class MainMenu : public QObject {
    Q_OBJECT
public:
    /// Builds the menus and the toolbar of \a form and connects the menus' own commands.
    explicit MainMenu(Form1 &form);

    /// The action called \a name ("mnuAs", "Toolbar1_TIF", the menu action of "mnuSave"...);
    /// the program ends when there is none, which is a mistake in the program itself.
    QAction *action(const QString &name) const;
    /// The menu called \a name ("mnuFile", "mnuCopyit"...), likewise.
    QMenu *menu(const QString &name) const;
    QToolBar *toolbar() const { return m_toolbar; }

    /// "Remove Barcode Digits": Yes when \a remove, else No; the renderers follow.
    void removeDigits(bool remove);
    /// Whether "Remove Barcode Digits" is Yes.
    bool digitsRemoved() const;
    /// The help and about items, which name the window's title.
    void retranslate(const QString &windowTitle);

private:
    QAction *addAction(QMenu *menu, const QString &name, const char *caption);
    QMenu *addMenu(QWidget *parent, const QString &name, const char *caption);
    void buildFileMenu();
    void buildEditMenu();
    void buildOtherMenus();
    void buildToolbar();
    void connectOwnCommands();
    void newList();
    void quit();
    void showWizard();
    void showAbout();
    /// File, "Logistic Label": the pallet labels, with the code the window shows for their content.
    void showLogisticLabel();

    Form1 &m_form;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QToolBar *m_toolbar = nullptr;
};

} // namespace Kelbrix
