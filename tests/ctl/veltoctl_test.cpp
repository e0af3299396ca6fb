// veltoctl end to end: the real tool against the simulated drive, over a pseudo-terminal and
// over a private virtual CAN bus.
#include <gtest/gtest.h>

#include <QDir>

#include "controlchannel.h"
#include "platform/profile.h"
#include "support/child_process.h"
#include "support/sim_process.h"
#include "support/temp_base.h"

namespace {

using CtlRun = ChildRun;

class VeltoctlTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        for (const char* f :
             {"data/velto.dat", "data/velto_sim.tsv", "sys/sys.ini", "data/COM.so", "data/CAN.so"})
            ASSERT_TRUE(base_.CopyFromRuntime(f)) << f;
        bool serial = QString(GetParam()) == "serial";
        if (serial) {
            link_ = {"--serial", base_.File("ttyVSIM1")};
            ASSERT_TRUE(sim_.Start({"--serial", base_.File("ttyVSIM1"), "--base", base_.Path(),
                                    "--state", base_.File("state.ini"), "--control",
                                    base_.File("ctl"), "--no-stdin"}));
        } else {
            QString bus = QString("virtualcan:tcp://127.0.0.1:%1/can0").arg(PrivateCanPort());
            link_ = {"--can", bus};
            ASSERT_TRUE(sim_.Start({"--can", bus, "--base", base_.Path(), "--state",
                                    base_.File("state.ini"), "--control", base_.File("ctl"),
                                    "--no-stdin"}));
        }
    }

    CtlRun Ctl(QStringList args, bool withLink = true) {
        if (withLink)
            args = link_ + args;
        return RunToEnd(RuntimeDir() + "/veltoctl", QStringList{"--lang", "en"} + args,
                        base_.Path(), 60000);
    }

    // A command to the running simulator through its control socket.
    void Tell(const QString& command) {
        QString answer;
        ASSERT_TRUE(vsim::CControlChannel::Tell(base_.File("ctl"), command, answer));
        ASSERT_FALSE(answer.startsWith("error")) << answer.toStdString();
    }

    TempBase base_;
    SimProcess sim_;
    QStringList link_;
};

}  // namespace

TEST_P(VeltoctlTest, ObjectsAndDescribeNeedNoDrive) {
    CtlRun objects = Ctl({"objects"}, false);
    ASSERT_EQ(objects.status, 0) << objects.err.toStdString();
    QStringList lines = objects.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_GE(lines.size(), 400);
    EXPECT_TRUE(objects.out.contains("6041:00\tUNSIGNED16\t"));
    EXPECT_EQ(lines[0].split('\t').size(), 4);

    CtlRun describe = Ctl({"describe", "6041:00"}, false);
    ASSERT_EQ(describe.status, 0);
    EXPECT_TRUE(describe.out.startsWith("Index: 0x6041\nSub Index: 0x00\nName: "));
    EXPECT_TRUE(describe.out.contains("Data Type: UNSIGNED16"));

    CtlRun unknown = Ctl({"describe", "5FFF:00"}, false);
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.err.contains("unknown object 5FFF:00"));
    EXPECT_EQ(Ctl({"read"}, false).status, 1);
}

TEST_P(VeltoctlTest, ReadsInDefaultAndChosenUnits) {
    CtlRun dec = Ctl({"read", "6041:00", "--unit", "DEC"});
    ASSERT_EQ(dec.status, 0) << dec.err.toStdString();
    bool ok = false;
    dec.out.trimmed().toInt(&ok);
    EXPECT_TRUE(ok) << dec.out.toStdString();
    CtlRun hex = Ctl({"read", "6041:00", "--unit", "HEX"});
    ASSERT_EQ(hex.status, 0);
    EXPECT_EQ(hex.out.trimmed().toInt(nullptr, 16), dec.out.trimmed().toInt());
    CtlRun name = Ctl({"read", "1008:00"});
    ASSERT_EQ(name.status, 0) << name.err.toStdString();
    EXPECT_FALSE(name.out.trimmed().isEmpty());
}

