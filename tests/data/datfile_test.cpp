// The dictionary file format: record layout, field limits and the round trip from the
// source tables through velto.dat and back.
#include <gtest/gtest.h>

#include <cstring>

#include "cp936.h"
#include "datfile.h"
#include "dictionarywriter.h"
#include "objecttable.h"
#include "textutil.h"

using namespace veltodata;

namespace {

const std::string kSourceDir = std::string(VELTO_SOURCE_DIR) + "/data";

DatRecord Sample() {
    DatRecord r;
    r.index = "6040";
    r.sub = "00";
    r.nameZh = Utf8ToCp936("控制字");
    r.nameEn = "Controlword";
    r.dataType = "UNSIGNED16";
    r.access = "W";
    r.helpZh = Utf8ToCp936("驱动器状态机命令。");
    r.helpEn = "State machine commands.";
    r.unitDefinition = "[HEX];[DEC]";
    return r;
}

std::string At(const std::string& record, std::size_t offset) {
    return std::string(record.c_str() + offset);  // up to the field's NUL
}

// The text the dump must show, rendered straight from the source rows.
std::string SourceText(const ObjectTable& table) {
    std::string out;
    for (const ObjectRow& row : table.Rows()) {
        out += "[" + KeyText(row.Key()) + "]\ntype=" + row.dataType + "\naccess=" + row.access +
               "\nname.en=" + row.nameEn + "\nname.zh=" + row.nameZh +
               "\nunit=" + row.unitDefinition + "\nhelp.en=" + row.helpEn +
               "\nhelp.zh=" + row.helpZh + "\n";
    }
    return out;
}

}  // namespace

TEST(DatFile, FieldsSitAtTheirFixedOffsets) {
    std::string bytes = EncodeRecord(Sample());
    ASSERT_EQ(bytes.size(), 8606u);
    EXPECT_EQ(bytes.substr(0, 6), "604000");
    EXPECT_EQ(At(bytes, 6), "\xBF\xD8\xD6\xC6\xD7\xD6");  // 控制字 in code page 936
    EXPECT_EQ(At(bytes, 70), "Controlword");
    EXPECT_EQ(At(bytes, 134), "UNSIGNED16");
    EXPECT_EQ(At(bytes, 150), "W");
    EXPECT_EQ(Cp936ToUtf8(At(bytes, 158)), "驱动器状态机命令。");
    EXPECT_EQ(At(bytes, 4254), "State machine commands.");
    EXPECT_EQ(At(bytes, 8350), "[HEX];[DEC]");
    EXPECT_EQ(bytes[8605], '\0');
}

TEST(DatFile, TextsThatWouldFillTheirFieldAreRefused) {
    DatRecord r = Sample();
    r.nameEn = std::string(63, 'x');
    EXPECT_NO_THROW(EncodeRecord(r));
    r.nameEn = std::string(64, 'x');  // no room for the terminating NUL
    EXPECT_THROW(EncodeRecord(r), std::runtime_error);
    r = Sample();
    r.unitDefinition = std::string(256, '[');
    EXPECT_THROW(EncodeRecord(r), std::runtime_error);
    r = Sample();
    r.index = "60400";
    EXPECT_THROW(EncodeRecord(r), std::runtime_error);
}

TEST(DatFile, DecodeRejectsPartialRecordsAndMissingTerminators) {
    std::string bytes = EncodeRecord(Sample()) + EncodeRecord(Sample());
    EXPECT_EQ(DecodeFile(bytes).size(), 2u);
    EXPECT_THROW(DecodeFile(bytes.substr(0, 8606 + 100)), std::runtime_error);
    std::string broken = bytes;
    std::memset(&broken[70], 'x', 64);  // English name without NUL
    EXPECT_THROW(DecodeFile(broken), std::runtime_error);
}

TEST(DatFile, SourceTablesSurviveTheRoundTrip) {
    ObjectTable table = ObjectTable::Load(kSourceDir);
    std::vector<DatRecord> records = DecodeFile(DictionaryFileImage(table));
    ASSERT_EQ(records.size(), table.Rows().size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        DatRecord expected = ToRecord(table.Rows()[i]);
        EXPECT_EQ(records[i].index + records[i].sub, expected.index + expected.sub);
        EXPECT_EQ(records[i].nameZh, expected.nameZh);
        EXPECT_EQ(records[i].helpZh, expected.helpZh);
        EXPECT_EQ(records[i].unitDefinition, expected.unitDefinition);
    }
    EXPECT_EQ(DumpText(records), SourceText(table));
}

TEST(DatFile, GeneratedRuntimeFileDumpsAsTheSource) {
    ObjectTable table = ObjectTable::Load(kSourceDir);
    std::string bytes = ReadFile(std::string(VELTO_RUNTIME_DIR) + "/data/velto.dat");
    EXPECT_EQ(bytes.size(), table.Rows().size() * kRecordSize);
    EXPECT_EQ(DumpText(DecodeFile(bytes)), SourceText(table));
}

TEST(ObjectTable, FamiliesExpandWithNumberedTextsAndListedDefaults) {
    ObjectTable table = ObjectTable::Load(kSourceDir);
    const ObjectRow* cob3 = table.Find(0x140201);
    ASSERT_NE(cob3, nullptr);
    EXPECT_EQ(cob3->nameEn, "RPDO3 COB-ID");
    EXPECT_EQ(cob3->defaultValue, 0x401);
    const ObjectRow* map = table.Find(0x1A0002);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->nameEn, "TPDO1 mapping entry 2");
    EXPECT_EQ(map->defaultValue, 0x60640020);
    const ObjectRow* pos = table.Find(0x206110);
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->nameZh, "第16段位置");
}

TEST(ObjectTable, HelpTellsRangeAndUnit) {
    ObjectTable table = ObjectTable::Load(kSourceDir);
    const ObjectRow* gain = table.Find(0x60F901);
    ASSERT_NE(gain, nullptr);
    EXPECT_NE(gain->helpEn.find("Range: 1 to 20000, unit: 0.1 Hz (gain)."), std::string::npos);
    EXPECT_NE(gain->helpZh.find("范围：1～20000，单位：0.1 Hz（增益）。"), std::string::npos);
    const ObjectRow* mask = table.Find(0x260000);
    EXPECT_NE(mask->helpEn.find("Range: 0x0 to 0xFFFF."), std::string::npos);
}
