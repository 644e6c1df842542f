// The plug-in bitmap: the order of the readers, what plug-ins are given,
// progress, and how their blocks become the picture.

#include "imaging/spi_bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "imaging/graphic_errors.h"
#include "imaging/in_spi_able.h"
#include "imaging/test_support.h"
#include "platform/local_memory.h"

namespace murva {
namespace {

using test::BmpFile;
using test::FakeColour;
using test::LogOf;
using test::MvtsPicture;
using test::Pixels;
using test::RegistryGuard;
using test::TestPlugin;

using Bytes = std::vector<std::uint8_t>;

std::span<const std::uint8_t> Span(const Bytes& bytes) {
  return std::span<const std::uint8_t>(bytes);
}

std::vector<QRgb> FakePixels(int width, int height) {
  std::vector<QRgb> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(FakeColour(x, y));
  }
  return pixels;
}

QImage SmallPicture() {
  QImage image(3, 2, QImage::Format_RGB888);
  image.fill(qRgb(10, 20, 30));
  image.setPixel(1, 1, qRgb(200, 100, 50));
  return image;
}

class SPIBitmapLoad : public ::testing::Test {
 protected:
  TSPI& AddPlugin(const std::string& name) {
    spis_.Add(CreateSPI(TestPlugin(name)));
    TSPI& spi = spis_.Items(spis_.Count() - 1);
    LogOf(spi) = FakeCallLog{};
    return spi;
  }

  void ExpectUnrecognized(const std::function<void()>& load) {
    try {
      load();
      ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& error) {
      EXPECT_STREQ(error.what(), "認識できない画像形式です");
    }
  }

  RegistryGuard registry_;
  std::size_t live_handles_ = LiveLocalHandleCount();
  TSPIs spis_;
  TSPIBitmap bitmap_;

  void TearDown() override { EXPECT_EQ(LiveLocalHandleCount(), live_handles_); }
};

TEST_F(SPIBitmapLoad, APluginExtensionIsReadByThePlugins) {
  TSPI& basic = AddPlugin("basic");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(5, 4)), "/pictures/p.mvt");
  EXPECT_EQ(Pixels(bitmap_.Image()), FakePixels(5, 4));
  EXPECT_EQ(LogOf(basic).is_supported_calls, 1);
  EXPECT_STREQ(LogOf(basic).last_file_name, "/pictures/p.mvt");
  EXPECT_EQ(LogOf(basic).last_picture_flag, 1u);
}

TEST_F(SPIBitmapLoad, ABmpNameIsReadByThePlainReaderWithoutAskingPlugins) {
  TSPI& basic = AddPlugin("basic");
  Bytes file = BmpFile(SmallPicture());
  bitmap_.LoadFromStreamWithName(Span(file), "photo.BMP");
  EXPECT_EQ(Pixels(bitmap_.Image()), Pixels(SmallPicture()));
  EXPECT_EQ(LogOf(basic).is_supported_calls, 0);
}

TEST_F(SPIBitmapLoad, OtherExtensionsTryThePluginsBeforeThePlainReader) {
  TSPI& basic = AddPlugin("basic");
  QImage picture = SmallPicture().scaled(10, 10);
  Bytes file = BmpFile(picture);
  ASSERT_GT(file.size(), 128u);
  bitmap_.LoadFromStreamWithName(Span(file), "photo.mvt");
  EXPECT_EQ(Pixels(bitmap_.Image()), Pixels(picture));
  // Asked on the data and once more past the first 128 bytes.
  EXPECT_EQ(LogOf(basic).is_supported_calls, 2);
}

