#include "program_read.h"

#include <QDeadlineTimer>
#include <QTest>
#include <cstdio>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/global.h"
#include "app/mainframe.h"
#include "app/pageframes.h"
#include "app/veltrixapp.h"
#include "bench_drives.h"
#include "comm/comm.h"
#include "pages/combolistctrl.h"
#include "pages/parampage.h"
#include "platform/msgbox.h"
#include "platform/profile.h"
#include "row_clock.h"

namespace {
constexpr int kLimitMs = 20000;
}

ProgramRun::ProgramRun() = default;

ProgramRun::~ProgramRun() {
    if (global_)
        global_->stopWorker = 1;
    app_.reset();
}

bool ProgramRun::Start(const QString& base) {
    base_ = base;
    platform::WriteProfileString(base + "/sys/sys.ini", "sys", "lang", "2");
    global_ = std::make_unique<CGlobal>(base);
    global_->dictionary.WaitLoaded(kLimitMs);
    app_ = std::make_unique<CVeltrixApp>(*global_);
    if (!app_->InitInstance())
        return false;
    // A box would wait for a click nobody gives: say it on stderr instead.
    platform::SetMessageBoxHandler({});
    CMainFrame* frame = app_->mainFrame();
    frame->OnCommand(cmd::ID_BASE_OPERATE);
    CChildFrame* pageFrame = frame->frames().Find(cmd::ID_BASE_OPERATE);
    page_ = pageFrame ? dynamic_cast<CParamPage*>(pageFrame->view()) : nullptr;
    if (!page_)
        return false;
    clock_ = std::make_unique<RowClock>(page_->Grid().model(), grid::Value);
    return true;
}

// The drive answered the link's first poll and no page read is running.
bool ProgramRun::Settled(int limitMs) {
    return QTest::qWaitFor(
        [&] {
            return global_->online == 1 && global_->awaitingDrive == 0 && page_->readCursor == 0;
        },
        limitMs);
}

bool ProgramRun::Connect(const Transport& t) {
    const QString ini = base_ + "/sys/sys.ini";
    const bool can = t.kind == CComm::Can;
    platform::WriteProfileString(ini, "sys", "comm", QString::number(t.kind));
    platform::WriteProfileString(ini, can ? "can" : "com", can ? "adapter" : "comid", t.port);
    platform::WriteProfileString(ini, can ? "can" : "com", "buadrate", can ? "20" : "115200");
    platform::WriteProfileString(ini, can ? "can" : "com", "driverid", "1");
    global_->commMode = t.kind;
    if (global_->reconnecting == 1) {
        // A link lost since the last read is being reconnected: the button ends that first.
        std::fprintf(stderr, "program: a lost link was being reconnected before %s\n",
                     qPrintable(t.name));
        app_->mainFrame()->OnCommand(cmd::ID_TB_CONNECT);
    }
    app_->mainFrame()->OnCommand(cmd::ID_TB_CONNECT);
    return Settled(kLimitMs);
}

QString ProgramRun::State() const {
    return QStringLiteral("online %1, awaiting the drive %2, reconnecting %3, read cursor %4")
        .arg(global_->online.load())
        .arg(global_->awaitingDrive.load())
        .arg(global_->reconnecting)
        .arg(page_->readCursor);
}

void ProgramRun::Disconnect() {
    if (global_->online == 1)
        app_->mainFrame()->OnCommand(cmd::ID_TB_CONNECT);
}

bool ProgramRun::ReadPage(int rows, RowClock*& clock) {
    CComboListCtrl& grid = page_->Grid();
    for (int r = 0; r < grid.GetItemCount(); ++r) grid.SetItemText(r, grid::Value, QString());
    clock = clock_.get();
    clock_->Start();
    app_->mainFrame()->OnCommand(cmd::ID_BASE_OPERATE);
    return clock_->Wait(rows, kLimitMs);
}
