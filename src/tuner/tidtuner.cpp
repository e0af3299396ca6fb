#include "tuner/tidtuner.h"

#include <QVBoxLayout>

#include "app/global.h"
#include "tuner/tiddlg.h"
#include "tuner/tidparam.h"

using namespace platform;

CTIDtuner::CTIDtuner(CGlobal& g, QWidget* parent)
    : CPageView(parent), g_(g), dialog_(new CTIDDlg(g, Handle(), this)) {
    setObjectName(QStringLiteral("CTIDtuner"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(dialog_);
}

void CTIDtuner::OnInitialUpdate() {
    dialog_->StartParameterChain();
}

LResult CTIDtuner::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    auto key = static_cast<std::int32_t>(lParam);
    switch (msg) {
        case WM_LINK_VALUE:
            dialog_->OnLinkValue(static_cast<std::uint32_t>(wParam), key);
            return 1;
        case WM_LINK_ABORT:
            dialog_->OnLinkAbort(key);
            return 1;
        case WM_PAGE_NOTIFY:
            if (wParam == PN_CLOSING)
                dialog_->OnClosing();
            else
                dialog_->StartParameterChain();  // a chain the closed link held back
            return 1;
        case kTunerPageMessage:
            dialog_->OnPageMessage(wParam, lParam);
            return 1;
        default:
            return 0;
    }
}
