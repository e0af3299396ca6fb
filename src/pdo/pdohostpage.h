#pragma once
// The pages hosting the PDO dialogs (CTagFormView for transmit, CTagFormViewRPD for receive).
#include "app/pageview.h"

class CGlobal;
class CPdoTabDlg;
struct PdoDialogConfig;

class CPdoHostPage : public CPageView {
    Q_OBJECT
public:
    // className "CTagFormView" or "CTagFormViewRPD"; pageNumber 47 or 48.
    CPdoHostPage(CGlobal& g, const char* className, const PdoDialogConfig& dialog, int pageNumber,
                 QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    CPdoTabDlg* Dialog() const { return dialog_; }
    int active = 0;

private:
    void OnPageNotify(int code);

    CGlobal& g_;
    const PdoDialogConfig& dialogConfig_;
    int pageNumber_;
    CPdoTabDlg* dialog_ = nullptr;
};
