#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace Kelbrix {

class Form1;
class SettingsStore;

/// The entry of the main window: the barcode, supplement, product, free text and copies boxes
/// with the rules that filter and clean what is typed, the ISBN and Code 39 checks, "&Make
/// Code", "&Add to List" and "&Clear", and the program-wide values of the entry (the TypeCode
/// and the lengths it asks for).
class EntryPanel : public QObject {
    Q_OBJECT
public:
    explicit EntryPanel(Form1 &form);

    /// Makes the boxes and buttons, named as the behaviour names them, in \a parent; returns
    /// their panel. The boxes and the entry's commands go to the window's export lock.
    QWidget *build(QWidget *parent);
    void connectHandlers();
    /// One copy of an EAN-13, before the settings are read.
    void startUp();
    /// The end of the start-up: both commands off until an entry is typed, the barcode box in
    /// focus.
    void readyForTyping();

    /// The selected type and supplement, 4 characters ("E130", "E80 ", "Co39"...).
    const QString &typeCode() const { return TypeCode; }
    void setTypeCode(const QString &code) { TypeCode = code; }
    /// Characters the barcode box needs; -1 for any length (Code 39).
    qint16 entryLength() const { return EntryLength; }
    /// Digits the supplement box needs.
    qint16 supplementLength() const { return SupplementLength; }

    /// Sets EntryLength, SupplementLength, the supplement box, the Code 39 check box and
    /// the enabled state of "&Make Code" and "&Add to List" from the current TypeCode.
    void ApplyBarcodeType();
    /// Recomputes the TypeCode from the option buttons (first step of "&Make Code"); for
    /// Code 39 it appends the check character when asked to.
    void TypeCodeFromOptions();
    /// Appends the Code 39 modulus 43 check character to the entry when chkModulus43 is checked.
    void Code39CheckCharacter();
    /// Checks a complete ISBN entry after a key was released (Qt key code \a key).
    void IsbnCheckOnKeyUp(int key);

    QString barcode() const;
    void setBarcode(const QString &text);
    QString supplement() const;
    void setSupplement(const QString &text);
    QString product() const;
    void setProduct(const QString &text);
    QString freeText() const;
    void setFreeText(const QString &text);
    /// The copies box as a number: its leading digits, at most 50; 0 when it starts with none.
    int copiesValue() const;

    /// The label of the barcode box, a QT_TRANSLATE_NOOP text of "Form1".
    void setBarcodeCaption(const char *source);
    /// "&Make Code" and "&Add to List" on or off together.
    void setCommandsEnabled(bool on);
    /// Whether Enter in a box presses "&Make Code".
    void setMakeCodeDefault(bool on);
    /// Shows the Code 39 check box only for Code 39, unchecked for the other types.
    void showModulus43ForType();
    void uncheckModulus43();

    /// The stored type ("Listkod"): the TypeCode and the entry length it gives.
    void loadSettings(const SettingsStore &settings);
    void saveSettings(SettingsStore &settings) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterKeyPress(QLineEdit *box, QKeyEvent *event);
    void onBarcodeChanged();
    void onSupplementChanged();
    void updateCommandsEnabled();
    void onCopiesChanged();
    void onClear();

    Form1 &m_form;
    QLabel *Label2 = nullptr; ///< the barcode box's label: "Barcode" or "ISBN Code"
    QLineEdit *TxtStreck = nullptr;
    QLineEdit *txtSup = nullptr;
    QLineEdit *txtProduct = nullptr;
    QLineEdit *txtFree = nullptr;
    QLineEdit *txtCopies = nullptr;
    QCheckBox *chkModulus43 = nullptr;
    QPushButton *Command1 = nullptr; ///< "&Make Code"
    QPushButton *Command2 = nullptr; ///< "&Clear"
    QPushButton *Command4 = nullptr; ///< "&Add to List"
    QString TypeCode;                ///< the selected type and supplement, 4 characters
    qint16 EntryLength = 12;         ///< characters required in TxtStreck; -1 for any length
    qint16 SupplementLength = 0;     ///< digits required in txtSup
    QString m_lastIsbnJudged;        ///< the ISBN entry the check last judged, so it judges each entry once
    bool m_inBarcodeChange = false;
};

} // namespace Kelbrix
