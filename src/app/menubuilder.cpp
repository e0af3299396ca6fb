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

#define T(text) QT_TRANSLATE_NOOP("CMainFrame", text)

const Menu kMenus[] = {
    {T("文件(&F)"),
     {{ID_FILE_NEW, T("新建")}, {ID_FILE_OPEN, T("打开")}, {ID_FILE_SAVE, T("保存")},
      {0, nullptr}, {ID_APP_EXIT, T("退出(&X)")}}},
    {T("通信(&C)"), {{ID_COMM_MODE, T("通信方式")}, {ID_COMM_SETTINGS, T("通信设置")}}},
    {T("参数(&P)"),
     {{ID_BASE_OPERATE, T("基本操作")}, {ID_POSITION_LOOP, T("位置环")},
      {ID_SPEED_LOOP, T("速度环")}, {ID_CURRENT_LOOP, T("电流环")}, {ID_IO, T("I／O口")},
      {0, nullptr}, {ID_DRIVE_CONFIG, T("驱动器配置")}, {ID_DRIVE_PROPERTY, T("驱动器属性")},
      {ID_MOTOR_PARAM, T("电机配置")}}},
    {T("模式(&M)"),
     {{ID_PULSE_MODE, T("脉冲/方向模式")}, {ID_ANALOG_SPEED, T("模拟速度模式")},
      {ID_ANALOG_TORQUE, T("模拟力矩模式")}, {ID_POSITION_MODE, T("位置段模式")},
      {ID_SPEED_PHASE, T("速度段模式")}, {ID_HOMING_MODE, T("原点模式")}, {0, nullptr},
      {ID_AUTO_TUNE, T("自整定")}, {ID_AUTO_REVERSE, T("自动翻转")}}},
    {T("工具(&T)"),
     {{ID_SDO_LIST, T("对象字典")}, {ID_SCOPE, T("示波器")}, {ID_AUTO_TUNER, T("整定器/专家模式")},
      {-1, T("PDO")}, {ID_TPDO_PAGE, T("TPDO")}, {ID_RPDO_PAGE, T("RPDO")},
      {ID_PDO_OTHER, T("其它")}, {-2, nullptr},
      {-1, T("面板")}, {ID_PANEL_F000, T("F000")}, {ID_PANEL_F001, T("F001")},
      {ID_PANEL_F002, T("F002")}, {ID_PANEL_F003, T("F003")}, {ID_PANEL_F004, T("F004")},
      {ID_PANEL_F005, T("F005")}, {ID_PANEL_F007, T("F007")}, {-2, nullptr}}},
    {T("错误(&E)"), {{ID_REALTIME_ERROR, T("实时错误")}, {ID_ERROR_HISTORY, T("历史错误")}}},
    {T("维护(&D)"),
     {{ID_READ_DRIVE, T("读驱动器配置")}, {ID_WRITE_DRIVE, T("写驱动器配置")}, {0, nullptr},
      {ID_INIT_SAVE, T("初始化/保存")}}},
    {T("查看(&V)"),
     {{ID_VIEW_TOOLBAR, T("工具栏(&T)")}, {ID_VIEW_STATUS_BAR, T("状态栏(&S)")}, {0, nullptr},
      {ID_LANGUAGE, T("语言切换")}}},
    {T("窗口(&W)"), {{ID_TB_CASCADE, T("层叠(&C)")}, {ID_TB_TILE, T("平铺(&T)")}}},
    {T("帮助(&H)"), {{ID_APP_ABOUT, T("关于 VeltoServo(&A)...")}}},
};

#undef T

QString Tr(const char* text) { return QCoreApplication::translate("CMainFrame", text); }

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
