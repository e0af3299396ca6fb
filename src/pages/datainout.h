#pragma once
// The digital I/O page: per input the function text, simulation and polarity switches and
// the actual-level and virtual-state lamps; per output the function text, switches and level
// lamp. Values live in the drive objects of index 0x2010; a switch or a chosen function set
// is written at once.
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

#include "app/pageview.h"
#include "pages/iofunctions.h"

class CGlobal;
class CDataInOutList;
class CUserToolTip;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class CDataInOut : public CPageView {
    Q_OBJECT
public:
    static constexpr int kPageNumber = 6;

    explicit CDataInOut(CGlobal& g, QWidget* parent = nullptr);
    ~CDataInOut() override;

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    QLineEdit* FunctionBox(int set) const { return functionBoxes_[set]; }
    QPushButton* MoreButton(int set) const { return moreButtons_[set]; }
    QPushButton* SwitchButton(int word, int bit) const { return switches_[word][bit]; }
    // Lamps of the level words 0x20100A, 0x20100B and 0x201014; null for other keys.
    QLabel* Lamp(std::int32_t levelKey, int bit) const;
    const QStringList& FunctionTip(int set) const { return functionTips_[set]; }
    CDataInOutList* ListDialog(bool inputs) const { return inputs ? inputList_ : outputList_; }
    CUserToolTip& ToolTip() { return *toolTip_; }

    int readCursor = 0;
    int pageActive = 0;
    std::uint16_t functionSets[io::kFunctionSets] = {};
    std::uint16_t switchWords[io::kSwitchWords] = {};
    QString iniPath;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    // The function boxes take their own mouse moves: the tip follows them there too.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Widgets (datainoutview.cpp).
    void BuildLayout();
    QWidget* BuildInputs();
    QWidget* BuildOutputs();
    void AddFunctionCells(QGridLayout* grid, int row, int set);
    void AddSwitchCell(QGridLayout* grid, int row, int column, int word, int bit);
    QLabel* AddLampCell(QGridLayout* grid, int row, int column);

    void RegisterWatches();
    void ReadStep();
    void OnLinkValue(std::uint32_t value, std::int32_t key);
    void OnPageNotify(int code);
    void StartReading();
    void OnSwitch(int word, int bit);
    void OnMore(int set);
    void ShowSwitchWord(int word);
    void ShowLamps(std::int32_t key, std::uint16_t value);
    void ShowFunctionSet(int set, std::uint16_t value);

    CGlobal& g_;
    std::array<QLineEdit*, io::kFunctionSets> functionBoxes_{};
    std::array<QPushButton*, io::kFunctionSets> moreButtons_{};
    std::array<std::array<QPushButton*, io::kInputs>, io::kSwitchWords> switches_{};
    std::array<QLabel*, io::kInputs> inputLamps_{};
    std::array<QLabel*, io::kInputs> virtualLamps_{};
    std::array<QLabel*, io::kOutputs> outputLamps_{};
    std::array<QStringList, io::kFunctionSets> functionTips_;
    std::unique_ptr<CUserToolTip> toolTip_;
    CDataInOutList* inputList_ = nullptr;
    CDataInOutList* outputList_ = nullptr;
};
