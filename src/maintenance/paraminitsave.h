#pragma once
// The initialise/save dialog: store the control or motor parameters, reset the control
// parameters, let the drive save its parameters, or restart it. Completion is read from the
// drive's status object, which the link polls for the dialog while it is open.
#include <QDialog>

#include "maintenance/initsaverules.h"
#include "platform/messages.h"

class CGlobal;
class QPushButton;

class CParamInitSave : public QDialog, public platform::MessageTarget {
    Q_OBJECT
public:
    explicit CParamInitSave(CGlobal& g, QWidget* parent = nullptr);
    ~CParamInitSave() override;

    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;
    void done(int result) override;

    QPushButton* Button(drvdata::InitSaveButton button) const;
    const drvdata::CInitSaveRules& Rules() const { return rules_; }

    // Opens the dialog without waiting for it (command 1246).
    static void Run(CGlobal& g, QWidget* parent);

private:
    QPushButton* AddButton(const char* objectName, const QString& caption, int row, int column);
    void Act(drvdata::InitSaveAction action);
    void OnDriveSaves();
    void ShowRules();
    void Release();

    CGlobal& g_;
    drvdata::CInitSaveRules rules_;
    QPushButton* storeControl_;
    QPushButton* initialise_;
    QPushButton* storeMotor_;
    QPushButton* driveSaves_;
    QPushButton* restart_;
    QPushButton* exit_;
    bool released_ = false;
};
