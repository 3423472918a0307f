#pragma once

#include "widgets/translation.h"
#include "artwork/artwork.h"
#include "artwork/artwork_writers.h"
#include "barcode/edition.h"
#include "barcode/type_catalogue.h"
#include "export/batch_stop.h"
#include "list/barcode_list.h"
#include "list/list_files.h"
#include "list/list_sort_toggles.h"
#include "render/barcode_renderer.h"
#include "label/label_layout.h"
#include "settings/settings_store.h"

#include <QHash>
#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QMenu;
class QToolBar;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QProgressBar;
class QTreeView;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace Kelbrix {

class ExportLock;
class HintPanel;
class ImageListEdit;
class LabelPicture;
class ParameterWindows;
class VerifyPanel;
class frmFind;
class frmTiff;
struct ViewUpdatePlan;
struct ViewUpdateState;
struct LabelData;

/// The main window: the barcode entry with its type and supplement options, the entry
/// boxes, and the commands that make the barcode.
///
/// Controls keep the names the program's behaviour is written with, as member names and as
/// Qt object names, so that tests and tools find them. The program-wide values of the
/// barcode entry (TypeCode, EntryLength, ...) are public members for the same reason.
class Form1 : public QMainWindow {
    Q_OBJECT
    friend class Form1TiffSource;
    friend class ParameterWindows;
    friend class MainMenu;
    friend class MainWindowLayout;
    friend class TypeOptions;
    friend class ImageListCommands;

public:
    explicit Form1(Edition edition = buildEdition(), QWidget *parent = nullptr);
    ~Form1() override;

    // Type options, in the "Barcode" frame.
    QGroupBox *Frame1 = nullptr;
    QRadioButton *optEAN13 = nullptr;
    QRadioButton *optEAN8 = nullptr;
    QRadioButton *optUPCA = nullptr;
    QRadioButton *optUPCE = nullptr;
    QRadioButton *optUpcEP = nullptr;
    QRadioButton *optISBN = nullptr;
    QRadioButton *optSCC14 = nullptr;
    QRadioButton *optCode39 = nullptr;
    // Supplement options, one exclusive group in the "Digit Supplementals" frame.
    QGroupBox *Frame2 = nullptr;
    QRadioButton *optNosup = nullptr;
    QRadioButton *chk2digit = nullptr;
    QRadioButton *chk5digit = nullptr;
    // Product line on ("&Text") or off ("&Blank").
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QCheckBox *chkModulus43 = nullptr;
    // The entry.
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *TxtStreck = nullptr;
    QLineEdit *txtSup = nullptr;
    QLineEdit *txtProduct = nullptr;
    QLineEdit *txtFree = nullptr;
    QLineEdit *txtCopies = nullptr;
    QPushButton *Command1 = nullptr;  ///< "&Make Code"
    QPushButton *Command2 = nullptr;  ///< "&Clear"
    QPushButton *Command4 = nullptr;  ///< "&Add to List"
    QPushButton *cmdCancel = nullptr; ///< "Cancel": asks a running batch to stop
    QStatusBar *StatBar1 = nullptr;
    /// The verdict of reading the main label back, beside the hint panel.
    QLabel *lblVerify = nullptr;
    QProgressBar *ProgressBar1 = nullptr; ///< progress of long work, shown in the status bar while it runs
    QToolBar *Toolbar1 = nullptr;

