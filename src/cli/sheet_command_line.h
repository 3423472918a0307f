#pragma once

#include "label/gs1_label.h"

#include <QString>

namespace Kelbrix {

/// What `kelbrix --sheet` was asked to do: the list (or CSV) file, the label sheet by name or
/// product number, the PDF file to write, where to start on the first sheet, copies, the
/// resolution whose dots the bars are made of, the records, and the 2D symbol of each label.
struct SheetRequest {
    QString listFile;
    QString templateName;
    QString pdfFile;
    int startAt = 1;
    int copies = 1;
    int dpi = 600;
    QString records;                ///< such as "1,4-9"; empty for every record
    Gs1Request gs1;                 ///< inactive without --symbol
    std::optional<Bearers> bearers; ///< SCC-14's bearer bars; default: as stored
};

/// Prints the labels of \a request onto label sheets in a PDF file without a window: one line
/// per page written, then a count and the serials given; a record whose label does not fit or
/// whose 2D symbol cannot be made is named on the standard error and left out. The file is written whole or not at all.
/// Returns 0 when every record was printed, 1 when one was left out or nothing could be printed, and 2 for a wrong
/// request.
int runSheetCommandLine(const SheetRequest &request);

/// Prints the label sheets the program knows, one a line (`kelbrix --templates`); returns 0.
int printTemplates();

} // namespace Kelbrix
