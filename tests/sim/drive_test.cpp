// The drive model through its objects: state machine, live values, errors, I/O, store.
#include <gtest/gtest.h>

#include "abortcode.h"
#include "drive.h"
#include "sim_table.h"
#include "support/temp_base.h"

using vsim::CDrive;

namespace {

constexpr int64_t kCyclesPerSecond = 16000;

class DriveTest : public ::testing::Test {
protected:
    int64_t Get(uint32_t key) {
        vsim::ObjectValue v;
        EXPECT_EQ(drive.Read(key, v), 0u);
        return v.number;
    }
    uint32_t Put(uint32_t key, int64_t value) {
        int64_t stored = 0;
        return drive.Write(key, value, stored);
    }
    void Enable() {
        for (int cw : {0x06, 0x07, 0x0F}) ASSERT_EQ(Put(0x604000, cw), 0u);
    }
    uint16_t State() { return uint16_t(Get(0x604100) & 0x6F); }

    vsim::CObjectTable table = TestTable();
    CDrive drive{table};
};

}  // namespace

TEST_F(DriveTest, ControlwordWalksTheCia402States) {
    EXPECT_EQ(State(), 0x40);  // switch on disabled
    Put(0x604000, 0x06);
    EXPECT_EQ(State(), 0x21);  // ready to switch on
    Put(0x604000, 0x07);
    EXPECT_EQ(State(), 0x23);  // switched on
    Put(0x604000, 0x0F);
    EXPECT_EQ(State(), 0x27);  // operation enabled
    Put(0x604000, 0x0B);
    EXPECT_EQ(State(), 0x07);  // quick stop active
    Put(0x604000, 0x0F);
    EXPECT_EQ(State(), 0x27);
    Put(0x604000, 0x00);
    EXPECT_EQ(State(), 0x40);  // disable voltage
    Put(0x604000, 0x0F);
    EXPECT_EQ(State(), 0x40);  // no jump from switch on disabled to enabled
}

TEST_F(DriveTest, ErrorSetsTheFaultBitUntilFaultReset) {
    Enable();
    ASSERT_TRUE(drive.RaiseError(1, 7));
    drive.Tick();
    EXPECT_EQ(Get(0x604100) & 0x0F, 0x08);
    EXPECT_EQ(Get(0x260100), 0x80);
    Put(0x604000, 0x0F);
    EXPECT_EQ(Get(0x604100) & 0x08, 0x08);  // commands do not leave Fault
    Put(0x604000, 0x80);                    // rising edge of bit 7
    drive.Tick();
    EXPECT_EQ(State(), 0x40);
    EXPECT_EQ(Get(0x260100), 0);
}

TEST_F(DriveTest, SwitchWordMasksAnError) {
    Put(0x260000, 0xFF7F);
    drive.RaiseError(1, 7);
    drive.Tick();
    EXPECT_EQ(Get(0x260100), 0);
    EXPECT_EQ(Get(0x604100) & 0x08, 0);
    Put(0x260000, 0xFFFF);  // switched back on: the latched error shows
    drive.Tick();
    EXPECT_EQ(Get(0x260100), 0x80);
    EXPECT_EQ(Get(0x604100) & 0x08, 0x08);
}

TEST_F(DriveTest, HistoryKeepsNewestFirstWithCodeAndTime) {
    drive.Tick(kCyclesPerSecond);
    drive.RaiseError(1, 7);  // short circuit
    drive.Tick(kCyclesPerSecond);
    drive.RaiseError(2, 12);  // CAN bus
    drive.RaiseError(2, 12);  // still latched: not a new entry
    EXPECT_EQ(Get(0x261001), 0x8100);
    EXPECT_EQ(Get(0x261007), 2000);
    EXPECT_EQ(Get(0x261101), 0x2320);
    EXPECT_EQ(Get(0x261107), 1000);
    EXPECT_EQ(Get(0x261701), 0);
    EXPECT_FALSE(drive.RaiseError(3, 0));
}

TEST_F(DriveTest, VelocityModeFollowsTheTarget) {
    Put(0x606000, 3);
    Put(0x60FF00, 1500);
    Enable();
    drive.Tick(kCyclesPerSecond / 2);
    EXPECT_NEAR(double(Get(0x606C00)), 1500, 15);
    EXPECT_EQ(Get(0x606100), 3);
    EXPECT_NE(Get(0x604100) & 0x400, 0);  // target reached
    const int64_t p0 = Get(0x606400);
    drive.Tick(kCyclesPerSecond / 10);
    // 1500 rpm for 0.1 s: 2.5 turns of 10,000 increments.
    EXPECT_NEAR(double(Get(0x606400) - p0), 25000, 500);
    EXPECT_GT(Get(0x607800), 0);  // friction needs some current
    Put(0x604000, 0x06);          // power stage off: the motor coasts down
    drive.Tick(2 * kCyclesPerSecond);
    EXPECT_NEAR(double(Get(0x606C00)), 0, 20);
}

TEST_F(DriveTest, PositionModeMovesToTheTarget) {
    Put(0x606000, 1);
    Put(0x608100, 600);
    Put(0x607A00, 20000);
    Enable();
    drive.Tick(4 * kCyclesPerSecond);
    EXPECT_NEAR(double(Get(0x606400)), 20000, 10);
    EXPECT_NE(Get(0x604100) & 0x400, 0);
}

