#include "tuner/tunertexts.h"

namespace tunertext {
namespace {

struct Entry {
    const char* english;
    const char* chinese;  // null: the English text in both languages
};

constexpr Entry kTexts[] = {
    {"Comm port isn't Open!", nullptr},
    {"In acq", nullptr},
    {"From's value should be greater than 4.", "起始频率 应该大于4."},
    {"Step's value should be greater than 3.", "步进频率应该大于3."},
    {"End's value should be less than 1000.", "截止频率应该小于1000."},
    {"To's value should be greater than (4*Step+From).", "截止频率应该大于(4*步进频率+起始频率)."},
    {"Mag Current value's range is from 32 to 800 .", "电流幅值的范围是从32 到 800."},
    {"acquiring...", "采集中..."},
    {"finish.", "完成."},
    {"fail!", nullptr},
    {"60", nullptr},
    {"Note:if start frequency scanning,the IO port will lose its control for at most 20s,driver "
     "will auto-enable,motor will excite the load with the current you set,position and speed "
     "control will not work,Please start with the small current,and keep enough distance, please "
     "pay attention to Safty!!!Do not use in Gravity or similar scenes. the operation mode will "
     "be set to 15 which only the current control works.After scan finished,IO port get the "
     "control again,operation mode will not change unless it changed by IO function.",
     "注意:启动扫频功能后，IO口会在最长20s内失去控制权，驱动器自使能,电机会以设定的电流幅值激励负"
     "载，位置或速度控制均失效，请务必从较小的电流幅值进行尝试，并预留足够的运动范围，请注意由此产"
     "生的机械安全问题!重力等外力场合请勿使用.    扫频启动时工作模式会设置为15。扫频结束IO重新获得"
     "控制权，除非被IO口修改，工作模式保持15"},
    {"get nzsim.dll interface failure", nullptr},
    {"Import refused: the header holds fewer than nine fields.", "导入失败：文件头少于九项。"},
    {"Import refused: the step in the header is 0.", "导入失败：文件头中的步进频率为0。"},
    {"Import refused: the header gives more than 500 points.",
     "导入失败：文件头给出的点数超过500。"},
    {"Import refused: the header gives no point (its end lies below its start).",
     "导入失败：文件头没有给出任何点（截止频率低于起始频率）。"},
    {"Import stopped: the length line does not match the header.",
     "导入中止：长度行与文件头不符。"},
    {"Import stopped: the file ends before its last point.", "导入中止：文件在最后一点之前结束。"},
    {"The file cannot be read.", "无法读取文件。"},
    {"The file cannot be written.", "无法写入文件。"},
    {"Link lost: the scan was stopped.", "通信中断：扫频已停止。"},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == LinkLost + 1, "one entry per text");

}  // namespace

QString Text(Id id, int language) {
    const Entry& e = kTexts[id];
    const char* text = language == 1 && e.chinese ? e.chinese : e.english;
    return QString::fromUtf8(text);
}

}  // namespace tunertext
