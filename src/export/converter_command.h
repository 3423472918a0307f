#pragma once

#include <QString>

#include <optional>

namespace Kelbrix {

/// The compressions a 1-bit TIFF can be written with.
enum class TiffCompression {
    None,    ///< format=0
    Huffman, ///< format=2, modified Huffman run lengths (CCITT RLE)
    Group3,  ///< format=4, CCITT Group 3 fax
    Group4,  ///< format=5, CCITT Group 4 fax
};

/// What kind of file a command writes.
enum class OutputType {
    Unspecified, ///< no `format` key: BMP when the destination ends in ".bmp", else TIFF
    Tiff,
    Bmp,
};

/// A rescale request of one direction: to a number of pixels, or by a percentage.
struct Rescale {
    enum class Unit { None, Pixels, Percent };
    Unit unit = Unit::None;
    double value = 0;
};

/// One converter command, parsed. Every member has the meaning of its key; members of keys
/// the command does not hold keep their defaults.
struct ConverterCommand {
    QString source;                 ///< file path; empty when sourceIsClipboard
    bool sourceIsClipboard = false; ///< source=clipboard (in any case)
    QString dest;                   ///< file path; empty when destIsClipboard
    bool destIsClipboard = false;   ///< dest=clipboard (in any case)
    OutputType output = OutputType::Unspecified;
    std::optional<TiffCompression> compression; ///< format=0/2/4/5
    bool twoColours = false;                    ///< colors=2
    bool mono = false;                          ///< mono=1
    int raster = 0;                             ///< raster=N, 0 when absent
    int xres = 0;                               ///< dpi, 0 when absent
    int yres = 0;                               ///< dpi, 0 when absent
    Rescale rescaleX;
    Rescale rescaleY;
    bool invert = false; ///< inv=1
    int mirror = 0;      ///< 0 none, 1 horizontal (left-right), 2 vertical (top-bottom)
    int rotation = 0;    ///< 0, 90, 180 or 270 degrees clockwise
    bool log = false;    ///< log=1
};

/// The outcome of parsing a command text.
struct ParsedCommand {
    int result = 0;           ///< 0, ConverterResult::MissingParameter or ConverterResult::UnsupportedExportFormat
    ConverterCommand command; ///< filled as far as the text allowed, `log` even when result is not 0
    QString problem;          ///< what is wrong, for the log; empty when result is 0
};

/// Parses a converter command: comma-separated key=value pairs. Keys are matched without
/// regard to case, and so is the value "clipboard"; other values are used as written. A
/// segment that does not start with a known key and "=" continues the path of the `source` or
/// `dest` before it, so a file name holding a comma survives. Missing `source` or `dest`, an
/// empty, unknown, repeated or out-of-range pair give MissingParameter; an unknown `format`
/// value gives UnsupportedExportFormat.
ParsedCommand parseConverterCommand(const QString &text);

} // namespace Kelbrix
