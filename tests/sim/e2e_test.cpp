// veltosim as a process: one test per transport, with the test's own small client.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <csignal>

#include "objecttable.h"
#include "sim_client.h"
#include "sim_table.h"
#include "support/child_process.h"
#include "support/temp_base.h"

namespace {

class SimE2e : public ::testing::Test {
protected:
    void SetUp() override { base.Write("data/velto_sim.tsv", TestTableText()); }
    QStringList BaseArgs(int address) const {
        return {"--base", base.Path(), "--address", QString::number(address)};
    }
    TempBase base;
};

// False when the process is gone or a zombie nobody reaps (an orphan's new parent may not).
bool Alive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype state = text.lastIndexOf(')') + 2;  // after "pid (comm) "
    return state < text.size() && text[state] != 'Z';
}

}  // namespace

TEST_F(SimE2e, SerialOnAPseudoTerminal) {
    const QString link = base.File("ttyVSIM1");
    VeltosimRun sim;
    ASSERT_TRUE(sim.Start(BaseArgs(1) << "--serial" << link, base.File("ctl1")));
    EXPECT_EQ(sim.FirstStdoutLine(), link);
    ASSERT_TRUE(QFileInfo(link).isSymLink());

    SerialClient client;
    ASSERT_TRUE(client.Open(link));
    auto r = client.Exchange(1, MakeSdo(0x40, 0x100000));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x43);
    EXPECT_EQ(SdoData(*r), 131474u);

    r = client.Exchange(1, MakeSdo(0x2B, 0x200001, 7));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x60);
    EXPECT_EQ(SdoData(*r), 7u);
    EXPECT_EQ(sim.Tell("get 200001"), "7");

    r = client.Exchange(1, MakeSdo(0x40, 0x100800));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x41);
    r = client.Exchange(1, MakeSdo(0x60, 0));
    ASSERT_TRUE(r);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&(*r)[1]), 7), "VeltoSi");

    EXPECT_FALSE(client.Exchange(2, MakeSdo(0x40, 0x100000), 200));  // not our drive

    // Faults set while running through the control channel.
    EXPECT_EQ(sim.Tell("corrupt-every 1"), "ok");
    EXPECT_FALSE(client.Exchange(1, MakeSdo(0x40, 0x100000)));
    EXPECT_TRUE(client.lastChecksumBad);
    EXPECT_EQ(sim.Tell("clear-faults"), "ok");
    EXPECT_EQ(sim.Tell("refuse 100000"), "ok");
    r = client.Exchange(1, MakeSdo(0x40, 0x100000));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x80);
    EXPECT_EQ(SdoData(*r), 0x08000020u);
    EXPECT_TRUE(sim.Tell("bogus").startsWith("error"));

    EXPECT_EQ(sim.Stop(), 0) << sim.Errors().toStdString();
    EXPECT_FALSE(QFileInfo(link).isSymLink());  // removed at exit
}

TEST_F(SimE2e, InstalledCopyStartedElsewhereServesTheInstalledTable) {
    // <prefix>/bin/veltosim and <prefix>/share/veltoservo/data/velto_sim.tsv, started in a
    // folder without a table of its own and without --base.
    base.Write("usr/share/veltoservo/data/velto_sim.tsv", TestTableText());
    base.Write("elsewhere/.keep", {});
    QDir().mkpath(base.File("usr/bin"));
    ASSERT_TRUE(QFile::copy(RuntimeDir() + "/veltosim", base.File("usr/bin/veltosim")));
    const QString link = base.File("ttyVSIM1");
    VeltosimRun sim;
    ASSERT_TRUE(sim.Start(base.File("usr/bin/veltosim"), base.File("elsewhere"), {"--serial", link},
                          base.File("ctl1")));
    SerialClient client;
    ASSERT_TRUE(client.Open(link));
    auto r = client.Exchange(1, MakeSdo(0x40, 0x100000));
    ASSERT_TRUE(r);
    EXPECT_EQ(SdoData(*r), 131474u);
    EXPECT_EQ(sim.Stop(), 0) << sim.Errors().toStdString();
}

