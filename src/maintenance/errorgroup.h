#pragma once
// The error history page: the objects of the page list "ErrorHistory" in a parameter grid,
// read one after another; the history entries' error codes are shown as the error bits they
// stand for, named by the entries' unit.
#include <cstdint>

#include "app/pageview.h"

class CGlobal;
class CComboListCtrl;

class CErrorGroup : public CPageView {
    Q_OBJECT
public:
    static constexpr int kPageNumber = 20;
    static constexpr const char* kPageName = "ErrorHistory";

    explicit CErrorGroup(CGlobal& g, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;
    void OnGridCommand(int command);

    CComboListCtrl& Grid() { return *grid_; }

    int readPosition = 0;  // row readPosition - 1 is read next; 0 = no read running
    int active = 0;

private:
    void StartRead();
    void ContinueRead();
    void ShowValue(std::uint32_t raw, std::int32_t key);
    void ShowRefused(std::uint32_t code, std::int32_t key);
    void OnPageNotify(int code);

    CGlobal& g_;
    CComboListCtrl* grid_;
};
