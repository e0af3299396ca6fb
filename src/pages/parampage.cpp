#include "pages/parampage.h"

#include <QVBoxLayout>

#include "app/global.h"
#include "app/projectfile.h"
#include "pages/combolistctrl.h"
#include "pages/gridmenu.h"
#include "pages/projectrows.h"
#include "pages/rowhelpers.h"
#include "platform/codepage.h"

using namespace platform;

CParamPage::CParamPage(CGlobal& g, const ParamPageConfig& config, QWidget* parent)
    : CPageView(parent), g_(g), config_(config), grid_(new CComboListCtrl(this)) {
    setObjectName(config.className);
    grid_->setObjectName(QStringLiteral("grid%1").arg(config.gridControl));
    grid_->SetOwner(Handle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    setFocusProxy(grid_);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        OnGridCommand(TrackGridMenu(*grid_, this, grid_->viewport()->mapToGlobal(p)));
    });
}

void CParamPage::OnInitialUpdate() {
    if (config_.driverProperty)
        SetupDriverPropertyColumns();
    else
        SetupObjectColumns(g_, *grid_);
    BecomeActivePage();
    bool useProject = !config_.skipProjectList && !config_.driverProperty && !config_.placementOnly;
    if (useProject && ProjectOpenStamp() != projectStamp)
        LoadPageList(g_, *grid_, config_.pageNumber, Handle());
    if (grid_->GetItemCount() == 0 || config_.driverProperty)
        LoadPageObjects(g_, *grid_, config_.pageName, Handle());
    pageActive = 1;
    StartSequentialRead();
}

void CParamPage::SetupDriverPropertyColumns() {
    bool dpi96 = g_.screenDpi == 96;
    grid_->InsertColumn(grid::Label, QString(), 50);
    grid_->InsertColumn(grid::Key, QStringLiteral("ID"), 0);
    grid_->InsertColumn(grid::Name, g_.columnTitles[0], dpi96 ? 150 : 200);
    grid_->InsertColumn(grid::DataType, QStringLiteral("DataType"), 0);
    grid_->InsertColumn(grid::Value, g_.columnTitles[1], dpi96 ? 260 : 320);
    grid_->InsertColumn(grid::Attribute, QStringLiteral("Attribute"), 0);
    grid_->InsertColumn(grid::Unit, g_.columnTitles[2], dpi96 ? 80 : 90);
    for (int c : {grid::Label, grid::Key, grid::Name}) grid_->SetReadOnlyColumn(c, true);
    grid_->SetDropDownColumn(grid::Unit, true);
    grid_->SetProtectedRowColouring(true);
    BindUnitLookup(g_, *grid_);
}

void CParamPage::BecomeActivePage() {
    g_.activePage = Handle();
}

void CParamPage::StartSequentialRead() {
    readCursor = 1;
    ReadNextRow();
}

void CParamPage::ReadNextRow() {
    if (grid_->GetItemCount() < readCursor) {
        readCursor = 0;
        return;
    }
    g_.link.Request(Handle(), sdo::Read, grid_->RowKey(readCursor - 1), 0);
    ++readCursor;
}

void CParamPage::ContinueSequentialRead() {
    if (readCursor != 0)
        ReadNextRow();
}

LResult CParamPage::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    auto key = static_cast<std::int32_t>(lParam);
    switch (msg) {
        case WM_LINK_VALUE:
            OnLinkValue(static_cast<std::uint32_t>(wParam), key);
            return 1;
        case WM_LINK_ABORT:
            OnLinkAbort(static_cast<std::uint32_t>(wParam), key);
            return 1;
        case WM_LINK_SEGMENT:
            if (config_.driverProperty)
                OnLinkSegment(key);
            return 1;
        case WM_PAGE_NOTIFY:
            OnPageNotify(static_cast<int>(wParam));
            return 1;
        case WM_ADD_OBJECT:
            OnAddObject(key);
            return 1;
        case WM_CELL_CHANGED:
            OnCellChanged(static_cast<int>(wParam), static_cast<int>(lParam));
            return 1;
        default:
            return 0;
    }
}

