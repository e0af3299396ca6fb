#pragma once
// The page kinds the main frame can open: one entry per menu command that opens a page.
// Each subsystem registers its pages; the main frame builds its menu state from the table.
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class CPageView;
class QWidget;

// What closing the page's frame does.
enum class PageClose {
    NotifyAndHide,  // WM_PAGE_NOTIFY 1 to the view, then hide (parameter pages)
    Hide,           // hide only (link pages)
    Destroy,        // the frame is destroyed and forgotten (the communication mode page)
};

struct PageKind {
    int command = 0;           // menu or tool-bar command that opens the page
    int titleId = 0;           // string-table id of the frame title
    int pageNumber = 0;        // number under which project files store the page (0: none)
    QString pageName;          // page list file name, when the page has one
    QSize size96;              // frame size at 96 dpi; empty: standard parameter layout
    QSize sizeOther;           // frame size at other resolutions
    bool notifyOnOpen = true;  // send WM_PAGE_NOTIFY 0 when the command brings it up
    std::function<CPageView*()> create;

    QPoint origin{50, 20};           // frame position of a new page
    bool notifyAfterCreate = false;  // also send WM_PAGE_NOTIFY 0 right after creation
    PageClose onClose = PageClose::NotifyAndHide;
    bool closedWithAll = true;  // hidden by "close all pages" (not the PDO list pages)
    // Run before the frame is created and before each notification (PDO list pages set the
    // current page name and number here).
    std::function<void()> prepare;
    // Set instead of `create` for commands that run a modal dialog or an action of their own.
    std::function<void(QWidget* mainWindow)> run;
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
