#include "app/mainframe.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <chrono>
#include <thread>

#include "app/aboutdlg.h"
#include "app/chglang.h"
#include "app/childframe.h"
#include "app/clientwnd.h"
#include "app/commands.h"
#include "app/global.h"
#include "app/maintoolbar.h"
#include "app/menubuilder.h"
#include "app/pageframes.h"
#include "app/pageregistry.h"
#include "app/pageview.h"
#include "app/projecthost.h"
#include "app/stringtable.h"
#include "comm/comm.h"
#include "pages/combolistctrl.h"
#include "platform/msgbox.h"
#include "resources/appicon.h"
#include "resources/bitmaps.h"

using namespace platform;
using namespace cmd;

namespace {
constexpr int kBlinkMs = 1200;
// Commands the frame runs itself, enabled whatever is registered.
constexpr int kFrameCommands[] = {ID_FILE_OPEN,      ID_FILE_SAVE,  ID_FILE_NEW,   ID_COMM_MODE,
                                  ID_COMM_SETTINGS,  ID_TB_CONNECT, ID_TB_CASCADE, ID_TB_TILE,
                                  ID_APP_EXIT,       ID_APP_ABOUT,  ID_LANGUAGE,   ID_VIEW_TOOLBAR,
                                  ID_VIEW_STATUS_BAR};
}  // namespace

