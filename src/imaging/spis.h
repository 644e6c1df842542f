#pragma once

// The plug-in manager: finds "*.spi" files, loads each one as the kind of
// plug-in it says it is, keeps the usable ones, and announces every file
// extension an image plug-in declares to the picture-format registry.
// Exactly one manager exists in the process at a time.

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "imaging/graphic.h"
#include "imaging/spi.h"

namespace murva {

// The places Search looks in, in the order it visits them.
enum class TSPISearchOption {
  // The per-user Susie plug-in folder: the environment variable
  // MURVA32_SPI_DIR when it is set and not empty, otherwise the first line
  // of the file "$XDG_CONFIG_HOME/murva32/spi-folder" (XDG_CONFIG_HOME
  // defaults to "$HOME/.config"). Skipped when neither names a folder.
  spsSusieDir,
  // The folder of the running executable (see SetApplicationDirectory).
  spsAppDir,
  // The process's current folder.
  spsCurrentDir,
  // The system's plug-in folder, <prefix>/<libdir>/murva32/plugins, where
  // the shipped plug-ins are installed.
  spsSystemDir,
  // Linux has no Windows folder: this place is always skipped.
  spsWindowsDir,
};
using TSPISearchOptions = std::set<TSPISearchOption>;

class TSPIs;
class PluginIsolation;

// Asked before a file is tried; clearing accept skips the file.
using TSPISearchingEvent =
    std::function<void(TSPIs& sender, const std::string& file_name, bool& accept)>;
// Asked after a plug-in object was created; clearing accept destroys it
// instead of adding it.
using TSPISearchEvent = std::function<void(TSPIs& sender, TSPI& spi, bool& accept)>;
// Asked before each extension of an image plug-in is registered; the handler
// may change graphic_class, or clear it (nullptr) to register nothing.
using TSPIPictureRegisterEvent =
    std::function<void(TSPIs& sender, TInSPI& spi, const std::string& extension,
                       const std::string& description, const TGraphicClass*& graphic_class)>;

class TSPIs {
 public:
  // Becomes the process's manager. Throws ESPIDupCreateSPIs when one exists.
  TSPIs();
  // Forgets itself as the process's manager and releases every plug-in,
  // front to back.
  virtual ~TSPIs();
  TSPIs(const TSPIs&) = delete;
  TSPIs& operator=(const TSPIs&) = delete;

  // Called when the owner has finished setting the manager up: searches for
  // "*.spi" when AutoSearch is on.
  void Loaded();

  // Loads the plug-ins matching mask. A mask with a folder part searches
  // only that folder; otherwise every place of SearchOptions is searched,
  // in the order of TSPISearchOption, with mask as the file pattern
  // (shell wildcards, letters compared without case).
  void Search(const std::string& mask);

  // Loads every plain, not hidden file of directory that matches pattern
  // and is not loaded already, in name order (see OnSearching, OnSearch).
  // With an isolation, OnSearching is asked for every file first, and the
  // accepted plug-ins that did not ship are vetted together before any is
  // added.
  void SearchDirectory(const std::string& directory, const std::string& pattern);

  int Count() const { return static_cast<int>(items_.size()); }
  TSPI& Items(int index) const;

  // Add(spi) = Insert(Count(), spi).
  void Add(std::unique_ptr<TSPI> spi);
  // Puts spi into the list at index (0 ... Count()) and, for an image
  // plug-in, registers its extensions. Throws std::out_of_range for another
  // index. An error while registering reaches the caller; the plug-in stays
  // in the list then.
  void Insert(int index, std::unique_ptr<TSPI> spi);
  // Releases the plug-in at index and removes it from the list.
  void Delete(int index);
  // Deletes index 0 until the list is empty.
  void Clear();
  // Position of the first plug-in whose FileName equals file_name; -1 when
  // none does. File names are compared exactly: this file system tells
  // letter case apart.
  int IndexOf(const std::string& file_name) const;

  // Fills list with the plug-ins that are of any of kinds (subclasses
  // count), in the order they should be tried for file_name: plug-ins whose
  // filter string has the file's extension first, the most recently added of
  // them foremost, then the others in list order. file_name may be just an
  // extension with its dot. list is not cleared first.
  void CollectSPIs(const std::vector<const TSPIClass*>& kinds, std::vector<TSPI*>& list,
                   const std::string& file_name) const;

  const TSPISearchOptions& SearchOptions() const { return search_options_; }
  void SetSearchOptions(TSPISearchOptions options) { search_options_ = std::move(options); }
  bool AutoSearch() const { return auto_search_; }
  void SetAutoSearch(bool value) { auto_search_ = value; }

  // The folder searched for spsAppDir; the executable's folder unless set.
  const std::string& ApplicationDirectory() const { return application_directory_; }
  void SetApplicationDirectory(std::string directory) {
    application_directory_ = std::move(directory);
  }

  const TSPISearchingEvent& OnSearching() const { return on_searching_; }
  void SetOnSearching(TSPISearchingEvent handler) { on_searching_ = std::move(handler); }
  const TSPISearchEvent& OnSearch() const { return on_search_; }
  void SetOnSearch(TSPISearchEvent handler) { on_search_ = std::move(handler); }
  // Plug-ins that did not ship with the program are tried and run in host
  // processes of their own (see PluginIsolation); without an isolation every
  // plug-in is loaded into this process.
  const std::shared_ptr<PluginIsolation>& Isolation() const { return isolation_; }
  void SetIsolation(std::shared_ptr<PluginIsolation> isolation) {
    isolation_ = std::move(isolation);
  }

  const TSPIPictureRegisterEvent& OnPictureRegister() const { return on_picture_register_; }
  void SetOnPictureRegister(TSPIPictureRegisterEvent handler) {
    on_picture_register_ = std::move(handler);
  }

 protected:
  // The folder of one search place, or nothing when the place is skipped.
  virtual std::optional<std::string> PlaceDirectory(TSPISearchOption option) const;

 private:
  void RegisterExtensions(TInSPI& spi);

  std::vector<std::unique_ptr<TSPI>> items_;
  std::shared_ptr<PluginIsolation> isolation_;
  TSPISearchOptions search_options_{TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir};
  bool auto_search_ = true;
  std::string application_directory_;
  TSPISearchingEvent on_searching_;
  TSPISearchEvent on_search_;
  TSPIPictureRegisterEvent on_picture_register_;
};

// The process's manager, or nullptr.
TSPIs* SPIsInstance();

// The picture class registered for the extensions of image plug-ins; the
// plug-in bitmap sets it to TSPIBitmap. nullptr registers nothing unless an
// OnPictureRegister handler supplies a class.
const TGraphicClass* DefaultGraphicClass();
void SetDefaultGraphicClass(const TGraphicClass* graphic_class);

// The per-user Susie plug-in folder setting (see spsSusieDir); nothing when
// it is not set.
std::optional<std::string> SusiePluginDirectory();

// The extension of file_name with its dot: the text from the last "." after
// the last "/"; empty when there is none.
std::string ExtractFileExt(const std::string& file_name);

}  // namespace murva
