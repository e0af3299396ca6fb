#pragma once
// The view of one page: a form inside its own child frame that receives window messages.
#include <QMdiSubWindow>
#include <QWidget>

#include "platform/messages.h"

class CPageView : public QWidget, public platform::MessageTarget {
    Q_OBJECT
public:
    explicit CPageView(QWidget* parent = nullptr) : QWidget(parent) {}

    // Called once after the frame has been created (before it is first shown).
    virtual void OnInitialUpdate() {}

    // Window messages (WM_PAGE_NOTIFY, WM_LINK_VALUE ...); 0 when not handled.
    platform::LResult OnMessage(unsigned, platform::WParam, platform::LParam) override { return 0; }

    // Asks the page's frame to close, as the frame's close button does.
    void CloseFrame() {
        for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
                frame->close();
                return;
            }
        }
    }
};
