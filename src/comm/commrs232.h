#pragma once
// The serial link page: port, baud rate and drive address, and the toggle that opens or
// closes the link.
#include <QTimer>

#include "app/pageview.h"

class CGlobal;
class QComboBox;
class QLineEdit;
class QPushButton;

class CCommRs232 : public CPageView {
    Q_OBJECT
public:
    explicit CCommRs232(CGlobal& global, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

    // Controls, named by their control ids for the tests.
    QComboBox* portList() const { return port_; }          // 1000
    QComboBox* baudList() const { return baud_; }          // 1001
    QLineEdit* addressEdit() const { return address_; }    // 1002
    QPushButton* toggleButton() const { return toggle_; }  // 1006

    // Fills the port list again, keeping the selected port.
    void FillPortList();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildControls();
    void LoadSettings();
    void SaveSettings();
    void OnSelectionChange();
    void OnToggle();
    void OpenLink(int address);
    void ReportDown();
    void SetIconFromOnline();

    CGlobal& global_;
    QComboBox* port_ = nullptr;
    QComboBox* baud_ = nullptr;
    QLineEdit* address_ = nullptr;
    QPushButton* toggle_ = nullptr;
    QTimer refresh_;
    QString rememberedPort_;   // last port selection, to notice real changes
    int rememberedBaud_ = -1;  // last baud selection
};
