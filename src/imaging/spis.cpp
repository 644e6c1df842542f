#include "imaging/spis.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "imaging/picture_format_registry.h"
#include "imaging/plugin_isolation.h"
#include "imaging/spi_errors.h"
#include "platform/bounded_file.h"
#include "platform/dynamic_library.h"

#ifndef MURVA_SYSTEM_PLUGIN_DIR
#define MURVA_SYSTEM_PLUGIN_DIR "/usr/local/lib/murva32/plugins"
#endif

namespace murva {
namespace {

constinit TSPIs* spis_instance = nullptr;
constinit const TGraphicClass* default_graphic_class = nullptr;

std::string WithTrailingSlash(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

// The extensions of one filter string, in pattern order: each pattern
// without everything up to and including its first ".".
std::vector<std::string> FilterExtensions(const std::string& filter) {
  std::vector<std::string> extensions;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = filter.find(';', start);
    std::string pattern = filter.substr(start, end == std::string::npos ? end : end - start);
    // An empty pattern (as in "*.png;") names no file.
    if (!pattern.empty()) {
      std::size_t dot = pattern.find('.');
      extensions.push_back(dot == std::string::npos ? pattern : pattern.substr(dot + 1));
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return extensions;
}

}  // namespace

TSPIs* SPIsInstance() { return spis_instance; }

const TGraphicClass* DefaultGraphicClass() { return default_graphic_class; }

void SetDefaultGraphicClass(const TGraphicClass* graphic_class) {
  default_graphic_class = graphic_class;
}

std::string ExtractFileExt(const std::string& file_name) {
  std::size_t dot = file_name.rfind('.');
  if (dot == std::string::npos) return {};
  std::size_t slash = file_name.rfind('/');
  if (slash != std::string::npos && slash > dot) return {};
  return file_name.substr(dot);
}

std::optional<std::string> SusiePluginDirectory() {
  const char* variable = std::getenv("MURVA32_SPI_DIR");
  if (variable != nullptr && *variable != '\0') return std::string(variable);

  std::filesystem::path config_home;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg == '/') {
    config_home = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return std::nullopt;
    config_home = std::filesystem::path(home) / ".config";
  }
  std::string text;
  if (!ReadBoundedFile(config_home / "murva32" / "spi-folder", 64 * 1024, text).Ok()) {
    return std::nullopt;
  }
  std::string line = text.substr(0, text.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  if (line.empty()) return std::nullopt;
  return line;
}

TSPIs::TSPIs() {
  if (spis_instance != nullptr) throw ESPIDupCreateSPIs();
  std::string executable = ExecutableFileName();
  if (!executable.empty()) {
    application_directory_ = std::filesystem::path(executable).parent_path().string();
  }
  spis_instance = this;
}

TSPIs::~TSPIs() {
  if (spis_instance == this) spis_instance = nullptr;
  Clear();
}

void TSPIs::Loaded() {
  if (auto_search_) Search("*.spi");
}

void TSPIs::Search(const std::string& mask) {
  std::size_t slash = mask.rfind('/');
  if (slash != std::string::npos) {
    SearchDirectory(mask.substr(0, slash + 1), mask.substr(slash + 1));
    return;
  }
  for (TSPISearchOption option :
       {TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir, TSPISearchOption::spsCurrentDir,
        TSPISearchOption::spsSystemDir, TSPISearchOption::spsWindowsDir}) {
    if (!search_options_.contains(option)) continue;
    std::optional<std::string> directory = PlaceDirectory(option);
    if (!directory || directory->empty()) continue;
    SearchDirectory(WithTrailingSlash(*directory), mask);
  }
}

std::optional<std::string> TSPIs::PlaceDirectory(TSPISearchOption option) const {
  switch (option) {
    case TSPISearchOption::spsSusieDir:
      return SusiePluginDirectory();
    case TSPISearchOption::spsAppDir:
      if (application_directory_.empty()) return std::nullopt;
      return application_directory_;
    case TSPISearchOption::spsCurrentDir: {
      std::error_code error;
      std::filesystem::path current = std::filesystem::current_path(error);
      if (error) return std::nullopt;
      return current.string();
    }
    case TSPISearchOption::spsSystemDir:
      return std::string(MURVA_SYSTEM_PLUGIN_DIR);
    case TSPISearchOption::spsWindowsDir:
      return std::nullopt;
  }
  return std::nullopt;
}

void TSPIs::SearchDirectory(const std::string& directory, const std::string& pattern) {
  namespace fs = std::filesystem;
  std::string folder = WithTrailingSlash(directory);

  std::vector<std::string> entry_names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    // Hidden files are left out, as are folders and special files.
    if (name.empty() || name.front() == '.') continue;
    if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
    std::error_code status_error;
    if (!fs::is_regular_file(it->path(), status_error)) continue;
    entry_names.push_back(std::move(name));
  }
  // Name order, so that the plug-in set and its order do not depend on how
  // the file system happens to list the folder.
  std::sort(entry_names.begin(), entry_names.end());

  // Files already loaded, or reached a second time through another name of
  // the same file, are not loaded again.
  std::vector<std::string> collected;
  for (const std::string& name : entry_names) {
    std::error_code canonical_error;
    fs::path full = fs::canonical(fs::path(folder) / name, canonical_error);
    if (canonical_error) continue;
    std::string full_name = full.string();
    if (IndexOf(full_name) >= 0) continue;
    if (std::find(collected.begin(), collected.end(), full_name) != collected.end()) continue;
    collected.push_back(std::move(full_name));
  }

  if (isolation_) {
    // New plug-ins are tried in host processes all at once, so that the
    // search waits for the slowest of them rather than for their sum.
    std::vector<std::string> accepted;
    for (const std::string& file_name : collected) {
      bool accept = true;
      if (on_searching_) on_searching_(*this, file_name, accept);
      if (accept) accepted.push_back(file_name);
    }
    isolation_->Vet(accepted);
    for (const std::string& file_name : accepted) {
      std::unique_ptr<TSPI> spi = isolation_->Create(file_name);
      if (!spi) continue;
      bool accept = true;
      if (on_search_) on_search_(*this, *spi, accept);
      if (accept) Add(std::move(spi));
    }
    return;
  }
  for (const std::string& file_name : collected) {
    bool accept = true;
    if (on_searching_) on_searching_(*this, file_name, accept);
    if (!accept) continue;
    std::unique_ptr<TSPI> spi = CreateSPI(file_name);
    if (!spi) continue;
    accept = true;
    // An error of the handler destroys the new plug-in (it is still owned
    // here) and ends the search.
    if (on_search_) on_search_(*this, *spi, accept);
    if (accept) Add(std::move(spi));
  }
}

TSPI& TSPIs::Items(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("TSPIs::Items: index out of range");
  return *items_[static_cast<std::size_t>(index)];
}

void TSPIs::Add(std::unique_ptr<TSPI> spi) { Insert(Count(), std::move(spi)); }

void TSPIs::Insert(int index, std::unique_ptr<TSPI> spi) {
  if (index < 0 || index > Count()) throw std::out_of_range("TSPIs::Insert: index out of range");
  if (!spi) throw std::invalid_argument("TSPIs::Insert: no plug-in");
  TSPI* inserted = spi.get();
  items_.insert(items_.begin() + index, std::move(spi));
  if (auto* image_spi = dynamic_cast<TInSPI*>(inserted)) RegisterExtensions(*image_spi);
}

void TSPIs::RegisterExtensions(TInSPI& spi) {
  const std::vector<std::string>& filters = spi.Extensions();
  const std::vector<std::string>& descriptions = spi.Descriptions();
  for (std::size_t i = 0; i < filters.size() && i < descriptions.size(); ++i) {
    for (const std::string& extension : FilterExtensions(filters[i])) {
      const TGraphicClass* graphic_class = default_graphic_class;
      if (on_picture_register_) {
        on_picture_register_(*this, spi, extension, descriptions[i], graphic_class);
      }
      if (graphic_class != nullptr) {
        PictureFormatRegistry().Register(extension, descriptions[i], *graphic_class);
      }
    }
  }
}

void TSPIs::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TSPIs::Delete: index out of range");
  items_.erase(items_.begin() + index);
}

void TSPIs::Clear() {
  while (!items_.empty()) Delete(0);
}

int TSPIs::IndexOf(const std::string& file_name) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->FileName() == file_name) return static_cast<int>(i);
  }
  return -1;
}

void TSPIs::CollectSPIs(const std::vector<const TSPIClass*>& kinds, std::vector<TSPI*>& list,
                        const std::string& file_name) const {
  std::string extension = ExtractFileExt(file_name);
  for (const std::unique_ptr<TSPI>& spi : items_) {
    bool taken = std::any_of(kinds.begin(), kinds.end(), [&](const TSPIClass* kind) {
      return kind != nullptr && kind->is_instance(*spi);
    });
    if (!taken) continue;
    bool claims = !extension.empty() &&
                  std::any_of(spi->Extensions().begin(), spi->Extensions().end(),
                              [&](const std::string& filter) {
                                return EqualsIgnoringAsciiCase(ExtractFileExt(filter), extension);
                              });
    if (claims) {
      list.insert(list.begin(), spi.get());
    } else {
      list.push_back(spi.get());
    }
  }
}

}  // namespace murva
