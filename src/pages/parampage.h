#pragma once
// A parameter page: one group of drive objects in a parameter grid, read from the drive row by
// row, refreshed while live and written when the user commits a value. The seventeen pages are
// this class configured by a row of the page table.
#include <QString>
#include <cstdint>

#include "app/pageview.h"
#include "dictionary/sdocommand.h"
#include "pages/pagetable.h"

class CGlobal;
class CComboListCtrl;

class CParamPage : public CPageView {
    Q_OBJECT
public:
    CParamPage(CGlobal& g, const ParamPageConfig& config, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;
    // Commands of menu 130.
    void OnGridCommand(int command);

    CComboListCtrl& Grid() { return *grid_; }
    const ParamPageConfig& Config() const { return config_; }

    int readCursor = 0;
    int pageActive = 0;
    QString projectStamp;
    QString segmentText;
    std::uint8_t segmentCommand = sdo::SegmentEven;

private:
    void SetupDriverPropertyColumns();
    void StartSequentialRead();
    void ReadNextRow();
    void ContinueSequentialRead();
    void OnLinkValue(std::uint32_t value, std::int32_t key);
    void OnLinkAbort(std::uint32_t code, std::int32_t key);
    void OnLinkSegment(std::int32_t key);
    void OnPageNotify(int code);
    void OnAddObject(std::int32_t key);
    void OnCellChanged(int row, int column);
    void StoreProject();
    void BecomeActivePage();

    CGlobal& g_;
    const ParamPageConfig& config_;
    CComboListCtrl* grid_;
};
