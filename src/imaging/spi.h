#pragma once

// One loaded image plug-in ("*.spi" shared object) and its kinds:
//
//   TSPI            a plug-in of an unrecognised or minimal kind
//     TLoaderSPI    a plug-in that can be asked IsSupported
//       TInSPI      image plug-in, API version "00IN"
//       TAmSPI      archive plug-in, API version "00AM"
//     TXnSPI        plug-in of API version "00XN"
//
// Objects are made by the Create function of their class (or by CreateSPI,
// which chooses the class from the plug-in's own API version): it loads the
// file, looks up the entry points, checks that the kind's required entry
// points are there and asks the plug-in for its texts. The destructor
// releases the plug-in.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "murva32/murva_spi.h"
#include "platform/dynamic_library.h"

namespace murva {

class TSPI;
struct TSPIDescription;
class SpiHostCalls;

// Names a plug-in class: tells whether an object is of the class (or one of
// its subclasses) and constructs a new object of it from a file name, or
// from the description of a plug-in that runs in a host process.
struct TSPIClass {
  const char* class_name;
  bool (*is_instance)(const TSPI& spi);
  std::unique_ptr<TSPI> (*create)(const std::string& file_name);
  std::unique_ptr<TSPI> (*create_hosted)(const TSPIDescription& description,
                                         std::shared_ptr<SpiHostCalls> host);
};

// The entry points, one bit each, in the order they are looked up.
enum SpiEntryBit : std::uint32_t {
  kSpiEntryGetPluginInfo = 1u << 0,
  kSpiEntryConfigurationDlg = 1u << 1,
  kSpiEntryIsSupported = 1u << 2,
  kSpiEntryGetPictureInfo = 1u << 3,
  kSpiEntryGetPicture = 1u << 4,
  kSpiEntryGetPreview = 1u << 5,
  kSpiEntryGetArchiveInfo = 1u << 6,
  kSpiEntryGetFileInfo = 1u << 7,
  kSpiEntryGetFile = 1u << 8,
};
inline constexpr const char* kSpiEntryNames[] = {
    "GetPluginInfo", "ConfigurationDlg", "IsSupported",  "GetPictureInfo", "GetPicture",
    "GetPreview",    "GetArchiveInfo",   "GetFileInfo", "GetFile"};

// What a plug-in tells about itself through GetPluginInfo: index 0, 1, then
// filter and description pairs until one of a pair is not answered.
struct TSPITexts {
  std::string api_version;
  std::string plugin_name;
  std::vector<std::string> extensions;
  std::vector<std::string> descriptions;
  bool operator==(const TSPITexts&) const = default;
};

// Asks get_plugin_info (a call with the GetPluginInfo arguments) for the
// texts, as every plug-in object does when it is made.
TSPITexts ReadPluginTexts(const std::function<int(int, char*, int)>& get_plugin_info);

// All a plug-in object needs of a plug-in that runs in a host process: its
// module file name, the entry points it exports and its texts.
struct TSPIDescription {
  std::string file_name;
  std::uint32_t entries = 0;  // SpiEntryBit values
  TSPITexts texts;
  bool operator==(const TSPIDescription&) const = default;
};

// The entry points of a plug-in that runs in a host process; the calls have
// the plug-in's own arguments and results. A host that fails (the plug-in
// crashed, aborted or stopped answering) answers as a plug-in that cannot
// read the data would.
class SpiHostCalls {
 public:
  virtual ~SpiHostCalls() = default;
  virtual int GetPluginInfo(int index, char* buffer, int buffer_length) = 0;
  virtual int IsSupported(const char* file_name, const void* data) = 0;
  virtual int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                             PictureInfo* info) = 0;
  virtual int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                         MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                         SpiProgressCallback progress, intptr_t user_value) = 0;
};

class TSPI {
 public:
  // The size of the text buffer handed to GetPluginInfo and the length the
  // plug-in is told it may use.
  static constexpr int kInfoBufferSize = 256;
  static constexpr int kInfoBufferLength = 255;

  virtual ~TSPI();
  TSPI(const TSPI&) = delete;
  TSPI& operator=(const TSPI&) = delete;

