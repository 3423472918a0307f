#pragma once

#include "barcode/edition.h"
#include "barcode/type_catalogue.h"

#include <QHash>
#include <QMainWindow>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace Kelbrix {

/// The main window: the barcode entry with its type and supplement options, the entry
/// boxes, and the commands that make the barcode.
///
/// Controls keep the names the program's behaviour is written with, as member names and as
/// Qt object names, so that tests and tools find them. The program-wide values of the
/// barcode entry (TypeCode, EntryLength, ...) are public members for the same reason.
class Form1 : public QMainWindow {
    Q_OBJECT
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
    QPushButton *Command1 = nullptr; ///< "&Make Code"
    QPushButton *Command2 = nullptr; ///< "&Clear"
    QPushButton *Command4 = nullptr; ///< "&Add to List"
    QStatusBar *StatBar1 = nullptr;
    QFrame *pictureArea = nullptr; ///< where the barcode label is shown
    QFrame *listArea = nullptr;    ///< where the barcode list is shown

    // Program-wide values of the barcode entry.
    QString TypeCode;            ///< the selected type and supplement, 4 characters
    qint16 EntryLength = 12;     ///< characters required in TxtStreck; -1 for any length
    qint16 SupplementLength = 0; ///< digits required in txtSup
    QString TypeName;            ///< display name of the selected type, used in the caption
    QString WindowTitle;         ///< the edition title every caption starts with
    Edition edition;
    bool TypeFromList = false;   ///< the barcode list has the focus: the type comes from it
    qint16 ListItemInWork = 0;   ///< 1-based record a batch is working on; 0 when none
    bool productLineOn = true;   ///< "&Text" selected

    /// What the ISBN conversion last handed to the renderers.
    struct SymbolHandOver {
        int symbology = -1;
        QString data;
        QString supplement;
        QString header; ///< the human-readable "ISBN ..." line placed above the symbol
    };
    SymbolHandOver isbnHandOver;

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
    /// Turns the ISBN entry into EAN-13 data for the renderers (isbnHandOver); false when the
    /// entry was refused.
    bool IsbnToEan();

    /// The text of the status bar's hint panel.
    QString statusText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QWidget *buildOptionsPanel();
    QWidget *buildEntryPanel();
    void connectHandlers();
    void installHints();
    void startUp();

    // Option handlers.
    void onTypeOption(Symbology symbology);
    void onIsbnOption();
    void onScc14Option();
    void onCode39Option();
    void onSupplementOption(int digits);
    void onProductLineOption(bool on);
    QString supplementSuffix() const;
    int selectedSupplement() const;
    void setCaption(const QString &separator, const QString &suffix);

    // Entry handlers.
    void onBarcodeChanged();
    void onSupplementChanged();
    void onCopiesChanged();
    void updateCommandsEnabled();
    bool filterKeyPress(QLineEdit *box, QKeyEvent *event);
    void makeCodeDefault(bool on);

    // Commands.
    void onMakeCode();
    void onClear();

    void setHint(const QString &text);
    QString startUpTypeName() const;
    QString typeCodeFromList() const;

    QHash<QObject *, QString> m_hints;
    QLabel *m_hintPanel = nullptr;
    QString m_lastIsbnJudged;    ///< the ISBN entry the check last judged, so it judges each entry once
    bool m_isbnMessageShown = false; ///< the ISBN refusal was shown for the current "&Make Code"
    bool m_inBarcodeChange = false;
};

} // namespace Kelbrix
