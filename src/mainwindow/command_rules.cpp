// The main window's enabling rules in one place: a command is offered exactly when the state
// gives it something to work on.
#include "mainwindow/command_rules.h"

namespace Kelbrix {

EnabledCommands enabledCommands(const CommandState &state)
{
    const bool hasRecords = state.listCount > 0;
    EnabledCommands on;
    on.mnuCLList = hasRecords;
    on.mnuRItem = hasRecords;
    on.mnuPrint = hasRecords;
    on.mnuExport = hasRecords;
    // "List" saves to the current list file, or asks for a name when there is none yet.
    on.mnuSBAR = hasRecords || state.hasListFile;
    // "Barcode (*.bmp)" saves the label to the last bitmap again; with records and no bitmap
    // name it asks for one as "Save &As" does.
    on.mnuSBMP = hasRecords || state.hasBitmapFile;
    on.mnuSave = on.mnuSBAR || on.mnuSBMP;
    on.mnuClearBar = state.imageListHasContent;
    on.mnuPbarcode = state.imageListHasContent;
    // Save As writes the list, the image list or the label.
    on.mnuAs = hasRecords || state.imageListHasContent || state.barcodeMade;
    on.cmdToRTF1 = state.labelComposed;
    return on;
}

} // namespace Kelbrix
