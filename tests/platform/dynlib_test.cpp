#include <gtest/gtest.h>

#include "platform/dynlib.h"

using namespace platform;

TEST(Dynlib, LoadsByPathAndFindsTheExport) {
    LibraryHandle lib = LoadLibrary(VELTO_TEST_MODULE);
    ASSERT_NE(lib, nullptr) << LastLibraryError().toStdString();
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(lib, "VeltoTestAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(lib, "NoSuchExport"), nullptr);
    EXPECT_FALSE(LastLibraryError().isEmpty());
    FreeLibrary(lib);
}

TEST(Dynlib, MissingOrBrokenModulesGiveNullAndAReason) {
    EXPECT_EQ(LoadLibrary("/nonexistent/EN.so"), nullptr);
    EXPECT_TRUE(LastLibraryError().contains("nonexistent"));
    EXPECT_EQ(LoadLibrary(VELTO_SOURCE_DIR "/CMakeLists.txt"), nullptr);  // not a module
    EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
}
