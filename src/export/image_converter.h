#pragma once

#include <QString>

#include <functional>

namespace Kelbrix {

struct ConverterCommand;
struct ConverterImage;
struct SourceContent;
enum class TiffCompression;

/// The image converter: converts, rescales, transforms and writes images on text commands.
///
/// A command is comma-separated key=value pairs (see parseConverterCommand):
/// `source` and `dest` (a file path or "clipboard"), `format` (tif, bmp, or the TIFF
/// compression 0 none, 2 CCITT RLE, 4 Group 3, 5 Group 4), `colors=2`, `mono=1`, `raster`
/// (picture width in pixels), `xres`/`yres` (dpi), `rescalex`/`rescaley` (N"pix" or N"%"),
/// `inv=1`, `mirror` (1 left-right, 2 top-bottom), `rot` (90, 180, 270 clockwise), `log=1`.
///
/// The steps run in this order: read the source; with `raster`, redraw a clipboard symbol
/// that wide with whole-pixel modules (or scale the picture to that width); rescale; invert;
/// mirror; rotate; record the resolution; reduce to one bit for TIFF, `colors=2` or `mono=1`;
/// write. TIFF files are one-bit, PHOTOMETRIC_MINISWHITE, with the resolution in dots per inch
/// and the compression asked for (else the source TIFF's, else none). `dest` may equal
/// `source`: the whole picture is read before anything is written, and every file is written
/// through saveFileSafely.
class ImageConverter {
public:
    ImageConverter();
    ~ImageConverter();
    ImageConverter(const ImageConverter &) = delete;
    ImageConverter &operator=(const ImageConverter &) = delete;

    /// Runs \a command. Returns 0 on success, else a ConverterResult code; a failed command
    /// leaves its destination as it was. With `log=1` the command and its result are
    /// appended to the converter log.
    int ExecuteCommand(const QString &command);

    /// What went wrong in the last command, naming the file; empty after a success.
    QString lastProblem() const { return m_lastProblem; }
    /// What the last command took on trust or replaced (a source resolution out of range, and
    /// the one used instead); empty when there was nothing to say. Logged with `log=1`.
    QString lastNote() const { return m_lastNote; }

    /// Runs a command's picture work (reading and writing files, drawing, scaling, turning,
    /// encoding), given as a function, and returns when it is done.
    using WorkRunner = std::function<void(const std::function<void()> &work)>;
    /// From now on the picture work goes through \a runner, which may run it on another thread
    /// while the window goes on answering, and throws again on the calling thread what the work
    /// throws; the clipboard is read and written here, on the calling thread. An empty runner
    /// runs the work in place (the default).
    void setWorkRunner(WorkRunner runner) { m_runner = std::move(runner); }

private:
    int run(const ConverterCommand &command);
    int makePicture(const ConverterCommand &command, SourceContent &source, ConverterImage &picture,
                    TiffCompression &compression);
    void runWork(const std::function<void()> &work);

    QString m_lastProblem;
    QString m_lastNote;
    WorkRunner m_runner;
};

/// The program's one image converter, created on first use.
ImageConverter *imageConverter();

/// Destroys the program's image converter (the main window does this when it unloads); the
/// next imageConverter() makes a new one.
void releaseImageConverter();

} // namespace Kelbrix
