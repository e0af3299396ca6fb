// libFuzzer target over unit definitions, formulas and typed value text (clang builds only).
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/global.h"
#include "units_fuzz_entry.h"

namespace {

CGlobal& FuzzGlobal() {
    static QTemporaryDir base;
    static CGlobal* global = [] {
        InstallSilentMessageBoxes();
        QDir(base.path()).mkpath("sys");
        QDir(base.path()).mkpath("data");
        QFile ini(base.path() + "/sys/sys.ini");
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[sys]\nlang=2\ncomm=1\n");
        ini.close();
        return new CGlobal(base.path());  // lives until the process ends
    }();
    return *global;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzUnitsOnce(FuzzGlobal(), data, size);
    return 0;
}
