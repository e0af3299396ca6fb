#include "pages/combolistctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QThread>
#include <algorithm>

#include "comm/abortcodes.h"
#include "pages/inplaceeditors.h"
#include "pages/repaintthrottle.h"

namespace {
bool g_enterDown = false;
bool g_linkLive = false;
std::vector<CComboListCtrl*> g_grids;  // every live grid, for link state changes

const QColor kProtectedText(34, 139, 34);
constexpr int kKeyRole = Qt::UserRole + 1;   // the row's object key, on its first cell
constexpr int kReadRole = Qt::UserRole + 2;  // on a value cell: set while the link was live
constexpr int kRepaintCoolDownMs = 30;       // values filled by a page read show at ~30 Hz

// Rows of objects that cannot be written (label with "*") are drawn in green.
class ProtectedRowDelegate : public QStyledItemDelegate {
public:
    explicit ProtectedRowDelegate(CComboListCtrl* grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == grid_->ValueColumn() && grid_->IsValueStale(index.row())) {
            const QPalette& own = grid_->palette();
            option->palette.setColor(QPalette::Text, own.color(QPalette::Disabled, QPalette::Text));
            option->palette.setColor(QPalette::HighlightedText,
                                     own.color(QPalette::Disabled, QPalette::Text));
            return;
        }
        if (!grid_->ProtectedRowColouring())
            return;
        if (grid_->GetItemText(index.row(), 0).contains('*'))
            option->palette.setColor(QPalette::Text, kProtectedText);
    }

private:
    CComboListCtrl* grid_;
};

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

void SetMember(std::vector<int>& list, int value, bool on) {
    auto it = std::find(list.begin(), list.end(), value);
    if (on && it == list.end())
        list.push_back(value);
    if (!on && it != list.end())
        list.erase(it);
}

bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
}  // namespace

CComboListCtrl::CComboListCtrl(QWidget* parent)
    : QTableView(parent),
      model_(new QStandardItemModel(this)),
      repaint_(
          new CRepaintThrottle(this, kRepaintCoolDownMs,
                               [this](int t, int l, int b, int r) { PaintCells(t, l, b, r); })),
      valueColumn_(grid::Value) {
    g_grids.push_back(this);
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setShowGrid(true);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);  // columns are not resizable
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(0);
    setItemDelegate(new ProtectedRowDelegate(this));
    installEventFilter(this);
    auto scrolled = [this](int action) {
        if (action != QAbstractSlider::SliderNoAction)
            TakeFocusForScroll();
    };
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, scrolled);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, scrolled);
}

CComboListCtrl::~CComboListCtrl() {
    g_grids.erase(std::remove(g_grids.begin(), g_grids.end(), this), g_grids.end());
    // Destroying any grid destroys both shared editors; the next use re-creates them.
    CInPlaceEdit::DestroyShared();
    CInPlaceCombo::DestroyShared();
}

void CComboListCtrl::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>& roles) {
    if (topLeft != bottomRight || !topLeft.isValid() || !isVisible()) {
        QTableView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    repaint_->CellChanged(topLeft.row(), topLeft.column());
}

// Rows may have gone meanwhile: only the cells that are still there.
void CComboListCtrl::PaintCells(int top, int left, int bottom, int right) {
    bottom = std::min(bottom, model_->rowCount() - 1);
    right = std::min(right, model_->columnCount() - 1);
    if (top > bottom || left > right)
        return;
    QTableView::dataChanged(model_->index(top, left), model_->index(bottom, right));
}

void CComboListCtrl::InsertColumn(int column, const QString& title, int width) {
    model_->insertColumn(column);
    model_->setHeaderData(column, Qt::Horizontal, title);
    if (width <= 0) {
        setColumnHidden(column, true);
    } else {
        setColumnHidden(column, false);
        setColumnWidth(column, width);
    }
}

int CComboListCtrl::GetColumnCount() const {
    return model_->columnCount();
}
int CComboListCtrl::GetItemCount() const {
    return model_->rowCount();
}

int CComboListCtrl::InsertItem(int row, const QString& label) {
    int count = model_->rowCount();
    if (row < 0 || row > count)
        row = count;
    QList<QStandardItem*> items;
    for (int c = 0; c < std::max(1, model_->columnCount()); ++c) items << new QStandardItem();
    model_->insertRow(row, items);
    SetItemText(row, 0, label);
    return row;
}

bool CComboListCtrl::DeleteItem(int row) {
    if (row < 0 || row >= model_->rowCount())
        return false;
    return model_->removeRow(row);
}

void CComboListCtrl::DeleteAllItems() {
    model_->removeRows(0, model_->rowCount());
    keyRows_.clear();
}

QString CComboListCtrl::GetItemText(int row, int column) const {
    QStandardItem* item = model_->item(row, column);
    return item ? item->text() : QString();
}

void CComboListCtrl::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= model_->rowCount() || column < 0 || column >= model_->columnCount())
        return;
    QStandardItem* item = model_->item(row, column);
    if (!item) {
        item = new QStandardItem();
        model_->setItem(row, column, item);
    }
    item->setText(text);
    if (column == valueColumn_) {
        item->setData(g_linkLive, kReadRole);
        item->setData(QVariant(), Qt::ToolTipRole);  // a refusal's reason goes with its "????"
    }
}

