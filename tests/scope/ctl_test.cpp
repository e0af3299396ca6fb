// veltoctl scope end to end: the real tool against the simulated drive, over a pseudo-terminal
// and over a private virtual CAN bus.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>

#include "support/child_process.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

namespace {

using CtlRun = ChildRun;

class ScopeCtlTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        for (const char* f : {"data/velto.dat", "data/velto_sim.tsv", "data/COM.so", "data/CAN.so"})
            ASSERT_TRUE(base_.CopyFromRuntime(f)) << f;
        base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=1\n");
        QStringList sim = {"--base", base_.Path(), "--control", base_.File("ctl"), "--no-stdin"};
        if (QString(GetParam()) == "serial") {
            link_ = {"--serial", base_.File("tty")};
            sim << "--serial" << base_.File("tty");
        } else {
            link_ = {"--can", QString("virtualcan:tcp://127.0.0.1:%1/can0").arg(PrivateCanPort())};
            sim << "--can" << link_[1];
        }
        ASSERT_TRUE(sim_.Start(sim));
    }

    CtlRun Scope(const QStringList& args) {
        return RunToEnd(RuntimeDir() + "/veltoctl", link_ + QStringList{"scope"} + args,
                        base_.Path(), 60000);
    }
    void Tell(const QString& command) {
        RunToEnd(RuntimeDir() + "/veltosim", {"--control", base_.File("ctl"), "--tell", command},
                 QString(), 10000);
    }
    QByteArray Read(const QString& name) {
        QFile f(base_.File(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempBase base_;
    SimProcess sim_;
    QStringList link_;
};

TEST_P(ScopeCtlTest, CaptureWritesCsvAndTextRecording) {
    const CtlRun run =
        Scope({"--channel", "1=6077:00", "--channel", "3=606C:00", "--period", "16", "--count",
               "120", "--csv", base_.File("run.csv"), "--txt", base_.File("run.txt")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QList<QByteArray> lines = Read("run.csv").split('\n');
    ASSERT_EQ(lines.size(), 121);  // 120 lines and the end
    EXPECT_EQ(lines[0].count(','), 2);
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    const QString text = utf16(Read("run.txt"));
    EXPECT_TRUE(text.startsWith("[oscilloscope]\ntime=16\n"));
    EXPECT_TRUE(text.contains("\nch3 item=1617690656\n"));
    EXPECT_TRUE(text.contains("\nch3-120="));
    EXPECT_FALSE(text.contains("ch2-1="));
}

TEST_P(ScopeCtlTest, RefusalsAndBrokenUploadsHaveTheirExitStatus) {
    const QStringList base = {"--channel", "1=6077:00", "--period",
                              "16",        "--csv",     base_.File("x.csv")};
    // The drive's buffer holds 4,096 samples at most.
    EXPECT_EQ(Scope(base + QStringList{"--count", "5000"}).status, 2);
    const CtlRun pair = Scope({"--channel", "1=606C:00", "--channel", "2=6064:00", "--period", "1",
                               "--count", "9", "--csv", base_.File("x.csv")});
    EXPECT_EQ(pair.status, 1);
    EXPECT_TRUE(pair.err.contains("share one 32-bit source")) << pair.err.toStdString();
    Tell("refuse 230010");
    const CtlRun refused = Scope(base + QStringList{"--count", "20"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_TRUE(refused.err.contains("refused")) << refused.err.toStdString();
    Tell("accept 230010");
    EXPECT_EQ(Scope(base + QStringList{"--count", "20", "--trigger", "606C:00", "--level", "-5",
                                       "--edge", "sideways"})
                  .status,
              1);
    // A drive that falls silent during the upload: the recording is incomplete.
    Tell("silent-after 40");
    const CtlRun silent = Scope(base + QStringList{"--count", "400"});
    EXPECT_EQ(silent.status, 3);
    EXPECT_TRUE(silent.err.contains("no answer from")) << silent.err.toStdString();
    EXPECT_FALSE(QFile::exists(base_.File("x.csv")));
}

TEST_P(ScopeCtlTest, SlotsNotAskedForAreEmptiedFirst) {
    // The shipped drive starts with sources in slots 3 and 5.
    ASSERT_EQ(Scope({"--channel", "2=6078:00", "--period", "16", "--count", "10", "--csv",
                     base_.File("c.csv")})
                  .status,
              0);
    for (const QByteArray& line : Read("c.csv").split('\n')) {
        if (!line.isEmpty()) {
            EXPECT_EQ(line.count(','), 1) << line.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Links, ScopeCtlTest, ::testing::Values("serial", "can"));

}  // namespace
