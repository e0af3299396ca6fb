#include "platform/dynlib.h"

#include <dlfcn.h>

#include <QFile>

namespace platform {
namespace {
thread_local QString t_lastError;
}

LibraryHandle LoadLibrary(const QString& path) {
    dlerror();
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        t_lastError = why ? QString::fromLocal8Bit(why) : QStringLiteral("cannot load ") + path;
    }
    return handle;
}

void* GetProcAddress(LibraryHandle lib, const char* name) {
    if (!lib || !name)
        return nullptr;
    dlerror();
    void* symbol = dlsym(lib, name);
    if (!symbol) {
        const char* why = dlerror();
        t_lastError = why ? QString::fromLocal8Bit(why) : QString::fromLatin1(name) + " is null";
    }
    return symbol;
}

void FreeLibrary(LibraryHandle lib) {
    if (lib)
        dlclose(lib);
}

QString LastLibraryError() {
    return t_lastError;
}

}  // namespace platform
