#include "pages/rowhelpers.h"

#include "app/global.h"
#include "dictionary/entrydescription.h"
#include "dictionary/numberscan.h"
#include "pages/combolistctrl.h"
#include "pages/popuphelpdlg.h"
#include "platform/profile.h"

QString RowLabel(int number, const QString& attribute) {
    return attribute.contains('W') ? QString::number(number) : QString::number(number) + '*';
}

int WatchKind(const QString& attribute) {
    if (!attribute.contains('L'))
        return 0;
    return attribute.contains('W') ? 2 : 1;
}

void SetupObjectColumns(CGlobal& g, CComboListCtrl& grid) {
    grid.setShowGrid(true);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.InsertColumn(grid::Label, QString(), 50);
    grid.InsertColumn(grid::Key, QStringLiteral("ID"), 0);
    grid.InsertColumn(grid::Name, g.columnTitles[0], g.columnWidths[0]);
    grid.InsertColumn(grid::DataType, QStringLiteral("DataType"), 0);
    grid.InsertColumn(grid::Value, g.columnTitles[1], g.columnWidths[1]);
    grid.InsertColumn(grid::Attribute, QStringLiteral("Attribute"), 0);
    grid.InsertColumn(grid::Unit, g.columnTitles[2], g.columnWidths[2]);
    grid.SetReadOnlyColumn(grid::Label, true);
    grid.SetReadOnlyColumn(grid::Key, true);
    grid.SetReadOnlyColumn(grid::Name, true);
    grid.SetDropDownColumn(grid::Unit, true);
    grid.SetProtectedRowColouring(true);
    BindUnitLookup(g, grid);
}

void LoadPageObjects(CGlobal& g, CComboListCtrl& grid, const QString& pageName,
                     platform::WindowHandle owner) {
    QString file = g.SysFolder() + pageName + ".ini";
    int count =
        numberscan::CDecimal(platform::GetProfileString(file, pageName, "num", QString(), 32));
    for (int i = 0; i < count; ++i) {
        QString text =
            platform::GetProfileString(file, pageName, QString::number(i + 1), QString(), 32);
        AddObjectRow(g, grid, CNumbers::ParseHex(text), i, owner, true);
    }
}

void AddObjectRow(CGlobal& g, CComboListCtrl& grid, std::int32_t key, int row,
                  platform::WindowHandle owner, bool allowStrings) {
    if (grid.FindRow(key) >= 0)
        return;
    CSdoInfo entry;
    if (!g.dictionary.FindByKey(key, entry))
        return;
    if (!allowStrings && entry.dataType.toUpper() == QLatin1String("VISIBLE STRING"))
        return;
    QString unitText;
    if (!DefaultUnitOf(g, entry, unitText))
        return;
    InsertObjectRow(g, grid, entry, row, unitText, QString(), owner);
    if (g.online == 1)
        g.link.Request(owner, sdo::Read, key, 0);
    RenumberRows(grid, row);
}

int InsertObjectRow(CGlobal& g, CComboListCtrl& grid, const CSdoInfo& entry, int row,
                    const QString& unitText, const QString& valueText,
                    platform::WindowHandle owner) {
    if (int kind = WatchKind(entry.attribute))
        g.link.AddWatch(owner, entry.key, std::uint8_t(kind));
    const int number = row < 0 ? grid.GetItemCount() + 1 : row + 1;
    const int at = grid.InsertItem(row, RowLabel(number, entry.attribute));
    grid.SetItemText(at, grid::Key, QString::number(entry.key));
    grid.SetRowKey(at, entry.key);
    grid.SetItemText(at, grid::Name, entry.name);
    grid.SetItemText(at, grid::DataType, entry.dataType);
    grid.SetItemText(at, grid::Value, valueText);
    grid.SetItemText(at, grid::Attribute, entry.attribute);
    grid.SetItemText(at, grid::Unit, unitText);
    return at;
}

QString FindObjectRow(const CComboListCtrl* grid, std::int32_t key, QString& typeName, int& row) {
    row = grid ? grid->FindRow(key) : -1;
    if (row < 0)
        return QString();
    typeName = grid->GetItemText(row, grid::DataType);
    return grid->GetItemText(row, grid::Unit);
}

void RenumberRows(CComboListCtrl& grid, int fromRow) {
    for (int r = std::max(0, fromRow); r < grid.GetItemCount(); ++r)
        grid.SetItemText(r, grid::Label, RowLabel(r + 1, grid.GetItemText(r, grid::Attribute)));
}

void RenumberAll(CComboListCtrl& grid, int base) {
    for (int r = 0; r < grid.GetItemCount(); ++r) {
        bool star = grid.GetItemText(r, grid::Label).contains('*');
        grid.SetItemText(r, grid::Label, QString::number(base + r) + (star ? "*" : ""));
    }
}

void DeleteSelectedRows(CComboListCtrl& grid) {
    for (std::vector<int> rows = grid.SelectedRows(); !rows.empty(); rows = grid.SelectedRows()) {
        grid.DeleteItem(rows.front());
        RenumberRows(grid, rows.front());
    }
}

QString ObjectHelpText(const CSdoInfo& entry) {
    return "Index: 0x" + QString::asprintf("%04x", unsigned(entry.index)).toUpper() +
           QString::asprintf("%02x", unsigned(entry.subIndex)).toUpper() +
           "\r\nName: " + entry.name + "\r\nData Type: " + entry.dataType + "  " + entry.attribute +
           "\r\nOperator Help:\r\n" + HelpWithLineBreaks(entry.help);
}

void ShowObjectHelp(CGlobal& g, std::int32_t key) {
    CSdoInfo entry;
    if (!g.dictionary.FindByKey(key, entry))
        return;
    PopupHelpDlg dialog(g);
    dialog.helpText = ObjectHelpText(entry);
    dialog.exec();
}
