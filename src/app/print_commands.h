#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QTextEdit;

namespace Kelbrix {

class BarcodeList;

/// The main window's print commands: "&Print List" prints the barcode list as a paged text
/// listing, "Print &Barcodes Image List" the image list at its pictures' size, each through the
/// print dialog, and each with a print preview ("mnuPreview", "mnuPbPreview") that is enabled
/// exactly when its print command is.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    /// Puts the previews into \a fileMenu after \a mnuPrint and \a mnuPbarcode and connects
    /// all four. \a list and \a images are what they print; \a title heads every listing page.
    PrintCommands(QMenu *fileMenu, QAction *mnuPrint, QAction *mnuPbarcode, const BarcodeList &list, QTextEdit *images,
                  const QString &title);

private:
    void printList();
    void previewList();
    void printImages();
    void previewImages();

    const BarcodeList &m_list;
    QTextEdit *m_images;
    const QString &m_title;
};

} // namespace Kelbrix
