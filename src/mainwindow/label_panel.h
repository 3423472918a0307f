#pragma once

#include "label/gs1_label.h"
#include "list/list_record.h"
#include "label/label_layout.h"
#include "mainwindow/label_mime.h"
#include "render/barcode_renderer.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QCheckBox;
class QFrame;
class QPushButton;
class QStatusBar;
class QWidget;

namespace Kelbrix {

class Form1;
class SettingsStore;
class HintPanel;
class LabelPicture;
class VerifyPanel;
struct ViewUpdatePlan;
struct ViewUpdateState;

/// The main label of the main window: the two renderers (the main symbol and its defined-size
/// twin), the label pictures, "&Use Defined Barcode", the barcode view update behind "&Make
/// Code", the label as it leaves the window, and the read-back of each new label.
class LabelPanel : public QObject {
    Q_OBJECT
public:
    explicit LabelPanel(Form1 &form);

    /// Makes the picture area with its pictures, "&Use Defined Barcode", ">>" and the spacer
    /// picture, named as the behaviour names them, in \a parent.
    QFrame *build(QWidget *parent);
    void connectHandlers();
    /// Adds the read-back verdict to \a statusBar, with its hint in \a hints.
    void addVerifyPanel(QStatusBar *statusBar, HintPanel &hints);

    /// Brings the renderer and the main label in line with the TypeCode and the entry;
    /// runs the defined-size update too when "&Use Defined Barcode" is checked.
    void UpdateBarcodeView();
    /// The same for the defined-size renderer and label.
    void UpdateDefinedBarcodeView();
    /// "&Make Code".
    void onMakeCode();
    /// "&Use Defined Barcode" changed, or the size window's defined size.
    void onUseDefined();

    /// Uses \a width x \a height twips as the defined size of the symbol (0 for none).
    void setDefinedSize(double width, double height);
    bool hasDefinedSize() const { return DefinedWidth > 0; }
    /// "&Use Defined Barcode": whether it is checked, whether it can be.
    bool usesDefined() const;
    void checkUsesDefined(bool checked);
    void setUsesDefined(bool checked, bool enabled);
    /// Gives both renderers \a appearance.
    void applyAppearance(const LabelAppearance &appearance);
    void setDigitsHidden(bool hidden);

    /// The 2D symbol every label of the window carries (Edit, GS1 Data); inactive for none. The
    /// labels are made again with it.
    void setGs1Request(const Gs1Request &request);
    const Gs1Request &gs1Request() const { return m_gs1; }
    /// The request with the module the size window sets now, as the labels are made with it.
    Gs1Request gs1RequestNow() const;
    /// The GS1 data of the list record just shown (batch, expiry... from a CSV file): its labels
    /// carry it while the entry holds that record's barcode.
    void setRecordGs1(const ListRecord &record);
    /// Makes the labels again as label number \a index (from 0) of a batch, for the serial number
    /// that label gets; 0 again after the batch.
    void setLabelIndex(qint64 index);
    /// Edit, "GS1 Data": the window where the user gives the 2D symbol its data; OK makes the
    /// labels again with it.
    void showGs1Data();
    /// The domain of Digital Link URIs, kept in the settings.
    void loadSettings(const SettingsStore &settings);
    void saveSettings(SettingsStore &settings) const;
    /// The 2D data of a label drawn from \a renderer: its GTIN and the job's data, with the
    /// module the size window sets.
    Gs1LabelData gs1Data(const BarcodeRenderer &renderer) const;
    /// The main label as it is described now, without its 2D symbol (the GS1 Data window adds
    /// its own to preview it); nullopt before a label is made.
    std::optional<LabelDescription> mainLabelDescription() const;

