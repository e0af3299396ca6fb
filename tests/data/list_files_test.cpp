// Checks of the generated list and settings files in build/runtime/sys and data/, and of the
// rule that a user's settings file is never overwritten.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>

#include "datfile.h"
#include "ini_text.h"
#include "listfiles.h"
#include "textutil.h"

using namespace veltodata;

namespace {

const std::string kRuntime = VELTO_RUNTIME_DIR;

const std::map<std::int32_t, std::string>& DictionaryTypes() {
    static const std::map<std::int32_t, std::string> types = [] {
        std::map<std::int32_t, std::string> out;
        for (const DatRecord& r : DecodeFile(ReadFile(kRuntime + "/data/velto.dat"))) {
            std::int64_t index = 0, sub = 0;
            ParseHexText(r.index, index);
            ParseHexText(r.sub, sub);
            out[static_cast<std::int32_t>(index * 256 + sub)] = r.dataType;
        }
        return out;
    }();
    return types;
}

std::int32_t Hex(const std::string& text) {
    std::int64_t value = 0;
    EXPECT_TRUE(ParseHexText(text, value)) << text;
    return static_cast<std::int32_t>(value);
}

std::vector<std::string> PageNames() {
    std::vector<std::string> names = {"BasicOperate",
                                      "PositionLoop",
                                      "VelocityLoop",
                                      "CurrentLoop",
                                      "AnalogInput",
                                      "DinFunctionConfig",
                                      "AnalogVelocityMode",
                                      "multiVelocityMode",
                                      "AnalogTorqueMode",
                                      "PulseMode",
                                      "AutoReverse",
                                      "MultiPositionMode",
                                      "HomingMode",
                                      "AutoTuning",
                                      "DriverConfig",
                                      "DriverProperty",
                                      "MotorConfig",
                                      "F000",
                                      "F002",
                                      "F003",
                                      "F004",
                                      "F005",
                                      "ErrorHistory",
                                      "PdoOther"};
    for (int n = 1; n <= 8; ++n) {
        names.push_back("RPDO" + std::to_string(n));
        names.push_back("TPDO" + std::to_string(n));
    }
    return names;
}

// Keys 1..num of a page list file, checked for form.
std::vector<std::int32_t> PageKeys(const std::string& page) {
    IniText ini = ReadIni(kRuntime + "/sys/" + page + ".ini");
    EXPECT_TRUE(ini.problems.empty()) << ini.problems.front();
    const IniSection* section = ini.Find(page);
    EXPECT_NE(section, nullptr) << page;
    if (!section || !section->Find("num")) {
        return {};
    }
    int num = std::stoi(*section->Find("num"));
    EXPECT_EQ(static_cast<int>(section->entries.size()), num + 1) << page;
    std::vector<std::int32_t> keys;
    for (int i = 1; i <= num; ++i) {
        const std::string* value = section->Find(std::to_string(i));
        EXPECT_NE(value, nullptr) << page << " key " << i;
        keys.push_back(value ? Hex(*value) : 0);
    }
    return keys;
}

}  // namespace

TEST(PageLists, EveryPageHasAListOfKnownObjectsEachOnce) {
    for (const std::string& page : PageNames()) {
        SCOPED_TRACE(page);
        std::vector<std::int32_t> keys = PageKeys(page);
        EXPECT_FALSE(keys.empty());
        std::set<std::int32_t> seen;
        for (std::int32_t key : keys) {
            EXPECT_TRUE(DictionaryTypes().count(key)) << KeyText(key);
            EXPECT_TRUE(seen.insert(key).second) << KeyText(key) << " twice";
        }
    }
}

TEST(PageLists, PdoPagesShowAllSubIndexesOfTheirObjects) {
    for (int n = 0; n < 8; ++n) {
        std::vector<std::int32_t> rpdo = PageKeys("RPDO" + std::to_string(n + 1));
        std::vector<std::int32_t> tpdo = PageKeys("TPDO" + std::to_string(n + 1));
        std::size_t rExpected = 0, tExpected = 0;
        for (const auto& [key, type] : DictionaryTypes()) {
            int index = key >> 8;
            rExpected += index == 0x1400 + n || index == 0x1600 + n;
            tExpected += index == 0x1800 + n || index == 0x1A00 + n;
        }
        EXPECT_EQ(rpdo.size(), rExpected);
        EXPECT_EQ(tpdo.size(), tExpected);
        EXPECT_EQ(rpdo.front(), (0x1400 + n) * 256);
        EXPECT_EQ(tpdo.back(), (0x1A00 + n) * 256 + 8);
    }
}

TEST(PageLists, DriverPropertyCarriesStringsAndErrorHistoryItsEntries) {
    int strings = 0;
    for (std::int32_t key : PageKeys("DriverProperty")) {
        strings += DictionaryTypes().at(key) == "VISIBLE STRING";
    }
    EXPECT_GE(strings, 5);
    std::set<std::int32_t> history;
    for (std::int32_t key : PageKeys("ErrorHistory")) {
        history.insert(key);
    }
    for (int n = 0; n < 8; ++n) {
        EXPECT_TRUE(history.count((0x2610 + n) * 256 + 1));
        EXPECT_TRUE(history.count((0x2610 + n) * 256 + 7));
    }
}

