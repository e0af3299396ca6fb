#pragma once
// The tuner window (command 32838): a page view hosting the tuner dialog. It is the target of
// the tuner's link requests and of the parameter page's messages, and forwards both.
#include "app/pageview.h"

class CGlobal;
class CTIDDlg;

class CTIDtuner : public CPageView {
    Q_OBJECT
public:
    explicit CTIDtuner(CGlobal& g, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    CTIDDlg& Dialog() { return *dialog_; }

private:
    CGlobal& g_;
    CTIDDlg* dialog_;
};
