// Serial port list from device nodes, without opening them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "app/childframe.h"
#include "app/commands.h"
#include "app/pageframes.h"
#include "comm/commrs232.h"
#include "comm/serialports.h"
#include "shell_fixture.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

namespace {

QStringList Paths(const std::vector<SerialPortEntry>& entries) {
    QStringList paths;
    for (const SerialPortEntry& e : entries) paths << e.path;
    return paths;
}

// Fake trees hold plain files where the devices would be.
CSerialPorts FakeTreePorts() {
    CSerialPorts ports;
    ports.isPortNode = [](const QString& path) { return QFileInfo(path).isFile(); };
    return ports;
}

// A listening UNIX socket at the path, as the simulator's control socket is.
int ListenAt(const QString& path) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    QByteArray name = QFile::encodeName(path);
    std::memcpy(addr.sun_path, name.constData(), std::min<size_t>(name.size(), 100));
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::listen(fd, 1) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
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

    CSerialPorts ports = FakeTreePorts();
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
    CSerialPorts ports = FakeTreePorts();
    ports.devFolder = t.File("dev");
    ports.lockFolders = {t.File("lock")};
    ports.procFolder = t.File("proc");
    ports.simulatorFolder = t.File("sim");
    std::vector<SerialPortEntry> list = ports.List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].heldBy, QStringLiteral("pid %1").arg(getppid()));
    EXPECT_TRUE(list[1].heldBy.isEmpty());
}

TEST(SerialPortsTest, OffersCharacterDevicesAndPseudoTerminalLinksOnly) {
    TempBase t;
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    QDir().mkpath(t.File("sim"));
    QDir().mkpath(t.File("dev"));
    ASSERT_TRUE(QFile::link(QString::fromLatin1(::ptsname(master)), t.File("sim/ttyVSIM1")));
    int socket = ListenAt(t.File("sim/ttyVSIM1.ctl"));
    ASSERT_GE(socket, 0);
    t.Write("sim/ttyVSIM2", "");  // a plain file
    t.Write("dev/ttyUSB0", "");   // written to where no adapter is
    ASSERT_TRUE(QFile::link("/dev/null", t.File("dev/ttyUSB1")));

    CSerialPorts ports;
    ports.devFolder = t.File("dev");
    ports.lockFolders = {t.File("lock")};
    ports.procFolder = t.File("proc");
    ports.simulatorFolder = t.File("sim");
    EXPECT_EQ(Paths(ports.List()), (QStringList{t.File("dev/ttyUSB1"), t.File("sim/ttyVSIM1")}));
    ::close(socket);
    ::close(master);
}

// The serial link page beside a running simulator: its port, never its control socket.
TEST_F(ShellTest, SerialPageListsTheSimulatorsPortButNotItsControlSocket) {
    const QString link = QStringLiteral("/tmp/veltosim/ttyVSIMt%1").arg(::getpid());
    ASSERT_TRUE(base.CopyFromRuntime("data/COM.so"));
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--base", RuntimeDir(), "--serial", link, "--no-stdin"}));
    ASSERT_TRUE(QFileInfo::exists(link + ".ctl"));
    StartFrame();
    global->commMode = 2;
    frame->OnCommand(cmd::ID_COMM_SETTINGS);
    CChildFrame* page = frame->frames().Find(cmd::ID_PAGE_COMM_RS232);
    ASSERT_NE(page, nullptr);
    QComboBox* ports = static_cast<CCommRs232*>(page->view())->portList();
    QStringList listed;
    for (int i = 0; i < ports->count(); ++i) listed << ports->itemText(i);
    EXPECT_TRUE(listed.contains(link)) << listed.join(", ").toStdString();
    for (const QString& port : listed) EXPECT_FALSE(port.endsWith(".ctl")) << port.toStdString();
}
