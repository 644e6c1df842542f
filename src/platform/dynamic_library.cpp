#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace murva {

DynamicLibrary::~DynamicLibrary() { Close(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), last_error_(std::move(other.last_error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
    last_error_ = std::move(other.last_error_);
  }
  return *this;
}

bool DynamicLibrary::Open(const std::string& path) {
  Close();
  last_error_.clear();
  if (path.empty()) {
    last_error_ = "empty file name";
    return false;
  }
  // dlopen searches the library path for a bare name; a module name here is
  // always a file, so it is made a full path (relative to the current
  // folder), which is also the name the loader then reports for it.
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  std::string load_path = error ? path : full.lexically_normal().string();
  dlerror();
  handle_ = dlopen(load_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* message = dlerror();
    last_error_ = message != nullptr ? message : "cannot load " + path;
    return false;
  }
  return true;
}

void DynamicLibrary::Close() {
  if (handle_ != nullptr) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

void* DynamicLibrary::Symbol(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return dlsym(handle_, name);
}

std::string DynamicLibrary::FileName() const {
  if (handle_ == nullptr) return {};
  link_map* map = nullptr;
  if (dlinfo(handle_, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr) {
    return {};
  }
  return map->l_name;
}

std::string ModuleFileNameOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

std::string ExecutableFileName() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace murva
