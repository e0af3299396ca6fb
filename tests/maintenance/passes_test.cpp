// The export and import passes, driven by replies the way the pages and veltoctl drive them.
#include <gtest/gtest.h>

#include <map>

#include "maintenance/exportpass.h"
#include "maintenance/importpass.h"

using namespace drvdata;

namespace {

// A small dictionary: key -> type name.
EntryLookup Lookup() {
    static const std::map<std::int32_t, QString> types = {
        {0x604100, "UNSIGNED16"},     {0x607100, "INTEGER16"}, {0x607C00, "INTEGER32"},
        {0x100500, "UNSIGNED32"},     {0x605A00, "INTEGER16"}, {0x100300, "UNSIGNED8"},
        {0x100800, "VISIBLE STRING"}, {0x606000, "INTEGER8"}};
    return [](std::int32_t key, CSdoInfo& entry) {
        auto it = types.find(key);
        if (it == types.end())
            return false;
        entry.key = key;
        entry.dataType = it->second;
        entry.name = "object " + QString::number(key, 16);
        return true;
    };
}

// Runs a pass to its end, answering each request with `answer`.
template <typename Answer>
std::vector<BatchRequest> RunPass(CBatchPass& pass, Answer answer) {
    std::vector<BatchRequest> sent;
    std::optional<BatchRequest> next = pass.Start();
    while (next) {
        sent.push_back(*next);
        next = answer(pass, *next);
    }
    return sent;
}

std::vector<ImportRow> ImportOf(const std::vector<std::pair<QString, QString>>& lines) {
    std::vector<DataFileRow> fileRows;
    int line = 0;
    for (const auto& [code, load] : lines) fileRows.push_back({++line, code, load});
    return ImportRows(fileRows, Lookup());
}

}  // namespace

TEST(ExportPass, FormatsByTypeOrByTheCodesWidth) {
    struct Case {
        std::uint32_t code;
        std::uint32_t reply;
        const char* shown;
    } cases[] = {
        {0x60710010, 0xFFFF, "-1"},
        {0x60410010, 0xFFFF, "65535"},
        {0x10050020, 0xFFFFFFFF, "4294967295"},
        {0x607C0020, 0xFFFFFFFF, "-1"},
        {0x60600008, 0xFA, "-6"},
        {0x2FFE0120, 0xFFFFFFFF, "0xffffffff"},
        {0x2FFE0210, 0x1A, "0x001a"},
        {0x2FFE0308, 0x1A, "0x1a"},
    };
    std::vector<std::uint32_t> codes;
    for (const Case& c : cases) codes.push_back(c.code);
    std::vector<ExportRow> rows = ExportRows(codes, Lookup());
    CExportPass pass(rows, Lookup());
    size_t i = 0;
    RunPass(pass, [&](CBatchPass& p, const BatchRequest& r) {
        EXPECT_EQ(r.command, 0x40);
        EXPECT_EQ(r.key, static_cast<std::int32_t>(cases[i].code >> 8));
        return p.OnValue(r.key, cases[i++].reply);
    });
    for (size_t k = 0; k < std::size(cases); ++k) {
        EXPECT_EQ(rows[k].value, cases[k].shown) << k;
        EXPECT_EQ(rows[k].result, "True") << k;
    }
    EXPECT_EQ(rows[5].name, "? ? ? ?");
    EXPECT_EQ(pass.StatusText(), "Finish: Total:8  Error:0 ");
}

TEST(ExportPass, UnreadableWidthsAndRefusalsFailAndThePassGoesOn) {
    // A string object, a missing object with width 24, an empty line (code 0), a refusal.
    std::vector<ExportRow> rows =
        ExportRows({0x10080008, 0x2FFE0118, 0, 0x60410010, 0x607C0020}, Lookup());
    CExportPass pass(rows, Lookup());
    auto sent = RunPass(pass, [](CBatchPass& p, const BatchRequest& r) {
        return r.key == 0x607C00 ? p.OnAbort(r.key, 0x06020000) : p.OnValue(r.key, 7);
    });
    ASSERT_EQ(sent.size(), 2u);  // only the readable rows went out
    EXPECT_EQ(rows[0].result, "Fail");
    EXPECT_EQ(rows[0].value, "width 0 not 8/16/32");
    EXPECT_EQ(rows[1].value, "width 24 not 8/16/32");
    EXPECT_EQ(rows[2].codeText, "00000000");
    EXPECT_EQ(rows[3].value, "7");
    EXPECT_EQ(rows[4].value, "0x06020000");
    EXPECT_EQ(rows[4].result, "Fail");
    EXPECT_EQ(pass.StatusText(), "Finish: Total:5  Error:4 ");
    EXPECT_EQ(pass.RowsDone(), 5);
}

