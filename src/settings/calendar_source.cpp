#include "settings/calendar_source.h"

#include <algorithm>
#include <cctype>

namespace murva {
namespace {

constexpr std::string_view kMask = "…";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

constexpr std::string_view kSchemes[] = {"https://", "http://", "webcal://"};

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  if (what.empty()) return;
  for (std::size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + with.size())) {
    text.replace(at, what.size(), with);
  }
}

}  // namespace

CalendarKind CalendarSource::Kind() const { return KindOfAddress(address); }

CalendarKind KindOfAddress(std::string_view address) {
  for (std::string_view scheme : kSchemes) {
    if (StartsWithNoCase(address, scheme)) return CalendarKind::kSubscription;
  }
  return CalendarKind::kFile;
}

std::string FetchAddressOf(std::string_view address) {
  if (StartsWithNoCase(address, "webcal://")) {
    return "https://" + std::string(address.substr(std::string_view("webcal://").size()));
  }
  return std::string(address);
}

std::string MaskedAddress(std::string_view address) {
  if (KindOfAddress(address) == CalendarKind::kFile) return std::string(address);
  const std::size_t scheme_end = address.find("://") + 3;
  std::string_view rest = address.substr(scheme_end);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  // user:password@host
  if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos) {
    rest = rest.substr(at + 1);
  }
  const bool plain_host = !rest.empty() && std::all_of(rest.begin(), rest.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']' ||
           byte >= 0x80;
  });
  std::string scheme(address.substr(0, scheme_end));
  std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (!plain_host) return scheme + std::string(kMask);
  return scheme + std::string(rest) + "/" + std::string(kMask);
}

std::string SourceLabel(const CalendarSource& source) {
  const std::string masked = MaskedAddress(source.address);
  if (source.name.empty()) return "（" + masked + "）";
  return "「" + source.name + "」（" + masked + "）";
}

std::string ScrubAddress(std::string text, std::string_view address) {
  if (KindOfAddress(address) == CalendarKind::kFile) return text;
  const std::string masked = MaskedAddress(address);
  const std::string fetched = FetchAddressOf(address);
  // The longer forms first, so that a shorter one never leaves a tail.
  ReplaceAll(text, fetched, masked);
  ReplaceAll(text, address, masked);
  // The address without its scheme (with and without a user), and its path
  // alone, as some messages quote them.
  const std::size_t scheme_end = address.find("://");
  if (scheme_end != std::string_view::npos) {
    const std::string_view bare = address.substr(scheme_end + 3);
    const std::size_t path_start = bare.find_first_of("/?#");
    const std::string_view authority = bare.substr(0, path_start);
    const std::size_t at = authority.rfind('@');
    const std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
    const std::string masked_bare = masked.substr(masked.find("://") + 3);
    if (path_start != std::string_view::npos) {
      const std::string_view path = bare.substr(path_start);
      ReplaceAll(text, bare, masked_bare);
      ReplaceAll(text, std::string(host) + std::string(path), masked_bare);
      if (path.size() > 1) ReplaceAll(text, path, "/" + std::string(kMask));
    }
    if (at != std::string_view::npos) ReplaceAll(text, authority, std::string(host));
  }
  return text;
}

}  // namespace murva
