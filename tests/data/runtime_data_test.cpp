// Checks of the generated dictionary (build/runtime/data/velto.dat) and the simulated drive's
// defaults, read back from the files the program and the simulator load.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "cp936.h"
#include "datfile.h"
#include "textutil.h"
#include "unitsyntax.h"

using namespace veltodata;

namespace {

const std::string kRuntime = VELTO_RUNTIME_DIR;

struct Entry {
    DatRecord record;
    std::int32_t key = 0;
};

const std::vector<Entry>& Dictionary() {
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> out;
        for (DatRecord& r : DecodeFile(ReadFile(kRuntime + "/data/velto.dat"))) {
            std::int64_t index = 0, sub = 0;
            EXPECT_TRUE(ParseHexText(r.index, index) && ParseHexText(r.sub, sub)) << r.index;
            out.push_back({r, static_cast<std::int32_t>(index * 256 + sub)});
        }
        return out;
    }();
    return entries;
}

const Entry* Lookup(std::int32_t key) {
    for (const Entry& e : Dictionary()) {
        if (e.key == key) {
            return &e;
        }
    }
    return nullptr;
}

int Width(const std::string& type) {
    std::size_t digit = type.find_first_of("0123456789");
    return digit == std::string::npos ? 0 : std::stoi(type.substr(digit));
}

}  // namespace

TEST(RuntimeDictionary, HoldsAtLeastFourHundredObjectsWithUniqueKeys) {
    EXPECT_GE(Dictionary().size(), 400u);
    std::set<std::int32_t> keys;
    for (const Entry& e : Dictionary()) {
        EXPECT_NE(e.key >> 8, 0) << "index 0 would end loading";
        EXPECT_TRUE(keys.insert(e.key).second) << KeyText(e.key) << " twice";
    }
}

TEST(RuntimeDictionary, TypesAccessNamesAndHelpAreComplete) {
    const std::set<std::string> types = {"UNSIGNED8", "UNSIGNED16", "UNSIGNED32",    "INTEGER8",
                                         "INTEGER16", "INTEGER32",  "VISIBLE STRING"};
    for (const Entry& e : Dictionary()) {
        const DatRecord& r = e.record;
        SCOPED_TRACE(KeyText(e.key));
        EXPECT_TRUE(types.count(r.dataType)) << r.dataType;
        EXPECT_TRUE(r.access == "" || r.access == "W" || r.access == "L" || r.access == "WL");
        EXPECT_FALSE(r.nameEn.empty());
        EXPECT_FALSE(r.nameZh.empty());
        EXPECT_FALSE(r.helpEn.empty());
        EXPECT_FALSE(r.helpZh.empty());
        EXPECT_LE(r.nameEn.size(), 63u);
        EXPECT_LE(r.nameZh.size(), 63u);  // bytes in code page 936
        EXPECT_TRUE(IsAscii(r.nameEn) && IsAscii(r.helpEn) && IsAscii(r.unitDefinition));
        EXPECT_NO_THROW(Cp936ToUtf8(r.nameZh));
        EXPECT_NO_THROW(Cp936ToUtf8(r.helpZh));
    }
}

TEST(RuntimeDictionary, UnitDefinitionsParseAndReferenceExistingObjects) {
    int withReferences = 0;
    for (const Entry& e : Dictionary()) {
        SCOPED_TRACE(KeyText(e.key));
        EXPECT_EQ(CheckUnitDefinition(e.record.unitDefinition), "");
        std::vector<std::int32_t> refs = FormulaReferences(e.record.unitDefinition);
        withReferences += !refs.empty();
        for (std::int32_t ref : refs) {
            const Entry* target = Lookup(ref);
            ASSERT_NE(target, nullptr) << "missing " << KeyText(ref);
            EXPECT_NE(target->record.dataType, "VISIBLE STRING");
        }
    }
    EXPECT_GT(withReferences, 50);
}

TEST(RuntimeDictionary, ScaledUnitsComeAsReadWritePairs) {
    // Reads match the second word, writes the first: every read item "[x u]" needs a
    // following write item "[u]" for the same unit, or a typed value could not be written.
    for (const Entry& e : Dictionary()) {
        std::vector<UnitItem> items = ParseUnitDefinition(e.record.unitDefinition);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].displayName.empty() || e.key >> 16 == 0x26) {
                continue;
            }
            bool paired = false;
            for (std::size_t j = i + 1; j < items.size(); ++j) {
                paired |= items[j].unitName == items[i].displayName;
            }
            EXPECT_TRUE(paired) << KeyText(e.key) << " unit " << items[i].displayName;
        }
    }
    std::vector<UnitItem> velocity = ParseUnitDefinition(Lookup(0x606C00)->record.unitDefinition);
    ASSERT_GE(velocity.size(), 2u);
    EXPECT_EQ(velocity[0].Shown(), "rpm");
    EXPECT_EQ(velocity[0].formula, "N*60*[60920220]/[60920120]");
    EXPECT_EQ(velocity[1].unitName, "rpm");
    EXPECT_EQ(velocity[1].formula, "N*[60920120]/[60920220]/60");
}

TEST(RuntimeDictionary, ErrorHistoryUnitsNameEveryErrorBit) {
    for (std::int32_t entry = 0; entry < 8; ++entry) {
        const Entry* code = Lookup((0x2610 + entry) * 256 + 1);
        ASSERT_NE(code, nullptr);
        ASSERT_NE(Lookup((0x2610 + entry) * 256 + 7), nullptr);
        std::vector<UnitItem> items = ParseUnitDefinition(code->record.unitDefinition);
        ASSERT_EQ(items.size(), 17u);
        EXPECT_EQ(items[0].unitName, "code");
        EXPECT_EQ(items[0].formula, "N*1");
        for (int bit = 0; bit < 16; ++bit) {
            char value[8];
            std::snprintf(value, sizeof value, "%04X", 1 << bit);
            EXPECT_EQ(items[bit + 1].unitName, value);
            EXPECT_FALSE(items[bit + 1].displayName.empty());
            EXPECT_EQ(items[bit + 1].formula, "N");  // harmless when chosen as a unit
        }
    }
}

