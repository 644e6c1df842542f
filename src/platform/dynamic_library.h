#pragma once

// Loading shared objects at run time (dlopen / dlsym / dlclose) and asking
// the loader for module file names.

#include <string>

namespace murva {

// One reference to a loaded shared object; closing (or destroying) the
// object releases that reference. Loading the same file twice gives two
// references to one module, as the loader counts them.
class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads the file at path with every symbol bound at once, so a module
  // that needs something the process does not offer fails here rather than
  // at its first call. A path without "/" is taken relative to the current
  // folder, never searched for along the library path; the loader records
  // the full path. Returns false and
  // keeps the loader's message in LastError() on failure. Closes any module
  // this object held before.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

  // Address of the exported symbol name, or nullptr when the module does
  // not export it (or nothing is loaded).
  void* Symbol(const char* name) const;

  // The module's file name as the loader records it; empty when nothing is
  // loaded or the loader does not say.
  std::string FileName() const;

  const std::string& LastError() const { return last_error_; }

 private:
  void* handle_ = nullptr;
  std::string last_error_;
};

// File name of the module (executable or shared object) that contains
// address; empty when the loader does not know it.
std::string ModuleFileNameOf(const void* address);

// Full file name of the running executable; empty when it cannot be told.
std::string ExecutableFileName();

}  // namespace murva
