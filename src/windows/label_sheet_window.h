#pragma once

#include "list/list_record.h"
#include "sheet/sheet_printer.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QMenu;
class QToolBar;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace Kelbrix {

class SettingsStore;
class SheetPreview;

/// Where the Print Labels window takes its labels from: the records to print, and the edition
/// and appearance the main window makes labels in (the appearance as the size window has it when
/// the window opens).
struct LabelSheetSource {
    std::function<QList<ListRecord>()> records;
    Edition edition = Edition::Alla;
    std::function<LabelAppearance()> appearance;
    /// The 2D symbol the main window's labels carry (Edit, GS1 Data); none when not given.
    std::function<Gs1Request()> gs1;
};

/// The "Print Labels" window: the records it was opened with, on a label sheet chosen from the
/// catalogue, from a start position, each record as many times as the copies say, moved by the
/// printer's calibration; a live preview of the pages; printing through the print dialog, a
/// paged print preview, and saving as PDF. Long jobs show progress and can be stopped.
class frmLabels : public QDialog {
    Q_OBJECT
public:
    /// Opens with \a records, made in \a edition and \a appearance as the main window makes them,
    /// and the choices, printer calibrations and own sheets kept in \a settings, where it keeps
    /// them again as they change.
    frmLabels(const QList<ListRecord> &records, Edition edition, const LabelAppearance &appearance,
              SettingsStore &settings, QWidget *parent = nullptr);
    ~frmLabels() override;

    /// Puts the 2D symbol of \a request on every label (inactive: none), and plans the pages again.
    void setGs1Request(const Gs1Request &request);

    /// The job the window's choices make, for the given printer resolution.
    SheetJob job(int printerDpi) const;
    /// The plan shown in the preview (at 600 dpi).
    const SheetPlan &plan() const { return *m_plan; }
    int shownPage() const { return m_page; }

    void printLabels();
    void previewLabels();
    void saveAsPdf();
    void printCalibrationPage();
    void newSheet();
    void editSheet();
    void deleteSheet();

    /// The name under which the calibration of PDF files is kept.
    static QString pdfPrinterName();

private:
    void choicesChanged();
    void printerChanged();
    void calibrationChanged();
    void fillTemplates(const QString &current);
    /// The calibration stored for \a printer, or the one being edited when it is that printer.
    SheetCalibration calibrationFor(const QString &printer) const;
    void showPage(int page);
    /// Paints \a plan onto \a printer with a progress window the user can stop; says which
    /// records were left out.
    void runJob(QPrinter &printer, const SheetPlan &plan);
    void reportLeftOut(const SheetPlan &plan);

    QList<ListRecord> m_records;
    Edition m_edition;
    LabelAppearance m_appearance;
    Gs1Request m_gs1;
    SettingsStore &m_settings;
    QList<LabelTemplate> m_templates;
    QList<LabelTemplate> m_ownTemplates;
    std::unique_ptr<SheetPlan> m_plan;
    int m_page = 0;

    QComboBox *cboTemplate;
    QComboBox *cboPrinter;
    QPushButton *cmdEditSheet;
    QPushButton *cmdDeleteSheet;
    QSpinBox *txtStart;
    QSpinBox *txtCopies;
    QDoubleSpinBox *txtOffsetX;
    QDoubleSpinBox *txtOffsetY;
    QDoubleSpinBox *txtScale;
    QLabel *lblSummary;
    QLabel *lblPage;
    QPushButton *cmdPrevious;
    QPushButton *cmdNext;
    SheetPreview *picPreview;
};

/// Puts File > "Print &Labels..." (Ctrl+L) into \a fileMenu after \a menuAfter and its button
/// into \a toolbar after \a toolbarAfter, both enabled exactly when \a leader is; they open the
/// window, as a child of \a window, with what \a source gives at that moment and the program's
/// \a settings.
void installLabelSheetCommands(QWidget *window, QMenu *fileMenu, QAction *menuAfter, QToolBar *toolbar,
                               QAction *toolbarAfter, QAction *leader, const LabelSheetSource &source,
                               SettingsStore &settings);

} // namespace Kelbrix
