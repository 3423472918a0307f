#pragma once

namespace Kelbrix {

/// What the main window's commands depend on: the barcode list, the file names the File menu
/// saves to again, the label and the barcode image list.
struct CommandState {
    long long listCount = 0;          ///< records in the barcode list
    bool hasListFile = false;         ///< a list file name to save "List" to
    bool hasBitmapFile = false;       ///< a bitmap name to save "Barcode (*.bmp)" to again
    bool barcodeMade = false;         ///< the barcode-made flag: set by "&Make Code" and by loading a record
    bool labelComposed = false;       ///< a label has been drawn into the label picture
    bool imageListHasContent = false; ///< the barcode image list holds pictures or text
};

/// Which of the main window's commands are offered. The print previews follow their print
/// command; "&Make Code" and "&Add to List" follow the entry instead.
struct EnabledCommands {
    bool mnuSave = false;     ///< the "&Save" submenu, offered when one of its entries is
    bool mnuSBMP = false;     ///< "Barcode (*.bmp)"
    bool mnuSBAR = false;     ///< "List"
    bool mnuAs = false;       ///< "Save &As"
    bool mnuExport = false;   ///< "E&xport...": the list as CSV
    bool mnuCLList = false;   ///< "Clear &List"
    bool mnuRItem = false;    ///< "&Remove Item"
    bool mnuPrint = false;    ///< "&Print List" and its preview
    bool mnuClearBar = false; ///< "Clear &Barcodes Image List"
    bool mnuPbarcode = false; ///< "Print &Barcodes Image List" and its preview
    bool cmdToRTF1 = false;   ///< ">>", and "Paste Barcode" that runs it

    bool operator==(const EnabledCommands &) const = default;
};

/// The commands \a state offers.
EnabledCommands enabledCommands(const CommandState &state);

} // namespace Kelbrix
