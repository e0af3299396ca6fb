#pragma once
// The import page: loads a data file, writes every value into the drive and verifies it,
// saves the result log, makes the drive store its parameters and restarts it.
#include <vector>

#include "maintenance/batchpage.h"
#include "maintenance/importpass.h"
#include "maintenance/savesteps.h"

class CReportList;

class CImportDrvData : public CBatchPage {
    Q_OBJECT
public:
    explicit CImportDrvData(CGlobal& g, QWidget* parent = nullptr);

    CReportList& List() const { return *list_; }
    const std::vector<drvdata::ImportRow>& Rows() const { return rows_; }
    bool Saving() const { return steps_.Saving(); }

    void OnLoadData();
    void OnWriteData();
    void OnSaveResult();
    void OnSaveParameters();
    void OnRestart();
    void OnExit();

    bool LoadData(const QString& path);
    void SaveResult(const QString& chosen, const QString& proposedName);
    // The proposed name of a result log: the local date and time.
    static QString ProposedLogName();

protected:
    void SetIdle(bool idle) override;
    void PassEnded(drvdata::CBatchPass& pass) override;
    void RowChanged(int row) override;
    void OtherReply(unsigned msg, std::int32_t key, std::uint32_t value) override;
    void OtherNoReply() override;
    void OnPageNotify(int code) override;

private:
    void BuildColumns();
    void ShowRows();
    void ProceedSave();
    void AfterPause(int pauseMs);

    CReportList* list_;
    QPushButton* load_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* saveParams_ = nullptr;
    QPushButton* restart_ = nullptr;
    QPushButton* exit_ = nullptr;
    std::vector<drvdata::ImportRow> rows_;
    drvdata::CImportPass pass_;
    drvdata::CSaveSteps steps_;
};
