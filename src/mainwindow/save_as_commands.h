#pragma once

#include "artwork/artwork_writers.h"
#include "list/list_record.h"

#include <QList>
#include <QObject>
#include <QString>

#include <utility>

namespace Kelbrix {

class Form1;

/// "Save &As" and "Barcode (*.bmp)": the one dialog where the user picks what to write,
/// dispatched on the name's last three letters to the list file, the image list as rich text,
/// TIFF files (tiff_export.cpp), bitmaps or vector artwork; the bitmap batch over the selected
/// records; and re-saving the label as the bitmap it was saved as.
class SaveAsCommands : public QObject {
    Q_OBJECT
public:
    explicit SaveAsCommands(Form1 &form);
    void connectHandlers();

    /// The current bitmap file name (set by saving a bitmap or an image list).
    const QString &bitmapFileName() const { return currentBitmapFile; }
    /// Uses \a bits as the display's colour depth for the TIFF branch; 0 (the default) reads
    /// the screen's own depth.
    void setDisplayDepth(int bits) { m_displayDepth = bits; }
    /// True while a TIFF export runs.
    bool isExportRunning() const { return m_exportRunning; }

private:
    void onSaveAs();
    void saveAsBitmap(const QString &path, const QList<std::pair<int, ListRecord>> &selected);
    void ExportSelectedAsBitmaps(QString path, const QList<std::pair<int, ListRecord>> &selected);
    bool saveLabelBitmap(const QString &path);
    void onSaveBitmap();
    void saveAsArtwork(const QString &path, ArtworkFormat format);
    /// The TIFF branch (tiff_export.cpp).
    void saveAsTiff(const QString &path, const QList<int> &selected);
    /// The TIFF branch when the labels carry a 2D symbol: the files of the current label or of the
    /// selected records, each read back before it is written.
    void saveAsMatrixTiff(const QString &path, const QList<int> &selected);
    int displayDepth() const;

    Form1 &m_form;
    QString currentBitmapFile;
    int m_displayDepth = 0;
    bool m_exportRunning = false;
};

} // namespace Kelbrix
