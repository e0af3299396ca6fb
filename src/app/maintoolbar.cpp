#include "app/maintoolbar.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>

#include "app/commands.h"
#include "platform/msgbox.h"
#include "resources/bitmaps.h"

using namespace resources;

const std::vector<int>& CMainToolBar::Layout() {
    static const std::vector<int> layout = {cmd::ID_TB_OPEN,
                                            cmd::ID_TB_SAVE,
                                            0,
                                            cmd::ID_TB_CONNECT,
                                            cmd::ID_TB_SCOPE,
                                            cmd::ID_TB_IO,
                                            cmd::ID_TB_REALTIME_ERROR,
                                            0,
                                            cmd::ID_TB_READ_DRIVE,
                                            cmd::ID_TB_WRITE_DRIVE,
                                            0,
                                            cmd::ID_TB_CASCADE,
                                            cmd::ID_TB_TILE};
    return layout;
}

namespace {

QString ToolTipOf(int command) {
    switch (command) {
        case cmd::ID_TB_OPEN:
            return QCoreApplication::translate("CMainToolBar", "打开工程");
        case cmd::ID_TB_SAVE:
            return QCoreApplication::translate("CMainToolBar", "保存工程");
        case cmd::ID_TB_CONNECT:
            return QCoreApplication::translate("CMainToolBar", "连接/断开");
        case cmd::ID_TB_SCOPE:
            return QCoreApplication::translate("CMainToolBar", "示波器");
        case cmd::ID_TB_IO:
            return QCoreApplication::translate("CMainToolBar", "I/O口");
        case cmd::ID_TB_REALTIME_ERROR:
            return QCoreApplication::translate("CMainToolBar", "实时错误");
        case cmd::ID_TB_READ_DRIVE:
            return QCoreApplication::translate("CMainToolBar", "读驱动器配置");
        case cmd::ID_TB_WRITE_DRIVE:
            return QCoreApplication::translate("CMainToolBar", "写驱动器配置");
        case cmd::ID_TB_CASCADE:
            return QCoreApplication::translate("CMainToolBar", "层叠窗口");
        default:
            return QCoreApplication::translate("CMainToolBar", "平铺窗口");
    }
}

}  // namespace

CMainToolBar::CMainToolBar(std::function<void(int)> onCommand, QWidget* parent) : QToolBar(parent) {
    setObjectName("toolbar");
    setMovable(false);
    setIconSize(QSize(kToolBarImageSize, kToolBarImageSize));
    for (int id : {IDB_TOOLBAR_CLOSED, IDB_TOOLBAR_OPEN, IDB_TOOLBAR_FAULT}) {
        std::vector<QIcon>& icons = sets_[id];
        for (int i = 0; i < kToolBarImageCount; ++i) icons.emplace_back(ToolBarImage(id, i));
    }
    band_ = LoadBitmap(IDB_BAND);

    for (int command : Layout()) {
        if (command == 0) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(ToolTipOf(command));
        action->setData(command);
        action->setToolTip(ToolTipOf(command));
        connect(action, &QAction::triggered, this, [onCommand, command] { onCommand(command); });
        buttons_.push_back(action);
        if (QWidget* button = widgetForAction(action)) {
            button->setMinimumWidth(30);
            button->setMaximumWidth(180);
        }
    }
    SetImageSet(IDB_TOOLBAR_CLOSED);
}

void CMainToolBar::SetImageSet(int setId) {
    auto it = sets_.find(setId);
    if (it == sets_.end()) {
        platform::MessageBox(QStringLiteral("Toolbar Update is Error!!"));
        QCoreApplication::exit(0);
        return;
    }
    if (setId == set_)
        return;
    set_ = setId;
    ++switches_;
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setIcon(it->second[i]);
}

QAction* CMainToolBar::Action(int command) const {
    for (QAction* a : buttons_)
        if (a->data().toInt() == command)
            return a;
    return nullptr;
}

void CMainToolBar::paintEvent(QPaintEvent* event) {
    // The band behind the buttons, stretched.
    QPainter painter(this);
    painter.drawPixmap(rect(), band_);
    painter.end();
    QToolBar::paintEvent(event);
}
