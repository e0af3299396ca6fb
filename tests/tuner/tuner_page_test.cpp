// The tuner window against the simulated drive: scans, start checks, Unlock, files and the
// simulation, driven through the real widgets.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "tuner/bodegeometry.h"
#include "tuner/tidparam.h"
#include "tuner_fixture.h"

namespace {

// The frequency at which the measured (red) gain curve is highest between lo and hi Hz,
// read from the drawn plot; grid lines, also red, are left out.
double DrawnPeakHz(CBodePlot& plot, double lo, double hi) {
    QImage image = plot.grab().toImage();
    const QRgb red = qRgb(255, 0, 0);
    int bestX = -1, bestY = bode::kHeight;
    std::vector<int> gridColumns;
    for (int hz : {100, 200, 300, 400, 500}) gridColumns.push_back(bode::X(hz));
    for (int x = bode::X(lo); x <= bode::X(hi); ++x) {
        if (std::find(gridColumns.begin(), gridColumns.end(), x) != gridColumns.end())
            continue;
        for (int y = 1; y < bode::kHeight / 2; ++y) {
            if (y % 50 == 0 || image.pixel(x, y) != red)
                continue;
            if (y < bestY)
                bestY = y, bestX = x;
            break;
        }
    }
    return bestX < 0 ? -1 : std::pow(1000.0, double(bestX - 12) / bode::kWidth);
}

}  // namespace

TEST(TunerPage, ScanOfTheSimulatedDriveShowsItsResonance) {
    TunerFixture t;
    ASSERT_TRUE(t.Open());
    // The one-time chain has put the stored settings into the boxes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g().parameterReadStep == 14; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.Find<QLineEdit>("1059")->text() == "3"; }, 2000));
    EXPECT_EQ(t.Dlg().Data().velocityGain, 400.0f);
    EXPECT_EQ(t.Dlg().Data().maxCurrent, 3000);

    ASSERT_TRUE(t.Scan(100, 400, 10, 100)) << t.Boxes().Texts().join('|').toStdString();
    EXPECT_EQ(t.Boxes().Count(), 1)
        << "only the safety note: " << t.Boxes().Texts().join('|').toStdString();
    const CScanData& d = t.Dlg().Data();
    const CScanResults& r = t.Dlg().Results();
    ASSERT_EQ(d.pointCount, 31);
    EXPECT_EQ(r.dataValid, 1);
    // The resonance of the simulated load (250 Hz) is the highest gain above 150 Hz.
    int peak = 0;
    for (int i = 6; i + 1 < d.pointCount; ++i)
        if (r.gain[i] > r.gain[peak] || peak < 6)
            peak = i;
    EXPECT_LE(std::abs(int(d.Frequency(peak)) - 250), 10) << d.Frequency(peak);
    double drawn = DrawnPeakHz(*t.Dlg().Plot(), 160, 390);
    EXPECT_NEAR(drawn, 250, 10 + 3) << "the drawn curve peaks at the resonance";
    EXPECT_FALSE(t.Find<QLineEdit>("1289")->text().isEmpty());
    t.Shot("tuner_scan");

    // Export, import into the same window and export again: identical files and results.
    QString a = t.Sim().base().File("user/a.txt"), b = t.Sim().base().File("user/b.txt");
    t.Dlg().SetFileChooser([&](bool, const QString&) { return a; });
    t.Click("1232");
    std::array<float, kScanCapacity> gains = r.gain;
    t.Type("1057", "4");  // the import puts the file's settings back
    t.Click("1231");
    EXPECT_EQ(t.Find<QLineEdit>("1057")->text(), "100");
    EXPECT_EQ(r.gain, gains);
    t.Dlg().SetFileChooser([&](bool, const QString&) { return b; });
    t.Click("1232");
    QFile fa(a), fb(b);
    ASSERT_TRUE(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
    EXPECT_EQ(fa.readAll(), fb.readAll());
}

TEST(TunerPage, StartChecksUnlockAndKeyFilter) {
    TunerFixture t;
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g().parameterReadStep == 14; }, 5000));
    auto* start = t.Find<QPushButton>("1233");
    auto* unlock = t.Find<QCheckBox>("1295");
    EXPECT_FALSE(start->isEnabled());
    // Cancelling the safety note leaves everything locked.
    t.Boxes().SetAnswer(platform::IDCANCEL);
    t.Click("1295");
    EXPECT_FALSE(unlock->isChecked());
    EXPECT_FALSE(start->isEnabled());
    ASSERT_EQ(t.Boxes().Count(), 1);
    EXPECT_TRUE(t.Boxes().Texts()[0].startsWith("Note:if start frequency scanning"));
    ASSERT_TRUE(t.Unlock());
    t.Click("1295");  // unticking locks again
    EXPECT_FALSE(start->isEnabled());
    ASSERT_TRUE(t.Unlock());

    t.Type("1057", "3x-");
    EXPECT_EQ(t.Find<QLineEdit>("1057")->text(), "3-") << "letters are discarded";
    t.Type("1057", "3");
    t.Boxes().Clear();
    t.Click("1233");
    EXPECT_EQ(t.Boxes().Texts(), QStringList{"From's value should be greater than 4."});
    t.Type("1057", "4");
    t.Type("1058", "15");
    t.Type("1059", "3");
    t.Click("1233");
    EXPECT_EQ(t.Boxes().Texts().last(), "To's value should be greater than (4*Step+From).");
    t.Type("1058", "16");
    t.Type("1282", "801");
    t.Click("1233");
    EXPECT_EQ(t.Boxes().Texts().last(), "Mag Current value's range is from 32 to 800 .");
    EXPECT_EQ(t.Find<QLineEdit>("1282")->text(), "32");
    EXPECT_EQ(t.g().acquisitionBusy, 0);
    EXPECT_TRUE(start->isEnabled()) << "a refused start keeps the dialog ready";

    t.g().acquisitionBusy = 1;  // the oscilloscope is capturing
    t.Click("1233");
    EXPECT_EQ(t.Boxes().Texts().last(), "In acq");
    t.g().acquisitionBusy = 0;
    t.g().online = 2;
    t.Click("1233");
    EXPECT_EQ(t.Boxes().Texts().last(), "Comm port isn't Open!");
}

