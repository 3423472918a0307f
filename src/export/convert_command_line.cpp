#include "export/convert_command_line.h"

#include "export/image_converter.h"

namespace Kelbrix {

int runConvertCommandLine(const QString &command)
{
    return runConvertCommandLine(command, stdout, stderr);
}

int runConvertCommandLine(const QString &command, std::FILE *out, std::FILE *err)
{
    ImageConverter *converter = imageConverter();
    const int result = converter->ExecuteCommand(command);
    std::fprintf(out, "%d\n", result);
    std::fflush(out);
    if (result != 0 && !converter->lastProblem().isEmpty()) {
        std::fprintf(err, "%s\n", converter->lastProblem().toLocal8Bit().constData());
        std::fflush(err);
    }
    return result == 0 ? 0 : 1;
}

} // namespace Kelbrix
