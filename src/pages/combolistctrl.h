#pragma once
// The parameter grid: a report-style list whose value and unit cells are edited in place by a
// shared edit box and a shared drop-down list. A committed change reaches the owning page as
// WM_CELL_CHANGED (row, column), sent synchronously.
#include <QHash>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/messages.h"

class QStandardItemModel;
class CInPlaceEdit;
class CRepaintThrottle;
class CInPlaceCombo;

class CComboListCtrl : public QTableView {
    Q_OBJECT
public:
    // The unit cells (unitName, displayName) bound to an object key; false when none.
    using UnitCells = std::vector<std::pair<QString, QString>>;
    using UnitLookup = std::function<bool(int key, UnitCells& cells)>;

    explicit CComboListCtrl(QWidget* parent = nullptr);
    ~CComboListCtrl() override;

    // Report-list operations.
    void InsertColumn(int column, const QString& title, int width);
    int GetColumnCount() const;
    int GetItemCount() const;
    int InsertItem(int row, const QString& label);  // row < 0 or beyond the end appends
    bool DeleteItem(int row);
    void DeleteAllItems();
    QString GetItemText(int row, int column) const;
    void SetItemText(int row, int column, const QString& text);
    int FocusedRow() const;

    // The object a row shows, kept with the row (not only as cell text); 0 when none. A row is
    // found by its key without reading the cells of the others.
    void SetRowKey(int row, std::int32_t key);
    std::int32_t RowKey(int row) const;
    int FindRow(std::int32_t key) const;  // -1 when no row has the key

    bool IsSelected(int row) const;
    std::vector<int> SelectedRows() const;  // ascending
    void SelectRow(int row, bool focus);    // adds the row to the selection
    void DeselectAll();
    void UnfocusAll();

    // Which window receives WM_CELL_CHANGED.
    void SetOwner(platform::WindowHandle owner) { owner_ = owner; }
    platform::WindowHandle Owner() const { return owner_; }
    void SetUnitLookup(UnitLookup lookup) { unitLookup_ = std::move(lookup); }
    // Rows whose label holds "*" (objects that cannot be written) are drawn green.
    void SetProtectedRowColouring(bool on);
    bool ProtectedRowColouring() const { return colourProtected_; }

    // Value cells show what the drive said. Text set while the link is live counts as read;
    // when the link goes down every grid's value cells are drawn greyed (their text stays)
    // until their row is read again.
    static void SetLinkLive(bool live);
    static bool LinkLive();
    void SetValueColumn(int column);  // grid::Value unless a page says otherwise; -1 none
    int ValueColumn() const { return valueColumn_; }
    bool IsValueStale(int row) const;
    // A refused access: "????" in the value cell, the abort code and its meaning as tool tip.
    void SetValueAbort(int row, std::uint32_t abortCode);

    void SetReadOnlyColumn(int column, bool on);
    void SetDropDownColumn(int column, bool on);
    bool IsReadOnlyColumn(int column) const;
    bool IsDropDownColumn(int column) const;

    CInPlaceEdit* ShowInPlaceEdit(int row, int column, const QString& text);
    CInPlaceCombo* ShowInPlaceList(int row, int column, const QStringList& entries,
                                   const QString& text, int selection);
    void BuildUnitList(int row, QStringList& entries) const;
    QRect GetCellRect(int row, int column);
    bool HitTestCell(const QPoint& p, int& row, int& column) const;

    // End-of-label-edit notification from an in-place editor.
    void OnEndLabelEdit(int row, int column, const QString& text);
    // Puts back the value text the last committed value edit replaced (a write that was not
    // made must not look as if it had been taken).
    void RevertValueCommit();
    // Set by the edit box while it handles the Enter key (the commit needs it down).
    static void SetEnterDown(bool down);

    std::vector<int> readOnlyColumns;
    std::vector<int> dropDownColumns;
    int currentRow = -1;
    int enterCommitted = 0;
    int enterPhase = 0;
    int keyNavigated = 1;

signals:
    void rowActivated(int row);  // double click on a row

protected:
    // Single cells changed while shown are painted in batches (CRepaintThrottle).
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class CInPlaceEdit;
    friend class CInPlaceCombo;
    bool PreTranslateKey(QObject* target, QKeyEvent* event);
    void OpenEditorAt(int row, int column);
    void PaintCells(int top, int left, int bottom, int right);
    void TakeFocusForScroll();
    void MarkValuesStale();

    QStandardItemModel* model_;
    CRepaintThrottle* repaint_;
    mutable QHash<std::int32_t, QPersistentModelIndex> keyRows_;
    QPersistentModelIndex committedValue_;  // the value cell of the last commit
    QString replacedValue_;                 // and the text it held before
    platform::WindowHandle owner_ = 0;
    UnitLookup unitLookup_;
    bool colourProtected_ = false;
    int valueColumn_;
};

namespace grid {
// The columns of the standard parameter layout.
enum Column : int { Label, Key, Name, DataType, Value, Attribute, Unit };
}  // namespace grid
