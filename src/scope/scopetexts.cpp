#include "scope/scopetexts.h"

namespace scopetext {
namespace {

bool Chinese(int language) {
    return language == 1;
}

QString Dotted(const char* text, int dots) {
    return QString::fromUtf8(text) + u' ' + QString(std::max(1, std::min(dots, 5)), u'.');
}

}  // namespace

QString StartCaption(int language) {
    return Chinese(language) ? QStringLiteral("开始采集") : QStringLiteral("Start");
}

QString CancelCaption(int language) {
    return Chinese(language) ? QStringLiteral("取消采集") : QStringLiteral("Cancel");
}

QString Finish(int language) {
    return Chinese(language) ? QStringLiteral("处理完毕") : QStringLiteral("finish");
}

QString Waiting(int language, int dots) {
    return Dotted(Chinese(language) ? "等待采集数据" : "wait to read data", dots);
}

QString Reading(int language, int dots) {
    if (Chinese(language))
        return Dotted("读取数据", dots);
    return dots == 4 ? QString() : Dotted("reading data", dots);
}

QString ManualTrigger(int language) {
    return Chinese(language) ? QStringLiteral("手动触发") : QStringLiteral("manual trigger");
}

QString Refused(int language) {
    return Chinese(language) ? QStringLiteral("驱动器拒绝采集")
                             : QStringLiteral("capture refused by the drive");
}

QString BufferOverflow(int language) {
    return Chinese(language) ? QStringLiteral("数据超过8192字节, 上传中止")
                             : QStringLiteral("data beyond 8192 bytes, upload ended");
}

QString LinkLost(int language) {
    return Chinese(language) ? QStringLiteral("通信中断, 采集结束")
                             : QStringLiteral("link closed, capture ended");
}

QString FieldRange(int language) {
    return Chinese(language) ? QStringLiteral("请输入0到65535之间的数字!")
                             : QStringLiteral("Please enter a number from 0 to 65535!");
}

QString SamplePeriodText(std::uint16_t period) {
    const double us = period * 62.5;
    if (period <= 15)
        return QString::asprintf("%0.1fus", us);
    if (period <= 15999)
        return QString::asprintf("%0.2fms", us / 1000.0);
    return QString::asprintf("%0.2fs", us / 1000000.0);
}

}  // namespace scopetext
