#pragma once
// The main window's page frames: one per page kind, created on first opening and kept for
// the life of the program (the mode page alone is destroyed when closed).
#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

class CChildFrame;
class CClientWnd;
class CGlobal;
struct PageKind;

class CPageFrames {
public:
    CPageFrames(CGlobal& global, CClientWnd& client);

    // The 'opens' action of a command: create the frame or show it and bring it to the front;
    // WM_PAGE_NOTIFY 0 follows as the page kind asks. Null when the kind is not registered.
    CChildFrame* Open(int command);
    // Opens a page at a position of the client area (pages reopened from a project).
    CChildFrame* OpenAt(int command, QPoint position);

    CChildFrame* Find(int command) const;
    // Frames in the fixed order of the menu's command table.
    std::vector<CChildFrame*> InOrder() const;

    // Closes every frame except the mode page and the PDO list pages.
    void CloseAll();
    // Sends WM_PAGE_NOTIFY with the code to every frame's view, in the fixed order.
    void NotifyAll(int code);

    // The geometry a new frame of this kind gets.
    QSize FrameSize(const PageKind& kind) const;

private:
    CChildFrame* Create(const PageKind& kind, QPoint position);
    void OnFrameClose(CChildFrame* frame);
    void BringUp(CChildFrame* frame);

    CGlobal& global_;
    CClientWnd& client_;
    std::vector<CChildFrame*> frames_;
};

// Position of the command in the fixed notification order (commands not in the table last).
int PageOrder(int command);
