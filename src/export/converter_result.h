#pragma once

namespace Kelbrix {

/// Result codes of ImageConverter::ExecuteCommand. 0 is success; every other value names the
/// failure and is turned into a message by ReportConverterError.
namespace ConverterResult {
inline constexpr int Success = 0;
/// The picture would exceed the converter's pixel budget at the requested size.
inline constexpr int ImageTooLarge = 32501;
/// The source is no TIFF, BMP or PNG image.
inline constexpr int UnsupportedImageFormat = 32502;
/// The source is an image but could not be read (truncated, damaged, unreadable).
inline constexpr int ReadError = 32503;
/// The source file does not exist.
inline constexpr int FileNotFound = 32504;
/// Memory for the picture could not be had.
inline constexpr int OutOfMemory = 32506;
/// The `format` value is none of "tif", "bmp", "0", "2", "4", "5".
inline constexpr int UnsupportedExportFormat = 33203;
/// The destination could not be written; an old file there is left as it was.
inline constexpr int WriteError = 33204;
/// `source=clipboard` but the clipboard holds neither a symbol nor an image.
inline constexpr int NoClipboardImage = 33211;
/// The command lacks `source` or `dest`, or holds a pair that is malformed, unknown or out of range.
inline constexpr int MissingParameter = -100;
} // namespace ConverterResult

} // namespace Kelbrix