TEST_P(VeltoctlTest, WriteShowsTheDriveAnswerAndRefusalsExitTwo) {
    CtlRun write = Ctl({"write", "6081:00", "1234", "--unit", "DEC"});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_EQ(write.out.trimmed(), "1234");
    EXPECT_EQ(Ctl({"read", "6081:00", "--unit", "DEC"}).out.trimmed(), "1234");

    CtlRun readOnly = Ctl({"write", "6041:00", "5", "--unit", "DEC"});
    EXPECT_EQ(readOnly.status, 2);
    EXPECT_TRUE(readOnly.err.contains("not taken"));
    EXPECT_FALSE(readOnly.out.trimmed().isEmpty());  // the drive's current value
}

TEST_P(VeltoctlTest, UnitWhoseFormulaReadsOtherObjects) {
    // rpm converts through the feed constant 0x6092:01 / 0x6092:02, read from the drive first.
    CtlRun write = Ctl({"write", "6081:00", "1500", "--unit", "rpm"});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_EQ(write.out.trimmed(), "1500.000");
    EXPECT_EQ(Ctl({"read", "6081:00", "--unit", "DEC"}).out.trimmed(), "250000");
    EXPECT_EQ(Ctl({"read", "6081:00", "--unit", "rpm"}).out.trimmed(), "1500.000");

    CtlRun typo = Ctl({"write", "6081:00", "abc", "--unit", "rpm"});
    EXPECT_EQ(typo.status, 1);
    EXPECT_TRUE(typo.err.contains("not a value in rpm"));
    EXPECT_EQ(Ctl({"read", "6081:00", "--unit", "bogus"}).status, 1);
}

TEST_P(VeltoctlTest, ValueOutsideTheDataTypeIsNotWrittenAndExitsOne) {
    CtlRun gain = Ctl({"write", "60FB:01", "99999"});  // UNSIGNED16, in 1/s as raw / 10
    EXPECT_EQ(gain.status, 1);
    EXPECT_TRUE(gain.err.contains("Value out of range: 0.000 .. 6553.500 1/s!"))
        << gain.err.toStdString();
    CtlRun raw = Ctl({"write", "60FB:01", "65537", "--unit", "DEC"});
    EXPECT_EQ(raw.status, 1);
    EXPECT_TRUE(raw.err.contains("Value out of range: 0 .. 65535 DEC!"));
    EXPECT_EQ(Ctl({"read", "60FB:01", "--unit", "DEC"}).out.trimmed(), "480");
}

TEST_P(VeltoctlTest, RefusedReferenceOfAUnitEndsTheReadWithTheRefusal) {
    Tell("refuse 609201");
    CtlRun read = Ctl({"read", "6081:00", "--unit", "rpm"});
    EXPECT_EQ(read.status, 2);
    EXPECT_TRUE(read.err.startsWith("abort 0x")) << read.err.toStdString();
}

TEST_P(VeltoctlTest, WatchPrintsOneLinePerRound) {
    CtlRun watch = Ctl({"watch", "6041:00", "6064:00", "--count", "3", "--interval", "50"});
    ASSERT_EQ(watch.status, 0) << watch.err.toStdString();
    QStringList lines = watch.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    for (const QString& line : lines) EXPECT_EQ(line.split('\t').size(), 2);
}

TEST_P(VeltoctlTest, LinkComesFromTheSettingsFileWithoutOptions) {
    QString ini = base_.File("sys/sys.ini");
    bool serial = QString(GetParam()) == "serial";
    platform::WriteProfileString(ini, "sys", "comm", serial ? "2" : "5");
    platform::WriteProfileString(ini, serial ? "com" : "can", serial ? "comid" : "adapter",
                                 link_[1]);
    platform::WriteProfileString(ini, serial ? "com" : "can", "driverid", "1");
    CtlRun read = Ctl({"read", "6041:00", "--unit", "HEX"}, false);
    EXPECT_EQ(read.status, 0) << read.err.toStdString();

    platform::WriteProfileString(ini, "sys", "comm", "1");
    CtlRun offline = Ctl({"read", "6041:00"}, false);
    EXPECT_EQ(offline.status, 3);
    EXPECT_TRUE(offline.err.contains("offline"));
}