int CComboListCtrl::FocusedRow() const {
    QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CComboListCtrl::SetRowKey(int row, std::int32_t key) {
    QStandardItem* item = model_->item(row, 0);
    if (!item)
        return;
    item->setData(key, kKeyRole);
    if (key != 0 && FindRow(key) < 0)
        keyRows_.insert(key, QPersistentModelIndex(item->index()));
}

std::int32_t CComboListCtrl::RowKey(int row) const {
    QStandardItem* item = model_->item(row, 0);
    return item ? item->data(kKeyRole).toInt() : 0;
}

int CComboListCtrl::FindRow(std::int32_t key) const {
    if (key == 0)
        return -1;
    const QPersistentModelIndex index = keyRows_.value(key);
    if (index.isValid() && RowKey(index.row()) == key)
        return index.row();
    // The indexed row was deleted: another row may hold the key too.
    keyRows_.remove(key);
    for (int r = 0; r < model_->rowCount(); ++r) {
        if (RowKey(r) == key) {
            keyRows_.insert(key, QPersistentModelIndex(model_->index(r, 0)));
            return r;
        }
    }
    return -1;
}

bool CComboListCtrl::IsSelected(int row) const {
    return selectionModel()->isRowSelected(row, QModelIndex());
}

std::vector<int> CComboListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < model_->rowCount(); ++r)
        if (IsSelected(r))
            rows.push_back(r);
    return rows;
}

void CComboListCtrl::SelectRow(int row, bool focus) {
    if (row < 0 || row >= model_->rowCount())
        return;
    QModelIndex index = model_->index(row, 0);
    auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    if (focus)
        selectionModel()->setCurrentIndex(index, flags);
    else
        selectionModel()->select(index, flags);
}

void CComboListCtrl::DeselectAll() {
    selectionModel()->clearSelection();
}
void CComboListCtrl::UnfocusAll() {
    selectionModel()->clearCurrentIndex();
}

void CComboListCtrl::SetProtectedRowColouring(bool on) {
    colourProtected_ = on;
    viewport()->update();
}

void CComboListCtrl::SetLinkLive(bool live) {
    g_linkLive = live;
    if (!live)
        for (CComboListCtrl* grid : g_grids) grid->MarkValuesStale();
}

bool CComboListCtrl::LinkLive() {
    return g_linkLive;
}

void CComboListCtrl::SetValueColumn(int column) {
    valueColumn_ = column;
    viewport()->update();
}

bool CComboListCtrl::IsValueStale(int row) const {
    QStandardItem* item = model_->item(row, valueColumn_);
    return item && !item->data(kReadRole).toBool();
}

void CComboListCtrl::MarkValuesStale() {
    for (int r = 0; r < model_->rowCount(); ++r)
        if (QStandardItem* item = model_->item(r, valueColumn_))
            item->setData(false, kReadRole);
}

void CComboListCtrl::SetValueAbort(int row, std::uint32_t abortCode) {
    SetItemText(row, valueColumn_, QStringLiteral("????"));
    if (QStandardItem* item = model_->item(row, valueColumn_))
        item->setData(abortcodes::Describe(abortCode), Qt::ToolTipRole);
}

