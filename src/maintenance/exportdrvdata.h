#pragma once
// The export page: loads an upload list, reads every listed object from the drive and saves
// the values as a data file for the import page.
#include <vector>

#include "maintenance/batchpage.h"
#include "maintenance/exportpass.h"

class CReportList;

class CExportDrvData : public CBatchPage {
    Q_OBJECT
public:
    explicit CExportDrvData(CGlobal& g, QWidget* parent = nullptr);

    CReportList& List() const { return *list_; }
    const std::vector<drvdata::ExportRow>& Rows() const { return rows_; }

    // The button actions.
    void OnLoadList();
    void OnReadData();
    void OnSaveResult();
    void OnExit();

    // Loads an upload list file; false (after the message) when it cannot be opened.
    bool LoadList(const QString& path);
    // Writes the data file for the path a save dialog returned.
    void SaveResult(const QString& chosen);

protected:
    void SetIdle(bool idle) override;
    void PassEnded(drvdata::CBatchPass& pass) override;
    void RowChanged(int row) override;

private:
    void BuildColumns();
    void ShowRows();

    CReportList* list_;
    QPushButton* load_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* exit_ = nullptr;
    std::vector<drvdata::ExportRow> rows_;
    drvdata::CExportPass pass_;
};
