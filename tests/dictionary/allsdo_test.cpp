#include <gtest/gtest.h>

#include <QDir>
#include <atomic>
#include <thread>

#include "app/global.h"
#include "platform/locale.h"
#include "records_fuzz.h"
#include "support/fuzz_replay.h"
#include "support/msgbox_capture.h"
#include "support/sdo_record.h"
#include "support/temp_base.h"

namespace {
const char* kDbError = "Couldn't load DB file!! \n";

QByteArray StatusWord() {
    return SdoRecord("6041", "00", "状态字", "Statusword", "UNSIGNED16", "RL", "驱动状态",
                     "Drive state", "HEX");
}
QByteArray Speed() {
    return SdoRecord("606c", "0", "实际速度", "Velocity actual", "INTEGER32", "RL", "速度帮助",
                     "speed help", "r/min,1,n");
}

// A base folder with settings and a database; the loader runs on a CGlobal of it.
class Dictionary : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideSystemLocale(1); }
    void TearDown() override { platform::OverrideSystemLocale(-1); }

    void Settings(const QByteArray& lang) {
        base.Write("sys/sys.ini", lang.isNull() ? "[sys]\ncomm=1\n" : "[sys]\nlang=" + lang + "\n");
    }
    CAllSdo& Load(const QByteArray& db, const QByteArray& lang = "1") {
        Settings(lang);
        base.Write("data/velto.dat", db);
        global = std::make_unique<CGlobal>(base.Path());
        EXPECT_TRUE(global->dictionary.WaitLoaded(20000));
        return global->dictionary;
    }
    CSdoInfo Find(std::int32_t key) {
        CSdoInfo e;
        EXPECT_EQ(global->dictionary.FindByKey(key, e), 1) << std::hex << key;
        return e;
    }

    MsgBoxCapture boxes;
    TempBase base;
    std::unique_ptr<CGlobal> global;
};
}  // namespace

TEST_F(Dictionary, ChineseFieldsAreDecodedFromCodePage936) {
    CAllSdo& d = Load(StatusWord() + Speed(), "1");
    ASSERT_EQ(d.Count(), 2);
    CSdoInfo e = Find(0x604100);
    EXPECT_EQ(e.index, 0x6041);
    EXPECT_EQ(e.subIndex, 0);
    EXPECT_EQ(e.GetName(), "状态字");
    EXPECT_EQ(e.GetHelp(), "驱动状态");
    EXPECT_EQ(e.GetDataType(), "UNSIGNED16");
    EXPECT_EQ(e.GetAttribute(), "RL");
    EXPECT_EQ(e.GetUnitDefinition(), "HEX");
    EXPECT_EQ(global->language.load(), 1);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Dictionary, EnglishFieldsForLanguagesOtherThanChinese) {
    for (QByteArray lang : {"2", "0"}) {
        CAllSdo& d = Load(StatusWord(), lang);
        ASSERT_EQ(d.Count(), 1);
        EXPECT_EQ(Find(0x604100).GetName(), "Statusword") << lang.constData();
        EXPECT_EQ(Find(0x604100).GetHelp(), "Drive state");
    }
}

TEST_F(Dictionary, NonChineseSystemLoadsEnglishEvenForLanguageOne) {
    platform::OverrideSystemLocale(0);
    Load(StatusWord(), "1");
    EXPECT_EQ(Find(0x604100).GetName(), "Statusword");
}

TEST_F(Dictionary, FileOrderPositionsAndLookups) {
    CAllSdo& d = Load(Speed() + StatusWord() +
                      SdoRecord("6040", "00", "", "Controlword", "U16", "W", "", "", ""));
    ASSERT_EQ(d.Count(), 3);
    CSdoInfo e;
    ASSERT_EQ(d.GetAt(0, e), 1);
    EXPECT_EQ(e.key, 0x606C00);  // lower-case hex digits parse like upper case
    ASSERT_EQ(d.GetAt(2, e), 1);
    EXPECT_EQ(e.key, 0x604000);
    e.key = 77;
    EXPECT_EQ(d.GetAt(3, e), 0);
    EXPECT_EQ(d.GetAt(-1, e), 0);
    EXPECT_EQ(d.FindByKey(0x604001, e), 0);
    EXPECT_EQ(e.key, 77);  // untouched on a miss
    EXPECT_EQ(e, CSdoInfo(77));
}

TEST_F(Dictionary, DuplicateKeysAreBothStoredAndTheFirstIsFound) {
    CAllSdo& d = Load(SdoRecord("2000", "01", "", "first", "U8", "W") +
                          SdoRecord("2000", "01", "", "second", "U8", "W"),
                      "2");
    EXPECT_EQ(d.Count(), 2);
    EXPECT_EQ(Find(0x200001).GetName(), "first");
}

TEST_F(Dictionary, IndexZeroEndsTheData) {
    for (const char* zero : {"0000", "    "}) {
        CAllSdo& d = Load(StatusWord() + SdoRecord(zero, "01", "", "x", "U8", "W") + Speed());
        EXPECT_EQ(d.Count(), 1) << zero;
    }
}

