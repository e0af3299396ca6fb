#pragma once
// Loadable modules by path (dlopen/dlsym), standing in for LoadLibrary/GetProcAddress.
#include <QString>

namespace platform {

using LibraryHandle = void*;

// Null when the module cannot be loaded; LastLibraryError() then says why.
LibraryHandle LoadLibrary(const QString& path);

// Null when the module does not export the name.
void* GetProcAddress(LibraryHandle lib, const char* name);

// Unloads a module loaded by LoadLibrary (null is ignored).
void FreeLibrary(LibraryHandle lib);

// Why the last LoadLibrary or GetProcAddress of this thread failed.
QString LastLibraryError();

}  // namespace platform
