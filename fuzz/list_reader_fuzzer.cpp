// libFuzzer entry point for one list reader, chosen when it is built (KELBRIX_FUZZ_FORMAT).
// Besides crashes and sanitizer reports it checks what must hold for any input: a reader
// never keeps more than its caps allow, and whatever a reader accepted and the writer
// takes reads back as the same records.

#include "fuzz_check.h"
#include "list/list_files.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Kelbrix;

namespace {

constexpr ListFileFormat kFormat = KELBRIX_FUZZ_FORMAT;

ListReadResult readWithFormat(QIODevice &device)
{
    switch (kFormat) {
    case ListFileFormat::Qzl:
        return readQzl(device);
    case ListFileFormat::Ornatec:
        return readOrnatec(device);
    default:
        return readQz2(device);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    ListReadResult read = readWithFormat(input);

    require(read.ok() == read.message.isEmpty());
    require(read.records.size() <= ListFileLimits::MaxRecords);
    if (kFormat == ListFileFormat::Qz2) {
        require(read.productList.isEmpty());
    } else {
        require(read.productList.size() <= ListFileLimits::MaxOlderFormatLines);
        require(read.records.size() <= read.productList.size());
    }

    QBuffer output;
    output.open(QIODevice::WriteOnly);
    if (writeQz2(output, read.records).ok) {
        output.close();
        output.open(QIODevice::ReadOnly);
        const ListReadResult again = readQz2(output);
        require(again.ok());
        require(again.records == read.records);
    }

    QList<ListRecord> deduplicated = read.records;
    const QList<qsizetype> removed = removeConsecutiveDuplicateBarcodes(deduplicated);
    require(deduplicated.size() + removed.size() == read.records.size());
    for (qsizetype i = 1; i < deduplicated.size(); ++i)
        require(deduplicated.at(i).barcode != deduplicated.at(i - 1).barcode);
    return 0;
}
