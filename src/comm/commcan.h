#pragma once
// The CAN link page: bit rate, adapter (Qt SerialBus plugin and interface), drive address,
// the toggle that opens or closes the link, and the adapter's version.
#include "app/pageview.h"

class CGlobal;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CCommCan : public CPageView {
    Q_OBJECT
public:
    explicit CCommCan(CGlobal& global, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

    QComboBox* rateList() const { return rate_; }  // 1213
    QComboBox* adapterList() const { return adapter_; }
    QLineEdit* addressEdit() const { return address_; }      // 1002
    QPushButton* toggleButton() const { return toggle_; }    // 1006
    QPushButton* detailsButton() const { return details_; }  // 1216
    QLabel* versionLabel() const { return version_; }        // 1212

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildControls();
    void LoadSettings();
    void SaveSettings();
    void OnRateChange();
    void OnToggle();
    void OpenLink(int address);
    void ReadVersion();
    void ShowDetails();
    void ReportDown();
    void SetIconFromOnline();

    CGlobal& global_;
    QComboBox* rate_ = nullptr;
    QComboBox* adapter_ = nullptr;
    QLineEdit* address_ = nullptr;
    QPushButton* toggle_ = nullptr;
    QPushButton* details_ = nullptr;
    QLabel* version_ = nullptr;
    int rememberedRate_ = -1;  // last rate selection, to notice real changes
    int versionRead_ = 0;
};

// The label text for a version reply: "CAN Ver" followed by the text from its last colon.
QString CanVersionLabel(const char* buffer256);
