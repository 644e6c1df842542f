// The plug-in manager: one per process, where it searches, which files it
// loads, its events, its list and the extensions it registers.

#include "imaging/spis.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "imaging/spi_bitmap.h"
#include "imaging/spi_errors.h"
#include "imaging/test_support.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using test::CopyFile;
using test::PlacedSPIs;
using test::RegistryGuard;
using test::TempDir;
using test::TestPlugin;

std::vector<std::string> FileNames(const TSPIs& spis) {
  std::vector<std::string> names;
  for (int i = 0; i < spis.Count(); ++i) {
    names.push_back(fs::path(spis.Items(i).FileName()).filename().string());
  }
  return names;
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

TEST(SPIsInstance, OnlyOneManagerLivesAtATime) {
  EXPECT_EQ(SPIsInstance(), nullptr);
  {
    TSPIs first;
    EXPECT_EQ(SPIsInstance(), &first);
    try {
      TSPIs second;
      FAIL() << "a second manager was made";
    } catch (const ESPIDupCreateSPIs& error) {
      EXPECT_STREQ(error.what(), "TSPIs は複数生成できません");
    }
    EXPECT_EQ(SPIsInstance(), &first);
  }
  EXPECT_EQ(SPIsInstance(), nullptr);
  TSPIs again;
  EXPECT_EQ(SPIsInstance(), &again);
}

TEST(SPIsDefaults, SearchesTheSusieAndApplicationFoldersAutomatically) {
  TSPIs spis;
  EXPECT_EQ(spis.SearchOptions(),
            (TSPISearchOptions{TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir}));
  EXPECT_TRUE(spis.AutoSearch());
  EXPECT_EQ(spis.Count(), 0);
  // The application folder is the folder of the running executable.
  EXPECT_EQ(spis.ApplicationDirectory(), fs::path(ExecutableFileName()).parent_path().string());
}

class SPIsSearch : public ::testing::Test {
 protected:
  // Five folders, one per place, each with its own copy of a plug-in.
  SPIsSearch() {
    const char* names[] = {"susie", "app", "current", "system", "windows"};
    TSPISearchOption options[] = {TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir,
                                  TSPISearchOption::spsCurrentDir, TSPISearchOption::spsSystemDir,
                                  TSPISearchOption::spsWindowsDir};
    for (int i = 0; i < 5; ++i) {
      fs::path folder = dir_ / names[i];
      fs::create_directory(folder);
      CopyFile(TestPlugin("basic"), folder / (std::string(names[i]) + ".spi"));
      spis_.places[options[i]] = folder.string();
    }
    spis_.SetOnSearching([this](TSPIs& sender, const std::string& file_name, bool&) {
      EXPECT_EQ(&sender, &spis_);
      tried_.push_back(fs::path(file_name).filename().string());
    });
  }

  RegistryGuard registry_;
  TempDir dir_;
  PlacedSPIs spis_;
  std::vector<std::string> tried_;
};

TEST_F(SPIsSearch, VisitsTheChosenPlacesInTheirFixedOrder) {
  spis_.SetSearchOptions({TSPISearchOption::spsWindowsDir, TSPISearchOption::spsCurrentDir,
                          TSPISearchOption::spsSusieDir, TSPISearchOption::spsSystemDir,
                          TSPISearchOption::spsAppDir});
  spis_.Search("*.spi");
  std::vector<std::string> expected = {"susie.spi", "app.spi", "current.spi", "system.spi",
                                       "windows.spi"};
  EXPECT_EQ(tried_, expected);
  EXPECT_EQ(FileNames(spis_), expected);
}

TEST_F(SPIsSearch, VisitsOnlyTheChosenPlaces) {
  spis_.SetSearchOptions({TSPISearchOption::spsAppDir, TSPISearchOption::spsSystemDir});
  spis_.Search("*.spi");
  EXPECT_EQ(tried_, (std::vector<std::string>{"app.spi", "system.spi"}));
}

TEST_F(SPIsSearch, APlaceWithoutAFolderIsSkipped) {
  spis_.places[TSPISearchOption::spsSusieDir] = std::nullopt;
  spis_.places[TSPISearchOption::spsAppDir] = "";
  spis_.Search("*.spi");
  EXPECT_TRUE(tried_.empty());
}

TEST_F(SPIsSearch, LoadedSearchesForPluginsOnlyWithAutoSearch) {
  spis_.SetAutoSearch(false);
  spis_.Loaded();
  EXPECT_EQ(spis_.Count(), 0);
  spis_.SetAutoSearch(true);
  spis_.Loaded();
  EXPECT_EQ(FileNames(spis_), (std::vector<std::string>{"susie.spi", "app.spi"}));
}

TEST_F(SPIsSearch, AMaskWithAFolderSearchesOnlyThatFolder) {
  spis_.Search((dir_ / "current" / "*.spi").string());
  EXPECT_EQ(tried_, (std::vector<std::string>{"current.spi"}));
}

TEST_F(SPIsSearch, TheSameFolderReachedTwiceLoadsEachFileOnce) {
  spis_.places[TSPISearchOption::spsSusieDir] = spis_.places[TSPISearchOption::spsAppDir];
  spis_.Search("*.spi");
  spis_.Search("*.spi");  // a later search does not load them again either
  EXPECT_EQ(FileNames(spis_), (std::vector<std::string>{"app.spi"}));
  EXPECT_EQ(tried_, (std::vector<std::string>{"app.spi"}));
}

TEST_F(SPIsSearch, AFolderGivenWithATrailingSlashOrThroughALinkIsTheSameFolder) {
  fs::create_directory_symlink(dir_ / "app", dir_ / "link");
  spis_.places[TSPISearchOption::spsSusieDir] = (dir_ / "link").string() + "/";
  spis_.Search("*.spi");
  EXPECT_EQ(FileNames(spis_), (std::vector<std::string>{"app.spi"}));
}

TEST(SPIsSearchDirectory, LoadsPlainVisibleMatchingFilesInNameOrder) {
  RegistryGuard registry;
  TempDir dir;
  CopyFile(TestPlugin("basic"), dir / "b.spi");
  CopyFile(TestPlugin("basic"), dir / "A.SPI");  // letters of the pattern match either case
  CopyFile(TestPlugin("basic"), dir / "c.spi");
  CopyFile(TestPlugin("basic"), dir / ".hidden.spi");
  CopyFile(TestPlugin("basic"), dir / "other.so");
  fs::create_directory(dir / "folder.spi");
  fs::create_symlink(dir / "c.spi", dir / "d.spi");  // the same file as c.spi
  TSPIs spis;
  spis.SearchDirectory(dir.Path().string(), "*.spi");
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"A.SPI", "b.spi", "c.spi"}));
}

