#include "shell_fixture.h"

#include "comm/commpages.h"
#include "platform/profile.h"

void ShellTest::SetUp() {}

void ShellTest::StartFrame() {
    base.CopyFromRuntime("data/velto.dat");
    global = std::make_unique<CGlobal>(base.Path());
    global->dictionary.WaitLoaded(5000);
    boxes.Clear();  // what the loader said about the test's base folder
    global->screenDpi = 96;
    RegisterCommPages(*global);
    frame = std::make_unique<CMainFrame>(*global);
    global->mainWindow = frame->Handle();
    frame->resize(1024, 720);
    frame->show();
    frame->blinkTimer().stop();  // the tests tick it themselves
}

void ShellTest::TearDown() {
    if (global)
        global->stopWorker = 1;
    frame.reset();
    global.reset();
}

void ShellTest::SetSetting(const QString& section, const QString& key, const QString& value) {
    platform::WriteProfileString(base.File("sys/sys.ini"), section, key, value);
}

QString ShellTest::Setting(const QString& section, const QString& key) const {
    return platform::GetProfileString(base.File("sys/sys.ini"), section, key);
}
