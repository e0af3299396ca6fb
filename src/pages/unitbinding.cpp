// The pages' binding to the unit table: default units, the cells of the unit drop-down and
// writes of a grid row.
#include "app/global.h"
#include "dictionary/rowvalue.h"
#include "pages/combolistctrl.h"
#include "pages/rowhelpers.h"
#include "platform/msgbox.h"

namespace {
const char kPortClosed[] = "Comm port isn't Open!";

// A grid row as the widget-free write conversion sees it.
class GridValueRow : public IValueRow {
public:
    GridValueRow(const CComboListCtrl& grid, int row) : grid_(grid), row_(row) {}
    std::int32_t Key() const override { return grid_.RowKey(row_); }
    QString DataType() const override { return grid_.GetItemText(row_, grid::DataType); }
    QString ValueText() const override { return grid_.GetItemText(row_, grid::Value); }
    QString UnitText() const override { return grid_.GetItemText(row_, grid::Unit); }

private:
    const CComboListCtrl& grid_;
    int row_;
};
}  // namespace

bool DefaultUnitOf(CGlobal& g, const CSdoInfo& entry, QString& unitText) {
    return g.units.DefaultUnitText(entry.key, entry.unitDefinition, unitText) != 0;
}

void BindUnitLookup(CGlobal& g, CComboListCtrl& grid) {
    grid.SetUnitLookup([&g](int key, CComboListCtrl::UnitCells& cells) {
        CSdoUnit unit;
        if (!g.units.FindUnit(key, unit))
            return false;
        cells.clear();
        for (const CCellUnit& cell : unit.cells)
            cells.emplace_back(cell.unitName, cell.displayName);
        return true;
    });
}

void CommitRowValue(CGlobal& g, platform::WindowHandle owner, CComboListCtrl& grid, int row) {
    if (row < 0 || row >= grid.GetItemCount())
        return;
    if (g.online != 1) {
        platform::MessageBox(QString::fromLatin1(kPortClosed));
        grid.RevertValueCommit();
        return;
    }
    const RowConversion written = g.WriteRowValue(owner, GridValueRow(grid, row));
    if (written.outcome == RowWrite::OutOfRange) {
        platform::MessageBox(OutOfRangeText(written.range));
        grid.RevertValueCommit();
    }
}
