// veltoctl scan against the simulated drive: the scan, its file, the printed table and the
// exit statuses.
#include <gtest/gtest.h>

#include <QFile>

#include "support/child_process.h"
#include "support/sim_process.h"
#include "support/temp_base.h"
#include "tuner/scanfile.h"

namespace {

using CtlRun = ChildRun;

class ScanCtlTest : public ::testing::Test {
protected:
    bool StartSim(const QStringList& extra = {}) {
        for (const char* f : {"data/velto.dat", "data/velto_sim.tsv", "sys/sys.ini", "data/COM.so"})
            if (!base_.CopyFromRuntime(f))
                return false;
        return sim_.Start(QStringList{"--serial", base_.File("tty1"), "--base", base_.Path(),
                                      "--control", base_.File("ctl"), "--no-stdin"} +
                          extra);
    }
    CtlRun Ctl(const QStringList& args) {
        return RunToEnd(RuntimeDir() + "/veltoctl", QStringList{"--lang", "en"} + args,
                        base_.Path(), 120000);
    }
    QStringList Link() { return {"--serial", base_.File("tty1")}; }

    TempBase base_;
    SimProcess sim_;
};

}  // namespace

TEST_F(ScanCtlTest, ScanWritesTheFileAndPrintsTheResonance) {
    ASSERT_TRUE(StartSim());
    QString out = base_.File("user/scan.txt");
    CtlRun run = Ctl(Link() + QStringList{"scan", "--from", "150", "--to", "350", "--step", "10",
                                          "--amplitude", "100", "--out", out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);  // 21 points, the last one not analysed
    double best = -1e9;
    int bestHz = 0;
    for (const QString& line : lines) {
        QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 3) << line.toStdString();
        if (f[1].toDouble() > best)
            best = f[1].toDouble(), bestHz = f[0].toInt();
    }
    EXPECT_LE(std::abs(bestHz - 250), 10);
    CScanData data;
    ASSERT_EQ(LoadScanFile(out, data, 2).outcome, ScanImport::Complete);
    EXPECT_EQ(data.pointCount, 21);
    EXPECT_EQ(data.velocityGain, 400.0f) << "the chain's values are in the header";
    EXPECT_EQ(data.maxCurrent, 3000);

    CtlRun printed = Ctl({"scan", "--in", out});
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out, run.out);
}

TEST_F(ScanCtlTest, RefusedSettingsFailedScansAndBadFiles) {
    ASSERT_TRUE(StartSim({"--refuse", "304005"}));
    QString out = base_.File("user/scan.txt");
    CtlRun refused = Ctl(Link() + QStringList{"scan", "--from", "4", "--to", "15", "--step", "3",
                                              "--amplitude", "100", "--out", out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("To's value should be greater than (4*Step+From)."));
    CtlRun failed = Ctl(Link() + QStringList{"scan", "--from", "4", "--to", "40", "--step", "4",
                                             "--amplitude", "100", "--out", out});
    EXPECT_EQ(failed.status, 3);
    EXPECT_TRUE(failed.err.contains("fail!")) << failed.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    CtlRun noLink = Ctl({"--serial", base_.File("nothing"), "scan", "--from", "4", "--to", "40",
                         "--step", "4", "--amplitude", "100", "--out", out});
    EXPECT_EQ(noLink.status, 3);
    EXPECT_TRUE(noLink.err.contains("Comm port isn't Open!"));
    CtlRun silent = Ctl(Link() + QStringList{"--address", "5", "scan", "--from", "4", "--to", "40",
                                             "--step", "4", "--amplitude", "100", "--out", out});
    EXPECT_EQ(silent.status, 3);
    EXPECT_TRUE(silent.err.endsWith("no answer from drive 5 on " + base_.File("tty1") + "\n"))
        << silent.err.toStdString();

    base_.Write("user/bad.txt", "4;40;0;0;32;0;0;0;0;\r\r\nlength 10\r\r\n");
    CtlRun bad = Ctl({"scan", "--in", base_.File("user/bad.txt")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("Import refused: the step in the header is 0."));
    EXPECT_EQ(Ctl({"scan", "--in", out, "--from", "4"}).status, 1) << "usage";
}
