#include "pages/gridmenu.h"

#include <QCoreApplication>
#include <QMenu>

#include "app/global.h"
#include "pages/combolistctrl.h"
#include "pages/rowhelpers.h"

namespace {
QAction* AddCommand(QMenu* menu, const char* text, int command, bool enabled) {
    QAction* action = menu->addAction(QCoreApplication::translate("Menu130", text));
    action->setData(command);
    action->setEnabled(enabled);
    return action;
}
}  // namespace

QMenu* BuildGridMenu(const CComboListCtrl& grid, QWidget* parent) {
    auto* menu = new QMenu(parent);
    bool selected = !grid.SelectedRows().empty();
    AddCommand(menu, "add", ID_GRID_ADD, true);
    AddCommand(menu, "del", ID_GRID_DEL, selected);
    AddCommand(menu, "help", ID_GRID_HELP, selected);
    return menu;
}

int TrackGridMenu(const CComboListCtrl& grid, QWidget* parent, const QPoint& globalPos) {
    QMenu* menu = BuildGridMenu(grid, parent);
    QAction* chosen = menu->exec(globalPos);
    int command = chosen ? chosen->data().toInt() : 0;
    menu->deleteLater();
    return command;
}

void HelpOnFocusedRow(CGlobal& g, CComboListCtrl& grid) {
    int focused = grid.FocusedRow();
    int chosen = (focused >= 0 && grid.IsSelected(focused)) ? focused : -1;
    grid.DeselectAll();
    grid.UnfocusAll();
    if (chosen < 0)
        return;
    ShowObjectHelp(g, grid.RowKey(chosen));
}
