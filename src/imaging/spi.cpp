#include "imaging/spi.h"

#include <cstring>
#include <iterator>
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

TSPITexts ReadPluginTexts(const std::function<int(int, char*, int)>& get_plugin_info) {
  // Room beyond the length the plug-in is told, so that one writing a byte
  // too many does not write outside the buffer.
  auto text = [&get_plugin_info](int index, bool& answered) {
    char buffer[TSPI::kInfoBufferSize * 2] = {};
    answered = get_plugin_info(index, buffer, TSPI::kInfoBufferLength) > 0;
    if (!answered) return std::string();
    return std::string(buffer, strnlen(buffer, TSPI::kInfoBufferSize));
  };
  TSPITexts texts;
  bool answered = false;
  std::string version = text(0, answered);
  if (answered) texts.api_version = std::move(version);
  std::string name = text(1, answered);
  if (answered) texts.plugin_name = std::move(name);

  for (int pair = 0; pair < kMaxFilterPairs; ++pair) {
    int index = 2 + 2 * pair;
    bool has_filter = false;
    std::string filter = text(index, has_filter);
    if (!has_filter) break;
    bool has_description = false;
    std::string description = text(index + 1, has_description);
    if (!has_description) break;
    texts.extensions.push_back(std::move(filter));
    texts.descriptions.push_back(std::move(description));
  }
  return texts;
}

const TSPIClass& TSPI::Class() {
  static const TSPIClass kClass{"TSPI", IsInstanceOf<TSPI>, &TSPI::Create, &TSPI::CreateHosted};
  return kClass;
}

std::unique_ptr<TSPI> TSPI::Create(const std::string& file_name) {
  return Construct<TSPI>(file_name);
}

std::unique_ptr<TSPI> TSPI::CreateHosted(const TSPIDescription& description,
                                         std::shared_ptr<SpiHostCalls> host) {
  return ConstructHosted<TSPI>(description, std::move(host));
}

TSPIDescription TSPI::Description() const {
  return TSPIDescription{file_name_, entries_,
                         TSPITexts{api_version_, plugin_name_, extensions_, descriptions_}};
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

  const bool found[] = {get_plugin_info_ != nullptr,  configuration_dlg_ != nullptr,
                        is_supported_ != nullptr,     get_picture_info_ != nullptr,
                        get_picture_ != nullptr,      get_preview_ != nullptr,
                        get_archive_info_ != nullptr, get_file_info_ != nullptr,
                        get_file_ != nullptr};
  entries_ = 0;
  for (std::size_t i = 0; i < std::size(found); ++i) {
    if (found[i]) entries_ |= 1u << i;
  }

  CheckAPI();

  TSPITexts texts = ReadPluginTexts(
      [this](int index, char* buffer, int length) { return GetPluginInfo(index, buffer, length); });
  api_version_ = std::move(texts.api_version);
  plugin_name_ = std::move(texts.plugin_name);
  extensions_ = std::move(texts.extensions);
  descriptions_ = std::move(texts.descriptions);
}

void TSPI::InitializeHosted(const TSPIDescription& description,
                            std::shared_ptr<SpiHostCalls> host) {
  host_ = std::move(host);
  file_name_ = description.file_name;
  entries_ = description.entries;
  CheckAPI();
  api_version_ = description.texts.api_version;
  plugin_name_ = description.texts.plugin_name;
  extensions_ = description.texts.extensions;
  descriptions_ = description.texts.descriptions;
}

void TSPI::Require(bool present, const char* name) const {
  if (!present) throw ESPIInvalidAPI(name, file_name_);
}

void TSPI::CheckAPI() const { Require(HasGetPluginInfo(), "GetPluginInfo"); }

int TSPI::GetPluginInfo(int index, char* buffer, int buffer_length) const {
  Require(HasGetPluginInfo(), "GetPluginInfo");
  if (host_) return host_->GetPluginInfo(index, buffer, buffer_length);
  return get_plugin_info_(index, buffer, buffer_length);
}

int TSPI::IsSupported(const char* file_name, const void* data) const {
  Require(HasIsSupported(), "IsSupported");
  if (host_) return host_->IsSupported(file_name, data);
  return is_supported_(file_name, data);
}