TEST_F(DriveTest, DigitalInputsAndOutputs) {
    drive.SetInputLevels(0x05);
    Put(0x201001, 0x01);  // DIN1 inverted
    Put(0x201002, 0x80);  // DIN8 simulated
    drive.Tick(16);
    EXPECT_EQ(Get(0x20100A), 0x05);
    EXPECT_EQ(Get(0x20100B), 0x84);
    Put(0x20100F, 0x0001);  // DOUT1: ready
    drive.Tick(16);
    EXPECT_EQ(Get(0x201014) & 1, 1);
    Put(0x20100D, 0x01);  // inverted
    EXPECT_EQ(Get(0x201014) & 1, 0);
    Put(0x20100E, 0x02);  // DOUT2 simulated on
    EXPECT_EQ(Get(0x201014) & 2, 2);
}

TEST_F(DriveTest, StoreRestartAndInitialise) {
    Put(0x200001, 42);
    Put(0x641003, 400);  // motor parameter
    ASSERT_EQ(Put(0x2FF001, 1), 0u);
    EXPECT_NE(Get(0x301006) & 0x10, 0);  // storing
    drive.Tick(CDrive::kStoreCycles + 16);
    EXPECT_EQ(Get(0x301006) & 0x10, 0);
    Put(0x200001, 7);
    Put(0x641003, 500);
    EXPECT_EQ(Put(0x2FFF00, 0x1234), vsim::kAbortValueRange);
    ASSERT_EQ(Put(0x2FFF00, 0xAA55), 0u);
    EXPECT_TRUE(drive.Restarting());
    drive.Tick(CDrive::kRestartCycles);
    EXPECT_FALSE(drive.Restarting());
    EXPECT_EQ(Get(0x200001), 42);   // stored control parameter
    EXPECT_EQ(Get(0x641003), 300);  // motor parameters were not stored
    Put(0x641003, 500);
    ASSERT_EQ(Put(0x2FF001, 10), 0u);  // initialise control parameters
    EXPECT_EQ(Get(0x200001), 5);
    EXPECT_EQ(Get(0x641003), 500);
}

TEST_F(DriveTest, CiaSaveAndLoadSignatures) {
    Put(0x200001, 33);
    EXPECT_EQ(Put(0x101001, 0x12345678), vsim::kAbortCannotStore);
    int64_t stored = 0;
    ASSERT_EQ(drive.Write(0x101001, 0x65766173, stored), 0u);  // "save"
    EXPECT_EQ(stored, 1);
    Put(0x2FFF00, 0xAA55);
    drive.Tick(CDrive::kRestartCycles);
    EXPECT_EQ(Get(0x200001), 33);
    ASSERT_EQ(Put(0x101101, 0x64616F6C), 0u);  // "load": factory values at the next restart
    EXPECT_EQ(Get(0x200001), 33);
    Put(0x2FFF00, 0xAA55);
    drive.Tick(CDrive::kRestartCycles);
    EXPECT_EQ(Get(0x200001), 5);
}

TEST_F(DriveTest, ErrorRegisterFollowsTheErrorWords) {
    EXPECT_EQ(Get(0x100100), 0);
    drive.RaiseError(2, 3);
    drive.Tick();
    EXPECT_EQ(Get(0x100100), 0x81);
}

TEST(DriveNvMemory, StoredValuesSurviveANewDrive) {
    TempBase base;
    const QString path = base.File("sys/veltosim.state");
    vsim::CObjectTable table = TestTable();
    QString error;
    {
        vsim::CNvMemory nv(path);
        ASSERT_TRUE(nv.Load(table, error));
        CDrive drive(table, &nv);
        int64_t stored;
        drive.Write(0x200001, -17, stored);
        drive.Write(0x641003, 900, stored);
        ASSERT_EQ(drive.Write(0x2FF002, 1, stored), 0u);  // save all
    }
    vsim::CNvMemory nv(path);
    ASSERT_TRUE(nv.Load(table, error)) << error.toStdString();
    CDrive drive(table, &nv);
    EXPECT_EQ(drive.Values().Get(0x200001), -17);
    EXPECT_EQ(drive.Values().Get(0x641003), 900);
}

TEST(DriveNvMemory, UnwritableMemoryRefusesTheStore) {
    vsim::CObjectTable table = TestTable();
    vsim::CNvMemory nv("/nonexistent/dir/veltosim.state");
    QString error;
    ASSERT_TRUE(nv.Load(table, error));  // nothing stored yet
    CDrive drive(table, &nv);
    int64_t stored;
    EXPECT_EQ(drive.Write(0x2FF001, 1, stored), vsim::kAbortCannotStore);
}

TEST(DriveNvMemory, BrokenStateFileIsReportedNotOverwritten) {
    TempBase base;
    base.Write("state", "200001\tnot a number\n");
    vsim::CNvMemory nv(base.File("state"));
    QString error;
    EXPECT_FALSE(nv.Load(TestTable(), error));
    EXPECT_TRUE(error.contains("line 1"));
}
