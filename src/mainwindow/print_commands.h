#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QPrinter;
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
    /// Runs \a print onto \a printer with a progress window that can stop it (the function
    /// given to \a print reports pages printed and in all, and says whether to go on). A PDF
    /// file is written under a temporary name next to it and replaces the file only once
    /// every page is in it, so a stopped or failed print leaves the old file as it was. A job
    /// for a printer that cannot be withdrawn (CUPS) holds the pages printed before the stop.
    /// A failure is reported as a printer error; a stop says nothing.
    void printWithProgress(QPrinter &printer,
                           const std::function<bool(QPrinter &, const std::function<bool(int, int)> &)> &print);

    const BarcodeList &m_list;
    QTextEdit *m_images;
    const QString &m_title;
};

} // namespace Kelbrix