CMainFrame::CMainFrame(CGlobal& global, QWidget* parent)
    : QMainWindow(parent), global_(global), linkStatus_(global, *this) {
    setWindowTitle(stringtable::LoadString(57344));
    setWindowIcon(resources::AppIcon());
    client_ = new CClientWnd(this);
    setCentralWidget(client_);
    frames_ = std::make_unique<CPageFrames>(global_, *client_);
    menus_ = std::make_unique<CMenuBuilder>(menuBar(), [this](int c) { OnCommand(c); });
    toolBar_ = new CMainToolBar([this](int c) { OnCommand(c); }, this);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    BuildStatusLine();
    UpdateCommandStates();

    global_.link.AddWatch(Handle(), kStatusWordKey, 1);
    SetLinkText(QString::fromLatin1(CLinkStatus::kClosedText));
    timer_.setInterval(kBlinkMs);
    connect(&timer_, &QTimer::timeout, this, [this] { linkStatus_.OnTimer(); });
    timer_.start();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildStatusLine() {
    QStatusBar* line = statusBar();
    line->showMessage(tr("就绪"));
    linkPane_ = new QLabel(this);
    linkPane_->setObjectName("0xE704");
    linkPane_->setMinimumWidth(240);
    line->addPermanentWidget(linkPane_);
}

int CMainFrame::MenuCommandOf(int toolBarCommand) {
    switch (toolBarCommand) {
        case ID_TB_OPEN:
            return ID_FILE_OPEN;
        case ID_TB_SAVE:
            return ID_FILE_SAVE;
        case ID_TB_SCOPE:
            return ID_SCOPE;
        case ID_TB_IO:
            return ID_IO;
        case ID_TB_REALTIME_ERROR:
            return ID_REALTIME_ERROR;
        case ID_TB_READ_DRIVE:
            return ID_READ_DRIVE;
        case ID_TB_WRITE_DRIVE:
            return ID_WRITE_DRIVE;
        default:
            return toolBarCommand;
    }
}

bool CMainFrame::IsCommandEnabled(int command) const {
    command = MenuCommandOf(command);
    for (int c : kFrameCommands)
        if (c == command)
            return true;
    const PageKind* kind = CPageRegistry::Instance().FindByCommand(command);
    return kind && (kind->create || kind->run);
}

void CMainFrame::UpdateCommandStates() {
    for (auto& [command, action] : menus_->Actions()) action->setEnabled(IsCommandEnabled(command));
    for (int command : CMainToolBar::Layout())
        if (QAction* a = toolBar_->Action(command))
            a->setEnabled(IsCommandEnabled(command));
}

void CMainFrame::OnCommand(int command) {
    command = MenuCommandOf(command);
    switch (command) {
        case ID_FILE_NEW:
        case ID_COMM_MODE:
            CloseAllPages();
            OpenPage(ID_COMM_MODE);
            return;
        case ID_COMM_SETTINGS:
            OpenLinkPage();
            return;
        case ID_FILE_OPEN: {
            CMainProjectHost host(*this);
            OpenProject(global_, host);
            return;
        }
        case ID_FILE_SAVE: {
            CMainProjectHost host(*this);
            SaveProject(global_, host);
            return;
        }
        case ID_TB_CONNECT:
            linkStatus_.OnConnectToggle();
            return;
        case ID_TB_CASCADE:
            client_->cascadeSubWindows();
            return;
        case ID_TB_TILE:
            client_->tileSubWindows();
            return;
        case ID_APP_EXIT:
            close();
            return;
        case ID_APP_ABOUT:
            ShowAbout();
            return;
        case ID_LANGUAGE:
            RunLanguageDialog();
            return;
        case ID_VIEW_TOOLBAR:
            toolBar_->setVisible(!toolBar_->isVisible());
            return;
        case ID_VIEW_STATUS_BAR:
            statusBar()->setVisible(!statusBar()->isVisible());
            return;
        default:
            RunRegistered(command);
            return;
    }
}

bool CMainFrame::RunRegistered(int command) {
    const PageKind* kind = CPageRegistry::Instance().FindByCommand(command);
    if (!kind)
        return false;
    if (kind->run) {
        kind->run(this);
        return true;
    }
    return OpenPage(command) != nullptr;
}

void CMainFrame::OpenLinkPage() {
    if (global_.commMode == CComm::Serial)
        OpenPage(ID_PAGE_COMM_RS232);
    else if (global_.commMode == CComm::Can)
        OpenPage(ID_PAGE_COMM_CAN);
    else
        MessageBox(QStringLiteral("The connecting mode is Offline!!"));
}

CChildFrame* CMainFrame::OpenPage(int command) {
    return frames_->Open(command);
}

CChildFrame* CMainFrame::OpenPageAt(int command, QPoint position) {
    return frames_->OpenAt(command, position);
}

void CMainFrame::CloseAllPages() {
    frames_->CloseAll();
}

void CMainFrame::NotifyAllPages(int code) {
    frames_->NotifyAll(code);
}

void CMainFrame::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::RunLanguageDialog() {
    CChgLang dialog(global_, this);
    dialog.exec();
}

LResult CMainFrame::OnMessage(unsigned msg, WParam w, LParam l) {
    switch (msg) {
        case WM_LINK_VALUE:
        case WM_LINK_ABORT:
            linkStatus_.OnLinkReply(msg, static_cast<std::int32_t>(w),
                                    static_cast<std::int32_t>(l));
            break;
        case WM_LINK_STATE:
            linkStatus_.OnLinkState(static_cast<int>(w));
            break;
        case WM_LINK_OPENED:
            linkStatus_.OnLinkOpened();
            break;
        case WM_BATCH_DONE:
            NotifyAllPages(PN_LINK_CONFIRMED);
            break;
        case WM_LINK_PAGE:
            if (w == 2)
                OpenPage(ID_SDO_LIST);
            else
                OpenLinkPage();
            break;
        default:
            break;
    }
    return 0;
}

void CMainFrame::SetToolBarImages(int setId) {
    toolBar_->SetImageSet(setId);
}

void CMainFrame::SetLinkText(const QString& text) {
    linkPane_->setText(text);
}

bool CMainFrame::LinkPageExists(int mode) const {
    return frames_->Find(mode == CComm::Can ? ID_PAGE_COMM_CAN : ID_PAGE_COMM_RS232) != nullptr;
}

void CMainFrame::NotifyLinkPages() {
    for (int command : {ID_PAGE_COMM_RS232, ID_PAGE_COMM_CAN}) {
        if (CChildFrame* frame = frames_->Find(command)) {
            frame->raise();
            SendMessage(frame->view()->Handle(), WM_PAGE_NOTIFY, PN_LINK_STATE, 0);
        }
    }
}

void CMainFrame::ShowValuesLive(bool live) {
    CComboListCtrl::SetLinkLive(live);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The worker ends at its next check; nobody waits for it here.
    global_.stopWorker = 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    timer_.stop();
    event->accept();
}