TEST_F(SPIBitmapLoad, AStreamWithoutANameTriesThePlainReaderThenEveryPlugin) {
  TSPI& decline = AddPlugin("decline");
  TSPI& basic = AddPlugin("basic");
  Bytes file = BmpFile(SmallPicture());
  bitmap_.LoadFromStream(Span(file));
  EXPECT_EQ(LogOf(basic).is_supported_calls, 0);

  bitmap_.LoadFromStream(Span(MvtsPicture(2, 3)));
  EXPECT_EQ(Pixels(bitmap_.Image()), FakePixels(2, 3));
  EXPECT_EQ(LogOf(decline).is_supported_calls, 1);  // short data: no second try
  EXPECT_EQ(LogOf(basic).is_supported_calls, 1);
  EXPECT_STREQ(LogOf(basic).last_file_name, "");
}

TEST_F(SPIBitmapLoad, NothingReadsItGivesTheUnrecognizedFormatError) {
  AddPlugin("decline");
  bitmap_.LoadFromStream(Span(BmpFile(SmallPicture())));
  ExpectUnrecognized([&] { bitmap_.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "a.mvt"); });
  ExpectUnrecognized([&] { bitmap_.LoadFromStream(Span(Bytes{1, 2, 3})); });
  // The picture held before stays.
  EXPECT_EQ(Pixels(bitmap_.Image()), Pixels(SmallPicture()));
}

TEST(SPIBitmapWithoutManager, OnlyThePlainReaderIsLeft) {
  ASSERT_EQ(SPIsInstance(), nullptr);
  TSPIBitmap bitmap;
  try {
    bitmap.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "a.mvt");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "認識できない画像形式です");
  }
  bitmap.LoadFromStreamWithName(Span(BmpFile(SmallPicture())), "a.mvt");
  EXPECT_EQ(Pixels(bitmap.Image()), Pixels(SmallPicture()));
}

TEST_F(SPIBitmapLoad, ShortDataIsHandedOverInAZeroFilled2048ByteBlock) {
  TSPI& basic = AddPlugin("basic");
  Bytes data = MvtsPicture(2, 2);
  data.push_back(0xAB);
  bitmap_.LoadFromStreamWithName(Span(data), "short.mvt");
  const FakeCallLog& log = LogOf(basic);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), log.last_support_block));
  EXPECT_TRUE(std::all_of(log.last_support_block + data.size(), log.last_support_block + 2048,
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(log.last_info_length, 9);
  EXPECT_EQ(log.last_picture_length, 9);
}

TEST_F(SPIBitmapLoad, LongDataIsHandedOverAsItIs) {
  TSPI& basic = AddPlugin("basic");
  Bytes data = MvtsPicture(2, 2);
  data.resize(5000, 0x5A);
  bitmap_.LoadFromStreamWithName(Span(data), "long.mvt");
  EXPECT_EQ(LogOf(basic).last_picture_length, 5000);
  EXPECT_EQ(LogOf(basic).last_support_block[2047], 0x5A);
}

TEST_F(SPIBitmapLoad, DataAfterA128ByteHeaderIsReadOnTheSecondTry) {
  TSPI& basic = AddPlugin("basic");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(3, 2, 128)), "x.mvt");
  EXPECT_EQ(Pixels(bitmap_.Image()), FakePixels(3, 2));
  EXPECT_EQ(LogOf(basic).is_supported_calls, 2);
  EXPECT_EQ(LogOf(basic).last_picture_length, 8);
  EXPECT_EQ(LogOf(basic).last_picture_bytes[0], 'M');
}

TEST_F(SPIBitmapLoad, ExactlyA128ByteFileGetsNoSecondTry) {
  TSPI& basic = AddPlugin("basic");
  Bytes data(128, 0);
  ExpectUnrecognized([&] { bitmap_.LoadFromStreamWithName(Span(data), "x.mvt"); });
  EXPECT_EQ(LogOf(basic).is_supported_calls, 1);
}

TEST_F(SPIBitmapLoad, SkipHeaderOffMakesNoSecondTry) {
  TSPI& basic = AddPlugin("basic");
  bitmap_.SetSkipHeader(false);
  ExpectUnrecognized(
      [&] { bitmap_.LoadFromStreamWithName(Span(MvtsPicture(3, 2, 128)), "x.mvt"); });
  EXPECT_EQ(LogOf(basic).is_supported_calls, 1);
}

