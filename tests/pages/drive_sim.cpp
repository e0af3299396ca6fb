#include "drive_sim.h"

#include <QTest>

#include "controlchannel.h"
#include "pages/inplaceeditors.h"

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

bool DriveSimTest::StartSim(bool connect, const QStringList& options) {
    if (!sim.Start(options))
        return false;
    const char* files[] = {"data/DataInOut.ini", "sys/F001.ini",  "sys/ErrorHistory.ini",
                           "sys/F000.ini",       "sys/F002.ini",  "sys/F003.ini",
                           "sys/F004.ini",       "sys/F005.ini",  "sys/PdoOther.ini",
                           "sys/TPDO1.ini",      "sys/TPDO3.ini", "sys/RPDO1.ini"};
    for (const char* file : files)
        if (!sim.base().CopyFromRuntime(file))
            return false;
    return !connect || Connect();
}

bool DriveSimTest::Connect() {
    return sim.Connect();
}

QString DriveSimTest::Tell(const QString& command) {
    QString answer;
    vsim::CControlChannel::Tell(sim.base().File("ctl1"), command, answer);
    return answer;
}

qint64 DriveSimTest::Get(std::int32_t key) {
    return Tell(QString::asprintf("get %06x", unsigned(key))).toLongLong();
}

void DriveSimTest::Set(std::int32_t key, qint64 value) {
    QString answer = Tell(QString::asprintf("set %06x %lld", unsigned(key), value));
    EXPECT_FALSE(answer.startsWith("error") || answer.isEmpty()) << answer.toStdString();
}

void DriveSimTest::Show(QWidget* page, QSize size) {
    page->resize(size);
    page->show();
    page->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(page));
}

void DriveSimTest::Shot(QWidget* widget, const QString& name) {
    widget->grab().save(QStringLiteral("/tmp/errio-%1.png").arg(name));
}

void DriveSimTest::TearDown() {
    CInPlaceEdit::DestroyShared();
    CInPlaceCombo::DestroyShared();
}
