#include "imaging/spi.h"

#include <cstring>
#include <type_traits>

#include "imaging/spi_errors.h"

namespace murva {
namespace {

// A plug-in that answers every index would otherwise be asked for ever.
constexpr int kMaxFilterPairs = 1024;

template <class T>
bool IsInstanceOf(const TSPI& spi) {
  if constexpr (std::is_same_v<T, TSPI>) {
    return true;
  } else {
    return dynamic_cast<const T*>(&spi) != nullptr;
  }
}

template <class Fn>
Fn LookUp(const DynamicLibrary& library, const char* name) {
  return reinterpret_cast<Fn>(library.Symbol(name));
}

}  // namespace

TSPI::~TSPI() = default;

const TSPIClass& TSPI::Class() {
  static const TSPIClass kClass{"TSPI", IsInstanceOf<TSPI>, &TSPI::Create};
  return kClass;
}

std::unique_ptr<TSPI> TSPI::Create(const std::string& file_name) {
  return Construct<TSPI>(file_name);
}

void TSPI::Initialize(const std::string& file_name) {
  if (!handle_.Open(file_name)) throw ESPIFOpenErrorSPI(file_name);
  std::string module_name = handle_.FileName();
  file_name_ = module_name.empty() ? file_name : module_name;

  get_plugin_info_ = LookUp<SpiGetPluginInfoFn>(handle_, "GetPluginInfo");
  configuration_dlg_ = LookUp<SpiConfigurationDlgFn>(handle_, "ConfigurationDlg");
  is_supported_ = LookUp<SpiIsSupportedFn>(handle_, "IsSupported");
  get_picture_info_ = LookUp<SpiGetPictureInfoFn>(handle_, "GetPictureInfo");
  get_picture_ = LookUp<SpiGetPictureFn>(handle_, "GetPicture");
  get_preview_ = LookUp<SpiGetPreviewFn>(handle_, "GetPreview");
  get_archive_info_ = LookUp<SpiGetArchiveInfoFn>(handle_, "GetArchiveInfo");
  get_file_info_ = LookUp<SpiGetFileInfoFn>(handle_, "GetFileInfo");
  get_file_ = LookUp<SpiGetFileFn>(handle_, "GetFile");

  CheckAPI();

  bool answered = false;
  std::string text = PluginInfoText(0, answered);
  if (answered) api_version_ = text;
  text = PluginInfoText(1, answered);
  if (answered) plugin_name_ = text;

  for (int pair = 0; pair < kMaxFilterPairs; ++pair) {
    int index = 2 + 2 * pair;
    bool has_filter = false;
    std::string filter = PluginInfoText(index, has_filter);
    if (!has_filter) break;
    bool has_description = false;
    std::string description = PluginInfoText(index + 1, has_description);
    if (!has_description) break;
    extensions_.push_back(std::move(filter));
    descriptions_.push_back(std::move(description));
  }
}

std::string TSPI::PluginInfoText(int index, bool& answered) const {
  // Room beyond the length the plug-in is told, so that one writing a byte
  // too many does not write outside the buffer.
  char buffer[kInfoBufferSize * 2] = {};
  answered = GetPluginInfo(index, buffer, kInfoBufferLength) > 0;
  if (!answered) return {};
  return std::string(buffer, strnlen(buffer, kInfoBufferSize));
}

void TSPI::Require(bool present, const char* name) const {
  if (!present) throw ESPIInvalidAPI(name, file_name_);
}

void TSPI::CheckAPI() const { Require(HasGetPluginInfo(), "GetPluginInfo"); }

int TSPI::GetPluginInfo(int index, char* buffer, int buffer_length) const {
  Require(HasGetPluginInfo(), "GetPluginInfo");
  return get_plugin_info_(index, buffer, buffer_length);
}

int TSPI::IsSupported(const char* file_name, const void* data) const {
  Require(HasIsSupported(), "IsSupported");
  return is_supported_(file_name, data);
}

int TSPI::GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                         PictureInfo* info) const {
  Require(HasGetPictureInfo(), "GetPictureInfo");
  return get_picture_info_(buffer, length, flag, info);
}

int TSPI::GetPicture(const char* buffer, int32_t length, uint32_t flag,
                     MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                     SpiProgressCallback progress, intptr_t user_value) const {
  Require(HasGetPicture(), "GetPicture");
  return get_picture_(buffer, length, flag, info_handle, pixel_handle, progress, user_value);
}

const TSPIClass& TLoaderSPI::Class() {
  static const TSPIClass kClass{"TLoaderSPI", IsInstanceOf<TLoaderSPI>, &TLoaderSPI::Create};
  return kClass;
}

std::unique_ptr<TSPI> TLoaderSPI::Create(const std::string& file_name) {
  return Construct<TLoaderSPI>(file_name);
}

void TLoaderSPI::CheckAPI() const {
  TSPI::CheckAPI();
  Require(HasIsSupported(), "IsSupported");
}

const TSPIClass& TInSPI::Class() {
  static const TSPIClass kClass{"TInSPI", IsInstanceOf<TInSPI>, &TInSPI::Create};
  return kClass;
}

std::unique_ptr<TSPI> TInSPI::Create(const std::string& file_name) {
  return Construct<TInSPI>(file_name);
}

void TInSPI::CheckAPI() const {
  TLoaderSPI::CheckAPI();
  Require(HasGetPictureInfo(), "GetPictureInfo");
  Require(HasGetPicture(), "GetPicture");
}

const TSPIClass& TAmSPI::Class() {
  static const TSPIClass kClass{"TAmSPI", IsInstanceOf<TAmSPI>, &TAmSPI::Create};
  return kClass;
}

std::unique_ptr<TSPI> TAmSPI::Create(const std::string& file_name) {
  return Construct<TAmSPI>(file_name);
}

void TAmSPI::CheckAPI() const {
  TLoaderSPI::CheckAPI();
  Require(HasGetArchiveInfo(), "GetArchiveInfo");
  Require(HasGetFileInfo(), "GetFileInfo");
  Require(HasGetFile(), "GetFile");
}

const TSPIClass& TXnSPI::Class() {
  static const TSPIClass kClass{"TXnSPI", IsInstanceOf<TXnSPI>, &TXnSPI::Create};
  return kClass;
}

std::unique_ptr<TSPI> TXnSPI::Create(const std::string& file_name) {
  return Construct<TXnSPI>(file_name);
}

void TXnSPI::CheckAPI() const { TSPI::CheckAPI(); }

const TSPIClass& SPIClassForVersion(const std::string& api_version) {
  if (api_version == SPI_API_VERSION_IMAGE) return TInSPI::Class();
  if (api_version == SPI_API_VERSION_ARCHIVE) return TAmSPI::Class();
  if (api_version == SPI_API_VERSION_EXTENDED) return TXnSPI::Class();
  return TSPI::Class();
}

std::unique_ptr<TSPI> CreateSPI(const std::string& file_name) {
  try {
    std::unique_ptr<TSPI> probe = TSPI::Create(file_name);
    const TSPIClass& chosen = SPIClassForVersion(probe->APIVersion());
    // The probe is released when it goes out of scope, also when loading
    // the chosen class fails; the new object holds its own reference.
    return chosen.create(file_name);
  } catch (const ESPIFOpenErrorSPI&) {
    return nullptr;
  } catch (const ESPIInvalidAPI&) {
    return nullptr;
  }
}

}  // namespace murva