TEST_F(SPIBitmapLoad, AChosenPluginIsTheOnlyOneTried) {
  TSPI& basic = AddPlugin("basic");
  std::unique_ptr<TSPI> own = CreateSPI(TestPlugin("top_down"));
  LogOf(*own) = FakeCallLog{};
  bitmap_.SetSPI(dynamic_cast<TInSPI*>(own.get()));
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "x.mvt");
  EXPECT_EQ(LogOf(*own).get_picture_calls, 1);
  EXPECT_EQ(LogOf(basic).is_supported_calls, 0);
  bitmap_.SetSPI(nullptr);
}

TEST_F(SPIBitmapLoad, ClaimantsAreTriedFirst) {
  TSPI& basic = AddPlugin("basic");
  TSPI& other = AddPlugin("other_filter");
  TSPI& three = AddPlugin("three_patterns");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "x.bbb");
  EXPECT_EQ(LogOf(three).get_picture_calls, 0);  // ".bbb" is not its last pattern
  EXPECT_EQ(LogOf(basic).get_picture_calls, 1);
  EXPECT_EQ(LogOf(other).get_picture_calls, 0);
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "x.CCC");
  EXPECT_EQ(LogOf(three).get_picture_calls, 1);
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "x.mvt");
  EXPECT_EQ(LogOf(other).get_picture_calls, 1);  // the newest claimant first
  EXPECT_EQ(LogOf(basic).get_picture_calls, 1);
}

TEST_F(SPIBitmapLoad, AFourBitPictureWithoutClrUsedGetsASixteenColourPalette) {
  AddPlugin("four_bit");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(7, 5)), "x.mvt");
  const QImage& image = bitmap_.Image();
  ASSERT_EQ(image.format(), QImage::Format_Indexed8);
  ASSERT_EQ(image.colorCount(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(image.color(i), test::FourBitColour(i)) << i;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(image.pixelIndex(x, y), FakeFourBitIndex(x, y)) << x << "," << y;
    }
  }
}

TEST_F(SPIBitmapLoad, AnEightBitPictureKeepsItsPalette) {
  AddPlugin("eight_bit");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(6, 3)), "x.mvt");
  const QImage& image = bitmap_.Image();
  ASSERT_EQ(image.format(), QImage::Format_Indexed8);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(image.pixel(x, y), test::EightBitColour(FakeEightBitIndex(x, y)));
    }
  }
}

TEST_F(SPIBitmapLoad, ATopDownPictureKeepsItsRowOrder) {
  AddPlugin("top_down");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(4, 6)), "x.mvt");
  EXPECT_EQ(Pixels(bitmap_.Image()), FakePixels(4, 6));
}

TEST_F(SPIBitmapLoad, ShortBlocksFailTheTrialWithoutBeingReadPastTheirEnd) {
  AddPlugin("short_info");
  ExpectUnrecognized([&] { bitmap_.LoadFromStreamWithName(Span(MvtsPicture(4, 4)), "x.mvt"); });
  spis_.Clear();
  AddPlugin("short_pixels");
  ExpectUnrecognized([&] { bitmap_.LoadFromStreamWithName(Span(MvtsPicture(4, 4)), "x.mvt"); });
  // A later plug-in still gets its turn (nothing claims ".xyz", so the
  // list order holds).
  TSPI& basic = AddPlugin("basic");
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(4, 4)), "x.xyz");
  EXPECT_EQ(LogOf(basic).get_picture_calls, 1);
}

TEST_F(SPIBitmapLoad, HandlesThatAreNotLiveFailTheTrial) {
  AddPlugin("bad_handle");
  ExpectUnrecognized([&] { bitmap_.LoadFromStreamWithName(Span(MvtsPicture(4, 4)), "x.mvt"); });
}

