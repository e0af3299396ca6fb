#include "platform/dynlib.h"

#include <dlfcn.h>

// Minimal loader used by the link until the platform layer's own lands.
namespace platform {
namespace {
thread_local QString g_lastError;
}

LibraryHandle LoadLibrary(const QString& path) {
    LibraryHandle lib = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        g_lastError = QString::fromLocal8Bit(dlerror());
    return lib;
}

void* GetProcAddress(LibraryHandle lib, const char* name) {
    if (!lib)
        return nullptr;
    dlerror();
    return dlsym(lib, name);
}

QString LastLibraryError() {
    return g_lastError;
}

}  // namespace platform
