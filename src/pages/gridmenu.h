#pragma once
// The page-side handlers of a parameter grid: menu 130 ("add", "del", "help") and "help".
#include <QPoint>

class CGlobal;
class CComboListCtrl;
class QMenu;
class QWidget;

enum GridCommand : int { ID_GRID_ADD = 1230, ID_GRID_DEL = 1231, ID_GRID_HELP = 1232 };

// Menu 130 for the grid's current selection: "del" and "help" need a selected row.
QMenu* BuildGridMenu(const CComboListCtrl& grid, QWidget* parent);
// Shows the menu at the global point; the chosen command, or 0.
int TrackGridMenu(const CComboListCtrl& grid, QWidget* parent, const QPoint& globalPos);
// "help": deselects and unfocuses all rows and shows the help of the selected focused row.
void HelpOnFocusedRow(CGlobal& g, CComboListCtrl& grid);
