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
#include <memory>
#include <string>
#include <vector>

#include "murva_spi.h"
#include "platform/dynamic_library.h"

namespace murva {

class TSPI;

// Names a plug-in class: tells whether an object is of the class (or one of
// its subclasses) and constructs a new object of it from a file name.
struct TSPIClass {
  const char* class_name;
  bool (*is_instance)(const TSPI& spi);
  std::unique_ptr<TSPI> (*create)(const std::string& file_name);
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

  virtual const TSPIClass& ClassType() const { return Class(); }

  // Verifies that the entry points this kind requires are present; throws
  // ESPIInvalidAPI naming the first one missing.
  virtual void CheckAPI() const;

  const DynamicLibrary& Handle() const { return handle_; }
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
  bool HasGetPluginInfo() const { return get_plugin_info_ != nullptr; }
  bool HasConfigurationDlg() const { return configuration_dlg_ != nullptr; }
  bool HasIsSupported() const { return is_supported_ != nullptr; }
  bool HasGetPictureInfo() const { return get_picture_info_ != nullptr; }
  bool HasGetPicture() const { return get_picture_ != nullptr; }
  bool HasGetPreview() const { return get_preview_ != nullptr; }
  bool HasGetArchiveInfo() const { return get_archive_info_ != nullptr; }
  bool HasGetFileInfo() const { return get_file_info_ != nullptr; }
  bool HasGetFile() const { return get_file_ != nullptr; }

 protected:
  TSPI() = default;

  // Builds an object of class T for file_name.
  template <class T>
  static std::unique_ptr<TSPI> Construct(const std::string& file_name) {
    std::unique_ptr<TSPI> spi(new T);
    spi->Initialize(file_name);
    return spi;
  }

  // Throws ESPIInvalidAPI with name and FileName when present is false.
  void Require(bool present, const char* name) const;

 private:
  // Loads the file, takes the module's file name from the loader, looks up
  // the entry points, runs CheckAPI of the actual class and reads the API
  // version, the name and the filter strings with their descriptions.
  void Initialize(const std::string& file_name);
  std::string PluginInfoText(int index, bool& answered) const;

  DynamicLibrary handle_;
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

}  // namespace murva
