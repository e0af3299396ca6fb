#include "pdo/pdohostpage.h"

#include <QVBoxLayout>

#include "app/global.h"
#include "pages/projectrows.h"
#include "pdo/pdotabdlg.h"

using namespace platform;

CPdoHostPage::CPdoHostPage(CGlobal& g, const char* className, const PdoDialogConfig& dialog,
                           int pageNumber, QWidget* parent)
    : CPageView(parent), g_(g), dialogConfig_(dialog), pageNumber_(pageNumber) {
    setObjectName(className);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
}

void CPdoHostPage::OnInitialUpdate() {
    if (!dialog_) {
        dialog_ = new CPdoTabDlg(g_, dialogConfig_, this);
        layout()->addWidget(dialog_);
    }
    dialog_->show();
    active = 1;
}

LResult CPdoHostPage::OnMessage(unsigned msg, WParam wParam, LParam) {
    if (msg != WM_PAGE_NOTIFY)
        return 0;
    OnPageNotify(static_cast<int>(wParam));
    return 1;
}

void CPdoHostPage::OnPageNotify(int code) {
    switch (code) {
        case PN_BROUGHT_UP:
            if (g_.online == 1)
                g_.activePage = Handle();
            active = 1;
            return;
        case PN_CLOSING:
            active = 0;
            return;
        case PN_LINK_CONFIRMED:
            if (active && g_.online == 1)
                g_.activePage = Handle();
            // The tab pages read again once the link is up; a tab opened offline would else
            // never show its values.
            if (dialog_)
                dialog_->NotifyTabPages(PN_LINK_CONFIRMED);
            return;
        case PN_PROJECT_SAVING:
            StorePagePlacement(g_, pageNumber_, this, active);
            return;
        default:
            return;
    }
}