void CParamPage::OnLinkValue(std::uint32_t value, std::int32_t key) {
    BecomeActivePage();
    QString typeName;
    int row = -1;
    QString unitText = FindObjectRow(grid_, key, typeName, row);
    if (config_.driverProperty && row >= 0 &&
        typeName.toUpper() == QLatin1String("VISIBLE STRING")) {
        segmentText.clear();
        segmentCommand = sdo::SegmentEven;
        g_.link.Request(Handle(), segmentCommand, key, 0);
        return;  // the read continues once the last segment is in
    }
    double number = 0;
    // A type that cannot be made a number (a string on an ordinary page, a key not on the
    // page) leaves the value cell as it is; the read still moves on.
    if (CNumbers::RawToNumber(typeName, value, number)) {
        QString formula;
        int handled = 0;
        if (!g_.ConvertReadValue(Handle(), key, unitText, number, formula, handled))
            return;  // a formula waiting for another object re-reads this one later
        if (row >= 0)
            grid_->SetItemText(row, grid::Value,
                               g_.FormatValue(unitText, typeName, formula, number));
    }
    ContinueSequentialRead();
}

void CParamPage::OnLinkAbort(std::uint32_t code, std::int32_t key) {
    BecomeActivePage();
    QString typeName;
    int row = -1;
    FindObjectRow(grid_, key, typeName, row);
    if (row >= 0)
        grid_->SetValueAbort(row, code);
    ContinueSequentialRead();
}

void CParamPage::OnLinkSegment(std::int32_t key) {
    const std::uint8_t* data = nullptr;
    std::uint8_t count = 0;
    g_.link.GetSegment(data, count);
    int n = data ? std::min<int>(count, 7) : 0;
    QByteArray bytes(reinterpret_cast<const char*>(data), n);
    int end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    segmentText += platform::Cp936ToUnicode(bytes);
    if (n == 7) {
        segmentCommand = sdo::NextSegment(segmentCommand);
        g_.link.Request(Handle(), segmentCommand, key, 0);
        return;
    }
    QString typeName;
    int row = -1;
    FindObjectRow(grid_, key, typeName, row);
    if (row >= 0)
        grid_->SetItemText(row, grid::Value, segmentText);
    ContinueSequentialRead();
}

void CParamPage::OnPageNotify(int code) {
    switch (code) {
        case PN_BROUGHT_UP:
        case PN_LINK_CONFIRMED:
            if (code == PN_LINK_CONFIRMED && !pageActive)
                return;
            if (g_.online == 1) {
                BecomeActivePage();
                StartSequentialRead();
            } else {
                readCursor = 0;
            }
            if (code == PN_BROUGHT_UP) {
                g_.link.ActivateWatches(Handle());
                pageActive = 1;
            }
            return;
        case PN_CLOSING:
            readCursor = 0;
            pageActive = 0;
            g_.link.DeactivateWatches(Handle());
            return;
        case PN_PROJECT_SAVING:
            StoreProject();
            return;
        default:
            return;
    }
}

void CParamPage::StoreProject() {
    if (!config_.driverProperty && !config_.placementOnly)
        StorePageList(g_, *grid_, config_.pageNumber);
    StorePagePlacement(g_, config_.pageNumber, this, pageActive);
}

void CParamPage::OnAddObject(std::int32_t key) {
    int row = grid_->GetItemCount();
    int focused = grid_->FocusedRow();
    if (focused >= 0 && grid_->IsSelected(focused))
        row = focused;
    grid_->DeselectAll();
    AddObjectRow(g_, *grid_, key, row, Handle(), false);
}

void CParamPage::OnCellChanged(int row, int column) {
    if (column == grid::Value)
        CommitRowValue(g_, Handle(), *grid_, row);
    else if (column == grid::Unit && g_.online == 1)
        g_.link.Request(Handle(), sdo::Read, grid_->RowKey(row), 0);
}

void CParamPage::OnGridCommand(int command) {
    switch (command) {
        case ID_GRID_ADD:
            g_.pickRequester = Handle();
            BecomeActivePage();
            SendMessage(g_.mainWindow, WM_LINK_PAGE, 2, 0);
            return;
        case ID_GRID_DEL:
            if (config_.keepLabelsOnDelete) {
                for (auto rows = grid_->SelectedRows(); !rows.empty(); rows = grid_->SelectedRows())
                    grid_->DeleteItem(rows.front());
            } else {
                DeleteSelectedRows(*grid_);
            }
            return;
        case ID_GRID_HELP:
            HelpOnFocusedRow(g_, *grid_);
            return;
        default:
            return;
    }
}