    // Menus. Each action's object name is its menu name.
    QMenu *mnuFile = nullptr;
    QAction *mnuLoad = nullptr;
    QMenu *mnuSave = nullptr;
    QAction *mnuSBMP = nullptr;
    QAction *mnuSBAR = nullptr;
    QAction *mnuAs = nullptr;
    QAction *mnuPbarcode = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuFind = nullptr;
    QAction *mnuCLList = nullptr;
    QAction *mnuRItem = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuClearBar = nullptr;
    QMenu *mnuRBD = nullptr;
    QAction *mnuRBDY = nullptr;
    QAction *mnuRBDN = nullptr;
    QAction *mnuTiff = nullptr;
    QAction *mnuBarSize = nullptr;
    QMenu *mnulange = nullptr;
    QAction *mnuEnglish = nullptr;
    QAction *mnuSvenska = nullptr;
    QAction *mnuLsave = nullptr;
    QMenu *mnuInfo = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuHome = nullptr;
    QAction *mnuAbout = nullptr;
    QMenu *mnuWiz = nullptr;
    QAction *mnuWizStart = nullptr;
    QMenu *mnuCopyit = nullptr;
    QAction *mnuCopy2 = nullptr;
    QMenu *mnuIMGPaste = nullptr;
    QAction *mnuPasteIMG = nullptr;
    QFrame *pictureArea = nullptr; ///< where the barcode label is shown
    // The label pictures: main label, bare symbol, defined-size label and its bare symbol,
    // the product-line strip and the spacer that separates labels in the image list.
    LabelPicture *picTST = nullptr;
    LabelPicture *Pstrk = nullptr;
    LabelPicture *picTST1 = nullptr;
    LabelPicture *picBarcode1 = nullptr;
    LabelPicture *PicTXT = nullptr;
    LabelPicture *picMellan = nullptr;
    QCheckBox *chkDefined = nullptr;  ///< "&Use Defined Barcode"
    QPushButton *cmdToRTF1 = nullptr; ///< ">>": moves the label to the image list
    ImageListEdit *RTF1 = nullptr;    ///< the barcode image list
    // The two renderers of the main window: the main symbol and its defined-size twin.
    BarcodeRenderer Barcode1;
    BarcodeRenderer Barcode1x;
    QFrame *listArea = nullptr;     ///< where the barcode list is shown
    QTreeView *ListView3 = nullptr; ///< the barcode list: Product, Barcode, Digit Sup., Text, Type
    QListView *List1 = nullptr;     ///< product list: products of the records added or loaded
    QListView *List2 = nullptr;     ///< barcode index: their barcodes (not shown)

    /// The program-wide values, read-only from outside the window.
    const QString &typeCode() const { return TypeCode; }
    qint16 entryLength() const { return EntryLength; }
    qint16 supplementLength() const { return SupplementLength; }
    Edition currentEdition() const { return edition; }
    bool isBarcodeMade() const { return barcodeMade != 0; }
    BatchStop batchStopRequest() const { return BatchStopRequest; }
    /// The current list file name: empty until a list file is loaded or saved.
    const QString &listFileName() const { return currentListFile; }

    /// Uses \a width x \a height twips as the defined size of the symbol (0 for none), as the
    /// size window hands it over.
    void setDefinedSize(double width, double height);
    /// A batch starts: "Cancel" and Escape now ask it to stop.
    void startBatch();
    /// Uses \a bits as the display's colour depth for the TIFF branch of Save As; 0 (the
    /// default) reads the screen's own depth.
    void setDisplayDepth(int bits) { m_displayDepth = bits; }
    /// True while a TIFF export runs.
    bool isExportRunning() const { return m_exportRunning; }

    /// Sets EntryLength, SupplementLength, the supplement box, the Code 39 check box and
    /// the enabled state of "&Make Code" and "&Add to List" from the current TypeCode.
    void ApplyBarcodeType();
    /// Recomputes the TypeCode from the option buttons (first step of "&Make Code"); for
    /// Code 39 it appends the check character when asked to.
    void TypeCodeFromOptions();
    /// The TypeCode the selected option buttons stand for, or an empty text when no pair of
    /// type and supplement option holds.
    QString typeCodeOfOptions() const;
    /// Appends the Code 39 modulus 43 check character to the entry when chkModulus43 is checked.
    void Code39CheckCharacter();
    /// Checks a complete ISBN entry after a key was released (Qt key code \a key).
    void IsbnCheckOnKeyUp(int key);

    /// Brings the renderer and the main label in line with the TypeCode and the entry;
    /// runs the defined-size update too when "&Use Defined Barcode" is checked.
    void UpdateBarcodeView();
    /// The same for the defined-size renderer and label.
    void UpdateDefinedBarcodeView();

    /// The text of the status bar's hint panel.
    QString statusText() const;

    /// Switches every window to \a language at once ("English", "Svenska"); what is typed, the
    /// list and the label stay.
    void switchLanguage(Language language);
    /// Keeps the language spoken now as the one the next start uses ("Spara/Save").
    void saveLanguage();

