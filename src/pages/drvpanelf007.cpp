#include "pages/drvpanelf007.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/global.h"
#include "dictionary/sdocommand.h"

using namespace platform;

namespace {
enum Column { TimeColumn, IdColumn, ErrorColumn };
}

CDrvPanelF007::CDrvPanelF007(CGlobal& g, QWidget* parent)
    : CPageView(parent), g_(g), list_(new QTableWidget(0, 3, this)) {
    setObjectName("CDrvPanelF007");
    list_->setObjectName("1138");
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("time"), QStringLiteral("id"), QStringLiteral("error")});
    list_->setColumnWidth(IdColumn, 50);
    list_->setColumnWidth(ErrorColumn, 120);
    list_->horizontalHeader()->setSectionResizeMode(TimeColumn, QHeaderView::ResizeToContents);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setMouseTracking(true);  // hover tracking
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
}

LResult CDrvPanelF007::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    switch (msg) {
        case WM_LINK_VALUE:
            OnLinkValue(static_cast<std::uint32_t>(wParam), static_cast<std::int32_t>(lParam));
            return 1;
        case WM_PAGE_NOTIFY:
            if (wParam == PN_BROUGHT_UP) {
                Clear();
                StartReading();
                active = 1;
            } else if (wParam == PN_CLOSING) {
                active = 0;
            } else if (wParam == PN_LINK_CONFIRMED && active) {
                Clear();
                if (g_.online == 1)
                    StartReading();
            }
            return 1;
        default:
            return 0;
    }
}

void CDrvPanelF007::Clear() {
    list_->setRowCount(0);
    entries_.clear();
    nextKey = 0;
}

void CDrvPanelF007::StartReading() {
    entry = 0;
    ReadNext(errors::HistoryTimeKey(0));
}

void CDrvPanelF007::ReadNext(std::int32_t key) {
    nextKey = key;
    g_.link.Request(Handle(), sdo::Read, key, 0);
}

void CDrvPanelF007::OnLinkValue(std::uint32_t value, std::int32_t key) {
    // Only the awaited object counts: a late answer of an earlier round is dropped.
    if (key == 0 || key != nextKey)
        return;
    if (key == errors::HistoryTimeKey(entry)) {
        entryTime = value;
        ReadNext(errors::HistoryCodeKey(entry));
        return;
    }
    errors::HistoryEntry e{entry, value, entryTime};
    entries_.push_back(e);
    InsertRow(std::min(entry, list_->rowCount()), e);
    if (entry + 1 < errors::kHistoryEntries) {
        ++entry;
        ReadNext(errors::HistoryTimeKey(entry));
        return;
    }
    nextKey = 0;
    ShowSorted();
}

void CDrvPanelF007::InsertRow(int row, const errors::HistoryEntry& e) {
    list_->insertRow(row);
    // The time object is unsigned: shown as such, a long running time never turns negative.
    list_->setItem(row, TimeColumn, new QTableWidgetItem(QString::asprintf("%u", e.time)));
    list_->setItem(row, IdColumn, new QTableWidgetItem(QString::asprintf("%x", e.number)));
    list_->setItem(row, ErrorColumn, new QTableWidgetItem(errors::PanelErrorText(e.code)));
}

void CDrvPanelF007::ShowSorted() {
    errors::SortNewestFirst(entries_);
    list_->setRowCount(0);
    for (int r = 0; r < int(entries_.size()); ++r) InsertRow(r, entries_[r]);
}