TEST_F(Dictionary, PartialLastRecordIsKeptOnlyWhenItReachesTheUnitField) {
    const QByteArray last = SdoRecord("2001", "02", "", "partial", "U8", "W", "", "", "abcdef");
    CAllSdo& d = Load(StatusWord() + last.left(8350 + 3), "2");
    ASSERT_EQ(d.Count(), 2);
    EXPECT_EQ(Find(0x200102).GetUnitDefinition(), "abc");

    for (int cut : {8350, 8000, 100, 5, 2}) {
        CAllSdo& again = Load(StatusWord() + last.left(cut), "2");
        EXPECT_EQ(again.Count(), 1) << cut;
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Dictionary, FullWidthFieldsWithoutNulStayInsideTheirField) {
    const QString name64(64, u'N');
    CAllSdo& d = Load(SdoRecord("3000", "00", name64, name64, "UNSIGNED16UNSIGN", "WWWWWWWW", "",
                                "", QString(256, u'u')),
                      "2");
    ASSERT_EQ(d.Count(), 1);
    CSdoInfo e = Find(0x300000);
    EXPECT_EQ(e.GetName(), name64);
    EXPECT_EQ(e.GetDataType(), "UNSIGNED16UNSIGN");
    EXPECT_EQ(e.GetAttribute(), "WWWWWWWW");
    EXPECT_EQ(e.GetUnitDefinition().size(), 256);
}

TEST_F(Dictionary, MissingOrUnreadableFileShowsTheMessage) {
    Settings("1");
    global = std::make_unique<CGlobal>(base.Path());  // no velto.dat
    ASSERT_TRUE(global->dictionary.WaitLoaded(20000));
    EXPECT_EQ(boxes.Texts(), QStringList{kDbError});
    EXPECT_EQ(global->dictionary.Count(), 0);

    boxes.Clear();
    QDir(base.Path()).mkpath("data/velto.dat");  // a folder is not a database
    global = std::make_unique<CGlobal>(base.Path());
    ASSERT_TRUE(global->dictionary.WaitLoaded(20000));
    EXPECT_EQ(boxes.Texts(), QStringList{kDbError});
}

TEST_F(Dictionary, EmptyOrGarbageFilesNeverCrash) {
    EXPECT_EQ(Load(QByteArray()).Count(), 0);
    QByteArray garbage;
    for (int i = 0; i < 3 * 8606 + 17; ++i) garbage.append(char((i * 7919 + 13) % 251 + 1));
    garbage.replace(0, 4, "1234");
    CAllSdo& d = Load(garbage);
    EXPECT_GE(d.Count(), 1);  // later records end where their index text has no hex digit
    EXPECT_LE(d.Count(), 3);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Dictionary, LoaderWaitsForTheLanguageKey) {
    Settings(QByteArray());  // settings without "lang"
    base.Write("data/velto.dat", StatusWord());
    global = std::make_unique<CGlobal>(base.Path());
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(global->dictionary.Count(), 0);
    Settings("1");
    ASSERT_TRUE(global->dictionary.WaitLoaded(20000));
    EXPECT_EQ(Find(0x604100).GetName(), "状态字");
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Dictionary, LanguageThatNeverAppearsEndsTheWaitWithAMessage) {
    Settings(QByteArray());
    base.Write("data/velto.dat", StatusWord());
    global = std::make_unique<CGlobal>(base.Path());
    ASSERT_TRUE(global->dictionary.WaitLoaded(20000));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Texts()[0].contains("lang")) << boxes.Texts()[0].toStdString();
    EXPECT_EQ(Find(0x604100).GetName(), "Statusword");  // language 0: English
}

TEST_F(Dictionary, LanguageThreeWaitsForAnotherValue) {
    Settings("3");
    base.Write("data/velto.dat", StatusWord());
    global = std::make_unique<CGlobal>(base.Path());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(global->dictionary.LoadingDone());
    global->language.store(1);  // as start-up would settle it
    ASSERT_TRUE(global->dictionary.WaitLoaded(20000));
    EXPECT_EQ(Find(0x604100).GetName(), "状态字");
}

TEST_F(Dictionary, LanguageThreeForEverEndsTheWaitWithAMessage) {
    CAllSdo& d = Load(StatusWord(), "3");
    EXPECT_EQ(d.Count(), 1);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(Find(0x604100).GetName(), "Statusword");
}

TEST_F(Dictionary, DestructionStopsAWaitingLoader) {
    Settings(QByteArray());
    global = std::make_unique<CGlobal>(base.Path());
    global.reset();  // returns at once, no message, no hang
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Dictionary, LookupsDuringLoadingSeeAConsistentGrowingList) {
    QByteArray db;
    for (int i = 0; i < 2000; ++i)
        db += SdoRecord(QString::number(0x2000 + i, 16), "01", "名", "n" + QString::number(i),
                        "INTEGER16", "W", "帮助", "help", "mm");
    Settings("1");
    base.Write("data/velto.dat", db);
    global = std::make_unique<CGlobal>(base.Path());
    std::atomic<int> faults{0};
    auto reader = [&] {
        int last = 0;
        while (!global->dictionary.LoadingDone() || last < global->dictionary.Count()) {
            const int count = global->dictionary.Count();
            if (count < last)
                ++faults;
            CSdoInfo e;
            if (count > 0 && (!global->dictionary.GetAt(count - 1, e) ||
                              e.key != (0x2000 + count - 1) * 256 + 1 || e.GetName() != "名"))
                ++faults;
            if (count > 0 && !global->dictionary.FindByKey(0x200001, e))
                ++faults;
            last = count;
        }
    };
    std::thread a(reader), b(reader);
    a.join();
    b.join();
    EXPECT_EQ(faults.load(), 0);
    EXPECT_EQ(global->dictionary.Count(), 2000);
}

TEST(RecordsFuzzCorpus, EverySeedReads) {
    EXPECT_GE(ReplayFuzzCorpus("dictionary/fuzz_corpus/records", FuzzRecords), 6);
}