    /// The barcode list: its records in record order, the product list and the barcode index.
    const BarcodeList &barcodeList() const { return *m_list; }
    /// Number of records in the barcode list.
    int listCount() const;
    /// Record \a number (1-based, record order) of the barcode list.
    ListRecord listRecord(int number) const;
    QList<ListRecord> listRecords() const;
    /// Numbers (1-based) of the records selected in the list view, in record order.
    QList<int> selectedRecordNumbers() const;

    /// Loads the list file, image list or older list at \a path as "&Load" does once its file
    /// dialog has answered: a wrong extension or an unreadable file is reported to the user,
    /// and the records read before a fault stay in the list.
    void loadListFile(const QString &path);

    /// Moves the current label into the barcode image list once, followed by the spacer (the
    /// find window's move button).
    void MoveLabelToImageList();

    /// Reads the settings into the windows (start-up).
    void LoadSettings();
    /// Writes the state of the windows into the settings (exit). False when they could not
    /// be written.
    bool SaveSettings();
    /// Width of barcode list column \a column (0-based), in twips.
    int currentColumnWidth(int column) const;
    /// The TIFF Parameters window, made on first use.
    frmTiff *tiffWindow();
    /// Closes every other window of the program.
    void UnloadAllForms(const QString &except = QString());

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Program-wide values of the barcode entry.
    QString TypeCode;            ///< the selected type and supplement, 4 characters
    qint16 EntryLength = 12;     ///< characters required in TxtStreck; -1 for any length
    qint16 SupplementLength = 0; ///< digits required in txtSup
    QString TypeName;            ///< display name of the selected type, used in the caption
    QString WindowTitle;         ///< the edition title every caption starts with
    Edition edition;
    bool TypeFromList = false;                    ///< the barcode list has the focus: the type comes from it
    int ListItemInWork = 0;                       ///< 1-based record a batch is working on; 0 when none
    double DefinedWidth = 0;                      ///< width of the defined-size symbol, twips (0: none defined)
    double DefinedHeight = 0;                     ///< height of the defined-size symbol, twips
    qint16 barcodeMade = 0;                       ///< 1 once a barcode was made or a list record loaded
    QStringList m_madeLabelEntry;                 ///< labelEntry() when the main label was last made
    BatchStop BatchStopRequest = BatchStop::Idle; ///< Running while a batch runs; Asked once the user asked it to stop
    qint16 languageFlag = 1;                      ///< 1 English, 2 Swedish: set by "English" and "Svenska"
    /// Widths of the five barcode list columns, in twips.
    std::array<int, 5> columnWidths{903, 903, 903, 903, 903};
    /// The address "Goto HomePage" opens; the menu item is disabled while it is empty.
    QString homePage;

    /// The current list file name: empty until a list file is loaded or saved.
    QString currentListFile;
    /// The current bitmap file name (set by saving a bitmap or an image list).
    QString currentBitmapFile;

    void onCancel();
    void connectHandlers();
    void startUp();

    // Entry handlers.
    void onBarcodeChanged();
    void onSupplementChanged();
    void onCopiesChanged();
    void updateCommandsEnabled();
    bool filterKeyPress(QLineEdit *box, QKeyEvent *event);

    // View update and label composition.
    ViewUpdateState viewUpdateState() const;
    /// Carries out \a plan on \a renderer; true when the label is to be composed.
    bool applyPlan(BarcodeRenderer &renderer, const ViewUpdatePlan &plan);
    /// Tells the user once per "&Make Code" when the plan refused the ISBN entry; false then.
    bool IsbnToEan(const ViewUpdatePlan &plan);
    void selectOptionsOf(const TypeInfo &type);
    void rendererRefused(const BarcodeRenderer &renderer);
    void composeMain();
    void composeDefined();
    /// Paints \a label at \a dpi into \a labelPicture, its bare symbol into \a symbolPicture.
    void composeLabel(const LabelDescription &label, double dpi, LabelPicture *symbolPicture,
                      LabelPicture *labelPicture);
    /// The look the size window gives every label.
    LabelAppearance labelAppearance() const;
    /// "ISBN " and the entry for the ISBN types, else empty.
    QString isbnHeader() const;
    void onUseDefined();
    double labelDotsPerInch() const;

