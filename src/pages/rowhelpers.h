#pragma once
// Grid-row operations shared by every page that shows drive objects in a parameter grid:
// the standard columns, page list files, object rows with their unit and live-value watch,
// finding rows by key, renumbering and deleting rows, and the help of one object.
#include <QString>
#include <cstdint>

#include "platform/messages.h"

class CGlobal;
class CComboListCtrl;
class CSdoInfo;

void SetupObjectColumns(CGlobal& g, CComboListCtrl& grid);
// Binds the grid's unit drop-down to the unit table.
void BindUnitLookup(CGlobal& g, CComboListCtrl& grid);
void LoadPageObjects(CGlobal& g, CComboListCtrl& grid, const QString& pageName,
                     platform::WindowHandle owner);
void AddObjectRow(CGlobal& g, CComboListCtrl& grid, std::int32_t key, int row,
                  platform::WindowHandle owner, bool allowStrings);
// Inserts the object's row at `row` (-1 appends) with the unit text and a value text, and
// switches on its live-value watch; the row number of the new row.
int InsertObjectRow(CGlobal& g, CComboListCtrl& grid, const CSdoInfo& entry, int row,
                    const QString& unitText, const QString& valueText,
                    platform::WindowHandle owner);
// The unit text of the row holding `key`; `row` is -1 (and the result empty) when none does.
QString FindObjectRow(const CComboListCtrl* grid, std::int32_t key, QString& typeName, int& row);
void RenumberRows(CComboListCtrl& grid, int fromRow);
void RenumberAll(CComboListCtrl& grid, int base);
void DeleteSelectedRows(CComboListCtrl& grid);
void ShowObjectHelp(CGlobal& g, std::int32_t key);

// Shared pieces.
QString RowLabel(int number, const QString& attribute);  // "%d", or "%d*" when not writable
QString ObjectHelpText(const CSdoInfo& entry);
// The watch kind of a live object (2 writable, 1 read-only), 0 for objects that are not live.
int WatchKind(const QString& attribute);
// The default unit of an object (registers it with the unit table); false when it has none.
bool DefaultUnitOf(CGlobal& g, const CSdoInfo& entry, QString& unitText);
// A value committed into the row's value cell (WM_CELL_CHANGED): converted from the row's unit
// and written. While the link is not open, or when the value does not fit the object's type,
// nothing is written: one message says why and the cell shows its old text again.
void CommitRowValue(CGlobal& g, platform::WindowHandle owner, CComboListCtrl& grid, int row);