TEST(ScopeSettings, TriggersKnownChannelsSixteenOrThirtyTwoBits) {
    IniText ini = ReadIni(kRuntime + "/sys/Oscilloscope.ini");
    ASSERT_TRUE(ini.problems.empty());
    for (const char* name : {"trigger", "channel"}) {
        const IniSection* section = ini.Find(name);
        ASSERT_NE(section, nullptr) << name;
        ASSERT_FALSE(section->entries.empty());
        for (std::size_t i = 0; i < section->entries.size(); ++i) {
            EXPECT_EQ(section->entries[i].first, std::to_string(i + 1));  // read stops at a gap
            std::int32_t key = Hex(section->entries[i].second);
            ASSERT_TRUE(DictionaryTypes().count(key)) << KeyText(key);
            const std::string& type = DictionaryTypes().at(key);
            if (std::string(name) == "channel") {
                EXPECT_TRUE(type.find("16") != std::string::npos ||
                            type.find("32") != std::string::npos)
                    << KeyText(key) << " " << type;
            } else {
                EXPECT_NE(type, "VISIBLE STRING");
            }
        }
    }
}

TEST(MonitorList, EntriesAreMappingEntriesOfKnownObjects) {
    IniText ini = ReadIni(kRuntime + "/sys/F001.ini");
    const IniSection* section = ini.Find("F001");
    ASSERT_NE(section, nullptr);
    int num = std::stoi(*section->Find("num"));
    EXPECT_GE(num, 8);
    EXPECT_LE(num, 16);  // 0x2FF0:04 ranges 0..15
    for (int i = 1; i <= num; ++i) {
        std::uint32_t entry = static_cast<std::uint32_t>(Hex(*section->Find(std::to_string(i))));
        std::int32_t key = static_cast<std::int32_t>(entry >> 8);
        ASSERT_TRUE(DictionaryTypes().count(key)) << KeyText(key);
        const std::string& type = DictionaryTypes().at(key);
        EXPECT_EQ(std::to_string(entry & 0xFF), type.substr(type.find_first_of("0123456789")));
    }
}

TEST(DigitalIoNames, BothTablesInBothLanguagesWithoutMask8000) {
    IniText ini = ReadIni(kRuntime + "/data/DataInOut.ini");
    ASSERT_TRUE(ini.problems.empty()) << ini.problems.front();
    for (const char* name : {"in", "out"}) {
        const IniSection* section = ini.Find(name);
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(section->Find("ch8000"), nullptr);
        EXPECT_EQ(section->Find("en8000"), nullptr);
        for (int bit = 0; bit < 15; ++bit) {  // table 1 complete: rows 0..14 are table 1
            char mask[8];
            std::snprintf(mask, sizeof mask, "%04X", 1 << bit);
            EXPECT_NE(section->Find(std::string("ch") + mask), nullptr) << name << mask;
            EXPECT_NE(section->Find(std::string("en") + mask), nullptr) << name << mask;
        }
        int second = 0;
        for (int bit = 0; bit < 14; ++bit) {  // the list dialog offers up to 0xA000
            char mask[8];
            std::snprintf(mask, sizeof mask, "%04X", 0x8000 | (1 << bit));
            bool ch = section->Find(std::string("ch") + mask) != nullptr;
            EXPECT_EQ(ch, section->Find(std::string("en") + mask) != nullptr) << mask;
            second += ch;
        }
        EXPECT_GE(second, 10);
    }
}

TEST(Settings, DefaultSettingsSelectTheSimulatedDriveAndAreNeverOverwritten) {
    IniText ini = ReadIni(kRuntime + "/sys/sys.ini");
    ASSERT_TRUE(ini.problems.empty());
    ASSERT_NE(ini.Find("sys"), nullptr);
    ASSERT_NE(ini.Find("com"), nullptr);
    ASSERT_NE(ini.Find("can"), nullptr);
    for (const char* key : {"lang", "comm"}) {
        EXPECT_NE(ini.Find("sys")->Find(key), nullptr) << key;
    }
    for (const char* key : {"comid", "buadrate", "driverid"}) {
        EXPECT_NE(ini.Find("com")->Find(key), nullptr) << key;
    }

    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / ("veltodata_" + std::to_string(::getpid()));
    fs::remove_all(base);
    std::string source = std::string(VELTO_SOURCE_DIR) + "/data";
    WriteRuntime(source, base.string());
    EXPECT_EQ(ReadFile((base / "sys/sys.ini").string()), ReadFile(source + "/sys.ini"));
    WriteFile((base / "sys/sys.ini").string(), "[sys]\nlang=1\ncomm=5\n");
    WriteFile((base / "user/my.zpj").string(), "project");
    WriteRuntime(source, base.string());
    EXPECT_EQ(ReadFile((base / "sys/sys.ini").string()), "[sys]\nlang=1\ncomm=5\n");
    EXPECT_EQ(ReadFile((base / "user/my.zpj").string()), "project");
    EXPECT_EQ(ReadFile((base / "data/velto.dat").string()), ReadFile(kRuntime + "/data/velto.dat"));
    fs::remove_all(base);
}

TEST(Generator, FaultySourcesAreNamedAndLeaveTheRuntimeFolderUntouched) {
    namespace fs = std::filesystem;
    fs::path work = fs::temp_directory_path() / ("veltodata_src_" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "src");
    fs::copy(std::string(VELTO_SOURCE_DIR) + "/data", work / "src", fs::copy_options::recursive);
    std::string pages = ReadFile((work / "src/pages.txt").string());
    auto expectRefused = [&](const std::string& content, const std::string& message) {
        WriteFile((work / "src/pages.txt").string(), content);
        try {
            WriteRuntime((work / "src").string(), (work / "out").string());
            ADD_FAILURE() << "accepted: " << message;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(work / "out"));
    };
    expectRefused(pages + "\n[Extra]\n6040:00\n6040:00\n", "6040:00 twice in Extra");
    expectRefused(pages + "\n[Extra]\n6040:07\n", "no object 6040:07");
    expectRefused(pages + "\n[Extra]\n604000\n", "expected IIII:SS");
    fs::remove_all(work);
}
