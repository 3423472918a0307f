#pragma once

#include "export/batch_stop.h"
#include "export/tiff_parameters.h"

#include <QSizeF>
#include <QString>

#include <functional>

namespace Kelbrix {

class BarcodeRenderer;

/// What the TIFF export needs of whoever holds the barcode entry: the main window, or the
/// command line's export without a window (and fakes in tests). The export reads the entry,
/// the renderers and the TIFF parameters through it at each step, and reports its progress to
/// it.
class LabelSource {
public:
    virtual ~LabelSource() = default;

    // --- The barcode ---------------------------------------------------------------------
    /// Loads list record \a number (1-based, record order) as a user would: its type selects
    /// the type and supplement options, its fields fill the entry boxes, and the barcode is
    /// made. Sets ListItemInWork to \a number. False when the record cannot be made.
    virtual bool loadRecord(int number) = 0;
    /// The current TypeCode ("E130", "ISB5", ...).
    virtual QString typeCode() const = 0;
    /// Texts of the product box and of the barcode box.
    virtual QString productText() const = 0;
    virtual QString barcodeText() const = 0;
    /// True when the 2- or 5-digit supplement option is chosen.
    virtual bool supplementChosen() const = 0;
    /// The main renderer (its symbology, data and supplement go to the TIFF renderer) and its
    /// defined-size twin (its font goes there when the sizes differ).
    virtual const BarcodeRenderer &mainRenderer() const = 0;
    virtual const BarcodeRenderer &definedRenderer() const = 0;
    /// The renderer the export draws with (the TIFF window's hidden BarTiff).
    virtual BarcodeRenderer &tiffRenderer() = 0;
    /// The size the TIFF is made for, in twips: the main renderer's size when "Use Defined
    /// Barcode" is checked, else the size window's width and height (see
    /// BarSizeSettings::tiffReferenceTwips()).
    virtual QSizeF referenceSizeTwips() const = 0;
    /// Twips per screen pixel, horizontally and vertically (15 x 15 on a 96-dpi screen).
    virtual QSizeF screenTwipsPerPixel() const = 0;

    // --- The parameters ------------------------------------------------------------------
    /// The TIFF parameters as they stand now (the TIFF window's controls).
    virtual TiffParameters tiffParameters() const = 0;
    /// Shows \a text in the copies box of the TIFF parameters (an empty box becomes "1").
    virtual void setTiffCopiesText(const QString &text) = 0;
    /// The default printer's resolution, in dpi.
    virtual int printerDpi() const = 0;

    // --- Progress and stopping -----------------------------------------------------------
    /// Text of the status bar's first panel.
    virtual void showStatus(const QString &text) = 0;
    /// The progress bar's range and value.
    virtual void setProgressRange(qint64 minimum, qint64 maximum) = 0;
    virtual void setProgress(qint64 value) = 0;
    /// The busy pointer on or off (off is the default pointer).
    virtual void setBusy(bool busy) = 0;
    /// Lets the window repaint and see the Cancel button and Escape; nothing without a window.
    virtual void serviceEvents() = 0;
    /// Runs \a work, a step's picture work that touches no window, and returns when it is done.
    /// The window runs it on a thread of its own and meanwhile repaints, sees Cancel and Escape
    /// and calls whileWorking() after each event it serves, at least every 50 ms; without a
    /// window it runs in place. What the work throws is thrown again here either way.
    virtual void runWork(const std::function<void()> &work) { work(); }
    /// What the export does while a step's work runs: it asks its stop question at once.
    void setWhileWorking(std::function<void()> hook) { m_whileWorking = std::move(hook); }
    /// BatchStopRequest, which the window's Cancel and Escape turn from Running to Asked.
    virtual BatchStop batchStopRequest() const = 0;
    virtual void setBatchStopRequest(BatchStop value) = 0;
    /// ListItemInWork: the record being exported, 0 for none.
    virtual void setListItemInWork(int number) = 0;

    /// Called after each TIFF file is written, with the file and the barcode digits it was
    /// made from (the main window and the command line check it by decoding it).
    virtual void fileWritten(const QString &path, const QString &digits) = 0;
    /// Whether fileWritten() must hear of each file before anything else is done (it reads the
    /// file back against the record still loaded, say): then each file is committed on its own
    /// at once, rather than in a group behind the next pictures.
    virtual bool readsFilesBack() const { return false; }

protected:
    void whileWorking() const
    {
        if (m_whileWorking)
            m_whileWorking();
    }

private:
    std::function<void()> m_whileWorking;
};

} // namespace Kelbrix