    const BarcodeRenderer &mainRenderer() const { return Barcode1; }
    const BarcodeRenderer &definedRenderer() const { return Barcode1x; }
    /// The label as it leaves the window: the defined-size one when "&Use Defined Barcode" is
    /// checked, with its resolution and its vector artwork.
    LabelData currentLabel() const;
    /// The label shown as vector artwork, sized as the size window says; nullopt with the reason
    /// in \a error when it cannot be made.
    std::optional<LabelLayout> labelArtwork(QString *error) const;
    /// When the entry has changed since a label was made, says "Make the code first" and returns
    /// true: the label would go out under the entry's name and header with other bars.
    bool refuseStaleLabel();
    /// Whether a label has been drawn into picTST or picTST1.
    bool isComposed() const { return m_labelComposed; }
    /// The next "&Make Code" tells the user again of a refused ISBN or entry.
    void forgetMessagesShown();

    LabelPicture *picture() const { return picTST; }
    LabelPicture *symbolPicture() const { return Pstrk; }
    LabelPicture *spacer() const { return picMellan; }
    QPushButton *moveButton() const { return cmdToRTF1; }

signals:
    /// The user clicked "&Use Defined Barcode", after the label followed.
    void definedClicked(bool checked);

private:
    ViewUpdateState viewUpdateState() const;
    /// Sets \a renderer up for \a plan as every label is (prepareRenderer) and completes the entry;
    /// true when the label is to be composed.
    bool applyPlan(BarcodeRenderer &renderer, const ViewUpdatePlan &plan);
    /// Tells the user once per "&Make Code" when the plan refused the ISBN entry; false then.
    bool IsbnToEan(const ViewUpdatePlan &plan);
    void rendererRefused(const BarcodeRenderer &renderer);
    /// Adds the job's 2D symbol to \a label; its data (with the reason when there is no symbol)
    /// in \a data.
    void addMatrix(LabelDescription &label, Gs1LabelData *data) const;
    void composeMain();
    void composeDefined();
    /// Paints \a label at \a dpi into \a labelPicture, its bare symbol into \a symbolPicture.
    void composeLabel(const LabelDescription &label, double dpi, LabelPicture *symbolPicture,
                      LabelPicture *labelPicture);
    /// The look the size window gives every label.
    LabelAppearance labelAppearance() const;
    /// "ISBN " and the entry for the ISBN types, else empty.
    QString isbnHeader() const;
    double labelDotsPerInch() const;
    /// The type, barcode and supplement of the entry, to tell whether the label still shows it.
    QStringList labelEntry() const;

    Form1 &m_form;
    QFrame *pictureArea = nullptr;
    LabelPicture *picTST = nullptr;      ///< the main label
    LabelPicture *Pstrk = nullptr;       ///< its bare symbol
    LabelPicture *picTST1 = nullptr;     ///< the defined-size label
    LabelPicture *picBarcode1 = nullptr; ///< its bare symbol
    LabelPicture *picMellan = nullptr;   ///< the spacer between labels in the image list
    QCheckBox *chkDefined = nullptr;     ///< "&Use Defined Barcode"
    QPushButton *cmdToRTF1 = nullptr;    ///< ">>": moves the label to the image list
    BarcodeRenderer Barcode1;            ///< the main symbol
    BarcodeRenderer Barcode1x;           ///< its defined-size twin
    double DefinedWidth = 0;             ///< width of the defined-size symbol, twips (0: none defined)
    double DefinedHeight = 0;            ///< height of the defined-size symbol, twips
    QStringList m_madeLabelEntry;        ///< labelEntry() when the main label was last made
    bool m_labelComposed = false;
    bool m_isbnMessageShown = false; ///< the ISBN refusal was shown for the current "&Make Code"
    bool m_refusalShown = false;     ///< a refused entry was reported for the current "&Make Code"
    VerifyPanel *m_verify = nullptr; ///< reads the main label back after each new label
    Gs1Request m_gs1;                ///< the 2D symbol of the labels; inactive for none
    Gs1LabelData m_mainGs1;          ///< the 2D data of the main label as it was last made
    QList<Gs1Element> m_recordGs1;   ///< the GS1 data of the record shown last
    QString m_recordGs1Barcode;      ///< that record's barcode
    qint64 m_labelIndex = 0;         ///< the label of a batch being made, for its serial
    double m_mainLabelWidth = 0;     ///< the main label's width as its plan gave it, twips
    double m_definedLabelWidth = 0;  ///< the defined-size label's, twips
};

} // namespace Kelbrix
