// The picture loader the wallpaper build calls.

#include "imaging/picture_loader.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>

#include "imaging/graphic_errors.h"
#include "imaging/picture_writers.h"
#include "imaging/spi_bitmap.h"
#include "imaging/test_support.h"
#include "support/hostile_files.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using test::BmpFile;
using test::Pixels;
using test::RegistryGuard;
using test::TempDir;

// Releases the program's manager at the end of a test.
class ProgramFormats {
 public:
  explicit ProgramFormats(const fs::path& folder) { InitializePictureFormats(folder); }
  ~ProgramFormats() { ShutdownPictureFormats(); }
};

QImage Gradient(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 9, y * 7, 99));
  }
  return image;
}

class PictureLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    // Keep the user's own Susie folder and plug-in verdicts out of the test.
    for (const char* name : {"MURVA32_SPI_DIR", "XDG_CACHE_HOME"}) {
      if (const char* old = getenv(name)) saved_[name] = old;
    }
    setenv("MURVA32_SPI_DIR", (dir_ / "no-susie").c_str(), 1);
    setenv("XDG_CACHE_HOME", (dir_ / "cache").c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"MURVA32_SPI_DIR", "XDG_CACHE_HOME"}) {
      if (saved_.contains(name)) {
        setenv(name, saved_[name].c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }

  RegistryGuard registry_;
  TempDir dir_;
  std::map<std::string, std::string> saved_;
};

TEST_F(PictureLoader, FindsTheShippedPluginsInTheApplicationFolderOnce) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  ASSERT_NE(SPIsInstance(), nullptr);
  TSPIs* first = SPIsInstance();
  int count = first->Count();
  EXPECT_GE(count, 4);
  // The shipped plug-ins run in the program's own process.
  for (int i = 0; i < count; ++i) EXPECT_FALSE(first->Items(i).IsHosted()) << first->Items(i).FileName();
  InitializePictureFormats(MURVA_SHIPPED_PLUGIN_DIR);  // a second call does nothing
  EXPECT_EQ(SPIsInstance(), first);
  EXPECT_EQ(first->Count(), count);
  EXPECT_EQ(PictureFormatRegistry().Find("png")->graphic_class, &TSPIBitmap::Class());
}

TEST_F(PictureLoader, ReadsPngJpegAndBmpBackgrounds) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  test::PngRecipe recipe;
  recipe.width = 6;
  recipe.height = 5;
  recipe.sample = [](int x, int y, int c) { return static_cast<std::uint16_t>(x * 40 + y + c); };
  test::WriteFile(dir_ / "page.PNG", test::WritePng(recipe));
  QImage png = LoadPicture(dir_ / "page.PNG");
  EXPECT_EQ(png.size(), QSize(6, 5));
  EXPECT_EQ(png.pixel(5, 4), qRgb(204, 205, 206));

  test::Bytes jpeg = test::WriteJpeg(16, 8, test::JpegKind::kColour);
  test::WriteFile(dir_ / "page.jpeg", jpeg);
  EXPECT_EQ(Pixels(LoadPicture(dir_ / "page.jpeg")), test::DecodeJpegDirectly(jpeg));

  test::WriteFile(dir_ / "page.bmp", BmpFile(Gradient(7, 3)));
  EXPECT_EQ(Pixels(LoadPicture(dir_ / "page.bmp")), Pixels(Gradient(7, 3)));
}

TEST_F(PictureLoader, AContentMismatchUnderAPluginExtensionStillReads) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  // A JPEG named .png: the PNG plug-in claims it, declines, the others try.
  test::Bytes jpeg = test::WriteJpeg(16, 8, test::JpegKind::kColour);
  test::WriteFile(dir_ / "really-a-jpeg.png", jpeg);
  EXPECT_EQ(Pixels(LoadPicture(dir_ / "really-a-jpeg.png")), test::DecodeJpegDirectly(jpeg));
  // A BMP named .gif: the plain reader comes after the plug-ins.
  test::WriteFile(dir_ / "really-a-bmp.gif", BmpFile(Gradient(2, 2)));
  EXPECT_EQ(Pixels(LoadPicture(dir_ / "really-a-bmp.gif")), Pixels(Gradient(2, 2)));
}

TEST_F(PictureLoader, AnExtensionNothingReadsNamesTheExtension) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  test::WriteFile(dir_ / "notes.txt", {'h', 'i'});
  try {
    LoadPicture(dir_ / "notes.txt");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "拡張子 .txt の画像形式は処理できません");
  }
  test::WriteFile(dir_ / "noextension", {'h', 'i'});
  EXPECT_THROW(LoadPicture(dir_ / "noextension"), EUnknownPictureExtension);
}

