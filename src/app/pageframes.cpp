#include "app/pageframes.h"

#include <algorithm>

#include "app/childframe.h"
#include "app/clientwnd.h"
#include "app/commands.h"
#include "app/global.h"
#include "app/pageregistry.h"
#include "app/pageview.h"
#include "app/stringtable.h"

using namespace platform;

namespace {

// The fixed order: the menu's command table, then the commands without a menu entry.
constexpr int kOrder[] = {
    cmd::ID_COMM_MODE,      cmd::ID_PAGE_COMM_RS232, cmd::ID_PAGE_COMM_CAN, cmd::ID_BASE_OPERATE,
    cmd::ID_POSITION_LOOP,  cmd::ID_SPEED_LOOP,      cmd::ID_CURRENT_LOOP,  cmd::ID_IO,
    cmd::ID_PULSE_MODE,     cmd::ID_ANALOG_SPEED,    cmd::ID_ANALOG_TORQUE, cmd::ID_POSITION_MODE,
    cmd::ID_SPEED_PHASE,    cmd::ID_HOMING_MODE,     cmd::ID_AUTO_TUNE,     cmd::ID_AUTO_REVERSE,
    cmd::ID_SDO_LIST,       cmd::ID_DRIVE_CONFIG,    cmd::ID_TPDO_PAGE,     cmd::ID_RPDO_PAGE,
    cmd::ID_PDO_OTHER,      cmd::ID_SCOPE,           cmd::ID_AUTO_TUNER,    cmd::ID_REALTIME_ERROR,
    cmd::ID_ERROR_HISTORY,  cmd::ID_PANEL_F000,      cmd::ID_PANEL_F001,    cmd::ID_PANEL_F002,
    cmd::ID_PANEL_F003,     cmd::ID_PANEL_F004,      cmd::ID_PANEL_F005,    cmd::ID_PANEL_F007,
    cmd::ID_DRIVE_PROPERTY, cmd::ID_MOTOR_PARAM,     cmd::ID_READ_DRIVE,    cmd::ID_WRITE_DRIVE,
    cmd::ID_ANALOG_INPUT,   cmd::ID_FUNC_CONFIG,
};

}  // namespace

int PageOrder(int command) {
    for (int i = 0; i < static_cast<int>(std::size(kOrder)); ++i)
        if (kOrder[i] == command)
            return i;
    // RPDO1..8 and TPDO1..8 follow the table in command order.
    if (command >= cmd::ID_RPDO1 && command <= cmd::ID_TPDO1 + 7)
        return static_cast<int>(std::size(kOrder)) + (command - cmd::ID_RPDO1);
    return 1000;
}

CPageFrames::CPageFrames(CGlobal& global, CClientWnd& client) : global_(global), client_(client) {}

CChildFrame* CPageFrames::Find(int command) const {
    for (CChildFrame* f : frames_)
        if (f->command() == command)
            return f;
    return nullptr;
}

std::vector<CChildFrame*> CPageFrames::InOrder() const {
    std::vector<CChildFrame*> ordered = frames_;
    std::stable_sort(ordered.begin(), ordered.end(), [](CChildFrame* a, CChildFrame* b) {
        return PageOrder(a->command()) < PageOrder(b->command());
    });
    return ordered;
}

QSize CPageFrames::FrameSize(const PageKind& kind) const {
    bool at96 = global_.screenDpi == 96;
    QSize fixed = at96 ? kind.size96 : kind.sizeOther;
    if (fixed.isValid() && !fixed.isEmpty())
        return fixed;
    // The standard parameter layout: the grid's columns plus label and key columns, borders
    // and scroll bar; three fifths of the client area high.
    // Label column (50), name, data and unit columns, frame border and scroll bar.
    int width = 50 + 44;
    for (int i = 0; i < 3; ++i) width += global_.columnWidths[i];
    int height = std::max(300, client_.height() * 3 / 5);
    return QSize(width, height);
}

CChildFrame* CPageFrames::Create(const PageKind& kind, QPoint position) {
    if (kind.prepare)
        kind.prepare();
    CPageView* view = kind.create();
    if (!view)
        return nullptr;
    auto* frame = new CChildFrame(kind.command, view, [this](CChildFrame* f) { OnFrameClose(f); });
    frame->setWindowTitle(stringtable::LoadString(kind.titleId));
    client_.addSubWindow(frame);
    frame->setFixedSize(FrameSize(kind));
    frame->move(position);
    frame->hide();
    frames_.push_back(frame);
    view->OnInitialUpdate();
    return frame;
}

void CPageFrames::BringUp(CChildFrame* frame) {
    frame->show();
    frame->raise();
    client_.setActiveSubWindow(frame);
}

CChildFrame* CPageFrames::Open(int command) {
    const PageKind* kind = CPageRegistry::Instance().FindByCommand(command);
    return kind ? OpenAt(command, kind->origin) : nullptr;
}

CChildFrame* CPageFrames::OpenAt(int command, QPoint position) {
    const PageKind* kind = CPageRegistry::Instance().FindByCommand(command);
    if (!kind || !kind->create)
        return nullptr;
    CChildFrame* frame = Find(command);
    bool existed = frame != nullptr;
    if (!frame)
        frame = Create(*kind, position);
    if (!frame)
        return nullptr;
    if (existed && position != kind->origin)
        frame->move(position);
    BringUp(frame);
    if (kind->notifyOnOpen && (existed || kind->notifyAfterCreate))
        SendMessage(frame->view()->Handle(), WM_PAGE_NOTIFY, PN_BROUGHT_UP, 0);
    return frame;
}

void CPageFrames::OnFrameClose(CChildFrame* frame) {
    const PageKind* kind = CPageRegistry::Instance().FindByCommand(frame->command());
    PageClose action = kind ? kind->onClose : PageClose::Destroy;
    switch (action) {
        case PageClose::Destroy:
            frames_.erase(std::remove(frames_.begin(), frames_.end(), frame), frames_.end());
            frame->hide();
            frame->deleteLater();  // the close may come from a button inside the page
            break;
        case PageClose::Hide:
            frame->HideFrame();
            break;
        case PageClose::NotifyAndHide:
            SendMessage(frame->view()->Handle(), WM_PAGE_NOTIFY, PN_CLOSING, 0);
            frame->HideFrame();
            break;
    }
}

void CPageFrames::CloseAll() {
    for (CChildFrame* frame : InOrder()) {
        const PageKind* kind = CPageRegistry::Instance().FindByCommand(frame->command());
        if (kind && !kind->closedWithAll)
            continue;
        if (frame->isHidden())
            continue;  // a hidden frame is closed already
        client_.setActiveSubWindow(frame);
        frame->close();
    }
}

void CPageFrames::NotifyAll(int code) {
    for (CChildFrame* frame : InOrder()) {
        const PageKind* kind = CPageRegistry::Instance().FindByCommand(frame->command());
        if (kind && kind->prepare)
            kind->prepare();
        frame->raise();
        SendMessage(frame->view()->Handle(), WM_PAGE_NOTIFY, code, 0);
    }
}