TEST(SPIsSearchDirectory, UnusableFilesAreSkippedAndTheSearchGoesOn) {
  RegistryGuard registry;
  TempDir dir;
  test::WriteFile(dir / "1-junk.spi", {'j', 'u', 'n', 'k'});
  CopyFile(TestPlugin("no_get_picture"), dir / "2-no-get-picture.spi");
  CopyFile(TestPlugin("no_plugin_info"), dir / "3-no-plugin-info.spi");
  CopyFile(TestPlugin("missing_symbol"), dir / "4-missing-symbol.spi");
  CopyFile(TestPlugin("unknown_version"), dir / "5-unknown.spi");
  CopyFile(TestPlugin("basic"), dir / "6-basic.spi");
  TSPIs spis;
  spis.SearchDirectory(dir.Path().string(), "*.spi");
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"5-unknown.spi", "6-basic.spi"}));
  EXPECT_EQ(typeid(spis.Items(0)), typeid(TSPI));
  EXPECT_NE(dynamic_cast<TInSPI*>(&spis.Items(1)), nullptr);
}

TEST(SPIsSearchDirectory, AMissingFolderFindsNothing) {
  TSPIs spis;
  spis.SearchDirectory("/nonexistent/murva/folder/", "*.spi");
  EXPECT_EQ(spis.Count(), 0);
}