TEST_F(PictureLoader, ADamagedPictureGivesTheUnrecognizedFormatError) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  test::Bytes jpeg = test::WriteJpeg(32, 32, test::JpegKind::kColour);
  jpeg.resize(jpeg.size() / 2);
  test::WriteFile(dir_ / "cut.jpg", jpeg);
  try {
    LoadPicture(dir_ / "cut.jpg");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "認識できない画像形式です");
  }
  EXPECT_THROW(LoadPicture(dir_ / "absent.jpg"), EFOpenError);
}

TEST_F(PictureLoader, WithoutPluginsOnlyBmpIsKnown) {
  ASSERT_EQ(SPIsInstance(), nullptr);
  test::WriteFile(dir_ / "a.png", {0x89, 'P', 'N', 'G'});
  EXPECT_THROW(LoadPicture(dir_ / "a.png"), EUnknownPictureExtension);
  test::WriteFile(dir_ / "a.bmp", BmpFile(Gradient(3, 3)));
  EXPECT_EQ(Pixels(LoadPicture(dir_ / "a.bmp")), Pixels(Gradient(3, 3)));
}

TEST_F(PictureLoader, AFolderWithoutPluginsLeavesTheRegistryAsItWas) {
  std::size_t before = PictureFormatRegistry().Formats().size();
  ProgramFormats formats(dir_.Path());
  EXPECT_EQ(SPIsInstance()->Count(), 0);
  EXPECT_EQ(PictureFormatRegistry().Formats().size(), before);
}

TEST_F(PictureLoader, BmpOnlyReadsBmpAndNothingElse) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  test::WriteFile(dir_ / "a.bmp", BmpFile(Gradient(4, 4)));
  EXPECT_EQ(Pixels(LoadBmpOnly(dir_ / "a.bmp")), Pixels(Gradient(4, 4)));

  test::PngRecipe recipe;
  recipe.sample = [](int, int, int) { return std::uint16_t{7}; };
  test::WriteFile(dir_ / "a.png", test::WritePng(recipe));
  try {
    LoadBmpOnly(dir_ / "a.png");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), kInvalidBitmapMessage);
  }
  test::Bytes bmp = BmpFile(Gradient(20, 20));
  bmp.resize(bmp.size() - 10);
  test::WriteFile(dir_ / "cut.bmp", bmp);
  EXPECT_THROW(LoadBmpOnly(dir_ / "cut.bmp"), EInvalidGraphic);
  EXPECT_THROW(LoadBmpOnly(dir_ / "absent.bmp"), EFOpenError);
}

TEST_F(PictureLoader, WhatIsNoPictureFileIsRefusedAtOnceUnderAnyName) {
  ProgramFormats formats(MURVA_SHIPPED_PLUGIN_DIR);
  for (testing::HostileKind kind : testing::AllHostileKinds()) {
    for (const char* name : {"back.bmp", "back.png"}) {
      const fs::path path = dir_ / (testing::HostileName(kind) + "-" + name);
      testing::MakeHostile(kind, path, kPictureFileReadLimit);
      // The plain reader and the plug-ins' input both come through here.
      try {
        LoadPicture(path);
        ADD_FAILURE() << path << " was read";
      } catch (const EFOpenError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("ファイル \"" + path.string() + "\" を開けません。", 0), 0u) << message;
        EXPECT_NE(message.find(testing::HostileReason(kind)), std::string::npos) << message;
      }
      EXPECT_THROW(LoadBmpOnly(path), EFOpenError);
      EXPECT_TRUE(testing::StillHostile(kind, path, kPictureFileReadLimit));
    }
  }
}

TEST_F(PictureLoader, APluginClaimingBmpReadsBmpThroughThePluginBitmap) {
  fs::create_directory(dir_ / "plugins");
  test::CopyFile(test::TestPlugin("claims_bmp"), dir_ / "plugins" / "claims_bmp.spi");
  ProgramFormats formats(dir_ / "plugins");
  EXPECT_EQ(PictureFormatRegistry().Find("bmp")->graphic_class, &TSPIBitmap::Class());
  // Not one of the shipped plug-ins: it runs in the plug-in host, and its
  // verdict is kept in the cache folder.
  ASSERT_EQ(SPIsInstance()->Count(), 1);
  EXPECT_TRUE(SPIsInstance()->Items(0).IsHosted());
  EXPECT_NE(test::ReadText(dir_ / "cache" / "murva32" / "plugin-verdicts").find("claims_bmp.spi"),
            std::string::npos);
  EXPECT_TRUE(TakePluginNotices().empty());
  // A real BMP: the plain reader first.
  test::WriteFile(dir_ / "real.bmp", BmpFile(Gradient(3, 2)));
  EXPECT_EQ(Pixels(LoadPicture(dir_ / "real.bmp")), Pixels(Gradient(3, 2)));
  // Something only the plug-in reads.
  test::WriteFile(dir_ / "fake.bmp", test::MvtsPicture(2, 2));
  EXPECT_EQ(LoadPicture(dir_ / "fake.bmp").pixel(1, 1), test::FakeColour(1, 1));
}

}  // namespace
}  // namespace murva
