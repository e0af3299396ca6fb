#include "app/menubuilder.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include "app/commands.h"

using namespace cmd;

namespace {

// One menu line: a command, a separator (0) or the start (-1) and end (-2) of a submenu.
struct Item {
    int command;
    const char* text;
};
struct Menu {
    const char* title;
    std::initializer_list<Item> items;
};

const Menu kMenus[] = {
    {QT_TRANSLATE_NOOP("CMainFrame", "文件(&F)"),
     {{ID_FILE_NEW, QT_TRANSLATE_NOOP("CMainFrame", "新建")},
      {ID_FILE_OPEN, QT_TRANSLATE_NOOP("CMainFrame", "打开")},
      {ID_FILE_SAVE, QT_TRANSLATE_NOOP("CMainFrame", "保存")},
      {0, nullptr},
      {ID_APP_EXIT, QT_TRANSLATE_NOOP("CMainFrame", "退出(&X)")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "通信(&C)"),
     {{ID_COMM_MODE, QT_TRANSLATE_NOOP("CMainFrame", "通信方式")},
      {ID_COMM_SETTINGS, QT_TRANSLATE_NOOP("CMainFrame", "通信设置")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "参数(&P)"),
     {{ID_BASE_OPERATE, QT_TRANSLATE_NOOP("CMainFrame", "基本操作")},
      {ID_POSITION_LOOP, QT_TRANSLATE_NOOP("CMainFrame", "位置环")},
      {ID_SPEED_LOOP, QT_TRANSLATE_NOOP("CMainFrame", "速度环")},
      {ID_CURRENT_LOOP, QT_TRANSLATE_NOOP("CMainFrame", "电流环")},
      {ID_IO, QT_TRANSLATE_NOOP("CMainFrame", "I／O口")},
      {0, nullptr},
      {ID_DRIVE_CONFIG, QT_TRANSLATE_NOOP("CMainFrame", "驱动器配置")},
      {ID_DRIVE_PROPERTY, QT_TRANSLATE_NOOP("CMainFrame", "驱动器属性")},
      {ID_MOTOR_PARAM, QT_TRANSLATE_NOOP("CMainFrame", "电机配置")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "模式(&M)"),
     {{ID_PULSE_MODE, QT_TRANSLATE_NOOP("CMainFrame", "脉冲/方向模式")},
      {ID_ANALOG_SPEED, QT_TRANSLATE_NOOP("CMainFrame", "模拟速度模式")},
      {ID_ANALOG_TORQUE, QT_TRANSLATE_NOOP("CMainFrame", "模拟力矩模式")},
      {ID_POSITION_MODE, QT_TRANSLATE_NOOP("CMainFrame", "位置段模式")},
      {ID_SPEED_PHASE, QT_TRANSLATE_NOOP("CMainFrame", "速度段模式")},
      {ID_HOMING_MODE, QT_TRANSLATE_NOOP("CMainFrame", "原点模式")},
      {0, nullptr},
      {ID_AUTO_TUNE, QT_TRANSLATE_NOOP("CMainFrame", "自整定")},
      {ID_AUTO_REVERSE, QT_TRANSLATE_NOOP("CMainFrame", "自动翻转")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "工具(&T)"),
     {{ID_SDO_LIST, QT_TRANSLATE_NOOP("CMainFrame", "对象字典")},
      {ID_SCOPE, QT_TRANSLATE_NOOP("CMainFrame", "示波器")},
      {ID_AUTO_TUNER, QT_TRANSLATE_NOOP("CMainFrame", "整定器/专家模式")},
      {-1, QT_TRANSLATE_NOOP("CMainFrame", "PDO")},
      {ID_TPDO_PAGE, QT_TRANSLATE_NOOP("CMainFrame", "TPDO")},
      {ID_RPDO_PAGE, QT_TRANSLATE_NOOP("CMainFrame", "RPDO")},
      {ID_PDO_OTHER, QT_TRANSLATE_NOOP("CMainFrame", "其它")},
      {-2, nullptr},
      {-1, QT_TRANSLATE_NOOP("CMainFrame", "面板")},
      {ID_PANEL_F000, QT_TRANSLATE_NOOP("CMainFrame", "F000")},
      {ID_PANEL_F001, QT_TRANSLATE_NOOP("CMainFrame", "F001")},
      {ID_PANEL_F002, QT_TRANSLATE_NOOP("CMainFrame", "F002")},
      {ID_PANEL_F003, QT_TRANSLATE_NOOP("CMainFrame", "F003")},
      {ID_PANEL_F004, QT_TRANSLATE_NOOP("CMainFrame", "F004")},
      {ID_PANEL_F005, QT_TRANSLATE_NOOP("CMainFrame", "F005")},
      {ID_PANEL_F007, QT_TRANSLATE_NOOP("CMainFrame", "F007")},
      {-2, nullptr}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "错误(&E)"),
     {{ID_REALTIME_ERROR, QT_TRANSLATE_NOOP("CMainFrame", "实时错误")},
      {ID_ERROR_HISTORY, QT_TRANSLATE_NOOP("CMainFrame", "历史错误")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "维护(&D)"),
     {{ID_READ_DRIVE, QT_TRANSLATE_NOOP("CMainFrame", "读驱动器配置")},
      {ID_WRITE_DRIVE, QT_TRANSLATE_NOOP("CMainFrame", "写驱动器配置")},
      {0, nullptr},
      {ID_INIT_SAVE, QT_TRANSLATE_NOOP("CMainFrame", "初始化/保存")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "查看(&V)"),
     {{ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("CMainFrame", "工具栏(&T)")},
      {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("CMainFrame", "状态栏(&S)")},
      {0, nullptr},
      {ID_LANGUAGE, QT_TRANSLATE_NOOP("CMainFrame", "语言切换")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "窗口(&W)"),
     {{ID_TB_CASCADE, QT_TRANSLATE_NOOP("CMainFrame", "层叠(&C)")},
      {ID_TB_TILE, QT_TRANSLATE_NOOP("CMainFrame", "平铺(&T)")}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "帮助(&H)"),
     {{ID_APP_ABOUT, QT_TRANSLATE_NOOP("CMainFrame", "关于 VeltoServo(&A)...")}}},
};

QString Tr(const char* text) {
    return QCoreApplication::translate("CMainFrame", text);
}

}  // namespace

CMenuBuilder::CMenuBuilder(QMenuBar* bar, CommandHandler onCommand) {
    for (const Menu& m : kMenus) {
        QMenu* menu = bar->addMenu(Tr(m.title));
        QMenu* target = menu;
        for (const Item& item : m.items) {
            if (item.command == 0) {
                target->addSeparator();
            } else if (item.command == -1) {
                target = menu->addMenu(Tr(item.text));
            } else if (item.command == -2) {
                target = menu;
            } else {
                QAction* action = target->addAction(Tr(item.text));
                action->setData(item.command);
                int command = item.command;
                QObject::connect(action, &QAction::triggered, bar,
                                 [onCommand, command] { onCommand(command); });
                actions_[command] = action;
            }
        }
    }
    for (int toggle : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        actions_[toggle]->setCheckable(true);
        actions_[toggle]->setChecked(true);
    }
}

QAction* CMenuBuilder::Action(int command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}
