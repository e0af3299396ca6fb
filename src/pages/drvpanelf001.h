#pragma once
// Drive panel F001: the quantity the drive's monitor selector (0x2FF0:04) points at, chosen
// from the list file F001.ini, and its live value (signed where the object is).
#include <cstdint>
#include <vector>

#include "app/pageview.h"
#include "pages/monitorlist.h"

class CGlobal;
class QComboBox;
class QLabel;

class CDrvPanelF001 : public CPageView {
    Q_OBJECT
public:
    static constexpr int kPageNumber = 39;

    explicit CDrvPanelF001(CGlobal& g, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    QComboBox* Choices() const { return choices_; }
    QLabel* ValueText() const { return value_; }

    std::uint32_t selectedEntry = 0;  // the chosen entry's raw value, 0 = none
    monitor::SignedDisplay display;
    int pageActive = 0;

private:
    void OnSelectorValue(std::uint32_t value);
    void OnChoice(int item);
    void OnPageNotify(int code);
    int ItemOfEntry(int entry) const;
    std::int32_t ChosenKey() const { return static_cast<std::int32_t>(selectedEntry >> 8); }

    CGlobal& g_;
    QComboBox* choices_;
    QLabel* value_;
    std::vector<monitor::Choice> list_;
};
