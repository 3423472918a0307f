#pragma once

#include <QObject>

class QString;
class QWidget;

namespace Kelbrix {

class Form1;
class ImageListEdit;

/// The label leaving the main window and the barcode image list RTF1: "&Copy Barcode" and the
/// picture's pop-up "Copy", dragging the label, ">>" and the image list's pop-up "Paste
/// Barcode", "Clear &Barcodes Image List", loading an image list, and the batch that moves the
/// selected records' labels in.
class ImageListPanel : public QObject {
    Q_OBJECT
public:
    explicit ImageListPanel(Form1 &form);

    /// Makes the image list in \a parent.
    ImageListEdit *build(QWidget *parent);
    /// Connects the commands and pop-up menus.
    void connectHandlers();
    ImageListEdit *edit() const { return RTF1; }
    /// Whether the image list holds anything.
    bool hasContent() const;

    /// Replaces the image list with the rich-text file at \a path; changes not saved are not
    /// lost unasked, and a file that cannot be read at all leaves the list as it was.
    void load(const QString &path);
    /// Moves the current label into the image list once, followed by the spacer.
    void MoveLabelToImageList();

private:
    /// ">>": the label as many times as the copies say, or the selected records' labels.
    void onMoveToImageList();
    void AddSelectedToImageList();
    void copyLabel();
    void dragLabel();
    void pasteLabel();
    void clear();

    Form1 &m_form;
    ImageListEdit *RTF1 = nullptr;
};

} // namespace Kelbrix
