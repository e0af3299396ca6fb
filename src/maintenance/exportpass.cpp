#include "maintenance/exportpass.h"

#include "dictionary/sdocommand.h"

namespace drvdata {

std::vector<ExportRow> ExportRows(const std::vector<std::uint32_t>& codes,
                                  const EntryLookup& lookup) {
    std::vector<ExportRow> rows;
    rows.reserve(codes.size());
    for (std::uint32_t code : codes) {
        ExportRow row;
        row.code = code;
        row.codeText = ItemCodeText(code);
        CSdoInfo entry;
        row.name =
            lookup && lookup(ItemKey(code), entry) ? entry.name : QString::fromLatin1(kUnknownName);
        rows.push_back(row);
    }
    return rows;
}

QStringList DataFileLines(const std::vector<ExportRow>& rows) {
    QStringList lines;
    for (const ExportRow& row : rows) lines << row.codeText + ',' + row.value + ',' + row.result;
    return lines;
}

int FailedRows(const std::vector<QString>& results) {
    int count = 0;
    for (const QString& result : results) count += result.indexOf(u'i', 1) >= 0 ? 1 : 0;
    return count;
}

int CExportPass::ErrorCount() const {
    std::vector<QString> results;
    for (const ExportRow& row : rows_) results.push_back(row.result);
    return FailedRows(results);
}

std::optional<BatchRequest> CExportPass::Prepare(int row) {
    ExportRow& r = rows_[row];
    CSdoInfo entry;
    entry_.reset();
    if (lookup_ && lookup_(ItemKey(r.code), entry))
        entry_ = entry;
    const int width = entry_ ? TypeWidth(entry_->dataType) : ItemWidth(r.code);
    if (!IsTransferWidth(width)) {
        r.value = WidthReason(width);
        r.result = QString::fromLatin1(kFail);
        return std::nullopt;
    }
    return BatchRequest{sdo::Read, ItemKey(r.code), 0};
}

void CExportPass::TakeValue(int row, std::uint32_t value) {
    ExportRow& r = rows_[row];
    const CSdoInfo* entry = entry_ ? &*entry_ : nullptr;
    r.value = FormatValue(entry, ItemWidth(r.code), value).value_or(QString());
    r.result = QString::fromLatin1(kTrue);
}

void CExportPass::TakeAbort(int row, std::uint32_t code) {
    rows_[row].value = QString::asprintf("0x%08x", code);
    rows_[row].result = QString::fromLatin1(kFail);
}

void CExportPass::TakeNoReply(int row) {
    rows_[row].value = QStringLiteral("no reply");
    rows_[row].result = QString::fromLatin1(kFail);
}

void CExportPass::ClearRow(int row) {
    rows_[row].value.clear();
    rows_[row].result.clear();
}

QString CExportPass::FinishText() const {
    return QString::asprintf("Finish: Total:%d  Error:%d ", RowCount(), ErrorCount());
}

}  // namespace drvdata
