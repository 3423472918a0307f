#pragma once

#include "barcode/edition.h"
#include "export/batch_stop.h"
#include "list/list_record.h"
#include "settings/language.h"
#include "settings/settings_store.h"

#include <QMainWindow>

class QProgressBar;
class QStatusBar;

namespace Kelbrix {

class BarcodeList;
class BatchRunner;
class EntryPanel;
class ExportLock;
class HintPanel;
class ImageListPanel;
class LabelPanel;
class ListPanel;
class MainMenu;
class ParameterWindows;
class SaveAsCommands;
class TypeOptions;
class frmFind;
class frmTiff;

/// The main window: the barcode entry with its type and supplement options, the label, the
/// barcode list and the image list, each a panel of its own that owns its controls and state;
/// the window holds the panels, the status bar, the settings and the commands' enabled state.
///
/// Controls keep the names the program's behaviour is written with as their Qt object names,
/// so that tests and tools find them.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Edition edition = buildEdition(), QWidget *parent = nullptr);
    ~Form1() override;

    // --- The panels, for each other ------------------------------------------------------
    TypeOptions &options() const { return *m_options; }
    EntryPanel &entry() const { return *m_entry; }
    LabelPanel &label() const { return *m_label; }
    ListPanel &list() const { return *m_listPanel; }
    ImageListPanel &images() const { return *m_images; }
    BatchRunner &batch() const { return *m_batch; }
    MainMenu &menus() const { return *m_menus; }
    HintPanel &hints() const { return *m_hints; }
    ExportLock &exportLock() const { return *m_exportLock; }
    QProgressBar *progressBar() const { return ProgressBar1; }
    /// The size and TIFF Parameters windows; null while the window is being made.
    ParameterWindows *parameterWindows() const { return m_windows; }

    // --- The program-wide values, read-only from outside the window ----------------------
    const QString &typeCode() const;
    Edition currentEdition() const { return edition; }
    bool isBarcodeMade() const { return barcodeMade != 0; }
    /// A barcode was made or a list record loaded (true), or its label moved on (false).
    void setBarcodeMade(bool made) { barcodeMade = made ? 1 : 0; }

    /// Uses \a bits as the display's colour depth for the TIFF branch of Save As; 0 (the
    /// default) reads the screen's own depth.
    void setDisplayDepth(int bits);
    /// True while a TIFF export runs.
    bool isExportRunning() const;

    /// The text of the status bar's hint panel, and setting it.
    QString statusText() const;
    void setHint(const QString &text);

    /// Switches every window to \a language at once ("English", "Svenska"); what is typed, the
    /// list and the label stay.
    void switchLanguage(Language language);
    /// Keeps the language spoken now as the one the next start uses ("Spara/Save").
    void saveLanguage();

    /// The barcode list's records, their number, and the records in record order.
    int listCount() const;
    QList<ListRecord> listRecords() const;
    /// Loads the list file, image list or older list at \a path as "&Load" does once its file
    /// dialog has answered: a wrong extension or an unreadable file is reported to the user,
    /// and the records read before a fault stay in the list.
    void loadListFile(const QString &path);

    /// Reads the settings into the windows (start-up).
    void LoadSettings();
    /// Writes the state of the windows into the settings (exit). False when they could not
    /// be written.
    bool SaveSettings();
    /// The TIFF Parameters window, made on first use.
    frmTiff *tiffWindow();
    /// Closes every other window of the program.
    void UnloadAllForms(const QString &except = QString());
    /// Enables the File and Edit menu commands and ">>" from the current state
    /// (command_rules.h); called after every change of it.
    void refreshCommands();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayout();
    void buildFindWindow();
    void startUp();
    /// The texts built from the window's state, in the language of the moment.
    void retranslateState();

    Edition edition;
    SettingsStore m_settings;
    qint16 languageFlag = 1; ///< 1 English, 2 Swedish: set by "English" and "Svenska"
    qint16 barcodeMade = 0;  ///< 1 once a barcode was made or a list record loaded
    bool m_closing = false;
    ExportLock *m_exportLock = nullptr; ///< what a running export locks
    TypeOptions *m_options = nullptr;
    EntryPanel *m_entry = nullptr;
    LabelPanel *m_label = nullptr;
    ListPanel *m_listPanel = nullptr;
    ImageListPanel *m_images = nullptr;
    BatchRunner *m_batch = nullptr;
    SaveAsCommands *m_saveAs = nullptr;
    MainMenu *m_menus = nullptr;
    QStatusBar *StatBar1 = nullptr;
    HintPanel *m_hints = nullptr;
    QProgressBar *ProgressBar1 = nullptr; ///< progress of long work, shown in the status bar while it runs
    frmFind *m_find = nullptr;
    /// The size and TIFF Parameters windows: the defined size, the look every renderer shares,
    /// the TIFF parameters and the colour mode.
    ParameterWindows *m_windows = nullptr;
};

/// Gives the controls of \a form their status-bar hints in \a hints.
void installMainWindowHints(Form1 &form, HintPanel &hints);

} // namespace Kelbrix
