#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/profile.h"
#include "platform/profile_document.h"
#include "profile_fuzz.h"
#include "support/fuzz_replay.h"

using namespace platform;

namespace {
class Profile : public ::testing::Test {
protected:
    QString Path(const QString& name = "a.ini") const { return dir.path() + "/" + name; }
    void WriteBytes(const QByteArray& bytes, const QString& name = "a.ini") const {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray ReadBytes(const QString& name = "a.ini") const {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString Get(const QString& s, const QString& k, const QString& def = "?", int size = 256) {
        return GetProfileString(Path(), s, k, def, size);
    }
    QTemporaryDir dir;
};

QByteArray Utf16Le(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}
}  // namespace

TEST_F(Profile, NamesCompareCaseInsensitively) {
    WriteBytes("[Sys]\r\nLang = 2 \r\n[COM]\r\ncomid=/dev/ttyUSB0\r\n");
    EXPECT_EQ(Get("sys", "LANG"), "2");
    EXPECT_EQ(Get("com", "ComId"), "/dev/ttyUSB0");
}

TEST_F(Profile, MissingFileSectionOrKeyReadsTheDefault) {
    EXPECT_EQ(Get("sys", "lang", "dflt"), "dflt");
    EXPECT_EQ(Get("sys", "lang", QString()), "");
    WriteBytes("[sys]\nlang=1\n");
    EXPECT_EQ(Get("other", "lang", "d"), "d");
    EXPECT_EQ(Get("sys", "comm", "d"), "d");
    EXPECT_EQ(GetProfileInt(Path(), "sys", "comm", 7), 7);
}

TEST_F(Profile, ValueIsCutToBufferSizeLessOne) {
    WriteBytes("[sys]\nlang=12345\nname=名称表\n");
    EXPECT_EQ(Get("sys", "lang", "", 4), "123");
    EXPECT_EQ(Get("sys", "lang", "", 6), "12345");
    EXPECT_EQ(Get("sys", "lang", "", 1), "");
    EXPECT_EQ(Get("sys", "lang", "", 0), "");
    EXPECT_EQ(Get("sys", "name", "", 3), "名称");
    EXPECT_EQ(Get("sys", "none", "abcdef", 4), "abc");  // the default too
}

TEST_F(Profile, ValuesAreTrimmedAndUnquoted) {
    WriteBytes("[s]\na=  x y  \nb=\"quoted \"\nc='z'\nd=\"half\n;e=comment\n");
    EXPECT_EQ(Get("s", "a"), "x y");
    EXPECT_EQ(Get("s", "b"), "quoted ");
    EXPECT_EQ(Get("s", "c"), "z");
    EXPECT_EQ(Get("s", "d"), "\"half");
    EXPECT_EQ(Get("s", ";e"), "?");
}

TEST_F(Profile, FirstOfDuplicateKeysWins) {
    WriteBytes("[s]\nk=1\nK=2\n[s]\nk=3\nj=4\n");
    EXPECT_EQ(Get("s", "k"), "1");
    EXPECT_EQ(Get("s", "j"), "4");  // a repeated section is searched too
}

TEST_F(Profile, IntegersParseTheLeadingNumber) {
    WriteBytes("[s]\na=42abc\nb=-7\nc=abc\nd=\n");
    EXPECT_EQ(GetProfileInt(Path(), "s", "a", 9), 42);
    EXPECT_EQ(GetProfileInt(Path(), "s", "b", 9), -7);
    EXPECT_EQ(GetProfileInt(Path(), "s", "c", 9), 0);
    EXPECT_EQ(GetProfileInt(Path(), "s", "d", 9), 9);
}

TEST_F(Profile, ReadsUtf16LeWithAndWithoutBomAndUtf8Bom) {
    const QString text = "[sys]\r\nlang=1\r\nname=数据\r\n";
    WriteBytes("\xFF\xFE" + Utf16Le(text));
    EXPECT_EQ(Get("sys", "name"), "数据");
    WriteBytes(Utf16Le(text));
    EXPECT_EQ(Get("sys", "name"), "数据");
    EXPECT_EQ(Get("sys", "lang"), "1");
    WriteBytes("\xEF\xBB\xBF" + text.toUtf8());
    EXPECT_EQ(Get("sys", "name"), "数据");
}

TEST_F(Profile, NonUtf8TextIsReadAsCodePage936) {
    WriteBytes("[s]\nname=\xC3\xFB\xB3\xC6\n");
    EXPECT_EQ(Get("s", "name"), "名称");
}

TEST_F(Profile, WriteCreatesFileSectionAndKey) {
    ASSERT_TRUE(WriteProfileString(Path(), "sys", "lang", "2"));
    EXPECT_EQ(Get("sys", "lang"), "2");
    ASSERT_TRUE(WriteProfileString(Path(), "com", "comid", "串口"));
    ASSERT_TRUE(WriteProfileString(Path(), "sys", "comm", "5"));
    EXPECT_EQ(ReadBytes(), QString("[sys]\nlang=2\ncomm=5\n[com]\ncomid=串口\n").toUtf8());
}

TEST_F(Profile, WriteKeepsOtherLinesAndTheKeySpelling) {
    WriteBytes("; settings\r\n[SYS]\r\nLang=1\r\n\r\n[can]\r\nbuadrate=20\r\n");
    ASSERT_TRUE(WriteProfileString(Path(), "sys", "LANG", "2"));
    ASSERT_TRUE(WriteProfileString(Path(), "sys", "can", "1"));
    EXPECT_EQ(ReadBytes(),
              "; settings\r\n[SYS]\r\nLang=2\r\ncan=1\r\n\r\n[can]\r\nbuadrate=20\r\n");
}

TEST_F(Profile, WritingAUtf16FileStoresUtf8WithEverythingKept) {
    WriteBytes("\xFF\xFE" + Utf16Le("[a]\r\nx=名\r\n"));
    ASSERT_TRUE(WriteProfileString(Path(), "a", "y", "1"));
    EXPECT_EQ(ReadBytes(), QString("[a]\r\nx=名\r\ny=1\r\n").toUtf8());
}

TEST_F(Profile, WriteRefusesBrokenNamesAndFlattensLineBreaks) {
    EXPECT_FALSE(WriteProfileString(Path(), "s]x", "k", "v"));
    EXPECT_FALSE(WriteProfileString(Path(), "s", "k=j", "v"));
    EXPECT_FALSE(WriteProfileString(Path(), "s", "", "v"));
    EXPECT_FALSE(QFile::exists(Path()));
    ASSERT_TRUE(WriteProfileString(Path(), "s", "k", "a\nb"));
    EXPECT_EQ(Get("s", "k"), "a b");
}

TEST_F(Profile, WriteIntoMissingFolderFailsAndLeavesNoTemporaryFiles) {
    EXPECT_FALSE(WriteProfileString(dir.path() + "/none/a.ini", "s", "k", "v"));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteProfileString(Path(), "s", "k", QString::number(i)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.ini"});
}

TEST_F(Profile, ExternalChangesAreSeenAtOnce) {
    // Same size, same inode, same coarse timestamp: the cache must not serve the old text.
    for (int i = 0; i < 20; ++i) {
        WriteBytes("[sys]\nlang=" + QByteArray::number(i % 10) + "\n");
        ASSERT_EQ(Get("sys", "lang"), QString::number(i % 10));
    }
}

TEST_F(Profile, DeleteKeyAndSection) {
    WriteBytes("[a]\nx=1\ny=2\n[b]\nz=3\n[c]\nw=4\n");
    ASSERT_TRUE(DeleteProfileKey(Path(), "A", "x"));
    ASSERT_TRUE(DeleteProfileSection(Path(), "b"));
    EXPECT_EQ(ReadBytes(), "[a]\ny=2\n[c]\nw=4\n");
    EXPECT_TRUE(DeleteProfileKey(Path(), "a", "missing"));
}

TEST_F(Profile, SectionsAndNamesInFileOrder) {
    WriteBytes("k0=ignored\n[b]\nz=3\ny=2\n[a]\nx=1\n");
    EXPECT_EQ(GetProfileSectionNames(Path()), (QStringList{"b", "a"}));
    auto entries = GetProfileSection(Path(), "B");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], std::make_pair(QString("z"), QString("3")));
    EXPECT_EQ(entries[1], std::make_pair(QString("y"), QString("2")));
    EXPECT_TRUE(GetProfileSection(Path(), "none").empty());
}

TEST_F(Profile, ConcurrentReadersAndWritersLoseNothing) {
    std::atomic<bool> bad{false};
    std::vector<std::thread> threads;
    for (int w = 0; w < 2; ++w)
        threads.emplace_back([&, w] {
            for (int i = 0; i < 50; ++i)
                if (!WriteProfileString(Path(), "w" + QString::number(w), QString::number(i), "v"))
                    bad = true;
        });
    threads.emplace_back([&] {
        for (int i = 0; i < 200; ++i) {
            QString v = GetProfileString(Path(), "w0", "0", "v");
            if (v != "v")
                bad = true;
        }
    });
    for (auto& t : threads) t.join();
    EXPECT_FALSE(bad);
    EXPECT_EQ(GetProfileSection(Path(), "w0").size(), 50u);
    EXPECT_EQ(GetProfileSection(Path(), "w1").size(), 50u);
}

TEST(ProfileFuzzCorpus, EverySeedReadsAndKeepsItsValuesOverAWrite) {
    EXPECT_GE(ReplayFuzzCorpus("platform/fuzz_corpus/profile", FuzzProfile), 6);
}

// A UTF-16 file without its mark and with one stray byte reads as UTF-8 holding NUL characters.
// Written back, those NULs once made the next read take the file for UTF-16: every other key
// was lost.
TEST(ProfileDocument, AWriteKeepsTheOtherKeysOfAFileWithNulCharacters) {
    using platform::profile::Document;
    QFile seed(VELTO_SOURCE_DIR "/tests/platform/fuzz_corpus/profile/utf16_stray_byte");
    ASSERT_TRUE(seed.open(QIODevice::ReadOnly));
    const Document doc = Document::FromBytes(seed.readAll());
    const QStringList names = doc.SectionNames();
    ASSERT_FALSE(names.isEmpty());
    std::vector<std::pair<QString, platform::profile::Entry>> entries;  // with their section
    for (const QString& name : names)
        for (const platform::profile::Section* s : doc.FindSections(name))
            for (const platform::profile::Entry& e : s->entries) entries.emplace_back(name, e);
    ASSERT_GE(entries.size(), 3u);

    Document edited = doc;
    ASSERT_TRUE(edited.Set(entries[0].first, entries[0].second.key, "7"));
    const Document reread = Document::FromBytes(edited.ToBytes());
    const platform::profile::Entry* written = reread.Find(entries[0].first, entries[0].second.key);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->value, "7");
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const platform::profile::Entry* e = reread.Find(entries[i].first, entries[i].second.key);
        ASSERT_NE(e, nullptr) << i;
        EXPECT_EQ(e->value, entries[i].second.value) << i;
    }
}

// UTF-16 with an unpaired surrogate: it has no UTF-8 form, so it reads as U+FFFD and the other
// values come back unchanged after a write (they once differed from what had been read).
TEST(ProfileDocument, AnUnpairedSurrogateReadsAsTheReplacementCharacter) {
    using platform::profile::Document;
    QByteArray bytes = QByteArray("\xFF\xFE") + Utf16Le("[s]\r\na=x");
    bytes += QByteArray("\x00\xD8", 2);
    bytes += Utf16Le("y\r\nb=2\r\n");
    const Document doc = Document::FromBytes(bytes);
    ASSERT_NE(doc.Find("s", "a"), nullptr);
    const QString read = doc.Find("s", "a")->value;
    EXPECT_EQ(read, QString("x") + QChar(QChar::ReplacementCharacter) + "y");
    Document edited = doc;
    ASSERT_TRUE(edited.Set("s", "b", "3"));
    const Document reread = Document::FromBytes(edited.ToBytes());
    ASSERT_NE(reread.Find("s", "a"), nullptr);
    EXPECT_EQ(reread.Find("s", "a")->value, read);
    EXPECT_EQ(reread.Find("s", "b")->value, "3");
}