TEST_F(SPIBitmapLoad, AHeaderThePlainReaderRefusesEndsTheLoad) {
  TSPI& basic = AddPlugin("basic");
  AddPlugin("bad_header");  // newest claimant: tried first
  try {
    bitmap_.LoadFromStreamWithName(Span(MvtsPicture(4, 4)), "x.mvt");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), kInvalidBitmapMessage);
  }
  EXPECT_EQ(LogOf(basic).is_supported_calls, 0);
}

TEST_F(SPIBitmapLoad, BlocksAreUnlockedAndFreedInTheFixedOrder) {
  AddPlugin("basic");
  std::vector<std::pair<LocalMemoryOperation, MurvaLocalHandle>> seen;
  SetLocalMemoryObserver([&](LocalMemoryOperation operation, MurvaLocalHandle handle) {
    seen.emplace_back(operation, handle);
  });
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "x.mvt");
  SetLocalMemoryObserver(nullptr);
  // The plug-in allocates the information block, then the pixel block.
  ASSERT_GE(seen.size(), 6u);
  MurvaLocalHandle info = seen[0].second;
  MurvaLocalHandle pixels = seen[1].second;
  std::vector<std::pair<LocalMemoryOperation, MurvaLocalHandle>> last(seen.end() - 6, seen.end());
  std::vector<std::pair<LocalMemoryOperation, MurvaLocalHandle>> expected = {
      {LocalMemoryOperation::kLock, pixels}, {LocalMemoryOperation::kLock, info},
      {LocalMemoryOperation::kUnlock, info}, {LocalMemoryOperation::kUnlock, pixels},
      {LocalMemoryOperation::kFree, info},   {LocalMemoryOperation::kFree, pixels}};
  EXPECT_EQ(last, expected);
}

TEST_F(SPIBitmapLoad, LoadFromFileNamesTheFileAndForgetsTheNameAfterwards) {
  TSPI& basic = AddPlugin("basic");
  test::TempDir dir;
  test::WriteFile(dir / "p.mvt", MvtsPicture(3, 3));
  bitmap_.LoadFromFile((dir / "p.mvt").string());
  EXPECT_EQ(Pixels(bitmap_.Image()), FakePixels(3, 3));
  EXPECT_EQ(std::string(LogOf(basic).last_file_name), (dir / "p.mvt").string());

  test::WriteFile(dir / "bad.mvt", Bytes{9, 9, 9});
  ExpectUnrecognized([&] { bitmap_.LoadFromFile((dir / "bad.mvt").string()); });
  bitmap_.LoadFromStream(Span(MvtsPicture(2, 2)));
  EXPECT_STREQ(LogOf(basic).last_file_name, "");

  EXPECT_THROW(bitmap_.LoadFromFile((dir / "absent.mvt").string()), EFOpenError);
  EXPECT_EQ(LogOf(basic).is_supported_calls, 3);  // nothing tried for the missing file
}

TEST_F(SPIBitmapLoad, LoadFromStreamWithNameIsReachableThroughItsEvent) {
  AddPlugin("basic");
  TSPILoadFromStreamWithNameEvent load = bitmap_.OnLoadFromStreamWithName();
  load(Span(MvtsPicture(2, 1)), "e.mvt");
  EXPECT_EQ(Pixels(bitmap_.Image()), FakePixels(2, 1));
}

TEST_F(SPIBitmapLoad, AssignTakesThePluginSettingsOfAnotherPluginBitmap) {
  AddPlugin("basic");
  TSPIBitmap source;
  std::unique_ptr<TSPI> own = CreateSPI(TestPlugin("top_down"));
  source.SetSPI(dynamic_cast<TInSPI*>(own.get()));
  source.SetSkipHeader(false);
  source.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "x.mvt");
  bitmap_.Assign(source);
  EXPECT_EQ(bitmap_.SPI(), own.get());
  EXPECT_FALSE(bitmap_.SkipHeader());
  EXPECT_EQ(Pixels(bitmap_.Image()), Pixels(source.Image()));
  TBitmap plain;
  plain.LoadFromStream(Span(BmpFile(SmallPicture())));
  bitmap_.Assign(plain);
  EXPECT_EQ(bitmap_.SPI(), own.get());  // a plain bitmap carries no settings
  EXPECT_EQ(Pixels(bitmap_.Image()), Pixels(SmallPicture()));
  bitmap_.SetSPI(nullptr);
}