TEST_P(VeltoctlTest, NoDriveExitsThree) {
    sim_.Stop();
    CtlRun read = Ctl({"read", "6041:00"});
    EXPECT_EQ(read.status, 3);
    EXPECT_TRUE(read.err.startsWith("no "));
}

TEST_P(VeltoctlTest, ASilentAddressIsNamedWithItsPort) {
    CtlRun read = Ctl({"--address", "5", "read", "6041:00"});
    EXPECT_EQ(read.status, 3);
    EXPECT_EQ(read.err.toStdString(),
              ("no answer from drive 5 on " + link_[1] + "\n").toStdString());
}

TEST_P(VeltoctlTest, RefusalsGiveTheAbortCodesMeaning) {
    Tell("refuse 607A00 06090030");
    CtlRun write = Ctl({"write", "607A:00", "5"});
    EXPECT_EQ(write.status, 2);
    EXPECT_EQ(write.err.toStdString(), "abort 0x06090030: value range of parameter exceeded\n");
    CtlRun read = Ctl({"read", "607A:00"});
    EXPECT_EQ(read.status, 2);
    EXPECT_EQ(read.err.toStdString(), "abort 0x06090030: value range of parameter exceeded\n");
}

TEST_P(VeltoctlTest, UnknownUnitListsTheObjectsUnits) {
    const std::string units = "(its units: rpm, uu/s, DEC, HEX, ASCII)\n";
    CtlRun read = Ctl({"read", "6081:00", "--unit", "rmp"});
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.err.toStdString(), "unknown unit rmp for 6081:00 " + units);
    CtlRun write = Ctl({"write", "6081:00", "100", "--unit", "rmp"});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.err.toStdString(), "unknown unit rmp for 6081:00 " + units);
    CtlRun plain = Ctl({"read", "6041:00", "--unit", "rpm"});
    EXPECT_EQ(plain.err.toStdString(),
              "unknown unit rpm for 6041:00 (its units: HEX, DEC, ASCII)\n");
}

TEST_P(VeltoctlTest, AValueThatDoesNotDecodeIsAnErrorNeverNan) {
    Tell("set 609201 0");  // rpm = uu/s * 60 * 6092:02 / 6092:01
    CtlRun watch = Ctl({"watch", "606C:00", "--count", "5", "--interval", "20"});
    EXPECT_EQ(watch.status, 3);
    EXPECT_FALSE(watch.out.contains("nan"));
    EXPECT_EQ(watch.err.toStdString(), "cannot decode 606C:00 in rpm (the conversion gives nan)\n");
    CtlRun read = Ctl({"read", "6081:00", "--unit", "rpm"});
    EXPECT_EQ(read.status, 3);
    EXPECT_EQ(read.err.toStdString(), "cannot decode 6081:00 in rpm (the conversion gives inf)\n");
}

// Two programs on one serial line take each other's replies: whatever they print is a value.
TEST_P(VeltoctlTest, TwoProgramsOnOnePortNeverPrintNan) {
    if (QString(GetParam()) != "serial")
        GTEST_SKIP() << "a CAN bus gives each program its own replies";
    ChildProcess other;
    ASSERT_TRUE(other.Start(
        RuntimeDir() + "/veltoctl",
        link_ + QStringList{"watch", "606C:00", "6064:00", "--count", "40", "--interval", "0"},
        base_.Path()));
    CtlRun watch = Ctl({"watch", "606C:00", "6064:00", "--count", "40", "--interval", "0"});
    ASSERT_TRUE(other.WaitForFinished(60000));
    const QString otherOut = QString::fromUtf8(other.Output());
    for (const QString& out : {watch.out, otherOut}) {
        EXPECT_FALSE(out.contains("nan")) << out.toStdString();
        EXPECT_FALSE(out.contains("inf")) << out.toStdString();
    }
    EXPECT_TRUE(watch.status == 0 || watch.status == 3) << watch.status;
}

INSTANTIATE_TEST_SUITE_P(Transports, VeltoctlTest, ::testing::Values("serial", "can"));