TEST(SPIsEvents, OnSearchingCanSkipAFileBeforeItIsLoaded) {
  RegistryGuard registry;
  TempDir dir;
  CopyFile(TestPlugin("basic"), dir / "keep.spi");
  CopyFile(TestPlugin("basic"), dir / "skip.spi");
  TSPIs spis;
  std::vector<std::string> seen;
  spis.SetOnSearching([&](TSPIs&, const std::string& file_name, bool& accept) {
    EXPECT_TRUE(accept);
    seen.push_back(file_name);
    accept = fs::path(file_name).filename() != "skip.spi";
  });
  spis.SearchDirectory(dir.Path().string(), "*.spi");
  EXPECT_EQ(seen,
            (std::vector<std::string>{(dir / "keep.spi").string(), (dir / "skip.spi").string()}));
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"keep.spi"}));
}

TEST(SPIsEvents, OnSearchSeesTheNewPluginAndCanRefuseIt) {
  RegistryGuard registry;
  TempDir dir;
  CopyFile(TestPlugin("basic"), dir / "a.spi");
  CopyFile(TestPlugin("extended"), dir / "b.spi");
  TSPIs spis;
  std::vector<std::string> kinds;
  spis.SetOnSearch([&](TSPIs&, TSPI& spi, bool& accept) {
    EXPECT_TRUE(accept);
    kinds.push_back(spi.ClassType().class_name);
    accept = dynamic_cast<TInSPI*>(&spi) == nullptr;
  });
  spis.SearchDirectory(dir.Path().string(), "*.spi");
  EXPECT_EQ(kinds, (std::vector<std::string>{"TInSPI", "TXnSPI"}));
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"b.spi"}));
  // The refused image plug-in registered nothing.
  EXPECT_FALSE(PictureFormatRegistry().Find("mvt"));
}

TEST(SPIsEvents, AnErrorInOnSearchEndsTheSearchAndKeepsEarlierPlugins) {
  RegistryGuard registry;
  TempDir dir;
  CopyFile(TestPlugin("basic"), dir / "a.spi");
  CopyFile(TestPlugin("basic"), dir / "b.spi");
  CopyFile(TestPlugin("basic"), dir / "c.spi");
  TSPIs spis;
  int calls = 0;
  spis.SetOnSearch([&](TSPIs&, TSPI& spi, bool&) {
    ++calls;
    if (fs::path(spi.FileName()).filename() == "b.spi") throw std::runtime_error("stop here");
  });
  EXPECT_THROW(spis.SearchDirectory(dir.Path().string(), "*.spi"), std::runtime_error);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"a.spi"}));
}

TEST(SPIsList, InsertAddDeleteClearAndIndexOf) {
  RegistryGuard registry;
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("basic")));
  spis.Add(CreateSPI(TestPlugin("extended")));
  spis.Insert(0, CreateSPI(TestPlugin("archive")));
  spis.Insert(2, CreateSPI(TestPlugin("unknown_version")));
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"archive.spi", "basic.spi",
                                                       "unknown_version.spi", "extended.spi"}));
  std::string basic = spis.Items(1).FileName();
  EXPECT_EQ(spis.IndexOf(basic), 1);
  EXPECT_EQ(spis.IndexOf("/no/such/plugin.spi"), -1);

  spis.Delete(1);
  EXPECT_EQ(spis.IndexOf(basic), -1);
  EXPECT_EQ(spis.Count(), 3);
  EXPECT_THROW(spis.Delete(3), std::out_of_range);
  EXPECT_THROW(spis.Insert(5, CreateSPI(TestPlugin("basic"))), std::out_of_range);
  EXPECT_THROW(spis.Items(-1), std::out_of_range);

  spis.Clear();
  EXPECT_EQ(spis.Count(), 0);
}

class SPIsRegistration : public ::testing::Test {
 protected:
  std::vector<TPictureFormat> NewFormats() const {
    const std::vector<TPictureFormat>& all = PictureFormatRegistry().Formats();
    return std::vector<TPictureFormat>(all.begin() + static_cast<long>(before_), all.end());
  }

