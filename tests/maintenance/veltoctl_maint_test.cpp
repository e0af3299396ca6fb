// veltoctl's drive data commands end to end: the real tool against simulated drives.
#include <gtest/gtest.h>

#include <QFile>

#include "maint_sim.h"
#include "support/child_process.h"

namespace {

using CtlRun = ChildRun;

CtlRun Ctl(MaintSim& sim, const QStringList& args) {
    return RunToEnd(RuntimeDir() + "/veltoctl",
                    QStringList{"--lang", "en", "--serial", sim.base().File("ttyVSIM1")} + args,
                    sim.base().Path(), 60000);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(VeltoctlMaint, DiffExportImportBetweenTwoDrives) {
    MaintSim a, b;
    ASSERT_TRUE(a.Start({"--refuse", "605B00"}));
    ASSERT_TRUE(b.Start());
    a.Set(0x100500, 4294967295);
    a.Set(0x607C00, -7);
    a.Set(0x100D00, 9);
    a.base().Write("user/set.qxo", "10050020\n607C0020\n100D0008\n605B0010\n2FFE0120\n");
    const QString file = a.base().File("user/a.qxi");

    CtlRun exported = Ctl(a, {"export", a.base().File("user/set.qxo"), file});
    EXPECT_EQ(exported.status, 2) << exported.err.toStdString();  // the refused row
    EXPECT_EQ(exported.out, "Finish: Total:5  Error:1 \n");
    EXPECT_EQ(ReadAll(file),
              "10050020,4294967295,True\n607C0020,-7,True\n100D0008,9,True\n"
              "605B0010,0x08000020,Fail\n2FFE0120,0x12345678,True\n");

    CtlRun diff = Ctl(b, {"diff", file});
    EXPECT_EQ(diff.status, 4);
    EXPECT_EQ(diff.out, "10050020\t4294967295\t128\n607C0020\t-7\t0\n100D0008\t9\t0\n");
    EXPECT_TRUE(diff.err.contains("Finish: Total:4  Differ:3"));

    const QString log = b.base().File("user/log.txt");
    CtlRun imported = Ctl(b, {"import", file, "--log", log});
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "Finish: Total:4  Alarm:0  Error:0\n");
    EXPECT_TRUE(ReadAll(log).startsWith("10050020,4294967295,4294967295,True,COB-ID SYNC\n"));
    EXPECT_EQ(b.Get(0x100500), 4294967295);
    EXPECT_EQ(Ctl(b, {"diff", file}).status, 0);
}

TEST(VeltoctlMaint, ImportOutcomesAndALostLink) {
    MaintSim sim;
    ASSERT_TRUE(sim.Start({"--refuse", "605A00"}));
    sim.base().Write("user/in.qxi", "100D0008,7,True\n605A0010,2,True\n605B0010,5,True\n");
    CtlRun run = Ctl(sim, {"import", sim.base().File("user/in.qxi")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "Finish: Total:3  Alarm:1  Error:1\n");
    EXPECT_TRUE(run.err.contains("605B0010,5,0,Alarm,")) << run.err.toStdString();

    sim.Tell("silent-after 1");
    run = Ctl(sim, {"import", sim.base().File("user/in.qxi")});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "Comm link lost: 2 of 3 rows done\n");
    sim.Tell("talk");

    CtlRun noLink =
        Ctl(sim, {"--serial", sim.base().File("nothing"), "diff", sim.base().File("user/in.qxi")});
    EXPECT_EQ(noLink.status, 3);
}

TEST(VeltoctlMaint, StoreInitialiseAndRestart) {
    MaintSim sim;
    ASSERT_TRUE(sim.Start());
    sim.Set(0x100D00, 12);
    CtlRun store = Ctl(sim, {"store", "control"});
    EXPECT_EQ(store.status, 0) << store.err.toStdString();
    EXPECT_EQ(store.out, "Save control parameters OK\n");
    EXPECT_EQ(Ctl(sim, {"store", "motor"}).out, "Save motor parameters OK\n");
    CtlRun all = Ctl(sim, {"store", "all"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out, "finish\n");

    CtlRun init = Ctl(sim, {"init"});
    EXPECT_EQ(init.status, 0) << init.err.toStdString();
    EXPECT_EQ(init.out, "Initialize control parameters\n");
    EXPECT_EQ(sim.Get(0x100D00), 0);

    CtlRun restart = Ctl(sim, {"restart"});
    EXPECT_EQ(restart.status, 0) << restart.err.toStdString();
    EXPECT_EQ(restart.out, "Drive restarted\n");
    EXPECT_EQ(sim.Get(0x100D00), 12);  // the stored value is back
    EXPECT_EQ(Ctl(sim, {"store", "everything"}).status, 1);

    // A silent address is named with its port; the line itself is fine.
    const std::string silent =
        "no answer from drive 5 on " + sim.base().File("ttyVSIM1").toStdString();
    for (const QStringList& command : {QStringList{"init"}, QStringList{"store", "control"}}) {
        CtlRun run = Ctl(sim, QStringList{"--address", "5"} + command);
        EXPECT_EQ(run.status, 3) << command.join(' ').toStdString();
        EXPECT_EQ(run.err.trimmed().toStdString(), silent) << command.join(' ').toStdString();
    }
}