struct ProgressNotice {
  TProgressStage stage;
  int percent;
  bool redraw;
  QRect rect;
};

TEST_F(SPIBitmapLoad, ReportsStartRunningAndEndOfEachTrial) {
  AddPlugin("progress");
  bitmap_.LoadFromStream(Span(BmpFile(SmallPicture())));  // 3 x 2 before the load
  std::vector<ProgressNotice> notices;
  bitmap_.SetOnProgress([&](TGraphic& sender, TProgressStage stage, int percent, bool redraw,
                            const QRect& rect, const std::string& message) {
    EXPECT_EQ(&sender, &bitmap_);
    EXPECT_EQ(message, "");
    notices.push_back({stage, percent, redraw, rect});
  });
  bitmap_.LoadFromStreamWithName(Span(MvtsPicture(5, 4)), "x.mvt");
  ASSERT_EQ(notices.size(), 6u);
  EXPECT_EQ(notices[0].stage, TProgressStage::psStarting);
  EXPECT_EQ(notices[0].percent, 0);
  EXPECT_FALSE(notices[0].redraw);
  EXPECT_EQ(notices[0].rect, QRect(0, 0, 3, 2));
  int expected_percents[] = {1, 26, 50, 75};  // y x 98 / 4 rounded, plus 1
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(notices[1 + i].stage, TProgressStage::psRunning);
    EXPECT_EQ(notices[1 + i].percent, expected_percents[i]) << i;
    EXPECT_FALSE(notices[1 + i].redraw);
  }
  EXPECT_EQ(notices[5].stage, TProgressStage::psEnding);
  EXPECT_EQ(notices[5].percent, 100);
  EXPECT_TRUE(notices[5].redraw);
  EXPECT_EQ(notices[5].rect, QRect(0, 0, 5, 4));
}

TEST_F(SPIBitmapLoad, ASilentAbortStopsThePluginAndFailsItsTrial) {
  TSPI& progress = AddPlugin("progress");
  int endings = 0;
  bitmap_.SetOnProgress(
      [&](TGraphic&, TProgressStage stage, int percent, bool, const QRect&, const std::string&) {
        if (stage == TProgressStage::psEnding) ++endings;
        if (stage == TProgressStage::psRunning && percent > 30) throw EAbort();
      });
  ExpectUnrecognized([&] { bitmap_.LoadFromStreamWithName(Span(MvtsPicture(5, 8)), "x.mvt"); });
  EXPECT_EQ(LogOf(progress).progress_stopped, 1);
  EXPECT_EQ(LogOf(progress).progress_calls, 4);  // rows 0-3; row 3 is 37 + 1 percent
  EXPECT_EQ(endings, 1);
}

TEST_F(SPIBitmapLoad, AnotherErrorOfAListenerStopsThePluginAndEndsTheLoad) {
  TSPI& progress = AddPlugin("progress");
  TSPI& basic = AddPlugin("basic");
  int endings = 0;
  bitmap_.SetOnProgress(
      [&](TGraphic&, TProgressStage stage, int, bool, const QRect&, const std::string&) {
        if (stage == TProgressStage::psEnding) ++endings;
        if (stage == TProgressStage::psRunning) throw std::logic_error("listener failed");
      });
  // Nothing claims ".xyz": the plug-ins are tried in list order.
  EXPECT_THROW(bitmap_.LoadFromStreamWithName(Span(MvtsPicture(5, 8)), "x.xyz"), std::logic_error);
  EXPECT_EQ(LogOf(progress).progress_stopped, 1);
  EXPECT_EQ(LogOf(basic).is_supported_calls, 0);
  EXPECT_EQ(endings, 1);
}

