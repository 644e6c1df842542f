#include "settings/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <mutex>

namespace murva {
namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `input` as possible, appending to `output`. Returns
  // the number of input bytes consumed; stops at the first byte sequence that
  // cannot be converted (or at an incomplete one at the end).
  std::size_t Convert(std::string_view input, std::string& output) {
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    char buffer[1024];
    while (in_left > 0) {
      char* out = buffer;
      std::size_t out_left = sizeof buffer;
      std::size_t result = iconv(cd_, &in, &in_left, &out, &out_left);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (result != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      break;  // EILSEQ or EINVAL: the caller decides what to do
    }
    return input.size() - in_left;
  }

  // Resets the shift state after an error.
  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// One converter per direction for the whole process, opened on first use
// and never closed. A descriptor keeps a shift state, so one conversion at a
// time uses it: the lock is held for a whole conversion, which starts from
// the initial state.
class SharedConverter {
 public:
  SharedConverter(const char* to, const char* from) : converter_(to, from) {}

  class Use {
   public:
    explicit Use(SharedConverter& shared) : lock_(shared.mutex_), converter_(shared.converter_) {
      if (converter_.Valid()) converter_.Reset();
    }
    Converter& operator*() const { return converter_; }
    Converter* operator->() const { return &converter_; }

   private:
    std::lock_guard<std::mutex> lock_;
    Converter& converter_;
  };

 private:
  std::mutex mutex_;
  Converter converter_;
};

// Never destroyed, so that conversions in other objects' destructors at
// exit still work.
SharedConverter& Decoder() {
  static SharedConverter* decoder = new SharedConverter(kUtf8, kCp932);
  return *decoder;
}

SharedConverter& Encoder() {
  static SharedConverter* encoder = new SharedConverter(kCp932, kUtf8);
  return *encoder;
}

std::optional<std::string> ConvertStrict(SharedConverter& shared, std::string_view input) {
  SharedConverter::Use converter(shared);
  if (!converter->Valid()) return std::nullopt;
  std::string output;
  output.reserve(input.size() * 3 / 2);
  if (converter->Convert(input, output) != input.size()) return std::nullopt;
  return output;
}

}  // namespace

std::optional<std::string> DecodeCp932(std::string_view bytes) {
  return ConvertStrict(Decoder(), bytes);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  return ConvertStrict(Encoder(), utf8);
}

std::string DecodeCp932Lossy(std::string_view bytes) {
  SharedConverter::Use converter(Decoder());
  std::string output;
  if (!converter->Valid()) return output;
  output.reserve(bytes.size() * 3 / 2);
  while (!bytes.empty()) {
    std::size_t used = converter->Convert(bytes, output);
    bytes.remove_prefix(used);
    if (bytes.empty()) break;
    // An undecodable byte (or a lead byte without its trail byte at the end).
    output += kReplacementCharacter;
    bytes.remove_prefix(1);
    converter->Reset();
  }
  return output;
}

std::string EncodeCp932Lossy(std::string_view utf8) {
  SharedConverter::Use converter(Encoder());
  std::string output;
  if (!converter->Valid()) return output;
  output.reserve(utf8.size());
  while (!utf8.empty()) {
    std::size_t used = converter->Convert(utf8, output);
    utf8.remove_prefix(used);
    if (utf8.empty()) break;
    // A character without a CP932 form (or a malformed UTF-8 sequence).
    output += '?';
    std::size_t skip = Utf8SequenceLength(static_cast<unsigned char>(utf8.front()));
    std::size_t i = 1;
    while (i < skip && i < utf8.size() &&
           (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) {
      ++i;
    }
    utf8.remove_prefix(i);
    converter->Reset();
  }
  return output;
}

}  // namespace murva
