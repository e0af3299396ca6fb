#include "maintenance/paraminitsave.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/global.h"
#include "comm/protocol.h"
#include "maintenance/drvobjects.h"
#include "platform/msgbox.h"

using namespace drvdata;
using namespace platform;

namespace {
constexpr std::uint8_t kStatusWatchKind = 1;
}

CParamInitSave::CParamInitSave(CGlobal& g, QWidget* parent) : QDialog(parent), g_(g) {
    setObjectName("CParamInitSave");
    setWindowTitle(tr("参数初始化 / 保存"));
    g_.pollingEnabled = 1;
    g_.link.Protocol().retryOnSendFailure = 1;
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);
    storeControl_ = AddButton("storeControl", QString(), 0, 0);
    initialise_ = AddButton("initialise", QString(), 1, 0);
    storeMotor_ = AddButton("storeMotor", QString(), 2, 0);
    driveSaves_ = AddButton("driveSaves", tr("驱动器保存参数"), 0, 1);
    restart_ = AddButton("restart", tr("驱动器重启"), 1, 1);
    exit_ = AddButton("exit", tr("退出"), 2, 1);
    connect(storeControl_, &QPushButton::clicked, this,
            [this] { Act(InitSaveAction::StoreControl); });
    connect(initialise_, &QPushButton::clicked, this, [this] { Act(InitSaveAction::Initialise); });
    connect(storeMotor_, &QPushButton::clicked, this, [this] { Act(InitSaveAction::StoreMotor); });
    connect(restart_, &QPushButton::clicked, this, [this] { Act(InitSaveAction::Restart); });
    connect(driveSaves_, &QPushButton::clicked, this, [this] { OnDriveSaves(); });
    connect(exit_, &QPushButton::clicked, this, [this] { reject(); });
    ShowRules();
    g_.exclusiveMode = 1;
    g_.exclusiveOwner = Handle();
    g_.link.AddWatch(Handle(), drvobj::kDriveStatus, kStatusWatchKind);
    g_.link.ActivateWatches(Handle());
}

CParamInitSave::~CParamInitSave() {
    Release();
}

QPushButton* CParamInitSave::AddButton(const char* objectName, const QString& caption, int row,
                                       int column) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setMinimumWidth(210);
    static_cast<QGridLayout*>(layout())->addWidget(button, row, column);
    return button;
}

QPushButton* CParamInitSave::Button(InitSaveButton button) const {
    switch (button) {
        case InitSaveButton::StoreControl:
            return storeControl_;
        case InitSaveButton::Initialise:
            return initialise_;
        default:
            return storeMotor_;
    }
}

void CParamInitSave::ShowRules() {
    const int language = g_.language;
    for (InitSaveButton b :
         {InitSaveButton::StoreControl, InitSaveButton::Initialise, InitSaveButton::StoreMotor})
        Button(b)->setText(InitSaveCaption(b, rules_.CaptionOk(b), language));
    for (QPushButton* action : {storeControl_, initialise_, storeMotor_, restart_})
        action->setEnabled(rules_.ActionsEnabled());
}

void CParamInitSave::Act(InitSaveAction action) {
    if (g_.online != 1) {
        MessageBox(QStringLiteral("Comm port isn't Open!"));
        return;
    }
    const BatchRequest request = rules_.Begin(action);
    g_.link.Request(Handle(), request.command, request.key, request.data);
    ShowRules();
}

void CParamInitSave::OnDriveSaves() {
    if (g_.online != 1) {
        MessageBox(QStringLiteral("Comm port isn't Open!"));
        return;
    }
    const BatchRequest request = CInitSaveRules::DriveSavesRequest();
    g_.link.Request(Handle(), request.command, request.key, request.data);
}

LResult CParamInitSave::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    if (msg != WM_LINK_VALUE)
        return 0;
    rules_.OnValue(static_cast<std::int32_t>(lParam), static_cast<std::uint32_t>(wParam));
    ShowRules();
    return 1;
}

void CParamInitSave::done(int result) {
    Release();
    QDialog::done(result);
}

// Closing hands the link back and tells the main frame the batch has ended. The status
// watch is switched off: this dialog's window is gone once it closes.
void CParamInitSave::Release() {
    if (released_)
        return;
    released_ = true;
    g_.pollingEnabled = 1;
    g_.link.Protocol().retryOnSendFailure = 1;
    g_.link.DeactivateWatches(Handle());
    WindowHandle self = Handle();
    if (g_.exclusiveOwner.compare_exchange_strong(self, 0))
        g_.exclusiveMode = 0;
    PostMessage(g_.mainWindow, WM_BATCH_DONE, 0, 0);
}

void CParamInitSave::Run(CGlobal& g, QWidget* parent) {
    auto* dialog = new CParamInitSave(g, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
