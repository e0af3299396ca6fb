#pragma once
// The serial link page: port, baud rate and drive address, and the toggle that opens or
// closes the link.
#include <QTimer>

#include "comm/linkpagecommon.h"

class QComboBox;

class CCommRs232 : public CLinkPage {
    Q_OBJECT
public:
    explicit CCommRs232(CGlobal& global, QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Controls, named by their control ids for the tests.
    QComboBox* portList() const { return port_; }  // 1000
    QComboBox* baudList() const { return baud_; }  // 1001

    // Fills the port list again, keeping the selected port.
    void FillPortList();

private:
    void BuildControls();
    void LoadSettings();
    void OnSelectionChange();
    bool SettingsChosen() const override;
    void OpenLink(int address) override;
    void SaveSettings() override;
    void SetIconFromOnline() override;

    QComboBox* port_ = nullptr;
    QComboBox* baud_ = nullptr;
    QTimer refresh_;
    QString rememberedPort_;   // last port selection, to notice real changes
    int rememberedBaud_ = -1;  // last baud selection
};
