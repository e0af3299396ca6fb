#include "maintenance/batchpage.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/global.h"
#include "platform/msgbox.h"

using namespace platform;

namespace {
constexpr int kWatchMs = 200;
}

CBatchPage::CBatchPage(CGlobal& g, QWidget* parent)
    : CPageView(parent),
      g_(g),
      status_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("取消"), this)) {
    status_->setObjectName("status");
    progress_->setObjectName("progress");
    progress_->setFormat(QStringLiteral("%v / %m"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(false);  // no count before the first pass
    cancel_->setObjectName("cancel");
    cancel_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, &CBatchPage::OnCancel);
    watchdog_.setInterval(kWatchMs);
    connect(&watchdog_, &QTimer::timeout, this, &CBatchPage::CheckReply);
}

void CBatchPage::LayOutPage(QWidget* list, QBoxLayout* buttons) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(BuildProgressRow());
    layout->addLayout(buttons);
}

QWidget* CBatchPage::BuildProgressRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_, 3);
    layout->addWidget(progress_, 2);
    layout->addWidget(cancel_);
    return row;
}

QPushButton* CBatchPage::AddButton(QBoxLayout* layout, const char* objectName,
                                   const QString& caption, std::function<void()> action) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, std::move(action));
    layout->addWidget(button);
    return button;
}

void CBatchPage::SetStatus(const QString& text) {
    status_->setText(text);
}

void CBatchPage::TakeLink() {
    g_.exclusiveMode = 1;
    g_.exclusiveOwner = Handle();
}

// Gives up this page's hold only; another batch page may own the link by now.
void CBatchPage::ReleaseLink() {
    WindowHandle self = Handle();
    if (g_.exclusiveOwner.compare_exchange_strong(self, 0))
        g_.exclusiveMode = 0;
}

bool CBatchPage::LinkOpen() {
    if (g_.online == 1)
        return true;
    MessageBox(QStringLiteral("Comm port isn't Open!"));
    return false;
}

void CBatchPage::Send(const drvdata::BatchRequest& request) {
    awaiting_ = true;
    awaitedKey_ = request.key;
    sentAt_.start();
    watchdog_.start();
    g_.link.Request(Handle(), request.command, request.key, request.data);
}

void CBatchPage::StartPass(drvdata::CBatchPass& pass) {
    TakeLink();
    pass_ = &pass;
    pass.rowChanged = [this](int row) { RowChanged(row); };
    progress_->setRange(0, std::max(1, pass.RowCount()));
    progress_->setValue(0);
    progress_->setTextVisible(true);
    SetIdle(false);
    cancel_->setEnabled(true);
    Continue(pass.Start());
}

void CBatchPage::Continue(std::optional<drvdata::BatchRequest> next) {
    progress_->setValue(pass_->RowsDone());
    if (next)
        Send(*next);
    else if (!pass_->Running())
        EndPass();
}

void CBatchPage::EndPass() {
    awaiting_ = false;
    watchdog_.stop();
    cancel_->setEnabled(false);
    progress_->setValue(pass_->RowsDone());
    SetIdle(true);
    PassEnded(*pass_);
}

void CBatchPage::OnCancel() {
    if (!PassRunning())
        return;
    pass_->Cancel();
    cancel_->setEnabled(false);
}

// Ends the wait when the link went down or the reply is overdue.
void CBatchPage::CheckReply() {
    if (!awaiting_) {
        watchdog_.stop();
        return;
    }
    const bool linkLost = g_.online != 1;
    if (!linkLost && sentAt_.elapsed() < kReplyTimeoutMs)
        return;
    awaiting_ = false;
    watchdog_.stop();
    if (!PassRunning()) {
        OtherNoReply();
    } else if (linkLost) {
        pass_->LinkLost();
        EndPass();
    } else {
        Continue(pass_->OnNoReply());
    }
}

LResult CBatchPage::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    const auto key = static_cast<std::int32_t>(lParam);
    const auto value = static_cast<std::uint32_t>(wParam);
    switch (msg) {
        case WM_LINK_VALUE:
        case WM_LINK_ABORT:
            if (awaiting_ && key == awaitedKey_)
                awaiting_ = false;
            if (!PassRunning())
                OtherReply(msg, key, value);
            else if (msg == WM_LINK_VALUE)
                Continue(pass_->OnValue(key, value));
            else
                Continue(pass_->OnAbort(key, value));
            return 1;
        case WM_PAGE_NOTIFY:
            OnPageNotify(static_cast<int>(wParam));
            return 1;
        default:
            return 0;
    }
}

void CBatchPage::OtherReply(unsigned, std::int32_t, std::uint32_t) {}

void CBatchPage::OtherNoReply() {}

void CBatchPage::OnPageNotify(int code) {
    if (code == PN_BROUGHT_UP) {
        TakeLink();
    } else if (code == PN_CLOSING) {
        if (PassRunning())
            pass_->Cancel();
        ReleaseLink();
        g_.pollingEnabled = 1;
    }
}
