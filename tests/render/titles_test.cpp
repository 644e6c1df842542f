#include "render/titles.h"

#include <gtest/gtest.h>

#include "render/recording_canvas.h"
#include "render/render_test_support.h"

namespace murva {
namespace {

using test::kShadowColor;
using test::kTitleColor;

class Titles : public ::testing::Test {
 protected:
  Titles() {
    copy_ = test::LayoutCopy();
    copy_.titles_on = true;
    copy_.title_x = 40;
    copy_.title_y = 300;
    copy_.title_gaps = {30, 45, 60};
    for (TitleLine& line : copy_.titles) line.text.clear();
  }

  void Draw() { DrawTitles(canvas_, copy_, today_, clock_); }

  WorkingCopy copy_;
  RecordingCanvas canvas_;
  TodayFields today_ = TodayFields::Of(2026, 12, 6);
  FixedClock clock_{LocalDateTime{2026, 12, 6, 10, 0, 0}};
};

TEST_F(Titles, LinesStackDownByTheirGaps) {
  copy_.titles[0].text = "one";
  copy_.titles[1].text = "two";
  copy_.titles[2].text = "three";
  copy_.titles[3].text = "four";
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 4u);
  EXPECT_EQ(canvas_.Drawn()[0].y, 300);
  EXPECT_EQ(canvas_.Drawn()[1].y, 330);
  EXPECT_EQ(canvas_.Drawn()[2].y, 375);
  EXPECT_EQ(canvas_.Drawn()[3].y, 435);
  for (const DrawnText& drawn : canvas_.Drawn()) EXPECT_EQ(drawn.x, 40);
}

TEST_F(Titles, EmptyLineAddsNoGap) {
  copy_.titles[0].text = "one";
  copy_.titles[2].text = "x";
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 2u);
  EXPECT_EQ(canvas_.Drawn()[1].text, "x");
  EXPECT_EQ(canvas_.Drawn()[1].y, 300 + 45);
}

TEST_F(Titles, SecondLineSetsTheOffsetEvenAfterAnEmptyFirstLine) {
  copy_.titles[1].text = "two";
  copy_.titles[3].text = "four";
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 2u);
  EXPECT_EQ(canvas_.Drawn()[0].y, 330);
  EXPECT_EQ(canvas_.Drawn()[1].y, 390);
}

TEST_F(Titles, EachLineHasItsOwnFontAndAllShareThePageColour) {
  copy_.titles[0] = TitleLine{{"ＭＳ 明朝", 0, 3}, "36", "big"};
  copy_.titles[1] = TitleLine{{"IPAPGothic", 0, 4}, "12", "small"};
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 2u);
  const DrawnText& big = canvas_.Drawn()[0];
  EXPECT_EQ(big.font.name, "ＭＳ 明朝");
  EXPECT_EQ(big.font.size, 36);
  EXPECT_EQ(big.font.style, 3);
  EXPECT_EQ(big.font.color, kTitleColor);
  EXPECT_TRUE(big.brush_clear);
  const DrawnText& small = canvas_.Drawn()[1];
  EXPECT_EQ(small.font.name, "IPAPGothic");
  EXPECT_EQ(small.font.size, 12);
  EXPECT_EQ(small.font.style, 4);
  EXPECT_EQ(small.font.color, kTitleColor);
}

TEST_F(Titles, NoShadowWhateverThe3DSetting) {
  copy_.text_3d = true;
  copy_.titles[0].text = "title";
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 1u);
  EXPECT_NE(canvas_.Drawn()[0].font.color, kShadowColor);
}

TEST_F(Titles, MacrosAreExpandedBeforeDrawing) {
  copy_.titles[0].text = "$yyyy/$mm/$dd($ww)";
  copy_.titles[1].text = "$YYYY年$MM月$DD日 $WW";
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 2u);
  EXPECT_EQ(canvas_.Drawn()[0].text, "2026/12/06(Sunday)");
  EXPECT_EQ(canvas_.Drawn()[1].text, "２０２６年１２月６日 日曜日");
}

TEST_F(Titles, LineWithUnreadableSizeIsLeftOutAndTheNextIsDrawn) {
  copy_.titles[0].text = "one";
  copy_.titles[1] = TitleLine{{"ＭＳ Ｐゴシック", 20, 0}, "big", "two"};
  copy_.titles[2].text = "three";
  copy_.titles[3] = TitleLine{{"ＭＳ Ｐゴシック", 20, 0}, "", "four"};
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 2u);
  EXPECT_EQ(canvas_.Drawn()[0].text, "one");
  EXPECT_EQ(canvas_.Drawn()[1].text, "three");
  // The failed line two contributes no gap.
  EXPECT_EQ(canvas_.Drawn()[1].y, 300 + 45);
}

TEST_F(Titles, SizeCaptionWithBlanksIsRead) {
  copy_.titles[0] = TitleLine{{"ＭＳ Ｐゴシック", 20, 0}, " 28 ", "one"};
  Draw();
  ASSERT_EQ(canvas_.Drawn().size(), 1u);
  EXPECT_EQ(canvas_.Drawn()[0].font.size, 28);
}

TEST_F(Titles, AllEmptyDrawsNothing) {
  Draw();
  EXPECT_TRUE(canvas_.Drawn().empty());
}

}  // namespace
}  // namespace murva