TEST(TunerPage, RefusedReadOutEndsTheScanAsFailure) {
    TunerFixture t;
    ASSERT_TRUE(t.Open({"--refuse", "304005"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g().parameterReadStep == 14; }, 5000));
    EXPECT_FALSE(t.Scan(4, 40, 4, 50, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.Boxes().Contains("fail!"); }, 2000));
    EXPECT_EQ(t.g().acquisitionBusy, 0);
    EXPECT_TRUE(t.Status().isEmpty());
    EXPECT_FALSE(t.Dlg().ScanActive());
}

TEST(TunerPage, LostLinkEndsTheScanWithAStatus) {
    TunerFixture t;
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g().parameterReadStep == 14; }, 5000));
    t.Type("1057", "4");
    t.Type("1058", "40");
    t.Type("1059", "4");
    ASSERT_TRUE(t.Unlock());
    t.Click("1233");
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.Dlg().ScanActive(); }, 2000));
    t.g().online = 2;  // the main window closed the link
    ASSERT_TRUE(QTest::qWaitFor([&] { return !t.Dlg().ScanActive(); }, 3000));
    EXPECT_EQ(t.Status(), "Link lost: the scan was stopped.");
    EXPECT_EQ(t.g().acquisitionBusy, 0);
}

TEST(TunerPage, FilterPageAndSimulation) {
    TunerFixture t;
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g().parameterReadStep == 14; }, 5000));
    ASSERT_TRUE(t.Scan(20, 500, 12, 100));
    QTabBar* tabs = t.Find<QTabWidget>("1230")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    auto* type = t.Find<QComboBox>("1273");
    EXPECT_EQ(type->count(), 5);
    t.Click("filter5");
    EXPECT_EQ(type->count(), 6);
    EXPECT_EQ(t.Dlg().ParamPage()->selectedFilter, 4);
    t.Click("filter1");
    EXPECT_EQ(type->count(), 5);
    // Filter 1: a notch at 250 Hz, chosen from the list and ticked.
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Down);
    QTest::keyClick(type, Qt::Key_Down);
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
    ASSERT_EQ(t.Find<QLabel>("1284")->text(), "notch Frq.(Hz)");
    EXPECT_EQ(t.Find<QLineEdit>("1064")->text(), "-10.0") << "the default depth";
    t.Type("1280", "250");
    t.Type("1064", "-20");
    t.Click("active");
    t.Type("1262", "1000");
    t.Click("1240");  // the filter's curve box
    t.Click("1287");
    const CSimulationResults& sim = t.Dlg().Simulation();
    ASSERT_EQ(sim.valid, 1);
    EXPECT_NEAR(20 * std::log10(sim.filterMagnitude[0][250]), -20.0f, 0.01f);
    EXPECT_EQ(sim.filterMagnitude[1][250], 0.0f) << "inactive filters are not computed";
    // Velocity loop: the closed loop follows at low frequency, the notch cuts in at 250 Hz.
    EXPECT_NEAR(sim.velocity.closedMagnitude[0], 1.0f, 0.1f);
    EXPECT_GT(sim.velocity.openMagnitude[0], sim.velocity.openMagnitude[30]);
    // The filter's curve is drawn in its colour.
    QImage image = t.Dlg().Plot()->grab().toImage();
    EXPECT_EQ(image.pixel(bode::X(250), bode::GainY(sim.filterMagnitude[0][250], 40)),
              qRgb(128, 255, 255));
    t.Shot("tuner_simulation");
    t.Click("filter2");
    t.Click("filter1");
    EXPECT_EQ(t.Find<QLineEdit>("1064")->text(), "-20.0") << "the typed depth was kept";
    EXPECT_TRUE(t.Find<QCheckBox>("active")->isChecked());
}

TEST(TunerPage, WithoutTheModuleSimulationIsRefused) {
    TunerFixture t;
    ASSERT_TRUE(t.Open({}, false));
    EXPECT_TRUE(t.Boxes().Contains("get nzsim.dll interface failure"));
    t.Boxes().Clear();
    t.Click("1287");
    EXPECT_EQ(t.Boxes().Texts(), QStringList{"get nzsim.dll interface failure"});
    EXPECT_EQ(t.Dlg().Simulation().valid, 0);
}

TEST(TunerPage, ChainWaitsForTheLinkAndRunsOnce) {
    TunerFixture t;
    ASSERT_TRUE(t.Open({}, true, false));
    EXPECT_EQ(t.g().parameterReadStep, 1) << "nothing read while the link is closed";
    ASSERT_TRUE(t.Sim().Connect());
    t.View().OnMessage(platform::WM_PAGE_NOTIFY, 2, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.g().parameterReadStep == 14; }, 5000));
    t.View().OnMessage(platform::WM_PAGE_NOTIFY, 0, 0);
    EXPECT_EQ(t.g().parameterReadStep, 14);
}
