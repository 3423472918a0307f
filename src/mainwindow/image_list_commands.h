#pragma once

class QString;

namespace Kelbrix {

class Form1;

/// The label leaving the main window and the barcode image list: "&Copy Barcode" and the
/// picture's pop-up "Copy", dragging the label, ">>" and the image list's pop-up "Paste Barcode",
/// "Clear &Barcodes Image List", and loading an image list.
class ImageListCommands {
public:
    /// Connects the commands and pop-up menus of \a form.
    static void connect(Form1 &form);
    /// Replaces the image list with the rich-text file at \a path; changes not saved are not
    /// lost unasked, and a file that cannot be read at all leaves the list as it was.
    static void load(Form1 &form, const QString &path);

private:
    static void copyLabel(Form1 &form);
    static void dragLabel(Form1 &form);
    static void pasteLabel(Form1 &form);
    static void clear(Form1 &form);
};

} // namespace Kelbrix
