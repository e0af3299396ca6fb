// Loading the link components by path, and the messages when one is missing or broken.
#include <gtest/gtest.h>

#include <QFile>

#include "comm/comm.h"
#include "fake_link.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {

// Puts a module under the temporary data folder as the component of that name.
void Install(const TempBase& base, const QString& module, const QString& as) {
    ASSERT_TRUE(QFile::copy(module, base.File("data/" + as))) << module.toStdString();
}

QString TestModule(const char* name) {
    return QString(VELTO_TEST_MODULE_DIR "/") + name + ".so";
}

TEST(CommLoad, MissingModuleFailsSilentlyUntilTheSerialOpen) {
    TempBase base;
    MsgBoxCapture boxes;
    CComm comm(base.Path() + "/data/");
    EXPECT_EQ(comm.Load(CComm::Serial), 0);
    EXPECT_EQ(comm.Load(CComm::Can), 0);
    EXPECT_EQ(boxes.Count(), 0);
    CommSettings settings;
    EXPECT_EQ(comm.Open(&settings), -1);  // CAN without object: no message
    EXPECT_EQ(boxes.Count(), 0);
    comm.Load(CComm::Serial);
    EXPECT_EQ(comm.Open(&settings), -1);
    EXPECT_EQ(boxes.Texts(), QStringList{"Load comm DLL failure"});
}

TEST(CommLoad, OpenWithoutSettingsOrKind) {
    TempBase base;
    CComm comm(base.Path() + "/data/");
    CommSettings settings;
    EXPECT_EQ(comm.Open(&settings), -1);  // no kind yet
    comm.Attach(NewFakeSerial(std::make_shared<FakeScript>()));
    comm.Load(CComm::Serial);
    EXPECT_EQ(comm.Open(nullptr), -1);
    EXPECT_EQ(comm.Open(&settings), 0);
    EXPECT_EQ(comm.Load(CComm::Offline), 1);
}

TEST(CommLoad, ModuleWithoutFactory) {
    TempBase base;
    Install(base, TestModule("comm_nofactory"), "COM.so");
    Install(base, TestModule("comm_nofactory"), "CAN.so");
    MsgBoxCapture boxes;
    CComm comm(base.Path() + "/data/");
    EXPECT_EQ(comm.Load(CComm::Serial), 0);
    EXPECT_EQ(comm.Load(CComm::Can), 0);
    EXPECT_EQ(boxes.Texts(),
              (QStringList{"get Comm interface failure", "get CAN interface failure"}));
}

TEST(CommLoad, FactoryThatCreatesNothing) {
    TempBase base;
    Install(base, TestModule("comm_nullfactory"), "COM.so");
    Install(base, TestModule("comm_nullfactory"), "CAN.so");
    MsgBoxCapture boxes;
    CComm comm(base.Path() + "/data/");
    EXPECT_EQ(comm.Load(CComm::Serial), 0);
    EXPECT_EQ(comm.Load(CComm::Can), 0);
    EXPECT_EQ(boxes.Texts(),
              (QStringList{"Create comm instance failure", "Create CAN instance failure"}));
    EXPECT_FALSE(comm.HasObject(CComm::Serial));
}

TEST(CommLoad, RealComponentsLoadAndRefuseAMissingPort) {
    TempBase base;
    ASSERT_TRUE(base.CopyFromRuntime("data/COM.so"));
    ASSERT_TRUE(base.CopyFromRuntime("data/CAN.so"));
    MsgBoxCapture boxes;
    CComm comm(base.Path() + "/data/");
    ASSERT_EQ(comm.Load(CComm::Serial), 1);
    EXPECT_TRUE(comm.HasObject(CComm::Serial));
    CommSettings settings;
    std::snprintf(settings.portName, sizeof settings.portName, "%s", "/dev/velto-no-such-port");
    settings.rate = 115200;
    EXPECT_NE(comm.Open(&settings), 0);
    std::uint8_t frame[10] = {};
    int count = 7;
    EXPECT_NE(comm.Write(frame, 10), 0);  // not open: an error, not a hang
    EXPECT_NE(comm.Read(frame, &count), 0);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(comm.Load(CComm::Can), 1);
    std::snprintf(settings.adapter, sizeof settings.adapter, "%s", "nosuchplugin:can0");
    EXPECT_NE(comm.Open(&settings), 0);
    CanMessage message;
    EXPECT_NE(comm.Write(message), 0);
    EXPECT_NE(comm.Read(message), 0);
    EXPECT_EQ(boxes.Count(), 0);
}

}  // namespace
