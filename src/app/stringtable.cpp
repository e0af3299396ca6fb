#include "app/stringtable.h"

#include <QCoreApplication>

namespace stringtable {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Titles of the page frames and of the application.
constexpr Entry kEntries[] = {
    {102, "VeltoServo"},
    {57344, "VeltoServo"},
    {121, QT_TRANSLATE_NOOP("StringTable", "电流环")},
    {123, QT_TRANSLATE_NOOP("StringTable", "CAN通信设置")},
    {124, QT_TRANSLATE_NOOP("StringTable", "RS232通信设置")},
    {125, QT_TRANSLATE_NOOP("StringTable", "通信方式")},
    {126, QT_TRANSLATE_NOOP("StringTable", "基本操作")},
    {127, QT_TRANSLATE_NOOP("StringTable", "历史错误")},
    {128, QT_TRANSLATE_NOOP("StringTable", "对象字典")},
    {129, QT_TRANSLATE_NOOP("StringTable", "电机配置")},
    {131, QT_TRANSLATE_NOOP("StringTable", "驱动器配置")},
    {132, QT_TRANSLATE_NOOP("StringTable", "位置环")},
    {133, QT_TRANSLATE_NOOP("StringTable", "速度环")},
    {134, QT_TRANSLATE_NOOP("StringTable", "模拟速度模式")},
    {135, QT_TRANSLATE_NOOP("StringTable", "速度段模式")},
    {136, QT_TRANSLATE_NOOP("StringTable", "模拟力矩模式")},
    {137, QT_TRANSLATE_NOOP("StringTable", "原点模式")},
    {138, QT_TRANSLATE_NOOP("StringTable", "脉冲/方向模式")},
    {140, QT_TRANSLATE_NOOP("StringTable", "自动翻转")},
    {141, QT_TRANSLATE_NOOP("StringTable", "位置段模式")},
    {142, QT_TRANSLATE_NOOP("StringTable", "自整定")},
    {143, QT_TRANSLATE_NOOP("StringTable", "驱动器属性")},
    {144, QT_TRANSLATE_NOOP("StringTable", "I/O口")},
    {145, QT_TRANSLATE_NOOP("StringTable", "实时错误")},
    {146, QT_TRANSLATE_NOOP("StringTable", "模拟量输入")},
    {148, "F000"},
    {149, "F001"},
    {150, "F002"},
    {151, "F003"},
    {152, "F004"},
    {153, "F005"},
    {154, "F007"},
    {155, QT_TRANSLATE_NOOP("StringTable", "读驱动器配置")},
    {156, QT_TRANSLATE_NOOP("StringTable", "功能配置")},
    {158, QT_TRANSLATE_NOOP("StringTable", "写驱动器配置")},
    {159, QT_TRANSLATE_NOOP("StringTable", "示波器")},
    {223, QT_TRANSLATE_NOOP("StringTable", "整定器/专家模式")},
    {229, "RPDO"},
    {230, "TPDO"},
    {1255, QT_TRANSLATE_NOOP("StringTable", "PDO其它")},
    {1256, "RPDO1"},
    {1257, "RPDO2"},
    {1258, "RPDO3"},
    {1259, "RPDO4"},
    {1260, "RPDO5"},
    {1261, "RPDO6"},
    {1262, "RPDO7"},
    {1263, "RPDO8"},
    {1264, "TPDO1"},
    {1265, "TPDO2"},
    {1266, "TPDO3"},
    {1267, "TPDO4"},
    {1268, "TPDO5"},
    {1269, "TPDO6"},
    {1270, "TPDO7"},
    {1271, "TPDO8"},
};

}  // namespace

const char* SourceText(int id) {
    for (const Entry& e : kEntries)
        if (e.id == id)
            return e.text;
    return "";
}

QString LoadString(int id) {
    const char* text = SourceText(id);
    if (!*text)
        return QString();
    return QCoreApplication::translate("StringTable", text);
}

}  // namespace stringtable