TEST(RuntimeDictionary, ObjectsThePagesUseExist) {
    const std::int32_t keys[] = {0x100000, 0x100100, 0x100800, 0x100900, 0x100A00, 0x101700,
                                 0x101801, 0x603F00, 0x604000, 0x604100, 0x606000, 0x606100,
                                 0x607300, 0x60F901, 0x60F902, 0x60F910, 0x641003, 0x650200,
                                 0x260000, 0x260100, 0x260200, 0x260504, 0x2FF001, 0x2FF002,
                                 0x2FF003, 0x2FF004, 0x2FFF00, 0x301006, 0x230010};
    for (std::int32_t key : keys) {
        EXPECT_NE(Lookup(key), nullptr) << KeyText(key);
    }
    for (int sub = 1; sub <= 0x1F; ++sub) {
        const Entry* io = Lookup(0x201000 + sub);
        ASSERT_NE(io, nullptr) << sub;
        EXPECT_EQ(io->record.dataType, "UNSIGNED16");
    }
    for (int sub = 1; sub <= 0x0D; ++sub) {
        EXPECT_NE(Lookup(0x230000 + sub), nullptr) << sub;
    }
    for (int sub = 1; sub <= 0x0A; ++sub) {
        EXPECT_NE(Lookup(0x304000 + sub), nullptr) << sub;
    }
    for (int pdo = 0; pdo < 8; ++pdo) {
        for (int base : {0x1400, 0x1600, 0x1800, 0x1A00}) {
            EXPECT_NE(Lookup((base + pdo) * 256 + 1), nullptr);
        }
        EXPECT_NE(Lookup((0x1600 + pdo) * 256 + 8), nullptr);
        EXPECT_NE(Lookup((0x1A00 + pdo) * 256 + 8), nullptr);
    }
}

TEST(RuntimeDictionary, WritesUseTheWidthsThePagesExpect) {
    EXPECT_EQ(Width(Lookup(0x230007)->record.dataType), 8);   // arm capture, 1 byte
    EXPECT_EQ(Width(Lookup(0x230008)->record.dataType), 16);  // period, 2 bytes
    EXPECT_EQ(Width(Lookup(0x23000C)->record.dataType), 32);  // trigger source, 4 bytes
    EXPECT_EQ(Width(Lookup(0x304001)->record.dataType), 8);
    EXPECT_EQ(Width(Lookup(0x304005)->record.dataType), 32);
    EXPECT_EQ(Width(Lookup(0x60F910)->record.dataType), 16);
    EXPECT_EQ(Width(Lookup(0x2FF004)->record.dataType), 8);
    EXPECT_EQ(Width(Lookup(0x2FFF00)->record.dataType), 16);
    EXPECT_EQ(Width(Lookup(0x260504)->record.dataType), 16);
}

TEST(SimulatorDefaults, OneLinePerObjectWithDefaultsInRange) {
    std::vector<TsvLine> lines = ReadTsv(kRuntime + "/data/velto_sim.tsv");
    ASSERT_EQ(lines.size(), Dictionary().size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string>& c = lines[i].cells;
        const DatRecord& r = Dictionary()[i].record;
        ASSERT_EQ(c.size(), 6u) << lines[i].origin;
        EXPECT_EQ(c[0], r.index + r.sub);
        EXPECT_EQ(c[1], r.dataType);
        EXPECT_EQ(c[2], r.access.empty() ? "-" : r.access);
        if (r.dataType == "VISIBLE STRING") {
            EXPECT_EQ(c[4] + c[5], "--");
            continue;
        }
        long long value = std::stoll(c[3]), lo = std::stoll(c[4]), hi = std::stoll(c[5]);
        EXPECT_LE(lo, value) << c[0];
        EXPECT_LE(value, hi) << c[0];
        bool isSigned = r.dataType[0] == 'I';
        int width = Width(r.dataType);
        long long typeLo = isSigned ? -(1LL << (width - 1)) : 0;
        long long typeHi = isSigned ? (1LL << (width - 1)) - 1 : (1LL << width) - 1;
        EXPECT_LE(typeLo, lo) << c[0];
        EXPECT_LE(hi, typeHi) << c[0];
    }
}

TEST(SimulatorDefaults, DriveIsCoherent) {
    std::map<std::string, std::string> value;
    for (const TsvLine& line : ReadTsv(kRuntime + "/data/velto_sim.tsv")) {
        value[line.cells[0]] = line.cells[3];
    }
    EXPECT_EQ(value["100000"], std::to_string(0x00020192));  // CiA 402 servo drive
    EXPECT_EQ(value["101400"], std::to_string(0x81));        // EMCY 0x80 + node 1
    EXPECT_EQ(value["200101"], "1");                         // node ID
    EXPECT_EQ(value["140001"], std::to_string(0x201));       // RPDO1 0x200 + node
    EXPECT_EQ(value["180001"], std::to_string(0x40000181));  // TPDO1 0x180 + node
    int strings7 = 0, stringsLonger = 0;
    for (const char* key : {"100800", "100900", "100A00", "200001", "200002", "200003", "20000A",
                            "650300", "650400"}) {
        strings7 += value[key].size() == 7;
        stringsLonger += value[key].size() > 7;
    }
    EXPECT_GE(strings7, 1);
    EXPECT_GE(stringsLonger, 3);
}
