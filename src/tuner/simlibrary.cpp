#include "tuner/simlibrary.h"

#include "platform/dynlib.h"

CSimLibrary::~CSimLibrary() {
    platform::FreeLibrary(handle_);
}

QString CSimLibrary::ModulePath(const QString& baseFolder) {
    return baseFolder + QStringLiteral("/nzsim.so");
}

bool CSimLibrary::Load(const QString& baseFolder) {
    platform::LibraryHandle lib = platform::LoadLibrary(ModulePath(baseFolder));
    if (!lib)
        return false;
    auto filter = reinterpret_cast<FilterFn>(platform::GetProcAddress(lib, "Cal_Filter_Mag_Ph_u"));
    auto loop = reinterpret_cast<LoopFn>(platform::GetProcAddress(lib, "Cal_Loop_Mag_Ph_u"));
    if (!filter || !loop) {
        platform::FreeLibrary(lib);
        return false;
    }
    platform::FreeLibrary(handle_);
    handle_ = lib;
    filter_ = filter;
    loop_ = loop;
    return true;
}

bool CSimLibrary::ProbeAtanx(const QString& baseFolder) {
    platform::LibraryHandle lib = platform::LoadLibrary(ModulePath(baseFolder));
    if (!lib)
        return false;
    auto atanx = reinterpret_cast<AtanFn>(platform::GetProcAddress(lib, "atanx"));
    if (atanx)
        atanx(1, 0);
    platform::FreeLibrary(lib);
    return atanx != nullptr;
}