void CComboListCtrl::SetReadOnlyColumn(int column, bool on) {
    SetMember(readOnlyColumns, column, on);
}
void CComboListCtrl::SetDropDownColumn(int column, bool on) {
    SetMember(dropDownColumns, column, on);
}
bool CComboListCtrl::IsReadOnlyColumn(int column) const {
    return Contains(readOnlyColumns, column);
}
bool CComboListCtrl::IsDropDownColumn(int column) const {
    return Contains(dropDownColumns, column);
}

bool CComboListCtrl::HitTestCell(const QPoint& p, int& row, int& column) const {
    row = rowAt(p.y());
    column = -1;
    if (row < 0)
        return false;
    int top = rowViewportPosition(row);
    if (p.y() < top || p.y() >= top + rowHeight(row))
        return false;
    int left = -horizontalOffset();
    for (int c = 0; c < model_->columnCount(); ++c) {
        int width = isColumnHidden(c) ? 0 : columnWidth(c);
        if (p.x() >= left && p.x() <= left + width) {
            column = c;
            return true;
        }
        left += width;
    }
    return false;
}

QRect CComboListCtrl::GetCellRect(int row, int column) {
    int x = -horizontalOffset();
    for (int c = 0; c < column; ++c) x += isColumnHidden(c) ? 0 : columnWidth(c);
    int width = isColumnHidden(column) ? 0 : columnWidth(column);
    int right = viewport()->width();
    int scroll = 0;
    if (x < 0 || x > right)
        scroll = x;
    else if (x + width > right)
        scroll = x + width - right;
    if (scroll != 0) {
        QScrollBar* bar = horizontalScrollBar();
        int before = bar->value();
        bar->setValue(before + scroll);
        scroll = bar->value() - before;  // the bar may stop at its end
    }
    return QRect(x - scroll, rowViewportPosition(row), width, rowHeight(row));
}

CInPlaceEdit* CComboListCtrl::ShowInPlaceEdit(int row, int column, const QString& text) {
    bool fresh = CInPlaceEdit::Instance() == nullptr;
    CInPlaceEdit* edit = CInPlaceEdit::Create(this, GetCellRect(row, column));
    edit->row = row;
    edit->column = column;
    edit->initialText = text;
    edit->cancelled = 0;
    if (fresh) {
        edit->show();
        edit->setText(text);
        edit->selectAll();
        edit->setFocus(Qt::OtherFocusReason);
    }
    return edit;
}

CInPlaceCombo* CComboListCtrl::ShowInPlaceList(int row, int column, const QStringList& entries,
                                               const QString& text, int selection) {
    if (row < 0 || row >= model_->rowCount())
        return nullptr;
    scrollTo(model_->index(row, 0));
    if (column < 0 || column >= horizontalHeader()->count())
        return nullptr;
    CInPlaceCombo* combo = CInPlaceCombo::Create(this, GetCellRect(row, column), entries);
    combo->row = row;
    combo->column = column;
    combo->cancelled = 0;
    combo->entries = entries;
    if (selection != -1 && selection < entries.size())
        combo->initialText = entries.at(selection);
    else if (!text.isEmpty())
        combo->initialText = text;
    combo->setCurrentIndex(selection);
    return combo;
}

void CComboListCtrl::BuildUnitList(int row, QStringList& entries) const {
    entries.clear();
    UnitCells cells;
    // An object without unit cells offers "DEC" alone, never an empty list.
    if (!unitLookup_ || !unitLookup_(RowKey(row), cells) || cells.empty()) {
        entries << QStringLiteral("DEC");
        return;
    }
    bool decLast = false;
    for (const auto& [unitName, displayName] : cells) {
        if (displayName.isEmpty())
            entries << unitName;
        else if (displayName == QLatin1String("DEC"))
            decLast = true;
        else
            entries << displayName;
    }
    if (decLast)
        entries << QStringLiteral("DEC");
}

