#pragma once
// The export's read pass: every listed object is read once; its value is shown the way the
// data file stores it, its result is "True" or "Fail".
#include <QStringList>
#include <vector>

#include "maintenance/batchpass.h"
#include "maintenance/itemcode.h"

namespace drvdata {

struct ExportRow {
    std::uint32_t code = 0;
    QString codeText;  // "%08X" of the code
    QString value;
    QString result;
    QString name;  // dictionary name, or "? ? ? ?"
};

// Rows of an upload list with their dictionary names.
std::vector<ExportRow> ExportRows(const std::vector<std::uint32_t>& codes,
                                  const EntryLookup& lookup);
// The data file's lines: item code, value, result.
QStringList DataFileLines(const std::vector<ExportRow>& rows);
// Rows whose result has an "i" after its first character ("Fail").
int FailedRows(const std::vector<QString>& results);

class CExportPass : public CBatchPass {
public:
    CExportPass(std::vector<ExportRow>& rows, EntryLookup lookup)
        : rows_(rows), lookup_(std::move(lookup)) {}

    int RowCount() const override { return static_cast<int>(rows_.size()); }
    int ErrorCount() const;

protected:
    std::optional<BatchRequest> Prepare(int row) override;
    void TakeValue(int row, std::uint32_t value) override;
    void TakeAbort(int row, std::uint32_t code) override;
    void TakeNoReply(int row) override;
    void ClearRow(int row) override;
    QString FinishText() const override;

private:
    std::vector<ExportRow>& rows_;
    EntryLookup lookup_;
    std::optional<CSdoInfo> entry_;  // the current row's dictionary entry
};

}  // namespace drvdata
