#include "maintenance/importpass.h"

#include "dictionary/sdocommand.h"

namespace drvdata {

namespace {
bool HasAfterFirst(const QString& text, char16_t c) {
    return text.indexOf(c, 1) >= 0;
}
}  // namespace

std::vector<ImportRow> ImportRows(const std::vector<DataFileRow>& fileRows,
                                  const EntryLookup& lookup) {
    std::vector<ImportRow> rows;
    rows.reserve(fileRows.size());
    for (const DataFileRow& f : fileRows) {
        ImportRow row;
        row.line = f.line;
        row.codeText = f.code;
        row.loadValue = f.loadValue;
        CSdoInfo entry;
        row.name = lookup && lookup(ItemKey(ParseItemCode(f.code)), entry)
                       ? entry.name
                       : QString::fromLatin1(kUnknownName);
        rows.push_back(row);
    }
    return rows;
}

QStringList ResultLogLines(const std::vector<ImportRow>& rows) {
    QStringList lines;
    for (const ImportRow& r : rows)
        lines << QStringList{r.codeText, r.loadValue, r.readValue, r.result, r.name}.join(',');
    return lines;
}

int CImportPass::ErrorCount() const {
    int count = 0;
    for (const ImportRow& r : rows_) count += HasAfterFirst(r.result, u'i') ? 1 : 0;
    return count;
}

int CImportPass::AlarmCount() const {
    int count = 0;
    for (const ImportRow& r : rows_)
        count += !HasAfterFirst(r.result, u'i') && HasAfterFirst(r.result, u'm') ? 1 : 0;
    return count;
}

void CImportPass::Fail(ImportRow& row, const QString& reason) {
    row.readValue = reason;
    row.result = QString::fromLatin1(kFail);
}

std::optional<BatchRequest> CImportPass::Prepare(int row) {
    ImportRow& r = rows_[row];
    const std::uint32_t code = ParseItemCode(r.codeText);
    width_ = ItemWidth(code);
    entry_.reset();
    CSdoInfo entry;
    if (lookup_ && lookup_(ItemKey(code), entry))
        entry_ = entry;
    const int typeWidth = entry_ ? TypeWidth(entry_->dataType) : width_;
    QString reason;
    if (r.loadValue.isEmpty())
        reason = NoLoadValueReason();
    else if (!IsTransferWidth(width_))
        reason = WidthReason(width_);
    else if (!IsTransferWidth(typeWidth))
        reason = WidthReason(typeWidth);
    if (!reason.isEmpty()) {
        Fail(r, reason);
        return std::nullopt;
    }
    if (mode_ == Mode::Compare)
        return BatchRequest{sdo::Read, ItemKey(code), 0};
    return BatchRequest{WriteCommand(width_), ItemKey(code),
                        static_cast<std::int32_t>(LoadRaw(r.loadValue, width_))};
}

void CImportPass::TakeValue(int row, std::uint32_t value) {
    ImportRow& r = rows_[row];
    const CSdoInfo* entry = entry_ ? &*entry_ : nullptr;
    r.readValue = FormatValue(entry, width_, value).value_or(QString());
    const bool same = r.readValue == ExpectedText(entry, width_, r.loadValue);
    r.result = QString::fromLatin1(same ? kTrue : kAlarm);
}

void CImportPass::TakeAbort(int row, std::uint32_t code) {
    rows_[row].readValue = QString::asprintf("0x%x", code);
    rows_[row].result = QString::fromLatin1(kFail);
}

void CImportPass::TakeNoReply(int row) {
    Fail(rows_[row], QStringLiteral("no reply"));
}

void CImportPass::ClearRow(int row) {
    rows_[row].readValue.clear();
    rows_[row].result.clear();
}

QString CImportPass::FinishText() const {
    return QString::asprintf("Finish: Total:%d  Alarm:%d  Error:%d", RowCount(), AlarmCount(),
                             ErrorCount());
}

}  // namespace drvdata