// At 300 Bd request and reply take 20 x 10 bits = 667 ms on a real line: the reply is held back
// that long, then comes whole.
TEST_F(SimE2e, PacedSerialLineHoldsTheReplyForItsWireTime) {
    const QString link = base.File("ttyVSIM1");
    VeltosimRun sim;
    ASSERT_TRUE(sim.Start(BaseArgs(1) << "--serial" << link << "--baud"
                                      << "300",
                          base.File("ctl1")));
    SerialClient client;
    ASSERT_TRUE(client.Open(link));
    EXPECT_FALSE(client.Exchange(1, MakeSdo(0x40, 0x100000), 300));
    // A new request drops the reply still on its way, as the unread one of a client that gave up.
    auto r = client.Exchange(1, MakeSdo(0x40, 0x100000), 10000);
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x43);
    EXPECT_EQ(SdoData(*r), 131474u);
    EXPECT_EQ(sim.Stop(), 0) << sim.Errors().toStdString();
}

TEST_F(SimE2e, BaudRateMustBeARate) {
    for (const char* rate : {"fast", "0"}) {
        VeltosimRun sim;
        EXPECT_FALSE(
            sim.Start(BaseArgs(1) << "--serial" << base.File("ttyVSIM1") << "--baud" << rate,
                      base.File("ctl1")));
        EXPECT_TRUE(sim.Errors().contains("--baud needs a rate")) << rate;
    }
}

TEST_F(SimE2e, TwoDrivesOnOneVirtualCanBus) {
    const int port = 36000 + int(getpid() % 20000);
    const QString iface = QString("tcp://127.0.0.1:%1/can0").arg(port);
    VeltosimRun drive1, drive2;
    ASSERT_TRUE(drive1.Start(BaseArgs(1) << "--can"
                                         << "virtualcan:" + iface,
                             base.File("c1")));
    ASSERT_TRUE(drive2.Start(BaseArgs(2) << "--can"
                                         << "virtualcan:" + iface,
                             base.File("c2")));
    CanClient client;
    ASSERT_TRUE(client.Open(iface));

    auto r = client.Exchange(2, MakeSdo(0x2B, 0x200001, 9));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x60);
    EXPECT_EQ(SdoData(*r), 9u);
    r = client.Exchange(1, MakeSdo(0x40, 0x200001));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], 0x4B);
    EXPECT_EQ(SdoData(*r), 5u);  // drive 1 keeps its own value
    r = client.Exchange(2, MakeSdo(0x40, 0x200001));
    ASSERT_TRUE(r);
    EXPECT_EQ(SdoData(*r), 9u);

    EXPECT_EQ(drive2.Tell("lose-every 1"), "ok");
    EXPECT_FALSE(client.Exchange(2, MakeSdo(0x40, 0x200001), 300));
    EXPECT_TRUE(client.Exchange(1, MakeSdo(0x40, 0x200001)));

    EXPECT_EQ(drive2.Stop(), 0);
    EXPECT_EQ(drive1.Stop(), 0);
}

TEST_F(SimE2e, RefusesToStartWithoutItsTable) {
    TempBase empty;
    ChildProcess p;
    ASSERT_TRUE(p.Start(RuntimeDir() + "/veltosim",
                        {"--base", empty.Path(), "--serial", empty.File("tty"), "--no-stdin"}));
    ASSERT_TRUE(p.WaitForFinished(5000));
    EXPECT_EQ(p.ExitCode(), 1);
    EXPECT_TRUE(p.Errors().contains("velto_sim.tsv"));
}

TEST_F(SimE2e, EndsWhenTheProcessThatStartedItIsKilled) {
    const QString link = base.File("ttyVSIM4");
    ChildProcess parent;
    ASSERT_TRUE(parent.Start(QCoreApplication::applicationDirPath() + "/sim_parent",
                             BaseArgs(4) << "--serial" << link << "--no-stdin"
                                         << "--control" << base.File("ctl4")));
    QString line;
    ASSERT_TRUE(parent.ReadLine(line, 15000)) << parent.Errors().toStdString();
    const qint64 drive = line.toLongLong();
    ASSERT_GT(drive, 0);
    ASSERT_TRUE(Alive(drive));

    ::kill(parent.ProcessId(), SIGKILL);  // nothing of the parent's own code runs
    ASSERT_TRUE(parent.WaitForFinished(5000));
    const bool ended = QTest::qWaitFor([&] { return !Alive(drive); }, 10000);
    if (!ended)
        ::kill(pid_t(drive), SIGKILL);  // not left behind by this test either
    EXPECT_TRUE(ended);
    EXPECT_FALSE(QFileInfo::exists(link));  // it ended cleanly and removed its link
}