  static const TSPIClass& Class();
  // Loads and describes the plug-in at file_name (see Initialize). Throws
  // ESPIFOpenErrorSPI or ESPIInvalidAPI; the plug-in is released then.
  static std::unique_ptr<TSPI> Create(const std::string& file_name);
  // A plug-in that runs in a host process, from its description; calls go
  // to host. Throws ESPIInvalidAPI when an entry point the kind requires is
  // missing.
  static std::unique_ptr<TSPI> CreateHosted(const TSPIDescription& description,
                                            std::shared_ptr<SpiHostCalls> host);

  virtual const TSPIClass& ClassType() const { return Class(); }

  // Verifies that the entry points this kind requires are present; throws
  // ESPIInvalidAPI naming the first one missing.
  virtual void CheckAPI() const;

  // The loaded module; not open for a plug-in that runs in a host process.
  const DynamicLibrary& Handle() const { return handle_; }
  // Whether the plug-in runs in a host process rather than in this one.
  bool IsHosted() const { return host_ != nullptr; }
  // The texts and entry points, as a host process would describe them.
  TSPIDescription Description() const;
  const std::string& FileName() const { return file_name_; }
  const std::string& APIVersion() const { return api_version_; }
  const std::string& PluginName() const { return plugin_name_; }
  // Filter strings, each one or more patterns separated by ";".
  const std::vector<std::string>& Extensions() const { return extensions_; }
  // The format name of the filter string at the same position.
  const std::vector<std::string>& Descriptions() const { return descriptions_; }

  // Calls through the entry points. Each throws ESPIInvalidAPI naming the
  // entry point when the plug-in does not export it, and otherwise returns
  // the plug-in's result unchanged.
  int GetPluginInfo(int index, char* buffer, int buffer_length) const;
  int IsSupported(const char* file_name, const void* data) const;
  int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag, PictureInfo* info) const;
  int GetPicture(const char* buffer, int32_t length, uint32_t flag, MurvaLocalHandle* info_handle,
                 MurvaLocalHandle* pixel_handle, SpiProgressCallback progress,
                 intptr_t user_value) const;

  // Whether the plug-in exports each entry point.
  bool HasGetPluginInfo() const { return (entries_ & kSpiEntryGetPluginInfo) != 0; }
  bool HasConfigurationDlg() const { return (entries_ & kSpiEntryConfigurationDlg) != 0; }
  bool HasIsSupported() const { return (entries_ & kSpiEntryIsSupported) != 0; }
  bool HasGetPictureInfo() const { return (entries_ & kSpiEntryGetPictureInfo) != 0; }
  bool HasGetPicture() const { return (entries_ & kSpiEntryGetPicture) != 0; }
  bool HasGetPreview() const { return (entries_ & kSpiEntryGetPreview) != 0; }
  bool HasGetArchiveInfo() const { return (entries_ & kSpiEntryGetArchiveInfo) != 0; }
  bool HasGetFileInfo() const { return (entries_ & kSpiEntryGetFileInfo) != 0; }
  bool HasGetFile() const { return (entries_ & kSpiEntryGetFile) != 0; }

 protected:
  TSPI() = default;

  // Builds an object of class T for file_name.
  template <class T>
  static std::unique_ptr<TSPI> Construct(const std::string& file_name) {
    std::unique_ptr<TSPI> spi(new T);
    spi->Initialize(file_name);
    return spi;
  }
  // Builds an object of class T for a plug-in in a host process.
  template <class T>
  static std::unique_ptr<TSPI> ConstructHosted(const TSPIDescription& description,
                                               std::shared_ptr<SpiHostCalls> host) {
    std::unique_ptr<TSPI> spi(new T);
    spi->InitializeHosted(description, std::move(host));
    return spi;
  }

  // Throws ESPIInvalidAPI with name and FileName when present is false.
  void Require(bool present, const char* name) const;

 private:
  // Loads the file, takes the module's file name from the loader, looks up
  // the entry points, runs CheckAPI of the actual class and reads the API
  // version, the name and the filter strings with their descriptions.
  void Initialize(const std::string& file_name);
  // Takes file name, entry points and texts from the description and runs
  // CheckAPI of the actual class.
  void InitializeHosted(const TSPIDescription& description, std::shared_ptr<SpiHostCalls> host);

  DynamicLibrary handle_;
  std::shared_ptr<SpiHostCalls> host_;
  std::uint32_t entries_ = 0;
  std::string file_name_;
  std::string api_version_;
  std::string plugin_name_;
  std::vector<std::string> extensions_;
  std::vector<std::string> descriptions_;

  SpiGetPluginInfoFn get_plugin_info_ = nullptr;
  SpiConfigurationDlgFn configuration_dlg_ = nullptr;
  SpiIsSupportedFn is_supported_ = nullptr;
  SpiGetPictureInfoFn get_picture_info_ = nullptr;
  SpiGetPictureFn get_picture_ = nullptr;
  SpiGetPreviewFn get_preview_ = nullptr;
  SpiGetArchiveInfoFn get_archive_info_ = nullptr;
  SpiGetFileInfoFn get_file_info_ = nullptr;
  SpiGetFileFn get_file_ = nullptr;
};

