// Project files: the store rules, and a working set of pages saved and reopened.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <map>

#include "app/projectfile.h"
#include "page_fixture.h"
#include "pages/combolistctrl.h"
#include "pages/pagetable.h"
#include "pages/parampage.h"
#include "pages/projectrows.h"
#include "platform/profile.h"
#include "support/msgbox_capture.h"

using namespace keys;

namespace {

const ParamPageConfig* ByNumber(int number) {
    for (const ParamPageConfig& row : ParamPageTable())
        if (row.pageNumber == number)
            return &row;
    return nullptr;
}

// The main frame's part: page frames in a page area, opened by number.
class TestHost : public CProjectHost {
public:
    explicit TestHost(CGlobal& g) : g_(g) {
        area.resize(1200, 800);
        area.show();
    }
    ~TestHost() override {
        for (auto& [number, frame] : frames) delete frame;
    }
    CParamPage* OpenPage(int number, int x, int y) {
        auto* page = new CParamPage(g_, *ByNumber(number));
        QMdiSubWindow* frame = area.addSubWindow(page);
        frame->resize(400, 200);
        frame->move(x, y);
        page->OnInitialUpdate();
        frame->show();
        frames[number] = frame;
        return page;
    }
    CParamPage* PageOf(int number) {
        auto it = frames.find(number);
        return it == frames.end() ? nullptr : static_cast<CParamPage*>(it->second->widget());
    }
    void ClosePage(int number) {
        platform::SendMessage(PageOf(number)->Handle(), platform::WM_PAGE_NOTIFY, 1, 0);
        frames[number]->hide();
    }

    bool ChooseSaveFile(const QString&, QString& chosen) override {
        chosen = savePath;
        return true;
    }
    int ChooseOpenFile(const QString&, QString& chosen) override {
        chosen = openPath;
        return openResult;
    }
    void NotifyAllPages(int code) override {
        for (auto& [number, frame] : frames)
            platform::SendMessage(PageOf(number)->Handle(), platform::WM_PAGE_NOTIFY, code, 0);
    }
    void CloseAllPages() override {
        for (auto& [number, frame] : frames)
            if (frame->isVisible())
                ClosePage(number);
    }
    void OpenPageAt(int number, int x, int y) override {
        opened.push_back(number);
        if (CParamPage* page = PageOf(number)) {
            frames[number]->move(x, y);  // WM_PLACE_PAGE
            frames[number]->show();
            platform::SendMessage(page->Handle(), platform::WM_PAGE_NOTIFY, 0, 0);
            return;
        }
        OpenPage(number, x, y);
    }
    int CaptionHeight() const override { return PageCaptionHeight(); }

    QMdiArea area;
    std::map<int, QMdiSubWindow*> frames;
    std::vector<int> opened;
    QString savePath;
    QString openPath;
    int openResult = 1;

private:
    CGlobal& g_;
};

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override { ProjectOpenStamp().clear(); }
    void TearDown() override { ProjectOpenStamp().clear(); }
    PageFixture f;
    MsgBoxCapture boxes;
};

TEST(ProjectPath, NameIsCutAtItsFirstDot) {
    EXPECT_EQ(ProjectSavePathFor("/home/u/plant.old.txt"), "/home/u/plant.zpj");
    EXPECT_EQ(ProjectSavePathFor("/home/u/plant"), "/home/u/plant.zpj");
    EXPECT_EQ(ProjectSavePathFor("/home/my.projects/plant.zpj"), "/home/my.projects/plant.zpj");
}

TEST(ProjectRowText, ValueWithCommasKeepsKeyAndUnit) {
    ProjectRow row;
    ASSERT_TRUE(ParseProjectRow("2162689,a,b,rpm", row));
    EXPECT_EQ(row.key, "2162689");
    EXPECT_EQ(row.value, "a,b");
    EXPECT_EQ(row.unit, "rpm");
    EXPECT_FALSE(ParseProjectRow("", row));
}

