// libFuzzer entry point for the GS1 readers. The first line of the input (<GS> written for the
// separator, as the golden cases write it) is read as GS1 data and as a Digital Link. Besides
// crashes and sanitizer reports it checks what must hold for any input: valid data has elements
// and no problem, every problem names a place inside the input, and valid elements come back
// unchanged from their bracketed and scanned forms and, when they make one, from their Digital
// Link; elements read from a Digital Link always make one again.

#include "fuzz_check.h"
#include "gs1/digital_link.h"
#include "gs1/element_string.h"

#include <algorithm>
#include <cstdint>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

QList<Gs1Element> sorted(QList<Gs1Element> elements)
{
    std::sort(elements.begin(), elements.end(), [](const Gs1Element &a, const Gs1Element &b) { return a.ai < b.ai; });
    return elements;
}

bool placedInside(const Gs1Data &data, qsizetype size)
{
    return std::all_of(data.problems.begin(), data.problems.end(), [size](const Gs1Problem &p) {
        return p.position >= 0 && p.position <= size && !p.message.isEmpty();
    });
}

void checkRoundTrips(const Gs1Data &data, Gs1Carrier carrier, bool fromLink)
{
    require(data.isValid() == (data.problems.isEmpty() && !data.elements.isEmpty()));
    if (!data.isValid())
        return;
    const Gs1Data bracketed = parseGs1(bracketedElementString(data.elements), carrier);
    require(bracketed.isValid() && bracketed.elements == data.elements);
    const Gs1Data scanned = parseGs1(scannedElementString(data.elements), carrier);
    require(scanned.isValid() && scanned.elements == data.elements);
    const DigitalLink link = buildDigitalLink(data.elements);
    require(link.uri.isEmpty() != link.problems.isEmpty());
    require(!fromLink || link.problems.isEmpty());
    if (link.problems.isEmpty()) {
        const Gs1Data back = parseDigitalLink(link.uri);
        require(back.isValid() && sorted(back.elements) == sorted(data.elements));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString input = QString::fromUtf8(bytes.left(bytes.indexOf('\n'))).replace(u"<GS>"_s, QString(QChar(0x1d)));

    for (const Gs1Carrier carrier : {Gs1Carrier::DataMatrix, Gs1Carrier::Gs1_128}) {
        const Gs1Data read = parseGs1(input, carrier);
        require(placedInside(read, input.size()));
        checkRoundTrips(read, carrier, input.trimmed().startsWith(u"http"_s, Qt::CaseInsensitive));
        if (read.isValid())
            require(checkGs1(read.elements, carrier).isValid());
    }
    const Gs1Data link = parseDigitalLink(input);
    require(placedInside(link, input.size()));
    checkRoundTrips(link, Gs1Carrier::DataMatrix, true);
    return 0;
}
