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
// The unit text of the row holding `key`; `row` is -1 (and the result empty) when none does.
QString FindObjectRow(const CComboListCtrl* grid, std::int32_t key, QString& typeName, int& row);
void RenumberRows(CComboListCtrl& grid, int fromRow);
void RenumberAll(CComboListCtrl& grid, int base);
void DeleteSelectedRows(CComboListCtrl& grid);
void ShowObjectHelp(CGlobal& g, std::int32_t key);

// Shared pieces.
QString RowLabel(int number, const QString& attribute);  // "%d", or "%d*" when not writable
QString ObjectHelpText(const CSdoInfo& entry);
QString HelpParagraphs(const QString& help);  // "\n" -> "\r\n", "。" -> "。\r\n"
// The watch kind of a live object (2 writable, 1 read-only), 0 for objects that are not live.
int WatchKind(const QString& attribute);
// C library decimal conversion (leading blanks, sign, digits; stops at the first other char).
int CDecimal(const QString& text);
// The default unit of an object (registers it with the unit table); false when it has none.
bool DefaultUnitOf(CGlobal& g, const CSdoInfo& entry, QString& unitText);
// Converts the value typed into a grid row from its unit and queues the write.
void WriteRowValue(CGlobal& g, platform::WindowHandle owner, const CComboListCtrl& grid, int row);