TEST(InSPIAbleProgress, PercentIsNinetyEightHundredthsRoundedPlusOne) {
  EXPECT_EQ(TInSPIAble::ProgressPercent(0, 10), 1);
  EXPECT_EQ(TInSPIAble::ProgressPercent(10, 10), 99);
  EXPECT_EQ(TInSPIAble::ProgressPercent(5, 10), 50);
  EXPECT_EQ(TInSPIAble::ProgressPercent(1, 3), 34);  // 32.67 -> 33
  EXPECT_EQ(TInSPIAble::ProgressPercent(1, 4), 26);  // 24.5 -> 25
  EXPECT_EQ(TInSPIAble::ProgressPercent(1, 7), 15);  // 14
  EXPECT_EQ(TInSPIAble::ProgressPercent(7, 0), 0);
  EXPECT_EQ(TInSPIAble::ProgressPercent(-1, 4), -24);
  EXPECT_EQ(TInSPIAble::ProgressPercent(1, -4), -24);
  EXPECT_EQ(TInSPIAble::ProgressPercent(2147483647, 1), 2147483647);  // clamped
  // 64-bit arithmetic: no overflow for large counts.
  EXPECT_EQ(TInSPIAble::ProgressPercent(2000000000, 2000000000), 99);
}

TEST(InSPIAbleProgress, AZeroUserValueIsAnsweredAtOnce) {
  EXPECT_EQ(TInSPIAble::ProgressCallback(1, 2, 0), 0);
}

TEST(InSPIAbleRecord, KeepsWhatGetPictureInfoToldAndFreesTheInfoText) {
  RegistryGuard registry;
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("info_text")));
  TBitmap bitmap;
  TInSPIAble loader(bitmap);
  TPictureRecord seen;
  std::size_t live = LiveLocalHandleCount();
  loader.SetPictureSink([&](std::span<const std::uint8_t> info,
                            std::span<const std::uint8_t> pixels, const TPictureRecord& record) {
    seen = record;
    EXPECT_EQ(info.size(), 40u);
    EXPECT_EQ(pixels.size(), 20u * 3u);  // rows of 18 bytes padded to 20
    return true;
  });
  loader.SetFileName("r.mvt");
  loader.Load(Span(MvtsPicture(6, 3)));
  EXPECT_TRUE(seen.valid);
  EXPECT_EQ(seen.left, 1);
  EXPECT_EQ(seen.top, 2);
  EXPECT_EQ(seen.width, 6);
  EXPECT_EQ(seen.height, 3);
  EXPECT_EQ(seen.x_density, 72);
  EXPECT_EQ(seen.y_density, 96);
  EXPECT_EQ(seen.color_depth, 24);
  EXPECT_EQ(seen.info, "hello from the plug-in");
  EXPECT_EQ(LiveLocalHandleCount(), live);
}

TEST(InSPIAbleRecord, TheSinksAnswerIsTheResultWhateverTheRecord) {
  RegistryGuard registry;
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("basic")));
  TBitmap bitmap;
  TInSPIAble loader(bitmap);
  loader.SetPictureSink([](auto, auto, const TPictureRecord&) { return false; });
  loader.SetFileName("r.mvt");
  EXPECT_THROW(loader.Load(Span(MvtsPicture(2, 2))), EInvalidGraphic);
  EXPECT_EQ(loader.Ext(), ".mvt");
  EXPECT_EQ(loader.NativeExt(), "BMP");
  loader.ClearFileName();
  EXPECT_EQ(loader.Ext(), "");
  EXPECT_EQ(loader.FileName(), "");
}

}  // namespace
}  // namespace murva
