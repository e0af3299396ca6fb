#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/basefolder.h"

using namespace platform;

namespace {

// A fake installation under <tmp>/usr, a user's data home and a folder to start from.
class BaseFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        Write("usr/share/veltoservo/data/velto.dat", "dictionary");
        Write("usr/share/veltoservo/data/EN.qm", "catalog");
        Write("usr/share/veltoservo/defaults/sys/sys.ini", "[sys]\nlang=2\n");
        // Installed files the user cannot write; the copies must be writable.
        QFile::setPermissions(Path("usr/share/veltoservo/defaults/sys/sys.ini"),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        Write("usr/share/veltoservo/defaults/sys/PositionLoop.ini", "[PositionLoop]\nnum=0\n");
        Write("usr/lib/veltoservo/data/COM.so", "module");
        QDir().mkpath(Path("usr/bin"));
        QDir().mkpath(Path("elsewhere"));
    }

    QString Path(const QString& relative) const { return tmp_.path() + "/" + relative; }
    void Write(const QString& relative, const QByteArray& content) const {
        QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
        QFile f(Path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray Read(const QString& relative) const {
        QFile f(Path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString LinkTarget(const QString& relative) const {
        QFileInfo info(Path(relative));
        return info.isSymLink() ? info.symLinkTarget() : QString();
    }
    BaseFolderChoice Start() const {
        return ChooseBaseFolder(Path("elsewhere"), Path("usr/bin"), Path("home/veltoservo"));
    }

    QTemporaryDir tmp_;
};

TEST_F(BaseFolder, AStartFromABaseFolderStaysThere) {
    Write("elsewhere/data/velto.dat", "own dictionary");
    BaseFolderChoice choice = Start();
    EXPECT_EQ(choice.folder, Path("elsewhere"));
    EXPECT_FALSE(choice.perUser);
    EXPECT_FALSE(QFileInfo::exists(Path("home/veltoservo")));
}

TEST_F(BaseFolder, ANotInstalledProgramKeepsTheCurrentDirectory) {
    // The build tree: nothing installed beside the executable's folder.
    BaseFolderChoice choice =
        ChooseBaseFolder(Path("elsewhere"), Path("build/runtime"), Path("home/veltoservo"));
    EXPECT_EQ(choice.folder, Path("elsewhere"));
    EXPECT_FALSE(choice.perUser);
    EXPECT_FALSE(FindInstalledTree(QString()).IsValid());
}

TEST_F(BaseFolder, FirstStartSeedsTheUserFolderWithLinksAndCopies) {
    BaseFolderChoice choice = Start();
    ASSERT_TRUE(choice.error.isEmpty()) << choice.error.toStdString();
    EXPECT_TRUE(choice.perUser);
    EXPECT_EQ(choice.folder, Path("home/veltoservo"));
    EXPECT_TRUE(IsBaseFolder(choice.folder));
    // Read-only data and modules are links to the installed files ...
    EXPECT_EQ(LinkTarget("home/veltoservo/data/velto.dat"),
              Path("usr/share/veltoservo/data/velto.dat"));
    EXPECT_EQ(LinkTarget("home/veltoservo/data/COM.so"), Path("usr/lib/veltoservo/data/COM.so"));
    // ... the editable files are the user's own copies, and the defaults tree is not linked.
    EXPECT_TRUE(LinkTarget("home/veltoservo/sys/sys.ini").isEmpty());
    EXPECT_EQ(Read("home/veltoservo/sys/sys.ini"), "[sys]\nlang=2\n");
    EXPECT_TRUE(QFileInfo(Path("home/veltoservo/sys/sys.ini")).permissions() & QFile::WriteOwner);
    EXPECT_FALSE(QFileInfo::exists(Path("home/veltoservo/defaults")));
    EXPECT_TRUE(QFileInfo(Path("home/veltoservo/user")).isDir());
}

TEST_F(BaseFolder, LaterStartsKeepTheUsersFilesAndFollowTheInstallation) {
    ASSERT_TRUE(Start().error.isEmpty());
    Write("home/veltoservo/sys/sys.ini", "[sys]\nlang=1\n");  // the user's choice
    QFile::remove(Path("home/veltoservo/data/EN.qm"));
    Write("home/veltoservo/data/EN.qm", "the user's own catalog");
    QFile::remove(Path("home/veltoservo/sys/PositionLoop.ini"));
    // An older installation elsewhere, and a module a newer version adds.
    QFile::remove(Path("home/veltoservo/data/velto.dat"));
    QFile::link(Path("old/velto.dat"), Path("home/veltoservo/data/velto.dat"));
    Write("usr/lib/veltoservo/nzsim.so", "new module");

    ASSERT_TRUE(Start().error.isEmpty());
    EXPECT_EQ(Read("home/veltoservo/sys/sys.ini"), "[sys]\nlang=1\n");
    EXPECT_EQ(Read("home/veltoservo/data/EN.qm"), "the user's own catalog");
    EXPECT_EQ(Read("home/veltoservo/sys/PositionLoop.ini"), "[PositionLoop]\nnum=0\n");
    EXPECT_EQ(LinkTarget("home/veltoservo/data/velto.dat"),
              Path("usr/share/veltoservo/data/velto.dat"));
    EXPECT_EQ(LinkTarget("home/veltoservo/nzsim.so"), Path("usr/lib/veltoservo/nzsim.so"));
}

TEST_F(BaseFolder, AFolderThatCannotBeMadeIsReportedWithItsPath) {
    Write("home", "a file where the folder should be");
    BaseFolderChoice choice = Start();
    EXPECT_TRUE(choice.perUser);
    EXPECT_TRUE(choice.error.contains(Path("home/veltoservo"))) << choice.error.toStdString();
}

TEST(UserBaseFolder, FollowsXdgDataHomeWhenAbsolute) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(UserBaseFolder(), "/srv/data/veltoservo");
    qputenv("XDG_DATA_HOME", "relative/data");  // not a valid value: the default applies
    EXPECT_EQ(UserBaseFolder(), QDir::homePath() + "/.local/share/veltoservo");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserBaseFolder(), QDir::homePath() + "/.local/share/veltoservo");
    if (!saved.isNull())
        qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
