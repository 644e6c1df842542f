// libFuzzer target for the plug-in verdict file as it is read back from the
// cache: whatever it holds, the verdicts it gives are within their limits
// and written out and read again unchanged.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "imaging/plugin_verdicts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto verdicts = murva::PluginVerdicts::Decode(text);
  for (const auto& [plugin, verdict] : verdicts) {
    if (plugin.empty() || plugin.front() != '/' || plugin.size() > 4096 ||
        verdict.description.texts.extensions.size() > 1024) {
      std::abort();
    }
  }
  if (murva::PluginVerdicts::Decode(murva::PluginVerdicts::Encode(verdicts)) != verdicts) {
    std::abort();
  }
  return 0;
}
