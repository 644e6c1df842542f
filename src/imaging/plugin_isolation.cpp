#include "imaging/plugin_isolation.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <system_error>
#include <thread>

#include "imaging/spis.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

// New plug-ins are tried this many at a time.
constexpr std::size_t kParallelVetting = 8;

fs::path Canonical(const fs::path& path) {
  std::error_code error;
  fs::path canonical = fs::canonical(path, error);
  return error ? path.lexically_normal() : canonical;
}

PluginVerdict Faulty(const PluginFileStamp& stamp, std::string reason) {
  PluginVerdict verdict;
  verdict.stamp = stamp;
  verdict.kind = PluginVerdictKind::kFaulty;
  verdict.reason = std::move(reason);
  return verdict;
}

PluginVerdict Unusable(const PluginFileStamp& stamp) {
  PluginVerdict verdict;
  verdict.stamp = stamp;
  return verdict;
}

}  // namespace

void PluginIsolation::SetOutput(HostedPlugin& host, const std::string& file_name) const {
  if (!settings_.output) return;
  host.SetOutputHandler([output = settings_.output, file_name](const std::string& line) {
    output(file_name, line);
  });
}

std::string PluginFaultMessage(const std::string& file_name, const HostFault& fault) {
  const std::string where = fault.entry.empty() ? std::string("読み込み") : fault.entry;
  if (fault.hung) {
    return file_name + ":Susie Pluginが応答しません（" + where +
           "）。ファイルが更新されるまで使いません";
  }
  if (fault.out_of_memory) {
    return file_name + ":Susie Pluginがメモリの上限（" +
           std::to_string(kSpiHostAddressSpace >> 30) + " GiB）を超えました（" + where +
           "）。ファイルが更新されるまで使いません";
  }
  return file_name + ":Susie Pluginが異常終了しました（" + where + "：" + fault.what +
         "）。ファイルが更新されるまで使いません";
}

PluginIsolation::PluginIsolation(PluginIsolationSettings settings)
    : settings_(std::move(settings)), verdicts_(settings_.verdict_file) {
  for (const fs::path& folder : settings_.shipped_folders) {
    if (!folder.empty()) shipped_folders_.push_back(Canonical(folder));
  }
}

bool PluginIsolation::IsShipped(const std::string& file_name) const {
  const fs::path file = Canonical(file_name);
  const std::string name = file.filename().string();
  if (std::find(settings_.shipped_names.begin(), settings_.shipped_names.end(), name) ==
      settings_.shipped_names.end()) {
    return false;
  }
  return std::find(shipped_folders_.begin(), shipped_folders_.end(), file.parent_path()) !=
         shipped_folders_.end();
}

PluginIsolation::VetResult PluginIsolation::VetOne(const std::string& file_name,
                                                   const PluginFileStamp& stamp) const {
  if (settings_.host_program.empty()) {
    return {std::nullopt, file_name + ":Susie Pluginを試すプログラム murva32-spi-host "
                                      "が見つからないため使いません"};
  }
  // Describing itself and looking at a sample are quick for any plug-in:
  // the calls of the vetting get no more time than the start.
  HostedPluginTimeouts timeouts = settings_.timeouts;
  timeouts.answer = std::min(timeouts.answer, timeouts.start);
  auto host = std::make_shared<HostedPlugin>(settings_.host_program, file_name, timeouts);
  SetOutput(*host, file_name);
  std::optional<HostFault> fault;
  host->SetFaultHandler([&fault](const HostFault& found) { fault = found; });
  auto failed = [&]() -> VetResult {
    if (fault->plugin_at_fault) return {Faulty(stamp, PluginFaultMessage(file_name, *fault)), ""};
    return {std::nullopt, file_name + ":Susie Pluginを試せないため使いません（" + fault->what + "）"};
  };

  const std::optional<HostedPlugin::Ready> ready = host->Start();
  if (!ready) return failed();
  // A file that does not load, or lacks what its kind needs, is simply not
  // used, as when it is loaded here.
  if (!ready->loaded || (ready->entries & kSpiEntryGetPluginInfo) == 0) {
    return {Unusable(stamp), ""};
  }
  TSPIDescription description;
  description.file_name = ready->file_name.empty() ? file_name : ready->file_name;
  description.entries = ready->entries;
  description.texts = ReadPluginTexts([&host](int index, char* buffer, int length) {
    return host->GetPluginInfo(index, buffer, length);
  });
  if (fault) return failed();
  std::unique_ptr<TSPI> spi = CreateHostedSPI(description, host);
  if (!spi) return {Unusable(stamp), ""};
  if (spi->HasIsSupported()) {
    // A sample under the first extension the plug-in claims.
    std::string sample = "sample";
    if (!description.texts.extensions.empty()) {
      sample += ExtractFileExt(description.texts.extensions.front().substr(
          0, description.texts.extensions.front().find(';')));
    }
    const std::array<char, SPI_SUPPORT_CHECK_BYTES> zeros{};
    spi->IsSupported(sample.c_str(), zeros.data());
    if (fault) return failed();
  }
  PluginVerdict verdict;
  verdict.stamp = stamp;
  verdict.kind = PluginVerdictKind::kUsable;
  verdict.description = std::move(description);
  return {std::move(verdict), ""};
}

