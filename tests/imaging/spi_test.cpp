// Loading one plug-in: its kind, the entry points it must have, and what it
// says about itself.

#include "imaging/spi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "imaging/spi_errors.h"
#include "imaging/test_support.h"

namespace murva {
namespace {

using test::LogOf;
using test::TempDir;
using test::TestPlugin;

TEST(SPIConstruction, ReadsVersionNameAndFilterPairs) {
  std::unique_ptr<TSPI> spi = TInSPI::Create(TestPlugin("three_patterns"));
  EXPECT_EQ(spi->APIVersion(), "00IN");
  EXPECT_EQ(spi->PluginName(), "fake plug-in three_patterns");
  EXPECT_EQ(spi->Extensions(), std::vector<std::string>{"*.aaa;*.bbb;*.ccc"});
  EXPECT_EQ(spi->Descriptions(), std::vector<std::string>{"Three patterns"});
}

TEST(SPIConstruction, FileNameIsTheModuleNameTheLoaderReports) {
  std::unique_ptr<TSPI> spi = TSPI::Create(TestPlugin("basic"));
  EXPECT_EQ(spi->FileName(), std::filesystem::path(TestPlugin("basic")).lexically_normal());
  EXPECT_TRUE(spi->Handle().IsOpen());
}

TEST(SPIConstruction, AFilterWithoutDescriptionEndsTheList) {
  std::unique_ptr<TSPI> spi = TInSPI::Create(TestPlugin("half_filter"));
  EXPECT_TRUE(spi->Extensions().empty());
  EXPECT_TRUE(spi->Descriptions().empty());
}

TEST(SPIConstruction, LooksUpAllNineEntryPoints) {
  std::unique_ptr<TSPI> image = TSPI::Create(TestPlugin("basic"));
  EXPECT_TRUE(image->HasGetPluginInfo());
  EXPECT_TRUE(image->HasIsSupported());
  EXPECT_TRUE(image->HasGetPictureInfo());
  EXPECT_TRUE(image->HasGetPicture());
  EXPECT_FALSE(image->HasGetPreview());
  EXPECT_FALSE(image->HasConfigurationDlg());
  EXPECT_FALSE(image->HasGetArchiveInfo());

  std::unique_ptr<TSPI> archive = TSPI::Create(TestPlugin("archive"));
  EXPECT_TRUE(archive->HasGetArchiveInfo());
  EXPECT_TRUE(archive->HasGetFileInfo());
  EXPECT_TRUE(archive->HasGetFile());
  EXPECT_FALSE(archive->HasGetPicture());
}

TEST(SPIConstruction, AFileThatCannotBeLoadedRaisesWithTheGivenPath) {
  TempDir dir;
  test::WriteFile(dir / "text.spi", {'n', 'o', 't', ' ', 'E', 'L', 'F'});
  std::string path = (dir / "text.spi").string();
  try {
    TSPI::Create(path);
    FAIL() << "no error";
  } catch (const ESPIFOpenErrorSPI& error) {
    EXPECT_EQ(std::string(error.what()), path + ":Susie Pluginがロードできませんでした");
  }
  EXPECT_THROW(TSPI::Create(TestPlugin("missing_symbol")), ESPIFOpenErrorSPI);
}

TEST(SPIConstruction, EachKindChecksItsRequiredEntryPointsInOrder) {
  std::string no_info = TestPlugin("no_plugin_info");
  try {
    TSPI::Create(no_info);
    FAIL() << "no error";
  } catch (const ESPIInvalidAPI& error) {
    EXPECT_EQ(std::string(error.what()),
              "GetPluginInfoは[" + std::filesystem::path(no_info).lexically_normal().string() +
                  "]では使えないSusie Plugin APIです");
  }

  std::string no_picture = TestPlugin("no_get_picture");
  EXPECT_NO_THROW(TLoaderSPI::Create(no_picture));
  try {
    TInSPI::Create(no_picture);
    FAIL() << "no error";
  } catch (const ESPIInvalidAPI& error) {
    EXPECT_EQ(std::string(error.what()).substr(0, std::strlen("GetPictureは[")), "GetPictureは[");
  }

  // The extended kind needs nothing but GetPluginInfo; an image plug-in
  // needs IsSupported first of all.
  EXPECT_NO_THROW(TXnSPI::Create(TestPlugin("extended")));
  try {
    TInSPI::Create(TestPlugin("extended"));
    FAIL() << "no error";
  } catch (const ESPIInvalidAPI& error) {
    EXPECT_EQ(std::string(error.what()).substr(0, std::strlen("IsSupportedは[")), "IsSupportedは[");
  }

  EXPECT_NO_THROW(TAmSPI::Create(TestPlugin("archive")));
  try {
    TAmSPI::Create(TestPlugin("archive_no_get_file"));
    FAIL() << "no error";
  } catch (const ESPIInvalidAPI& error) {
    EXPECT_EQ(std::string(error.what()).substr(0, std::strlen("GetFileは[")), "GetFileは[");
  }
}

TEST(SPIConstruction, CallingAMissingEntryPointRaisesNamingIt) {
  std::unique_ptr<TSPI> spi = TSPI::Create(TestPlugin("extended"));
  PictureInfo info{};
  try {
    spi->GetPictureInfo("", 0, 1, &info);
    FAIL() << "no error";
  } catch (const ESPIInvalidAPI& error) {
    EXPECT_EQ(std::string(error.what()),
              "GetPictureInfoは[" + spi->FileName() + "]では使えないSusie Plugin APIです");
  }
  EXPECT_THROW(spi->IsSupported("", "x"), ESPIInvalidAPI);
}

TEST(SPIConstruction, CallsPassArgumentsAndResultsThrough) {
  std::unique_ptr<TSPI> spi = TInSPI::Create(TestPlugin("basic"));
  LogOf(*spi) = FakeCallLog{};
  std::vector<std::uint8_t> block = test::MvtsPicture(3, 2);
  block.resize(2048);
  EXPECT_NE(spi->IsSupported("name.mvt", block.data()), 0);
  EXPECT_STREQ(LogOf(*spi).last_file_name, "name.mvt");
  PictureInfo info{};
  EXPECT_EQ(spi->GetPictureInfo(reinterpret_cast<const char*>(block.data()), 8, 1, &info), 0);
  EXPECT_EQ(+info.width, 3);
  EXPECT_EQ(+info.height, 2);
  EXPECT_EQ(spi->GetPictureInfo("nothing", 7, 1, &info), kSpiUnknownFormat);
  char text[256] = {};
  EXPECT_EQ(spi->GetPluginInfo(0, text, 255), 4);
  EXPECT_STREQ(text, "00IN");
}

TEST(SPIKinds, CreateSPIChoosesTheClassByTheAPIVersion) {
  std::unique_ptr<TSPI> image = CreateSPI(TestPlugin("basic"));
  ASSERT_NE(image, nullptr);
  EXPECT_STREQ(image->ClassType().class_name, "TInSPI");
  EXPECT_NE(dynamic_cast<TInSPI*>(image.get()), nullptr);

  std::unique_ptr<TSPI> archive = CreateSPI(TestPlugin("archive"));
  ASSERT_NE(archive, nullptr);
  EXPECT_NE(dynamic_cast<TAmSPI*>(archive.get()), nullptr);

  std::unique_ptr<TSPI> extended = CreateSPI(TestPlugin("extended"));
  ASSERT_NE(extended, nullptr);
  EXPECT_NE(dynamic_cast<TXnSPI*>(extended.get()), nullptr);

  std::unique_ptr<TSPI> unknown = CreateSPI(TestPlugin("unknown_version"));
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(typeid(*unknown), typeid(TSPI));
  EXPECT_EQ(unknown->APIVersion(), "99ZZ");
}

TEST(SPIKinds, CreateSPIGivesNothingForUnusableFiles) {
  TempDir dir;
  test::WriteFile(dir / "junk.spi", {1, 2, 3});
  EXPECT_EQ(CreateSPI((dir / "junk.spi").string()), nullptr);
  EXPECT_EQ(CreateSPI((dir / "absent.spi").string()), nullptr);
  EXPECT_EQ(CreateSPI(TestPlugin("no_plugin_info")), nullptr);
  EXPECT_EQ(CreateSPI(TestPlugin("no_get_picture")), nullptr);
  EXPECT_EQ(CreateSPI(TestPlugin("archive_no_get_file")), nullptr);
  EXPECT_EQ(CreateSPI(TestPlugin("missing_symbol")), nullptr);
}

TEST(SPIKinds, TheKeptObjectHoldsTheModuleAfterTheProbeIsGone) {
  std::unique_ptr<TSPI> spi = CreateSPI(TestPlugin("basic"));
  ASSERT_NE(spi, nullptr);
  // The probe released its reference; this object's calls still work.
  char text[256] = {};
  EXPECT_GT(spi->GetPluginInfo(1, text, 255), 0);
  EXPECT_STREQ(text, "fake plug-in basic");
}

TEST(SPIKinds, ClassTestsCountSubclasses) {
  std::unique_ptr<TSPI> image = CreateSPI(TestPlugin("basic"));
  EXPECT_TRUE(TSPI::Class().is_instance(*image));
  EXPECT_TRUE(TLoaderSPI::Class().is_instance(*image));
  EXPECT_TRUE(TInSPI::Class().is_instance(*image));
  EXPECT_FALSE(TAmSPI::Class().is_instance(*image));
  EXPECT_FALSE(TXnSPI::Class().is_instance(*image));
  EXPECT_EQ(&SPIClassForVersion("00IN"), &TInSPI::Class());
  EXPECT_EQ(&SPIClassForVersion("00in"), &TSPI::Class());   // compared with case
  EXPECT_EQ(&SPIClassForVersion("00IN "), &TSPI::Class());  // compared as a whole
  EXPECT_EQ(&SPIClassForVersion(""), &TSPI::Class());
}

}  // namespace
}  // namespace murva