TEST(BatchPass, LateRepliesAreIgnoredAndCancelLeavesTheRestEmpty) {
    std::vector<ExportRow> rows =
        ExportRows({0x60410010, 0x607C0020, 0x10050020, 0x605A0010}, Lookup());
    rows[3].value = "old", rows[3].result = "True";
    CExportPass pass(rows, Lookup());
    std::optional<BatchRequest> next = pass.Start();
    EXPECT_TRUE(rows[3].value.isEmpty());
    ASSERT_TRUE(next);
    EXPECT_FALSE(pass.OnValue(0x100500, 5));  // not the awaited object
    EXPECT_TRUE(rows[0].result.isEmpty());
    next = pass.OnValue(0x604100, 5);
    ASSERT_TRUE(next);
    pass.Cancel();
    EXPECT_FALSE(pass.OnValue(next->key, 9));  // the running request still counts
    EXPECT_EQ(pass.state(), CBatchPass::State::Cancelled);
    EXPECT_EQ(rows[1].value, "9");
    EXPECT_TRUE(rows[2].result.isEmpty());
    EXPECT_EQ(pass.StatusText(), "Cancelled: 2 of 4 rows done");
}

TEST(BatchPass, ALostLinkOrAMissingReplyNeverPassesARow) {
    std::vector<ImportRow> rows =
        ImportOf({{"60410010", "0"}, {"605A0010", "0"}, {"607C0020", "0"}});
    CImportPass pass(rows, Lookup());
    std::optional<BatchRequest> next = pass.Start();
    next = pass.OnNoReply();  // the first write is not answered: its row fails, the pass goes on
    ASSERT_TRUE(next);
    EXPECT_EQ(rows[0].result, "Fail");
    EXPECT_EQ(rows[0].readValue, "no reply");
    pass.LinkLost();
    EXPECT_EQ(rows[1].result, "Fail");
    EXPECT_TRUE(rows[2].result.isEmpty());
    EXPECT_EQ(pass.StatusText(), "Comm link lost: 2 of 3 rows done");
    EXPECT_FALSE(pass.OnValue(next->key, 0));  // a late reply changes nothing
    EXPECT_EQ(rows[1].result, "Fail");
}

TEST(ImportPass, WritesByWidthAndKeepsLargeUnsignedValues) {
    std::vector<ImportRow> rows = ImportOf({{"10050020", "4294967295"},
                                            {"60710010", "-1"},
                                            {"2FFE0108", "0x1a"},
                                            {"60600008", "-6"},
                                            {"10030008", "300"}});
    CImportPass pass(rows, Lookup());
    auto sent = RunPass(pass, [](CBatchPass& p, const BatchRequest& r) {
        return p.OnValue(r.key, static_cast<std::uint32_t>(r.data));  // the drive takes it
    });
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[0].command, 0x23);
    EXPECT_EQ(static_cast<std::uint32_t>(sent[0].data), 0xFFFFFFFFu);
    EXPECT_EQ(sent[1].command, 0x2B);
    EXPECT_EQ(sent[1].data, 0xFFFF);
    EXPECT_EQ(sent[2].command, 0x2F);
    EXPECT_EQ(sent[2].data, 0x1A);
    EXPECT_EQ(sent[3].data, 0xFA);
    EXPECT_EQ(sent[4].data, 300 & 0xFF);  // cut to the row's width
    for (int r = 0; r < 4; ++r) EXPECT_EQ(rows[r].result, "True") << r;
    EXPECT_EQ(rows[2].readValue, "0x1a");
    EXPECT_EQ(rows[4].readValue, "44");
    EXPECT_EQ(rows[4].result, "Alarm");  // the drive holds something else than the file
}

TEST(ImportPass, StatusCountsAlarmsAndErrors) {
    std::vector<ImportRow> rows = ImportOf({{"60410010", "5"},
                                            {"605A0010", "2"},
                                            {"607C0020", "3"},
                                            {"60710010", ""},
                                            {"10050020", "9"}});
    CImportPass pass(rows, Lookup());
    auto sent = RunPass(pass, [](CBatchPass& p, const BatchRequest& r) {
        if (r.key == 0x607C00)
            return p.OnAbort(r.key, 0x06010002);
        return p.OnValue(r.key, r.key == 0x605A00 ? 1 : static_cast<std::uint32_t>(r.data));
    });
    EXPECT_EQ(sent.size(), 4u);  // the row without load value is not written
    EXPECT_EQ(rows[1].result, "Alarm");
    EXPECT_EQ(rows[2].readValue, "0x6010002");
    EXPECT_EQ(rows[3].readValue, "no load value");
    EXPECT_EQ(pass.StatusText(), "Finish: Total:5  Alarm:1  Error:2");
}

TEST(ImportPass, CompareModeOnlyReads) {
    std::vector<ImportRow> rows = ImportOf({{"60410010", "5"}, {"607C0020", "-1"}});
    CImportPass pass(rows, Lookup(), CImportPass::Mode::Compare);
    auto sent = RunPass(pass, [](CBatchPass& p, const BatchRequest& r) {
        return p.OnValue(r.key, r.key == 0x604100 ? 5 : 0);
    });
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].command, 0x40);
    EXPECT_EQ(sent[1].command, 0x40);
    EXPECT_EQ(rows[0].result, "True");
    EXPECT_EQ(rows[1].result, "Alarm");
    EXPECT_EQ(rows[1].readValue, "0");
}