  RegistryGuard registry_;
  std::size_t before_ = PictureFormatRegistry().Formats().size();
};

TEST_F(SPIsRegistration, AnImagePluginRegistersEachPatternOfEachFilter) {
  EXPECT_EQ(DefaultGraphicClass(), &TSPIBitmap::Class());
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("three_patterns")));
  std::vector<TPictureFormat> added = NewFormats();
  ASSERT_EQ(added.size(), 3u);
  const char* extensions[] = {"aaa", "bbb", "ccc"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(added[i].extension, extensions[i]);
    EXPECT_EQ(added[i].description, "Three patterns");
    EXPECT_EQ(added[i].graphic_class, &TSPIBitmap::Class());
  }
}

TEST_F(SPIsRegistration, OtherKindsRegisterNothing) {
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("unknown_version")));
  spis.Add(CreateSPI(TestPlugin("archive")));
  spis.Add(CreateSPI(TestPlugin("extended")));
  EXPECT_TRUE(NewFormats().empty());
}

TEST_F(SPIsRegistration, OnPictureRegisterCanChangeOrClearTheClass) {
  TSPIs spis;
  std::vector<std::string> asked;
  spis.SetOnPictureRegister([&](TSPIs&, TInSPI& spi, const std::string& extension,
                                const std::string& description,
                                const TGraphicClass*& graphic_class) {
    EXPECT_EQ(graphic_class, &TSPIBitmap::Class());
    EXPECT_EQ(fs::path(spi.FileName()).filename(), "three_patterns.spi");
    asked.push_back(extension + "/" + description);
    if (extension == "aaa") graphic_class = &TBitmap::Class();
    if (extension == "bbb") graphic_class = nullptr;
  });
  spis.Add(CreateSPI(TestPlugin("three_patterns")));
  EXPECT_EQ(asked, (std::vector<std::string>{"aaa/Three patterns", "bbb/Three patterns",
                                             "ccc/Three patterns"}));
  std::vector<TPictureFormat> added = NewFormats();
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(added[0].extension, "aaa");
  EXPECT_EQ(added[0].graphic_class, &TBitmap::Class());
  EXPECT_EQ(added[1].extension, "ccc");
}

TEST_F(SPIsRegistration, WithoutADefaultClassOnlyTheHandlerCanRegister) {
  SetDefaultGraphicClass(nullptr);
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("basic")));
  EXPECT_TRUE(NewFormats().empty());
  spis.SetOnPictureRegister([](TSPIs&, TInSPI&, const std::string&, const std::string&,
                               const TGraphicClass*& graphic_class) {
    EXPECT_EQ(graphic_class, nullptr);
    graphic_class = &TBitmap::Class();
  });
  spis.Add(CreateSPI(TestPlugin("three_patterns")));
  SetDefaultGraphicClass(&TSPIBitmap::Class());
  EXPECT_EQ(NewFormats().size(), 3u);
}

TEST_F(SPIsRegistration, ARegistrationErrorReachesTheCallerWithThePluginListed) {
  TSPIs spis;
  spis.SetOnPictureRegister([](TSPIs&, TInSPI&, const std::string&, const std::string&,
                               const TGraphicClass*&) { throw std::runtime_error("refused"); });
  EXPECT_THROW(spis.Add(CreateSPI(TestPlugin("basic"))), std::runtime_error);
  EXPECT_EQ(spis.Count(), 1);
}

TEST_F(SPIsRegistration, ExtensionsStayRegisteredWhenThePluginIsDeleted) {
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("basic")));
  spis.Delete(0);
  ASSERT_TRUE(PictureFormatRegistry().Find("MVT"));
  EXPECT_EQ(PictureFormatRegistry().Find("mvt")->graphic_class, &TSPIBitmap::Class());
}

