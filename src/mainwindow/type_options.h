#pragma once

#include "barcode/edition.h"
#include "barcode/type_catalogue.h"

#include <QList>
#include <QObject>
#include <QString>

#include <utility>

class QGroupBox;
class QRadioButton;
class QWidget;

namespace Kelbrix {

class Form1;
class SettingsStore;

/// The type, supplement and product-line options of the main window, and the window's caption
/// that names them: selecting an option sets the TypeCode of the entry, the type name in the
/// caption and what the type allows (the supplement frame, the 2-digit supplement, the label of
/// the barcode box).
class TypeOptions : public QObject {
    Q_OBJECT
public:
    explicit TypeOptions(Form1 &form);

    /// Makes the option frames, named as the behaviour names them, in \a parent; returns their panel.
    QWidget *build(QWidget *parent);
    /// Connects the option buttons.
    void connectHandlers();
    /// Selects EAN-13, no supplement and the product line: the window's own choices, which
    /// settings that are missing or not understood leave.
    void selectDefaults();
    /// Hides the type options \a edition does not offer; the UPC edition starts with UPC-A unless
    /// the user's own UPC type was restored.
    void offerEdition(Edition edition);
    /// Starts the caption: \a windowTitle, the type selected and the stored supplement.
    void startCaption(const QString &windowTitle);

    /// The TypeCode the selected options stand for, or an empty text when no pair of type and
    /// supplement option holds.
    QString typeCodeOfOptions() const;
    /// Selects the type and supplement options of \a type and makes its code the TypeCode.
    void selectOptionsOf(const TypeInfo &type);
    /// The selected supplement: 0, 2 or 5 digits.
    int selectedSupplement() const;
    /// True when the 2- or 5-digit supplement option is chosen.
    bool supplementChosen() const { return selectedSupplement() != 0; }
    /// True when Code 39 with no supplement is selected.
    bool code39Selected() const;
    /// "&Text": the label carries the product line.
    bool productLineOn() const;

    /// The edition's title every caption starts with.
    const QString &windowTitle() const { return WindowTitle; }
    /// Sets the window's caption again, in the language of the moment.
    void showCaption();

    void loadSettings(const SettingsStore &settings, Edition edition);
    void saveSettings(SettingsStore &settings) const;

private:
    /// The caption's type name of the options selected at start-up.
    QString startUpTypeName() const;
    void typeSelected(Symbology symbology);
    void isbnSelected();
    void scc14Selected();
    void code39Chosen();
    void supplementSelected(int digits);
    void productLineSelected();
    /// The caption's suffix of the selected supplement, a QT_TRANSLATE_NOOP text of "Form1".
    const char *supplementSuffix() const;
    /// Sets the caption: the title, \a separator, the type name and \a suffix (a source text
    /// shown in the language of the moment; nullptr for none).
    void setCaption(const QString &separator, const char *suffix);
    /// The type option buttons with the symbology each selects, in the order they are tested.
    QList<std::pair<QRadioButton *, Symbology>> buttons() const;
    /// The type and supplement options by the names the settings store them under.
    QList<std::pair<QString, QRadioButton *>> storedTypeOptions() const;
    QList<std::pair<QString, QRadioButton *>> storedSupplementOptions() const;

    Form1 &m_form;
    QGroupBox *Frame1 = nullptr;
    QRadioButton *optEAN13 = nullptr;
    QRadioButton *optEAN8 = nullptr;
    QRadioButton *optUPCA = nullptr;
    QRadioButton *optUPCE = nullptr;
    QRadioButton *optUpcEP = nullptr;
    QRadioButton *optISBN = nullptr;
    QRadioButton *optSCC14 = nullptr;
    QRadioButton *optCode39 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QRadioButton *optNosup = nullptr;
    QRadioButton *chk2digit = nullptr;
    QRadioButton *chk5digit = nullptr;
    QRadioButton *Option1 = nullptr; ///< "&Text": the product line is on
    QRadioButton *Option2 = nullptr; ///< "&Blank"
    QString TypeName;                ///< display name of the selected type, used in the caption
    QString WindowTitle;             ///< the edition title every caption starts with
    // The caption after the title and the type name: its separator and its suffix (a source
    // text of "Form1", nullptr for none), kept so a language switch builds it again.
    QString m_captionSeparator;
    const char *m_captionSuffix = nullptr;
    const char *m_startUpSuffix = " "; ///< the suffix of the saved supplement option
};

} // namespace Kelbrix
