#pragma once
// The CAN link page: bit rate, adapter (Qt SerialBus plugin and interface), drive address,
// the toggle that opens or closes the link, and the adapter's version.
#include "comm/linkpagecommon.h"

class QComboBox;
class QLabel;

class CCommCan : public CLinkPage {
    Q_OBJECT
public:
    explicit CCommCan(CGlobal& global, QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    QComboBox* rateList() const { return rate_; }  // 1213
    QComboBox* adapterList() const { return adapter_; }
    QPushButton* detailsButton() const { return details_; }  // 1216
    QLabel* versionLabel() const { return version_; }        // 1212

private:
    void BuildControls();
    void LoadSettings();
    void OnRateChange();
    void ReadVersion();
    void ShowDetails();
    bool SettingsChosen() const override;
    void OpenLink(int address) override;
    void SaveSettings() override;
    void AfterToggle() override;

    QComboBox* rate_ = nullptr;
    QComboBox* adapter_ = nullptr;
    QPushButton* details_ = nullptr;
    QLabel* version_ = nullptr;
    int rememberedRate_ = -1;  // last rate selection, to notice real changes
    int versionRead_ = 0;
};

// The label text for a version reply: "CAN Ver" followed by the text from its last colon.
QString CanVersionLabel(const char* buffer256);