int TSPI::GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                         PictureInfo* info) const {
  Require(HasGetPictureInfo(), "GetPictureInfo");
  if (host_) return host_->GetPictureInfo(buffer, length, flag, info);
  return get_picture_info_(buffer, length, flag, info);
}

int TSPI::GetPicture(const char* buffer, int32_t length, uint32_t flag,
                     MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                     SpiProgressCallback progress, intptr_t user_value) const {
  Require(HasGetPicture(), "GetPicture");
  if (host_) {
    return host_->GetPicture(buffer, length, flag, info_handle, pixel_handle, progress,
                             user_value);
  }
  return get_picture_(buffer, length, flag, info_handle, pixel_handle, progress, user_value);
}

const TSPIClass& TLoaderSPI::Class() {
  static const TSPIClass kClass{"TLoaderSPI", IsInstanceOf<TLoaderSPI>, &TLoaderSPI::Create, &TLoaderSPI::CreateHosted};
  return kClass;
}

std::unique_ptr<TSPI> TLoaderSPI::Create(const std::string& file_name) {
  return Construct<TLoaderSPI>(file_name);
}

std::unique_ptr<TSPI> TLoaderSPI::CreateHosted(const TSPIDescription& description,
                                        std::shared_ptr<SpiHostCalls> host) {
  return ConstructHosted<TLoaderSPI>(description, std::move(host));
}

void TLoaderSPI::CheckAPI() const {
  TSPI::CheckAPI();
  Require(HasIsSupported(), "IsSupported");
}

const TSPIClass& TInSPI::Class() {
  static const TSPIClass kClass{"TInSPI", IsInstanceOf<TInSPI>, &TInSPI::Create, &TInSPI::CreateHosted};
  return kClass;
}

std::unique_ptr<TSPI> TInSPI::Create(const std::string& file_name) {
  return Construct<TInSPI>(file_name);
}

std::unique_ptr<TSPI> TInSPI::CreateHosted(const TSPIDescription& description,
                                        std::shared_ptr<SpiHostCalls> host) {
  return ConstructHosted<TInSPI>(description, std::move(host));
}

void TInSPI::CheckAPI() const {
  TLoaderSPI::CheckAPI();
  Require(HasGetPictureInfo(), "GetPictureInfo");
  Require(HasGetPicture(), "GetPicture");
}

const TSPIClass& TAmSPI::Class() {
  static const TSPIClass kClass{"TAmSPI", IsInstanceOf<TAmSPI>, &TAmSPI::Create, &TAmSPI::CreateHosted};
  return kClass;
}

std::unique_ptr<TSPI> TAmSPI::Create(const std::string& file_name) {
  return Construct<TAmSPI>(file_name);
}

std::unique_ptr<TSPI> TAmSPI::CreateHosted(const TSPIDescription& description,
                                        std::shared_ptr<SpiHostCalls> host) {
  return ConstructHosted<TAmSPI>(description, std::move(host));
}

void TAmSPI::CheckAPI() const {
  TLoaderSPI::CheckAPI();
  Require(HasGetArchiveInfo(), "GetArchiveInfo");
  Require(HasGetFileInfo(), "GetFileInfo");
  Require(HasGetFile(), "GetFile");
}

const TSPIClass& TXnSPI::Class() {
  static const TSPIClass kClass{"TXnSPI", IsInstanceOf<TXnSPI>, &TXnSPI::Create, &TXnSPI::CreateHosted};
  return kClass;
}

std::unique_ptr<TSPI> TXnSPI::Create(const std::string& file_name) {
  return Construct<TXnSPI>(file_name);
}

std::unique_ptr<TSPI> TXnSPI::CreateHosted(const TSPIDescription& description,
                                        std::shared_ptr<SpiHostCalls> host) {
  return ConstructHosted<TXnSPI>(description, std::move(host));
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

std::unique_ptr<TSPI> CreateHostedSPI(const TSPIDescription& description,
                                      std::shared_ptr<SpiHostCalls> host) {
  try {
    return SPIClassForVersion(description.texts.api_version)
        .create_hosted(description, std::move(host));
  } catch (const ESPIInvalidAPI&) {
    return nullptr;
  }
}

}  // namespace murva
