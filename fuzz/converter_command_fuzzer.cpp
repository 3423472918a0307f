// libFuzzer entry point for the converter's command text: the parser and the log line made
// of it. Checks what must hold for any text: a parsed command names its source and
// destination, its numbers are in range, and its log line is one line whatever the text holds.

#include "fuzz_check.h"
#include "export/converter_command.h"
#include "export/converter_log.h"
#include "export/converter_result.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ParsedCommand parsed = parseConverterCommand(text);
    require(parsed.result == ConverterResult::Success || parsed.result == ConverterResult::MissingParameter ||
            parsed.result == ConverterResult::UnsupportedExportFormat);
    require((parsed.result == ConverterResult::Success) == parsed.problem.isEmpty());
    if (parsed.result == ConverterResult::Success) {
        const ConverterCommand &c = parsed.command;
        require(c.sourceIsClipboard || !c.source.isEmpty());
        require(c.destIsClipboard || !c.dest.isEmpty());
        require(c.raster >= 0 && c.xres >= 0 && c.yres >= 0);
        require(c.mirror >= 0 && c.mirror <= 2);
        require(c.rotation == 0 || c.rotation == 90 || c.rotation == 180 || c.rotation == 270);
    }
    const QString line = converterLogLine(u"2000-01-01T00:00:00"_s, text, parsed.result, parsed.problem, text);
    for (const QChar c : line)
        require(c.unicode() >= 0x20 || c == u'\t');
    require(!line.contains(QChar(0x2028)) && !line.contains(QChar(0x2029)));
    return 0;
}