TEST_F(SPIsRegistration, APluginClaimingBmpTakesBmpFilesOverTheBitmapReader) {
  EXPECT_EQ(PictureFormatRegistry().Find("bmp")->graphic_class, &TBitmap::Class());
  TSPIs spis;
  spis.Add(CreateSPI(TestPlugin("claims_bmp")));
  EXPECT_EQ(PictureFormatRegistry().Find("BMP")->graphic_class, &TSPIBitmap::Class());
  EXPECT_EQ(PictureFormatRegistry().Find("bmp")->description, "Fake bitmap");
}

class SPIsCollect : public ::testing::Test {
 protected:
  SPIsCollect() {
    spis_.Add(CreateSPI(TestPlugin("basic")));            // *.mvt
    spis_.Add(CreateSPI(TestPlugin("archive")));          // *.mva, archive kind
    spis_.Add(CreateSPI(TestPlugin("two_patterns")));     // *.one;*.two
    spis_.Add(CreateSPI(TestPlugin("unknown_version")));  // plain TSPI, *.mvt
    spis_.Add(CreateSPI(TestPlugin("other_filter")));     // *.mvt
    spis_.Add(CreateSPI(TestPlugin("three_patterns")));   // *.aaa;*.bbb;*.ccc
  }

  std::vector<std::string> Collect(const std::vector<const TSPIClass*>& kinds,
                                   const std::string& file_name) {
    std::vector<TSPI*> list;
    spis_.CollectSPIs(kinds, list, file_name);
    std::vector<std::string> names;
    for (TSPI* spi : list) names.push_back(fs::path(spi->FileName()).stem().string());
    return names;
  }

  RegistryGuard registry_;
  TSPIs spis_;
};

TEST_F(SPIsCollect, ClaimantsComeFirstTheNewestForemost) {
  EXPECT_EQ(Collect({&TInSPI::Class()}, "/pictures/photo.MVT"),
            (std::vector<std::string>{"other_filter", "basic", "two_patterns", "three_patterns"}));
}

TEST_F(SPIsCollect, AFilterOfSeveralPatternsClaimsByItsLastPattern) {
  EXPECT_EQ(Collect({&TInSPI::Class()}, ".two"),
            (std::vector<std::string>{"two_patterns", "basic", "other_filter", "three_patterns"}));
  // The first pattern's extension does not claim, yet the plug-in is still
  // tried after the claimants.
  EXPECT_EQ(Collect({&TInSPI::Class()}, "x.one"),
            (std::vector<std::string>{"basic", "two_patterns", "other_filter", "three_patterns"}));
  EXPECT_EQ(Collect({&TInSPI::Class()}, "x.ccc").front(), "three_patterns");
}

TEST_F(SPIsCollect, WithoutAnExtensionTheListOrderIsKept) {
  EXPECT_EQ(Collect({&TInSPI::Class()}, ""),
            (std::vector<std::string>{"basic", "two_patterns", "other_filter", "three_patterns"}));
  EXPECT_EQ(Collect({&TInSPI::Class()}, "/folder.mvt/noextension"),
            (std::vector<std::string>{"basic", "two_patterns", "other_filter", "three_patterns"}));
}

TEST_F(SPIsCollect, KindsSelectBySubclass) {
  EXPECT_EQ(Collect({&TAmSPI::Class()}, "x.mvt"), (std::vector<std::string>{"archive"}));
  EXPECT_EQ(Collect({&TLoaderSPI::Class()}, "x.mva"),
            (std::vector<std::string>{"archive", "basic", "two_patterns", "other_filter",
                                      "three_patterns"}));
  EXPECT_EQ(Collect({&TSPI::Class()}, "x.mvt").size(), 6u);
  EXPECT_EQ(Collect({&TSPI::Class()}, "x.mvt").front(), "other_filter");
  EXPECT_TRUE(Collect({&TXnSPI::Class()}, "x.mvt").empty());
}

TEST_F(SPIsCollect, TheCallersListIsAddedTo) {
  std::vector<TSPI*> list = {nullptr};
  spis_.CollectSPIs({&TInSPI::Class()}, list, "a.ccc");
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(fs::path(list[0]->FileName()).stem(), "three_patterns");
  EXPECT_EQ(list[1], nullptr);
}