class TLoaderSPI : public TSPI {
 public:
  static const TSPIClass& Class();
  static std::unique_ptr<TSPI> Create(const std::string& file_name);
  static std::unique_ptr<TSPI> CreateHosted(const TSPIDescription& description,
                                            std::shared_ptr<SpiHostCalls> host);
  const TSPIClass& ClassType() const override { return Class(); }
  // Requires GetPluginInfo and IsSupported.
  void CheckAPI() const override;

 protected:
  TLoaderSPI() = default;
  friend class TSPI;
};

class TInSPI : public TLoaderSPI {
 public:
  static const TSPIClass& Class();
  static std::unique_ptr<TSPI> Create(const std::string& file_name);
  static std::unique_ptr<TSPI> CreateHosted(const TSPIDescription& description,
                                            std::shared_ptr<SpiHostCalls> host);
  const TSPIClass& ClassType() const override { return Class(); }
  // Requires GetPluginInfo, IsSupported, GetPictureInfo and GetPicture.
  void CheckAPI() const override;

 protected:
  TInSPI() = default;
  friend class TSPI;
};

class TAmSPI : public TLoaderSPI {
 public:
  static const TSPIClass& Class();
  static std::unique_ptr<TSPI> Create(const std::string& file_name);
  static std::unique_ptr<TSPI> CreateHosted(const TSPIDescription& description,
                                            std::shared_ptr<SpiHostCalls> host);
  const TSPIClass& ClassType() const override { return Class(); }
  // Requires GetPluginInfo, IsSupported, GetArchiveInfo, GetFileInfo and
  // GetFile.
  void CheckAPI() const override;

 protected:
  TAmSPI() = default;
  friend class TSPI;
};

class TXnSPI : public TSPI {
 public:
  static const TSPIClass& Class();
  static std::unique_ptr<TSPI> Create(const std::string& file_name);
  static std::unique_ptr<TSPI> CreateHosted(const TSPIDescription& description,
                                            std::shared_ptr<SpiHostCalls> host);
  const TSPIClass& ClassType() const override { return Class(); }
  // Requires GetPluginInfo.
  void CheckAPI() const override;

 protected:
  TXnSPI() = default;
  friend class TSPI;
};

// The plug-in class for an API version: "00IN" TInSPI, "00AM" TAmSPI,
// "00XN" TXnSPI, anything else TSPI (compared as a whole, with case).
const TSPIClass& SPIClassForVersion(const std::string& api_version);

// Loads file_name as a plain TSPI to learn its API version, then loads it
// again as the class that version asks for and releases the first object.
// Returns nothing when the file cannot be loaded or lacks an entry point its
// kind requires; other errors pass on.
std::unique_ptr<TSPI> CreateSPI(const std::string& file_name);

// The object of the class the description's API version asks for, for a
// plug-in that runs in a host process; nothing when it lacks an entry point
// its kind requires.
std::unique_ptr<TSPI> CreateHostedSPI(const TSPIDescription& description,
                                      std::shared_ptr<SpiHostCalls> host);

}  // namespace murva
