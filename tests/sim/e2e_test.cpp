// veltosim as a process: one test per transport, with the test's own small client.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QFileInfo>

#include "sim_client.h"
#include "sim_table.h"
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

}  // namespace

TEST_F(SimE2e, SerialOnAPseudoTerminal) {
    const QString link = base.File("ttyVSIM1");
    SimProcess sim;
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

TEST_F(SimE2e, TwoDrivesOnOneVirtualCanBus) {
    const int port = 36000 + int(getpid() % 20000);
    const QString iface = QString("tcp://127.0.0.1:%1/can0").arg(port);
    SimProcess drive1, drive2;
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
    QProcess p;
    p.start(RuntimeDir() + "/veltosim",
            {"--base", empty.Path(), "--serial", empty.File("tty"), "--no-stdin"});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("velto_sim.tsv"));
}
