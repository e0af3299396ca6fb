#pragma once
// The main window's part in saving and opening project files.
#include "app/projectfile.h"

class CMainFrame;

class CMainProjectHost : public CProjectHost {
public:
    explicit CMainProjectHost(CMainFrame& frame) : frame_(frame) {}

    bool ChooseSaveFile(const QString& initialName, QString& chosen) override;
    int ChooseOpenFile(const QString& initialName, QString& chosen) override;
    void NotifyAllPages(int code) override;
    void CloseAllPages() override;
    void OpenPageAt(int pageNumber, int x, int y) override;
    int CaptionHeight() const override;

private:
    CMainFrame& frame_;
};
