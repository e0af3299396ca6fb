#pragma once
// The drive panels that are parameter pages (F000, F003, F004, F005), and the general list
// page CDrvPanelF002, which takes its page name and project number from the current list page
// that its creator sets just before creating it (F002 itself, "PdoOther", RPDO1-8, TPDO1-8).
#include <QString>
#include <vector>

#include "pages/pagetable.h"

const std::vector<ParamPageConfig>& PanelPageTable();

// The list page the next CDrvPanelF002 shows (process-wide).
struct ListPageChoice {
    QString pageName;
    int pageNumber = 0;
};
ListPageChoice& CurrentListPage();

// The configuration of a list page; stable for the life of the program.
const ParamPageConfig& ListPageConfig(const QString& pageName, int pageNumber);
