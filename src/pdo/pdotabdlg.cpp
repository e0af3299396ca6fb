#include "pdo/pdotabdlg.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "pages/drvpanelf002.h"

namespace {
constexpr int kTabWidth = 600;
constexpr int kTabHeight = 400;
}  // namespace

const PdoDialogConfig& TransmitPdoDialog() {
    static const PdoDialogConfig config{"CTPDO_Dlg", "TPDO", 30};
    return config;
}

const PdoDialogConfig& ReceivePdoDialog() {
    static const PdoDialogConfig config{"CRPDO_Dlg", "RPDO", 22};
    return config;
}

CPdoTabDlg::CPdoTabDlg(CGlobal& g, const PdoDialogConfig& config, QWidget* parent)
    : QWidget(parent), g_(g), config_(config), tabs_(new QTabWidget(this)) {
    setObjectName(config.className);
    tabs_->setObjectName("1230");
    for (int n = 0; n < kTabs; ++n) {
        auto* holder = new QWidget;
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        tabs_->addTab(holder, QStringLiteral("%1%2").arg(config.prefix).arg(n + 1));
    }
    tabs_->setFixedSize(kTabWidth, kTabHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    layout->addStretch();
    ShowTabPage(0);
    tabs_->setCurrentIndex(0);
    // QTabWidget hides the other tabs' pages itself.
    connect(tabs_, &QTabWidget::currentChanged, this, &CPdoTabDlg::ShowTabPage);
}

void CPdoTabDlg::ShowTabPage(int n) {
    if (n < 0 || n >= kTabs)
        return;
    if (pages_[n]) {
        pages_[n]->show();
        return;
    }
    CurrentListPage() = {QStringLiteral("%1%2").arg(config_.prefix).arg(n + 1),
                         config_.firstPageNumber + n};
    QWidget* holder = tabs_->widget(n);
    auto* page = new CDrvPanelF002(g_, holder);
    holder->layout()->addWidget(page);
    pages_[n] = page;
    page->OnInitialUpdate();
    page->show();
}

void CPdoTabDlg::NotifyTabPages(int code) {
    for (CDrvPanelF002* page : pages_)
        if (page)
            platform::SendMessage(page->Handle(), platform::WM_PAGE_NOTIFY, code, 0);
}
