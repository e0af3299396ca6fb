#include "maintenance/errorgroup.h"

#include <QVBoxLayout>

#include "app/global.h"
#include "dictionary/sdocommand.h"
#include "maintenance/errorcodes.h"
#include "pages/combolistctrl.h"
#include "pages/gridmenu.h"
#include "pages/projectrows.h"
#include "pages/rowhelpers.h"

using namespace platform;

CErrorGroup::CErrorGroup(CGlobal& g, QWidget* parent)
    : CPageView(parent), g_(g), grid_(new CComboListCtrl(this)) {
    setObjectName("CErrorGroup");
    grid_->setObjectName("grid1138");
    grid_->SetOwner(Handle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    setFocusProxy(grid_);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        OnGridCommand(TrackGridMenu(*grid_, this, grid_->viewport()->mapToGlobal(p)));
    });
}

void CErrorGroup::OnInitialUpdate() {
    SetupObjectColumns(g_, *grid_);
    LoadPageObjects(g_, *grid_, QString::fromLatin1(kPageName), Handle());
    active = 1;
    StartRead();
    ContinueRead();
}

void CErrorGroup::StartRead() {
    readPosition = g_.online == 1 ? 1 : 0;
}

void CErrorGroup::ContinueRead() {
    if (readPosition == 0)
        return;
    if (readPosition > grid_->GetItemCount()) {
        readPosition = 0;
        return;
    }
    std::int32_t key = grid_->RowKey(readPosition - 1);
    g_.link.Request(Handle(), sdo::Read, key, 0);
    ++readPosition;
}

LResult CErrorGroup::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    auto key = static_cast<std::int32_t>(lParam);
    switch (msg) {
        case WM_LINK_VALUE:
            ShowValue(static_cast<std::uint32_t>(wParam), key);
            ContinueRead();
            return 1;
        case WM_LINK_ABORT:
            // A refused entry must not hold up the rows after it.
            ShowRefused(static_cast<std::uint32_t>(wParam), key);
            ContinueRead();
            return 1;
        case WM_PAGE_NOTIFY:
            OnPageNotify(static_cast<int>(wParam));
            return 1;
        case WM_CELL_CHANGED:
            // A new unit shows once the entry is read again; values are not written here.
            if (lParam == grid::Unit && g_.online == 1)
                g_.link.Request(Handle(), sdo::Read, grid_->RowKey(int(wParam)), 0);
            return 1;
        default:
            return 0;
    }
}

void CErrorGroup::ShowValue(std::uint32_t raw, std::int32_t key) {
    QString typeName;
    int row = -1;
    QString unitText = FindObjectRow(grid_, key, typeName, row);
    QString text;
    if (row >= 0 && errors::FormatErrorRowValue(g_, Handle(), key, unitText, typeName, raw, text))
        grid_->SetItemText(row, grid::Value, text);
}

void CErrorGroup::ShowRefused(std::uint32_t code, std::int32_t key) {
    QString typeName;
    int row = -1;
    FindObjectRow(grid_, key, typeName, row);
    if (row >= 0)
        grid_->SetValueAbort(row, code);
}

void CErrorGroup::OnPageNotify(int code) {
    switch (code) {
        case PN_BROUGHT_UP:
            StartRead();
            ContinueRead();
            g_.link.ActivateWatches(Handle());
            active = 1;
            return;
        case PN_CLOSING:
            readPosition = 0;
            active = 0;
            g_.link.DeactivateWatches(Handle());
            return;
        case PN_LINK_CONFIRMED:
            if (active) {
                StartRead();
                ContinueRead();
            }
            return;
        case PN_PROJECT_SAVING:
            StorePagePlacement(g_, kPageNumber, this, active);
            return;
        default:
            return;
    }
}

void CErrorGroup::OnGridCommand(int command) {
    // The menu offers "add" and "del" too; on this page only "help" acts.
    if (command == ID_GRID_HELP)
        HelpOnFocusedRow(g_, *grid_);
}
