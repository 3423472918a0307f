// libFuzzer entry point for the CSV reader and the import behind it. Besides crashes and
// sanitizer reports it checks what must hold for any input: rows come in line order within the
// row size cap, an import keeps nothing when the file is refused, every record it accepts can be
// saved as a list file and read back, and the records written as CSV import again unchanged.

#include "fuzz_check.h"
#include "list/barcode_list.h"
#include "list/csv_import.h"
#include "list/csv_reader.h"
#include "list/csv_writer.h"
#include "list/list_files.h"

#include <QBuffer>

#include <cstdint>

using namespace Kelbrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    CsvReader rows(bytes);
    CsvRow row;
    qint64 lastLine = 0;
    while (rows.readRow(row)) {
        require(row.line > lastLine);
        require(!row.fields.isEmpty());
        qsizetype characters = 0;
        for (const QString &field : row.fields)
            characters += field.size();
        require(characters <= CsvLimits::MaxRowBytes);
        lastLine = row.line;
    }
    require(rows.ok() || rows.errorLine() >= 0);

    CsvReader reader(bytes);
    const CsvImportResult imported = importCsv(reader, std::nullopt, nullptr, DuplicateProducts::KeepAll);
    require(imported.ok() == reader.ok() || !imported.ok());
    if (!imported.ok())
        require(imported.accepted.isEmpty());
    require(imported.accepted.size() + imported.refused.size() == imported.rowsRead || !imported.ok());
    require(imported.accepted.size() <= BarcodeList::MaxRecords);

    QBuffer list;
    list.open(QIODevice::WriteOnly);
    require(writeQz2Utf8(list, imported.accepted).ok);
    list.close();
    list.open(QIODevice::ReadOnly);
    const ListReadResult back = readQz2(list);
    require(back.ok() && back.records == imported.accepted);

    if (imported.ok() && !imported.accepted.isEmpty()) {
        CsvReader again(csvBytes(imported.accepted));
        const CsvImportResult reimported = importCsv(again, std::nullopt, nullptr, DuplicateProducts::KeepAll);
        require(reimported.complete());
        require(reimported.accepted == imported.accepted);
    }
    return 0;
}
