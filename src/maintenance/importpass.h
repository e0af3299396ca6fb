#pragma once
// The import's write pass: every row's load value is written into the drive and the value the
// drive reports back is compared with it ("True", "Alarm", or "Fail" for a refused write).
// The same pass with reads instead of writes shows what an import would change.
#include <vector>

#include "maintenance/batchpass.h"
#include "maintenance/drvdatafile.h"
#include "maintenance/itemcode.h"

namespace drvdata {

struct ImportRow {
    int line = 0;
    QString codeText;
    QString loadValue;
    QString readValue;
    QString result;
    QString name;
};

std::vector<ImportRow> ImportRows(const std::vector<DataFileRow>& fileRows,
                                  const EntryLookup& lookup);
// The result log's lines: code, load value, read value, result, name.
QStringList ResultLogLines(const std::vector<ImportRow>& rows);

class CImportPass : public CBatchPass {
public:
    enum class Mode { Write, Compare };

    CImportPass(std::vector<ImportRow>& rows, EntryLookup lookup, Mode mode = Mode::Write)
        : rows_(rows), lookup_(std::move(lookup)), mode_(mode) {}

    int RowCount() const override { return static_cast<int>(rows_.size()); }
    int ErrorCount() const;
    int AlarmCount() const;

protected:
    std::optional<BatchRequest> Prepare(int row) override;
    void TakeValue(int row, std::uint32_t value) override;
    void TakeAbort(int row, std::uint32_t code) override;
    void TakeNoReply(int row) override;
    void ClearRow(int row) override;
    QString FinishText() const override;

private:
    static void Fail(ImportRow& row, const QString& reason);

    std::vector<ImportRow>& rows_;
    EntryLookup lookup_;
    Mode mode_;
    std::optional<CSdoInfo> entry_;  // the current row's dictionary entry
    int width_ = 0;                  // the current row's width from its item code
};

}  // namespace drvdata
