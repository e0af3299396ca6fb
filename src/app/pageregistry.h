#pragma once
// The page kinds the main frame can open: one entry per menu command that opens a page.
// Each subsystem registers its pages; the main frame builds its menu state from the table.
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class CPageView;

struct PageKind {
    int command = 0;        // menu or tool-bar command that opens the page
    int titleId = 0;        // string-table id of the frame title
    int pageNumber = 0;     // number under which project files store the page (0: none)
    QString pageName;       // page list file name, when the page has one
    QSize size96;           // frame size at 96 dpi; empty: standard parameter layout
    QSize sizeOther;        // frame size at other resolutions
    bool notifyOnOpen = true;  // send WM_PAGE_NOTIFY 0 when the command brings it up
    std::function<CPageView*()> create;
};

class CPageRegistry {
public:
    static CPageRegistry& Instance();
    void Add(PageKind kind);
    const PageKind* FindByCommand(int command) const;
    const PageKind* FindByPageNumber(int pageNumber) const;
    const std::vector<PageKind>& Kinds() const { return kinds_; }

private:
    std::vector<PageKind> kinds_;
};
