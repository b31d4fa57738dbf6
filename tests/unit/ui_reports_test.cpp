#include <gtest/gtest.h>

#include <vector>

#include "emulator/engine.hpp"
#include "loaded.hpp"
#include "session/headless.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"
#include "session/mainwindow.hpp"
#include "session/reports.hpp"

namespace comet {
namespace {

TEST(FormResize, FitsTheBoxOnlyWhenBothSidesAreAtLeast500) {
    struct Row { int width, height; int boxWidth, boxHeight; };
    const Row rows[] = {
        {1000, 800, kViewerDesignWidth, kViewerDesignHeight},   // h = 200
        {1000, 1200, 750, 600},
        {750, 1100, 500, 500},                                  // both exactly 500
        {749, 1100, kViewerDesignWidth, kViewerDesignHeight},
        {9000, 6000, 8750, 5400},
    };
    for (const Row& r : rows) {
        Loaded s;
        Command3_Click(s.wb);
        Form_Resize(s.wb, r.width, r.height);
        EXPECT_EQ(s.wb.frmText.boxWidth, r.boxWidth) << r.width << 'x' << r.height;
        EXPECT_EQ(s.wb.frmText.boxHeight, r.boxHeight) << r.width << 'x' << r.height;
    }
}

TEST(Viewer, ClosedViewerComesBackFreshOnTheNextReport) {
    Loaded s;
    Command3_Click(s.wb);
    Form_Resize(s.wb, 1000, 1200);
    Form_Resize(s.wb, 1000, 800);  // too small: the last fitted size stays
    EXPECT_EQ(s.wb.frmText.boxWidth, 750);
    EXPECT_EQ(s.wb.frmText.boxHeight, 600);
    viewerClosed(s.wb);
    EXPECT_FALSE(s.wb.frmText.exists);
    Command5_Click(s.wb);
    EXPECT_TRUE(s.wb.frmText.exists);
    EXPECT_EQ(s.wb.frmText.caption, u"実行履歴");
    EXPECT_EQ(s.wb.frmText.text, u"");
    EXPECT_EQ(s.wb.frmText.boxWidth, kViewerDesignWidth);
    EXPECT_EQ(s.wb.frmText.boxHeight, kViewerDesignHeight);
}

}  // namespace
}  // namespace comet
