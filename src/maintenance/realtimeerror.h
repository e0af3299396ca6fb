#pragma once
// The real-time error page: the two error status words as rows of lamps with their value in
// hexadecimal, beside the two switch words as check boxes that write the whole word back.
// Its watches stay on for the life of the program once it was opened.
#include <array>
#include <cstdint>

#include "app/pageview.h"
#include "maintenance/errorcodes.h"

class CGlobal;
class QCheckBox;
class QGroupBox;
class QLabel;

class CRealtimeError : public CPageView {
    Q_OBJECT
public:
    explicit CRealtimeError(CGlobal& g, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    // Group 0 = error status word 1 with switch word 1, group 1 = word 2 with switch word 2.
    QCheckBox* SwitchBox(int group, int bit) const { return boxes_[group][bit]; }
    QLabel* Lamp(int group, int bit) const { return lamps_[group][bit]; }
    QLabel* LampCaption(int group, int bit) const { return captions_[group][bit]; }
    QLabel* WordText(int group) const { return wordTexts_[group]; }

    std::uint16_t switchWords[2] = {0xFFFF, 0};  // the boxes of word 1 start checked
    int readStep = 0;                            // 1 to 4 while the first reads run

private:
    QGroupBox* BuildGroup(int group);
    void ReadStep();
    void OnLinkValue(std::uint32_t value, std::int32_t key);
    void ShowSwitchWord(int group);
    void ShowErrorWord(int group, std::uint16_t value);
    void OnBoxClicked(int group, int bit, bool checked);

    CGlobal& g_;
    std::array<std::array<QCheckBox*, errors::kWordBits>, 2> boxes_{};
    std::array<std::array<QLabel*, errors::kWordBits>, 2> lamps_{};
    std::array<std::array<QLabel*, errors::kWordBits>, 2> captions_{};
    std::array<QLabel*, 2> wordTexts_{};
};
