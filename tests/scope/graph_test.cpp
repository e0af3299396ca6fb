// The curve graph's geometry: positions of the points in view, values at a pixel, zoom, and
// the clipping of a curve that leaves the drawable band.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "scope/mygraph.h"

namespace {

// A plot 1,000 pixels wide: area right = 1000 + margins (9 + 10) + 1.
CMyGraph GraphWith(int points, double (*value)(int)) {
    CMyGraph g;
    g.SetArea({0, 18, 1020, 368});
    for (int i = 1; i <= points; ++i) g.AddPoint(1, value(i));
    g.Zoom(-1);
    g.AutoScale();
    return g;
}

TEST(CurveGraph, PointsInViewAreSpreadOverThePlot) {
    CMyGraph g = GraphWith(500, [](int i) { return double(i); });
    ASSERT_EQ(g.PlotWidth(), 1000);
    EXPECT_EQ(g.PointTotal(), 500);
    const auto& p = g.Points(1);
    EXPECT_EQ(p[0].x, 1);               // the first point in view
    EXPECT_EQ(p[1].x, int(2 * 1.992));  // 996 / 500 pixels apart
    EXPECT_EQ(p[499].x, int(500 * 1.992));
    // Range 1..500 over 6 divisions: step 83.2 -> 100 per division, centred.
    EXPECT_DOUBLE_EQ(g.GetScale(1), 100);
    EXPECT_DOUBLE_EQ(g.GetOffset(1), -250.5);
}

TEST(CurveGraph, ValueAtInterpolatesBetweenNeighbours) {
    CMyGraph g = GraphWith(4, [](int i) { return i * 10.0; });  // x = 1, 498, 747, 996
    double value = 0, ordinal = 0;
    ASSERT_TRUE(g.valueAt(1, 747, value, ordinal));
    EXPECT_DOUBLE_EQ(value, 30);
    EXPECT_DOUBLE_EQ(ordinal, 3);
    ASSERT_TRUE(g.valueAt(1, 622.5, value, ordinal));
    EXPECT_DOUBLE_EQ(value, 25);
    EXPECT_DOUBLE_EQ(ordinal, 2.5);
    EXPECT_FALSE(g.valueAt(1, 997, value, ordinal));
    EXPECT_FALSE(g.valueAt(2, 10, value, ordinal));  // an empty channel
}

TEST(CurveGraph, ZoomToABoxAndBackToTheWholeRecord) {
    CMyGraph g = GraphWith(100, [](int i) { return double(i % 7); });
    // Pixel 9 + 1 + x of the points: a box over x 200..400 of the plot.
    g.Zoom(1, 9 + 1 + 200, 9 - 1 + 400);
    EXPECT_GT(g.FirstOrdinal(), 15);
    EXPECT_LT(g.LastOrdinal(), 45);
    EXPECT_EQ(g.ViewCount(), g.LastOrdinal() - g.FirstOrdinal() + 1);
    g.AutoScale();
    int visible = 0;
    for (const GraphPoint& p : g.Points(1)) visible += p.x != 0;
    EXPECT_EQ(visible, g.ViewCount());
    g.Zoom(-1);
    EXPECT_EQ(g.FirstOrdinal(), 1);
    EXPECT_EQ(g.LastOrdinal(), 100);
    // A box at the left edge of a zoomed view keeps the view's start, not the record's.
    g.Zoom(1, 9 + 1 + 200, 9 - 1 + 400);
    g.AutoScale();
    const int start = g.FirstOrdinal();
    g.Zoom(1, 0, 9 + 500);
    EXPECT_EQ(g.FirstOrdinal(), start);
}

TEST(CurveGraph, CurveAboveTheBandRunsToTheEdgeAndResumesWhereItReturns) {
    CMyGraph g;
    g.SetArea({0, 18, 1020, 368});
    for (double v : {0.0, 1000.0, 1000.0, 0.0}) g.AddPoint(1, v);  // x = 1, 498, 747, 996
    g.Zoom(-1);
    g.SetAuto(1, false);
    g.AutoScale();
    g.SetScale(1, 1);
    g.SetOffset(1, 0);
    QImage image(1030, 380, QImage::Format_RGB32);
    QPainter painter(&image);
    g.Draw(painter);
    painter.end();
    const QColor pink = CMyGraph::kChannelColours[0];
    auto drawnInColumn = [&](int x) {
        for (int y = g.BandTop(); y <= g.BandBottom(); ++y)
            if (image.pixelColor(x, y) == pink)
                return true;
        return false;
    };
    const int left = g.PlotLeft() + 1;
    EXPECT_TRUE(drawnInColumn(left + 250));                      // rising to the edge
    EXPECT_EQ(image.pixelColor(left + 498, g.BandTop()), pink);  // ends on the top edge
    EXPECT_FALSE(drawnInColumn(left + 620));                     // nothing while outside
    EXPECT_TRUE(drawnInColumn(left + 995));                      // back in
    EXPECT_FALSE(drawnInColumn(left + 900));  // returns close to the last point only
}

}  // namespace
