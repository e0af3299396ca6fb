#pragma once
// Loadable modules by path (dlopen/dlsym), standing in for LoadLibrary/GetProcAddress.
#include <QString>

namespace platform {

using LibraryHandle = void*;

// Null when the module cannot be loaded; LastLibraryError() then says why.
LibraryHandle LoadLibrary(const QString& path);

// Null when the module does not export the name.
void* GetProcAddress(LibraryHandle lib, const char* name);

QString LastLibraryError();

}  // namespace platform
