#include "app/childframe.h"

#include <QCloseEvent>
#include <QMdiArea>

#include "app/pageview.h"
#include "resources/appicon.h"

using namespace platform;

CChildFrame::CChildFrame(int command, CPageView* view, CloseHandler onClose)
    : command_(command), view_(view), onClose_(std::move(onClose)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWidget(view);
    setWindowIcon(resources::AppIcon());  // not the toolkit's default in the title bar
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The main frame decides: hide (the frame lives on) or destroy (the mode page).
    event->ignore();
    if (onClose_)
        onClose_(this);
}

void CChildFrame::HideFrame() {
    hide();
    if (QMdiArea* area = mdiArea()) {
        if (area->activeSubWindow() == this)
            area->activateNextSubWindow();
    }
}

LResult CChildFrame::OnMessage(unsigned msg, WParam w, LParam l) {
    if (msg != WM_PLACE_PAGE)
        return 0;
    // The main window's top-left corner is the client area's origin here.
    move(static_cast<int>(w), static_cast<int>(l));
    show();
    raise();
    if (view_)
        SendMessage(view_->Handle(), WM_PAGE_NOTIFY, PN_BROUGHT_UP, 0);
    return 0;
}
