#pragma once
// Drive panel F007: the drive's eight stored errors with their times, newest first.
#include <cstdint>
#include <vector>

#include "app/pageview.h"
#include "maintenance/errorcodes.h"

class CGlobal;
class QTableWidget;

class CDrvPanelF007 : public CPageView {
    Q_OBJECT
public:
    explicit CDrvPanelF007(CGlobal& g, QWidget* parent = nullptr);

    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    QTableWidget* List() const { return list_; }

    int entry = 0;  // the entry being read, 0 to 7
    std::uint32_t entryTime = 0;
    std::int32_t nextKey = 0;  // the object read next; 0 = not reading
    int active = 0;

private:
    void StartReading();
    void ReadNext(std::int32_t key);
    void OnLinkValue(std::uint32_t value, std::int32_t key);
    void InsertRow(int row, const errors::HistoryEntry& e);
    void ShowSorted();
    void Clear();

    CGlobal& g_;
    QTableWidget* list_;
    std::vector<errors::HistoryEntry> entries_;
};