TEST_F(SimE2e, StoredParametersAndRestartOverSerial) {
    const QString link = base.File("ttyVSIM3");
    const QStringList args = BaseArgs(3) << "--serial" << link << "--state" << base.File("nv");
    {
        VeltosimRun sim;
        ASSERT_TRUE(sim.Start(args, base.File("ctl3")));
        SerialClient client;
        ASSERT_TRUE(client.Open(link));
        ASSERT_TRUE(client.Exchange(3, MakeSdo(0x2B, 0x200001, 42)));
        auto r = client.Exchange(3, MakeSdo(0x2F, 0x2FF001, 1));  // store control parameters
        ASSERT_TRUE(r);
        EXPECT_EQ((*r)[0], 0x60);
        r = client.Exchange(3, MakeSdo(0x40, 0x301006));
        ASSERT_TRUE(r);
        EXPECT_EQ(SdoData(*r) & 0x10, 0x10u);  // storing
        ASSERT_TRUE(client.Exchange(3, MakeSdo(0x2B, 0x200001, 7)));
        // Restart: answered, then silent, then back with the stored values.
        ASSERT_TRUE(client.Exchange(3, MakeSdo(0x2B, 0x2FFF00, 0xAA55)));
        EXPECT_FALSE(client.Exchange(3, MakeSdo(0x40, 0x200001), 300));
        std::optional<Sdo> back;
        for (int i = 0; i < 40 && !back; ++i) back = client.Exchange(3, MakeSdo(0x40, 0x200001));
        ASSERT_TRUE(back);
        EXPECT_EQ(SdoData(*back), 42u);
        EXPECT_EQ(sim.Stop(), 0);
    }
    VeltosimRun again;
    ASSERT_TRUE(again.Start(args, base.File("ctl3")));
    EXPECT_EQ(again.Tell("get 200001"), "42");
    // Errors and inputs set through the control channel reach the objects.
    EXPECT_EQ(again.Tell("raise 1 5"), "ok");
    EXPECT_EQ(again.Tell("get 260100"), "32");
    EXPECT_EQ(again.Tell("get 261001"), QString::number(0x3210));
    EXPECT_EQ(QString::number(again.Tell("get 604100").toInt() & 8), "8");
    EXPECT_EQ(again.Tell("inputs 3"), "ok");
    EXPECT_TRUE(again.Tell("raise 3 1").startsWith("error"));
}

TEST_F(SimE2e, RestartCommandSilencesTheDriveUntilItIsBack) {
    const QString link = base.File("ttyVSIM4");
    VeltosimRun sim;
    ASSERT_TRUE(sim.Start(BaseArgs(4) << "--serial" << link, base.File("ctl4")));
    SerialClient client;
    ASSERT_TRUE(client.Open(link));
    ASSERT_TRUE(client.Exchange(4, MakeSdo(0x40, 0x100000)));
    EXPECT_EQ(sim.Tell("restart"), "ok");
    EXPECT_TRUE(sim.Tell("status").endsWith("restarting 1"));
    EXPECT_FALSE(client.Exchange(4, MakeSdo(0x40, 0x100000), 300));
    std::optional<Sdo> back;
    for (int i = 0; i < 40 && !back; ++i) back = client.Exchange(4, MakeSdo(0x40, 0x100000));
    EXPECT_TRUE(back);
    EXPECT_TRUE(sim.Tell("status").endsWith("restarting 0"));
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(SimShippedTable, LoadsWhenBuilt) {
    const QString path = RuntimeDir() + "/data/velto_sim.tsv";
    if (!QFileInfo::exists(path))
        GTEST_SKIP() << "no shipped table yet";
    vsim::CObjectTable table;
    QString error;
    ASSERT_TRUE(table.Load(path, &error)) << error.toStdString();
    EXPECT_NE(table.Find(0x100000), nullptr);
}
