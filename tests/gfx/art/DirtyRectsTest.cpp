// The changed-rectangle list: what a flush actually puts on the display.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/DataDir.h"
#include "tests/gfx/art/ArtworkTestSupport.h"

namespace {

using Shown = HeadlessDisplay::ShownRect;

bool SameShown(const Shown& a, const Shown& b) {
  return std::tie(a.minx, a.maxx, a.miny, a.maxy, a.newx, a.newy) ==
         std::tie(b.minx, b.maxx, b.miny, b.maxy, b.newx, b.newy);
}

class DirtyFlushTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    SetDataDir("/nonexistent-media");  // the flush needs no pictures
    art_ = std::make_unique<ArtworkSet>();
    art_->Load(screen_, 1);
    display_->ClearShown();
  }
};

TEST_F(DirtyFlushTest, FlushShowsMergedRecordsNewestFirstThenEmptiesTheList) {
  art_->AddDirtyRect({100, 200, 152, 282});
  art_->AddDirtyRect({140, 250, 200, 300});
  art_->AddDirtyRect({600, 10, 649, 59});
  art_->FlushDirtyRects();
  const std::vector<Shown>& shown = display_->Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(SameShown(shown[0], {600, 649, 10, 59, 600, 59}));
  EXPECT_TRUE(SameShown(shown[1], {100, 200, 200, 300, 100, 300}));
  display_->ClearShown();
  art_->FlushDirtyRects();
  EXPECT_TRUE(display_->Shown().empty());
}

TEST_F(DirtyFlushTest, ShowScreenRectShowsOnlyTheVisiblePartWithThePointerHidden) {
  const int callsBefore = display_->ShowMouseCalls();
  art_->ShowScreenRect({760, 580, 850, 640});
  art_->ShowScreenRect({-30, -30, -1, 10});  // wholly off screen: nothing to show
  ASSERT_EQ(display_->Shown().size(), 1u);
  EXPECT_TRUE(SameShown(display_->Shown()[0], {760, 799, 580, 599, 760, 599}));
  EXPECT_EQ(display_->ShowMouseCalls() - callsBefore, 2);  // hidden, then shown again
  EXPECT_TRUE(display_->MouseVisible());
}

}  // namespace