TEST(SPIsNames, ExtractFileExtTakesTheLastDotAfterTheLastSlash) {
  EXPECT_EQ(ExtractFileExt("/a/b/photo.JPG"), ".JPG");
  EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/a.b/noext"), "");
  EXPECT_EQ(ExtractFileExt("trailing."), ".");
  EXPECT_EQ(ExtractFileExt(".png"), ".png");
  EXPECT_EQ(ExtractFileExt("*.jpg;*.jpeg"), ".jpeg");
  EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(SPIsPlaces, TheSusieFolderComesFromTheEnvironmentOrTheConfigFile) {
  TempDir dir;
  fs::create_directories(dir / "config" / "murva32");
  ScopedEnvironment xdg("XDG_CONFIG_HOME", (dir / "config").c_str());
  {
    ScopedEnvironment variable("MURVA32_SPI_DIR", nullptr);
    EXPECT_EQ(SusiePluginDirectory(), std::nullopt);
    test::WriteFile(dir / "config" / "murva32" / "spi-folder",
                    {'/', 's', 'p', 'i', '\r', '\n', 'x', '\n'});
    EXPECT_EQ(SusiePluginDirectory(), "/spi");
  }
  {
    ScopedEnvironment variable("MURVA32_SPI_DIR", "/from/environment");
    EXPECT_EQ(SusiePluginDirectory(), "/from/environment");
  }
  {
    ScopedEnvironment variable("MURVA32_SPI_DIR", "");
    test::WriteFile(dir / "config" / "murva32" / "spi-folder", {'\n'});
    EXPECT_EQ(SusiePluginDirectory(), std::nullopt);
  }
  {
    ScopedEnvironment variable("MURVA32_SPI_DIR", nullptr);
    ScopedEnvironment no_xdg("XDG_CONFIG_HOME", nullptr);
    ScopedEnvironment home("HOME", dir.Path().c_str());
    fs::create_directories(dir / ".config" / "murva32");
    test::WriteFile(dir / ".config" / "murva32" / "spi-folder", {'/', 'h'});
    EXPECT_EQ(SusiePluginDirectory(), "/h");
  }
}

// Exposes the manager's own place lookup.
class RealPlaces : public TSPIs {
 public:
  using TSPIs::PlaceDirectory;
};

TEST(SPIsPlaces, EachPlaceMapsToItsLinuxFolder) {
  RealPlaces spis;
  ScopedEnvironment variable("MURVA32_SPI_DIR", "/susie/plugins");
  EXPECT_EQ(spis.PlaceDirectory(TSPISearchOption::spsSusieDir), "/susie/plugins");
  spis.SetApplicationDirectory("/opt/murva32");
  EXPECT_EQ(spis.PlaceDirectory(TSPISearchOption::spsAppDir), "/opt/murva32");
  EXPECT_EQ(spis.PlaceDirectory(TSPISearchOption::spsCurrentDir), fs::current_path().string());
  std::optional<std::string> system = spis.PlaceDirectory(TSPISearchOption::spsSystemDir);
  ASSERT_TRUE(system);
  EXPECT_TRUE(system->ends_with("/murva32/plugins")) << *system;
  EXPECT_EQ(spis.PlaceDirectory(TSPISearchOption::spsWindowsDir), std::nullopt);
}

TEST(SPIsPlaces, TheSusieSettingIsSearchedFirst) {
  RegistryGuard registry;
  TempDir dir;
  fs::create_directory(dir / "susie");
  fs::create_directory(dir / "app");
  CopyFile(TestPlugin("basic"), dir / "susie" / "from-susie.spi");
  CopyFile(TestPlugin("basic"), dir / "app" / "from-app.spi");
  ScopedEnvironment variable("MURVA32_SPI_DIR", (dir / "susie").c_str());
  TSPIs spis;
  spis.SetApplicationDirectory((dir / "app").string());
  spis.Loaded();
  EXPECT_EQ(FileNames(spis), (std::vector<std::string>{"from-susie.spi", "from-app.spi"}));
}

}  // namespace
}  // namespace murva
