#pragma once
// The frame of one page: a fixed-size child window with caption, system menu and minimise
// box. Its close request goes to the main frame, which hides or destroys it by page kind.
#include <QMdiSubWindow>
#include <functional>

#include "platform/messages.h"

class CPageView;

class CChildFrame : public QMdiSubWindow, public platform::MessageTarget {
    Q_OBJECT
public:
    using CloseHandler = std::function<void(CChildFrame*)>;
    CChildFrame(int command, CPageView* view, CloseHandler onClose);

    int command() const { return command_; }
    CPageView* view() const { return view_; }

    // WM_PLACE_PAGE (x, y relative to the main window's top-left corner).
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

    // Hides the frame; the view keeps its state.
    void HideFrame();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int command_;
    CPageView* view_;
    CloseHandler onClose_;
};
