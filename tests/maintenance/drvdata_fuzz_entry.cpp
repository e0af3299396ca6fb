#include "drvdata_fuzz_entry.h"

#include <QBuffer>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "maintenance/drvdatafile.h"
#include "maintenance/exportpass.h"
#include "maintenance/importpass.h"

using namespace drvdata;

namespace {

EntryLookup Lookup() {
    static const std::map<std::int32_t, QString> types = {
        {0x604100, "UNSIGNED16"},    {0x607100, "INTEGER16"}, {0x607C00, "INTEGER32"},
        {0x100500, "UNSIGNED32"},    {0x606000, "INTEGER8"},  {0x100300, "UNSIGNED8"},
        {0x100800, "VISIBLE STRING"}};
    return [](std::int32_t key, CSdoInfo& entry) {
        auto it = types.find(key);
        if (it == types.end())
            return false;
        entry.key = key;
        entry.dataType = it->second;
        return true;
    };
}

// Answers every request; the reply value comes from the request so it varies with the input.
void Answer(CBatchPass& pass, std::uint32_t seed) {
    std::optional<BatchRequest> next = pass.Start();
    while (next) {
        const std::uint32_t value = static_cast<std::uint32_t>(next->data) ^ seed;
        next =
            (next->key & 7) == 7 ? pass.OnAbort(next->key, value) : pass.OnValue(next->key, value);
        seed = seed * 1103515245u + 12345u;
    }
    if (pass.state() != CBatchPass::State::Finished || pass.RowsDone() != pass.RowCount())
        std::abort();
}

QBuffer* Open(QBuffer& buffer, const QByteArray& bytes) {
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return &buffer;
}

void ExportThenImport(const QByteArray& bytes) {
    QBuffer list;
    std::vector<ExportRow> rows = ExportRows(ReadUploadList(*Open(list, bytes)), Lookup());
    CExportPass exportPass(rows, Lookup());
    Answer(exportPass, static_cast<std::uint32_t>(bytes.size()));
    int taken = 0;
    for (const ExportRow& row : rows) taken += row.result == QLatin1String(kTrue) ? 1 : 0;
    QBuffer file;
    std::vector<DataFileRow> back =
        ReadDataFile(*Open(file, DataFileLines(rows).join('\n').toUtf8() + '\n'));
    if (static_cast<int>(back.size()) != taken)
        std::abort();  // the import would lose or invent rows of the export
}

void Import(const QByteArray& bytes) {
    QBuffer file;
    std::vector<ImportRow> rows = ImportRows(ReadDataFile(*Open(file, bytes)), Lookup());
    CImportPass pass(rows, Lookup());
    Answer(pass, 0);
    ResultLogLines(rows);
    SaveTarget(QString::fromUtf8(bytes.left(64)), QStringLiteral(".txt"), QStringLiteral("x"));
}

// Every row costs a pass step; longer inputs only repeat what 320 bytes already reach (a
// data file line longer than its 256-character buffer), so the tail is left out.
constexpr std::size_t kMaxInput = 320;

}  // namespace

void FuzzDrvDataOnce(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data),
                           static_cast<qsizetype>(std::min(size, kMaxInput)));
    ExportThenImport(bytes);
    Import(bytes);
}
