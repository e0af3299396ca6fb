#include "app/global.h"

#include <QDir>

namespace {
std::atomic<CGlobal*> g_instance{nullptr};
}

CFolders::CFolders(const QString& base)
    : baseFolder(base),
      userFolder(base + "/user/"),
      settingsPath(base + "/sys/sys.ini"),
      englishLibraryPath(base + "/data/EN.qm"),
      databasePath(base + "/data/velto.dat") {}

CGlobal::CGlobal() : CGlobal(QDir::currentPath()) {}

CGlobal::CGlobal(const QString& baseFolder)
    : CFolders(baseFolder), dictionary(*this), evaluator(*this), link(*this), units(*this) {
    g_instance.store(this);
}

CGlobal::~CGlobal() {
    CGlobal* self = this;
    g_instance.compare_exchange_strong(self, nullptr);
}

CGlobal* CGlobal::Instance() { return g_instance.load(); }
