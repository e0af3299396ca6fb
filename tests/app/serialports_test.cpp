// Serial port list from device nodes, without opening them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>

#include "comm/serialports.h"
#include "support/temp_base.h"

namespace {

QStringList Paths(const std::vector<SerialPortEntry>& entries) {
    QStringList paths;
    for (const SerialPortEntry& e : entries) paths << e.path;
    return paths;
}

}  // namespace

TEST(SerialPortsTest, ListsAdaptersPresentUartsByIdLinksAndLiveSimulatorPorts) {
    TempBase t;
    for (const char* node : {"dev/ttyUSB10", "dev/ttyUSB2", "dev/ttyACM0", "dev/ttyS0", "dev/ttyS1",
                             "dev/tty1", "sys/tty/ttyS0/type", "sys/tty/ttyS1/type"})
        t.Write(node, "");
    t.Write("sys/tty/ttyS0/type", "4\n");
    t.Write("sys/tty/ttyS1/type", "0\n");  // a node with no UART behind it
    QDir().mkpath(t.File("dev/serial/by-id"));
    QFile::link(t.File("dev/ttyUSB2"), t.File("dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
    QDir().mkpath(t.File("sim"));
    QFile::link(t.File("dev/ttyACM0"), t.File("sim/ttyVSIM0"));
    QFile::link(t.File("gone"), t.File("sim/ttyVSIM1"));  // the simulator ended

    CSerialPorts ports;
    ports.devFolder = t.File("dev");
    ports.sysTtyFolder = t.File("sys/tty");
    ports.lockFolders = {t.File("lock")};
    ports.procFolder = t.File("proc");
    ports.simulatorFolder = t.File("sim");
    EXPECT_EQ(Paths(ports.List()),
              (QStringList{t.File("dev/serial/by-id/usb-FTDI_FT232R-if00-port0"),
                           t.File("dev/ttyUSB2"), t.File("dev/ttyUSB10"), t.File("dev/ttyACM0"),
                           t.File("dev/ttyS0"), t.File("sim/ttyVSIM0")}));
}

TEST(SerialPortsTest, MarksAPortHeldByALiveLockOwnerOnly) {
    TempBase t;
    t.Write("dev/ttyUSB0", "");
    t.Write("dev/ttyUSB1", "");
    t.Write("lock/LCK..ttyUSB0", QByteArray::number(static_cast<int>(getppid())) + "\n");
    t.Write("lock/LCK..ttyUSB1", "999999999\n");  // stale
    CSerialPorts ports;
    ports.devFolder = t.File("dev");
    ports.lockFolders = {t.File("lock")};
    ports.procFolder = t.File("proc");
    ports.simulatorFolder = t.File("sim");
    std::vector<SerialPortEntry> list = ports.List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].heldBy, QStringLiteral("pid %1").arg(getppid()));
    EXPECT_TRUE(list[1].heldBy.isEmpty());
}