    // The barcode list.
    void buildList();
    void onAddToList();
    void loadRecord(const QModelIndex &index);
    /// Puts \a record into the entry, selects its options and draws it, as a click on it does.
    void showRecord(const ListRecord &record);
    int recordNumberOf(const QModelIndex &viewIndex) const;
    void copyRecordToEntry(const ListRecord &record);
    void onListKeyRelease();
    void onSortColumn(int column);
    void onRemoveItem();
    void onClearList();
    void onProductListClicked(const QModelIndex &index);
    void onLoad();
    void onSaveList();
    void refillEntryFromRecord();
    ListSortToggles m_sortToggles;
    BarcodeList *m_list = nullptr;
    BarcodeListSortProxy *m_sortProxy = nullptr;
    bool m_refilling = false;

    // The label and the barcode image list (form1_image_list.cpp, image_list_commands.h).
    LabelData currentLabel() const;
    /// The label shown as vector artwork, sized as the size window says (form1_save_as.cpp);
    /// nullopt with the reason in \a error when it cannot be made.
    std::optional<LabelLayout> labelArtwork(QString *error) const;
    void saveAsArtwork(const QString &path, ArtworkFormat format);
    /// The type, barcode and supplement of the entry, to tell whether the label still shows it.
    QStringList labelEntry() const;
    /// When the entry has changed since a label was made, says "Make the code first" and returns
    /// true: the label would go out under the entry's name and header with other bars.
    bool refuseStaleLabel();
    void onMoveToImageList();
    void pasteLabelIntoImageList();
    void AddSelectedToImageList();
    bool batchStopConfirmed();
    int copiesValue() const;
    /// The selected records of the barcode list in record order, each with its 1-based number.
    QList<std::pair<int, ListRecord>> selectedListRecords() const;
    void loadRecordForBatch(int number, const ListRecord &record);

    // Save As and bitmaps.
    void onSaveAs();
    void saveAsBitmap(const QString &path, const QList<std::pair<int, ListRecord>> &selected);
    void ExportSelectedAsBitmaps(QString path, const QList<std::pair<int, ListRecord>> &selected);
    bool saveLabelBitmap(const QString &path);
    void onSaveBitmap();
    // The TIFF branch of Save As (form1_tiff_export.cpp).
    void saveAsTiff(const QString &path, const QList<int> &selected);
    int displayDepth() const;
    ExportLock *m_exportLock = nullptr; ///< what a running export locks
    int m_displayDepth = 0;
    bool m_exportRunning = false;
    // The find window (form1_find.cpp).
    void buildFindWindow();
    frmFind *m_find = nullptr;

    // Commands.
    void onMakeCode();
    void onClear();
    /// Enables the File and Edit menu commands and ">>" from the current state
    /// (command_rules.h); called after every change of it.
    void refreshCommands();
    bool m_labelComposed = false; ///< a label has been drawn into picTST or picTST1

    void setHint(const QString &text);
    QString typeCodeFromList() const;

    SettingsStore m_settings;
    // The caption after the title and the type name: its separator and its suffix (a source
    // text of "Form1", nullptr for none), kept so a language switch builds it again.
    QString m_captionSeparator;
    const char *m_captionSuffix = nullptr;
    const char *m_startUpSuffix = " "; ///< the suffix of the saved supplement option
    void showCaption();
    /// The texts built from the window's state, in the language of the moment.
    void retranslateState();
    bool m_closing = false;
    HintPanel *m_hints = nullptr;
    VerifyPanel *m_verify = nullptr; ///< reads the main label back after each new label
    QString m_lastIsbnJudged;        ///< the ISBN entry the check last judged, so it judges each entry once
    bool m_isbnMessageShown = false; ///< the ISBN refusal was shown for the current "&Make Code"
    bool m_inBarcodeChange = false;
    bool m_refusalShown = false; ///< a refused entry was reported for the current "&Make Code"
    /// The size and TIFF Parameters windows: the defined size, the look every renderer shares,
    /// the TIFF parameters and the colour mode.
    ParameterWindows *m_windows = nullptr;
};

/// Gives the controls of \a form their status-bar hints in \a hints.
void installMainWindowHints(Form1 &form, HintPanel &hints);

} // namespace Kelbrix