TEST_F(ProjectTest, PlacementRules) {
    QString path = f.base().File("user/p.zpj");
    f.g().dictionary.projectOpenPath = path;
    platform::WriteProfileString(path, "VeltoSero:1", "3", "1,106,159");
    platform::WriteProfileString(path, "VeltoSero:1", "4", "0,106,159");
    int x = 0;
    int y = 0;
    ASSERT_EQ(ReadPagePlacement(f.g(), 3, x, y, 20), 1);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 80);
    EXPECT_EQ(ReadPagePlacement(f.g(), 4, x, y, 20), 0);  // closed when saved
    EXPECT_EQ(ReadPagePlacement(f.g(), 5, x, y, 20), 0);  // never stored
}

TEST_F(ProjectTest, UnknownKeysInAPageListAreSkipped) {
    QString path = f.base().File("user/p.zpj");
    f.g().dictionary.projectOpenPath = path;
    platform::WriteProfileString(path, "VeltoSero:3", "num", "2");
    platform::WriteProfileString(path, "VeltoSero:3", "0", QString::number(kGain) + ",17,DEC");
    platform::WriteProfileString(path, "VeltoSero:3", "1", "12345,1,DEC");
    CComboListCtrl grid;
    grid.SetOwner(0);
    for (int c = 0; c < 7; ++c) grid.InsertColumn(c, "", 50);
    LoadPageList(f.g(), grid, 3, 0);
    ASSERT_EQ(grid.GetItemCount(), 1);
    EXPECT_EQ(grid.GetItemText(0, 0), "1");
    EXPECT_EQ(grid.GetItemText(0, 2), "Gain");
    EXPECT_EQ(grid.GetItemText(0, 4), "17");
    EXPECT_EQ(grid.GetItemText(0, 6), "DEC");
}

TEST_F(ProjectTest, SavedWorkingSetReopensExactlyThosePagesAtTheirPositions) {
    f.WriteList("PositionLoop", {kSpeed, kGain});
    f.WriteList("VelocityLoop", {kLimit});
    f.WriteList("MotorConfig", {kGain});
    f.WriteList("CurrentLoop", {kGain});
    QString project = f.base().File("user/plant.zpj");
    {
        TestHost host(f.g());
        host.OpenPage(3, 10, 20)->Grid().SetItemText(0, 6, "0.1rpm");
        host.OpenPage(4, 200, 40);
        host.OpenPage(46, 60, 300);
        host.OpenPage(5, 500, 500);
        host.ClosePage(5);
        host.savePath = f.base().File("user/plant.old.txt");
        ASSERT_EQ(SaveProject(f.g(), host), 1);
    }
    ASSERT_TRUE(QFile::exists(project));
    TestHost host(f.g());
    host.openPath = project;
    ASSERT_EQ(OpenProject(f.g(), host), 1);
    EXPECT_EQ(host.opened, (std::vector<int>{3, 4, 46}));
    EXPECT_EQ(host.frames.at(3)->pos(), QPoint(10, 20));
    EXPECT_EQ(host.frames.at(4)->pos(), QPoint(200, 40));
    EXPECT_EQ(host.frames.at(46)->pos(), QPoint(60, 300));
    CComboListCtrl& rows = host.PageOf(3)->Grid();
    ASSERT_EQ(rows.GetItemCount(), 2);
    EXPECT_EQ(rows.GetItemText(0, 6), "0.1rpm");  // rows come back with their units
    EXPECT_EQ(rows.GetItemText(1, 2), "Gain");
}

TEST_F(ProjectTest, OpenDialogFailureIsReported) {
    TestHost host(f.g());
    host.openResult = -1;
    EXPECT_EQ(OpenProject(f.g(), host), 0);
    EXPECT_TRUE(boxes.Contains("Failure! Exit!"));
    EXPECT_TRUE(ProjectOpenStamp().isEmpty());
}

TEST_F(ProjectTest, MissingProjectFileReopensNothing) {
    TestHost host(f.g());
    host.openPath = f.base().File("user/none.zpj");
    EXPECT_EQ(OpenProject(f.g(), host), 1);
    EXPECT_TRUE(host.opened.empty());
}

}  // namespace
