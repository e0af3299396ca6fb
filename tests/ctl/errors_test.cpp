// veltoctl errors against the simulated drive: bit names, fault state, history and exit status.
#include <gtest/gtest.h>

#include "controlchannel.h"
#include "support/child_process.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

namespace {

struct CtlOutput {
    int status = -1;
    QStringList lines;
    QString err;
};

class ErrorsCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"data/velto.dat", "data/velto_sim.tsv", "data/COM.so", "data/EN.qm"})
            ASSERT_TRUE(base.CopyFromRuntime(f)) << f;
        base.Write("sys/sys.ini", "[sys]\nlang=2\n");
        ASSERT_TRUE(sim.Start({"--serial", base.File("tty1"), "--base", base.Path(), "--control",
                               base.File("ctl"), "--no-stdin"}));
    }
    QString Tell(const QString& command) {
        QString answer;
        vsim::CControlChannel::Tell(base.File("ctl"), command, answer);
        return answer;
    }
    CtlOutput Errors(const QString& language = "en") {
        ChildRun run = RunToEnd(RuntimeDir() + "/veltoctl",
                                {"--lang", language, "--serial", base.File("tty1"), "errors"},
                                base.Path(), 60000);
        return {run.status, run.out.split('\n', Qt::SkipEmptyParts), run.err};
    }
    TempBase base;
    SimProcess sim;
};

TEST_F(ErrorsCommandTest, NoErrorBitExitsZeroAndListsTheHistoryNewestFirst) {
    Tell("set 261207 1900000");
    Tell("set 261201 4660");  // 0x1234, outside the table
    CtlOutput run = Errors();
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_GE(run.lines.size(), 5);
    EXPECT_EQ(run.lines[0], "error word 1: 0000");
    EXPECT_EQ(run.lines[1], "error word 2: 0000");
    EXPECT_EQ(run.lines[2], "fault: no");
    EXPECT_EQ(run.lines[4].trimmed(), "1900000\t1234\t4660");
    EXPECT_EQ(run.lines[5].trimmed(), "1835950\t2320\t0080 Short");
    EXPECT_EQ(run.lines.size(), 4 + 5);  // the three empty entries are left out
}

TEST_F(ErrorsCommandTest, ASetBitIsNamedAndExitsFour) {
    ASSERT_EQ(Tell("raise 1 0"), "ok");
    ASSERT_EQ(Tell("raise 1 5"), "ok");
    CtlOutput run = Errors();
    EXPECT_EQ(run.status, 4) << run.err.toStdString();
    ASSERT_GE(run.lines.size(), 3);
    EXPECT_EQ(run.lines[0], "error word 1: 0021  Drive internal error, DC bus above 400 V");
    EXPECT_EQ(run.lines[2], "fault: yes");
    CtlOutput chinese = Errors("zh");
    ASSERT_GE(chinese.lines.size(), 1);
    EXPECT_EQ(chinese.lines[0], "error word 1: 0021  驱动器内部错误, 驱动器总线电压过高400v");
}

TEST_F(ErrorsCommandTest, ARefusedErrorWordIsReportedAsRefused) {
    ASSERT_EQ(Tell("refuse 260200"), "ok");
    CtlOutput run = Errors();
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("2602:00: abort 0x08000020")) << run.err.toStdString();
    EXPECT_TRUE(run.lines.isEmpty());
}

}  // namespace