void PluginIsolation::Vet(const std::vector<std::string>& file_names) {
  struct Job {
    std::string file_name;
    PluginFileStamp stamp;
    VetResult result;
  };
  std::vector<Job> jobs;
  {
    std::lock_guard lock(mutex_);
    for (const std::string& file_name : file_names) {
      if (IsShipped(file_name)) continue;
      const std::optional<PluginFileStamp> stamp = StampOf(file_name);
      if (!stamp || verdicts_.Find(file_name, *stamp) != nullptr) continue;
      if (std::any_of(jobs.begin(), jobs.end(),
                      [&](const Job& job) { return job.file_name == file_name; })) {
        continue;
      }
      jobs.push_back({file_name, *stamp, {}});
    }
  }
  // A few workers take the plug-ins one after the other, so that the ones
  // that hang wait out their time together.
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < std::min(jobs.size(), kParallelVetting); ++i) {
    workers.emplace_back([this, &jobs, &next] {
      for (std::size_t job = next++; job < jobs.size(); job = next++) {
        jobs[job].result = VetOne(jobs[job].file_name, jobs[job].stamp);
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  std::vector<std::pair<std::string, std::string>> notices;
  {
    std::lock_guard lock(mutex_);
    for (Job& job : jobs) {
      if (job.result.verdict) {
        verdicts_.Put(job.file_name, std::move(*job.result.verdict));
        just_vetted_.insert(job.file_name);
      } else {
        notices.emplace_back(job.file_name, job.result.notice);
      }
    }
    verdicts_.Save();
  }
  for (auto& [file_name, text] : notices) Notice(file_name, std::move(text), false);
}

std::unique_ptr<TSPI> PluginIsolation::Create(const std::string& file_name) {
  if (IsShipped(file_name)) return CreateSPI(file_name);
  const std::optional<PluginFileStamp> stamp = StampOf(file_name);
  if (!stamp) return nullptr;
  Vet({file_name});
  PluginVerdict verdict;
  bool fresh = false;
  {
    std::lock_guard lock(mutex_);
    const PluginVerdict* found = verdicts_.Find(file_name, *stamp);
    if (found == nullptr) return nullptr;
    verdict = *found;
    fresh = just_vetted_.contains(file_name);
  }
  switch (verdict.kind) {
    case PluginVerdictKind::kUnusable:
      return nullptr;
    case PluginVerdictKind::kFaulty:
      Notice(file_name, verdict.reason, fresh);
      return nullptr;
    case PluginVerdictKind::kUsable:
      break;
  }
  auto host = std::make_shared<HostedPlugin>(settings_.host_program, file_name, settings_.timeouts);
  SetOutput(*host, file_name);
  std::weak_ptr<PluginIsolation> self = weak_from_this();
  host->SetFaultHandler([self, file_name](const HostFault& fault) {
    if (auto isolation = self.lock()) isolation->RecordFault(file_name, fault);
  });
  return CreateHostedSPI(verdict.description, std::move(host));
}

void PluginIsolation::RecordFault(const std::string& file_name, const HostFault& fault) {
  if (!fault.plugin_at_fault) {
    Notice(file_name, file_name + ":Susie Pluginを使えません（" + fault.what + "）", false);
    return;
  }
  std::string message = PluginFaultMessage(file_name, fault);
  if (const std::optional<PluginFileStamp> stamp = StampOf(file_name)) {
    std::lock_guard lock(mutex_);
    verdicts_.Put(file_name, Faulty(*stamp, message));
    verdicts_.Save();
  }
  Notice(file_name, std::move(message), true);
}

void PluginIsolation::Notice(const std::string& file_name, std::string text, bool fresh) {
  std::function<void(const PluginNotice&)> handler;
  PluginNotice notice{std::move(text), fresh};
  {
    std::lock_guard lock(mutex_);
    // Each plug-in is named once per run.
    if (!noticed_.insert(file_name).second) return;
    notices_.push_back(notice);
    handler = notice_handler_;
  }
  if (handler) handler(notice);
}

std::vector<PluginNotice> PluginIsolation::TakeNotices() {
  std::lock_guard lock(mutex_);
  return std::exchange(notices_, {});
}

void PluginIsolation::SetNoticeHandler(std::function<void(const PluginNotice&)> handler) {
  std::lock_guard lock(mutex_);
  notice_handler_ = std::move(handler);
}

}  // namespace murva
