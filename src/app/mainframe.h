#pragma once
// The main window: menu, tool bar, status line and the client area holding the page frames.
// It wires commands to pages and carries the link duties (CLinkStatus).
#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "app/linkstatus.h"
#include "platform/messages.h"

class CClientWnd;
class CGlobal;
class CMainToolBar;
class CMenuBuilder;
class CPageFrames;
class CChildFrame;
class QLabel;

class CMainFrame : public QMainWindow, public platform::MessageTarget, private LinkStatusHost {
    Q_OBJECT
public:
    explicit CMainFrame(CGlobal& global, QWidget* parent = nullptr);
    ~CMainFrame() override;

    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

    // Runs a menu or tool-bar command.
    void OnCommand(int command);
    // Enabled when the command's page kind (or action) is registered, or the frame runs it.
    bool IsCommandEnabled(int command) const;
    // Enables the menu and tool-bar commands by what is registered now.
    void UpdateCommandStates();

    // Page operations other parts use (project files).
    CChildFrame* OpenPage(int command);
    CChildFrame* OpenPageAt(int command, QPoint position);
    void CloseAllPages();
    void NotifyAllPages(int code) override;
    CPageFrames& frames() { return *frames_; }

    CMainToolBar* toolBar() const { return toolBar_; }
    CMenuBuilder& menus() const { return *menus_; }
    CClientWnd* client() const { return client_; }
    QLabel* linkPane() const { return linkPane_; }
    CLinkStatus& linkStatus() { return linkStatus_; }
    QTimer& blinkTimer() { return timer_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildStatusLine();
    void OpenLinkPage();
    void ShowAbout();
    void RunLanguageDialog();
    bool RunRegistered(int command);
    static int MenuCommandOf(int toolBarCommand);

    // LinkStatusHost
    void SetToolBarImages(int setId) override;
    void SetLinkText(const QString& text) override;
    bool LinkPageExists(int mode) const override;
    void NotifyLinkPages() override;
    void ShowValuesLive(bool live) override;
    platform::WindowHandle Window() const override { return Handle(); }

    CGlobal& global_;
    CClientWnd* client_ = nullptr;
    CMainToolBar* toolBar_ = nullptr;
    std::unique_ptr<CMenuBuilder> menus_;
    std::unique_ptr<CPageFrames> frames_;
    QLabel* linkPane_ = nullptr;
    CLinkStatus linkStatus_;
    QTimer timer_;
};
