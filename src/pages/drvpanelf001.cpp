#include "pages/drvpanelf001.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/global.h"
#include "dictionary/sdocommand.h"
#include "pages/projectrows.h"

using namespace platform;

CDrvPanelF001::CDrvPanelF001(CGlobal& g, QWidget* parent)
    : CPageView(parent), g_(g), choices_(new QComboBox(this)), value_(new QLabel(this)) {
    setObjectName("CDrvPanelF001");
    choices_->setObjectName("1137");
    value_->setObjectName("1055");
    value_->setFrameShape(QFrame::Panel);
    value_->setFrameShadow(QFrame::Sunken);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont big = value_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    value_->setFont(big);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choices_);
    layout->addWidget(value_);
    layout->addStretch();
    connect(choices_, &QComboBox::activated, this, &CDrvPanelF001::OnChoice);
}

void CDrvPanelF001::OnInitialUpdate() {
    list_ = monitor::ReadChoices(monitor::ListPath(g_.SysFolder()), g_.dictionary);
    for (const monitor::Choice& c : list_) choices_->addItem(c.text);
    choices_->setCurrentIndex(-1);
    value_->setText(QStringLiteral("Value..."));
    pageActive = 1;
    g_.link.Request(Handle(), sdo::Read, monitor::kSelectorKey, 0);
}

LResult CDrvPanelF001::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    const auto key = static_cast<std::int32_t>(lParam);
    switch (msg) {
        case WM_LINK_VALUE:
            if (key == monitor::kSelectorKey)
                OnSelectorValue(static_cast<std::uint32_t>(wParam));
            else if (selectedEntry != 0 && key == ChosenKey())
                value_->setText(monitor::DisplayText(display, static_cast<std::uint32_t>(wParam)));
            return 1;
        case WM_PAGE_NOTIFY:
            OnPageNotify(static_cast<int>(wParam));
            return 1;
        default:
            return 0;
    }
}

int CDrvPanelF001::ItemOfEntry(int entry) const {
    for (int i = 0; i < int(list_.size()); ++i)
        if (list_[i].entry == entry)
            return i;
    return -1;
}

void CDrvPanelF001::OnSelectorValue(std::uint32_t value) {
    const int entry = static_cast<int>(value & 0xFF);
    {
        QSignalBlocker quiet(choices_);
        choices_->setCurrentIndex(ItemOfEntry(entry));
    }
    selectedEntry = monitor::EntryValue(monitor::ListPath(g_.SysFolder()), entry);
    display = {};
    // A selector beyond the list names no object: nothing to watch or read.
    if (selectedEntry == 0)
        return;
    g_.link.AddWatch(Handle(), ChosenKey(), 1);
    g_.link.Request(Handle(), sdo::Read, ChosenKey(), 0);
    CSdoInfo entryInfo;
    if (g_.dictionary.FindByKey(ChosenKey(), entryInfo))
        display = monitor::SignedDisplayFor(entryInfo.dataType);
}

void CDrvPanelF001::OnChoice(int item) {
    g_.link.DeactivateWatches(Handle());
    if (item < 0 || item >= int(list_.size()))
        return;
    const monitor::Choice& choice = list_[item];
    if (monitor::EntryValue(monitor::ListPath(g_.SysFolder()), choice.entry) == 0)
        return;
    g_.link.Request(Handle(), sdo::Write1, monitor::kSelectorKey, choice.entry);
    if (!g_.link.FindWatch(Handle(), choice.key))
        g_.link.AddWatch(Handle(), choice.key, 1);
    else
        g_.link.ActivateWatchKey(choice.key);
}

void CDrvPanelF001::OnPageNotify(int code) {
    switch (code) {
        case PN_BROUGHT_UP:
            if (selectedEntry != 0)
                g_.link.ActivateWatchKey(ChosenKey());
            pageActive = 1;
            return;
        case PN_CLOSING:
            g_.link.DeactivateWatches(Handle());
            pageActive = 0;
            return;
        case PN_LINK_CONFIRMED:
            g_.link.Request(Handle(), sdo::Read, monitor::kSelectorKey, 0);
            return;
        case PN_PROJECT_SAVING:
            StorePagePlacement(g_, kPageNumber, this, pageActive);
            return;
        default:
            return;
    }
}
