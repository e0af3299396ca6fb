#pragma once
// The seventeen parameter pages: one page class, configured by one row of this table.
#include <QString>
#include <vector>

struct ParamPageConfig {
    const char* className;         // the page's own name, for its window and tests
    QString pageName;              // section and file name of the page list file
    int command;                   // menu command that opens the page
    int dialogTemplate;            // also the string-table id of the title
    int gridControl;               // control id of the page's grid
    int pageNumber;                // key under which project files store the page
    bool skipProjectList = false;  // not refilled from an opened project at creation
    bool driverProperty = false;   // own column widths, segmented strings, no project list
    bool keepLabelsOnDelete = false;
    bool placementOnly = false;  // the project keeps only the frame placement, never the rows
};

const std::vector<ParamPageConfig>& ParamPageTable();
const ParamPageConfig* FindParamPage(int command);