void CComboListCtrl::OpenEditorAt(int row, int column) {
    QString text = GetItemText(row, column);
    if (IsDropDownColumn(column)) {
        QStringList entries;
        BuildUnitList(row, entries);
        CInPlaceCombo* combo = ShowInPlaceList(row, column, entries, text, -1);
        if (combo)
            combo->setCurrentIndex(combo->findText(text, Qt::MatchStartsWith));
    } else if (!IsReadOnlyColumn(column) && GetItemText(row, grid::Attribute).contains('W')) {
        ShowInPlaceEdit(row, column, text);
    }
}

void CComboListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    enterCommitted = 0;
    keyNavigated = 0;
    int row = -1;
    int column = -1;
    if (!HitTestCell(event->position().toPoint(), row, column))
        return;  // dropped entirely
    QTableView::mousePressEvent(event);
    currentRow = row;
    if (row == FocusedRow())
        OpenEditorAt(row, column);
}

void CComboListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    int row = -1;
    int column = -1;
    if (event->button() == Qt::LeftButton && HitTestCell(event->position().toPoint(), row, column))
        emit rowActivated(row);
}

void CComboListCtrl::wheelEvent(QWheelEvent* event) {
    TakeFocusForScroll();
    QTableView::wheelEvent(event);
}

void CComboListCtrl::TakeFocusForScroll() {
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);  // closes an open editor
}

void CComboListCtrl::SetEnterDown(bool down) {
    g_enterDown = down;
}

bool CComboListCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        if (PreTranslateKey(watched, static_cast<QKeyEvent*>(event)))
            return true;
    return QTableView::eventFilter(watched, event);
}

bool CComboListCtrl::PreTranslateKey(QObject* target, QKeyEvent* event) {
    int key = event->key();
    if ((enterCommitted || keyNavigated) && key >= Qt::Key_0 && key <= Qt::Key_9)
        return true;
    if (!IsEnterKey(key)) {
        if (target != this || event->type() != QEvent::KeyPress)
            return false;
        if (key != Qt::Key_Up && key != Qt::Key_Down)
            return false;
        int step = key == Qt::Key_Up ? -1 : 1;
        for (int r = 0; r < model_->rowCount(); ++r)
            if (IsSelected(r) || r == FocusedRow())
                currentRow = r + step;
        enterCommitted = 0;
        keyNavigated = 1;
        return false;  // the list moves its selection as usual
    }
    if (enterCommitted && enterPhase == 2) {
        // The Enter that committed an edit: absorb it (and its repeats) with a short pause.
        if (event->type() == QEvent::KeyRelease && !event->isAutoRepeat()) {
            enterPhase = 3;
            QThread::msleep(250);
        }
        return false;
    }
    if (target != this || event->type() != QEvent::KeyPress)
        return false;
    if (currentRow == -1 || currentRow != FocusedRow())
        return false;
    keyNavigated = 0;
    enterCommitted = 0;
    OpenEditorAt(currentRow, grid::Value);
    return true;
}

void CComboListCtrl::OnEndLabelEdit(int row, int column, const QString& text) {
    if (column == grid::Value) {
        if (!g_enterDown)
            return;  // anything but Enter discards the edit
        if (currentRow < 0 || currentRow >= model_->rowCount())
            return;
        committedValue_ = QPersistentModelIndex(model_->index(currentRow, grid::Value));
        replacedValue_ = GetItemText(currentRow, grid::Value);
        SetItemText(currentRow, grid::Value, text);
        enterCommitted = 1;
        enterPhase = 2;
        SelectRow(currentRow, true);
        platform::SendMessage(owner_, platform::WM_CELL_CHANGED, currentRow, grid::Value);
        if (QWidget* parent = parentWidget()) {
            parent->setFocus(Qt::OtherFocusReason);
            parent->activateWindow();
        }
        return;
    }
    if (row < 0 || row >= model_->rowCount())
        return;
    if (text.isEmpty() || text == GetItemText(row, grid::Unit))
        return;  // unchanged, cancelled, or no choice at all
    SetItemText(row, column, text);
    platform::SendMessage(owner_, platform::WM_CELL_CHANGED, row, column);
}

void CComboListCtrl::RevertValueCommit() {
    if (committedValue_.isValid())
        SetItemText(committedValue_.row(), committedValue_.column(), replacedValue_);
}
