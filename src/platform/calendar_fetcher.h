// Fetching a subscribed calendar over HTTP(S): the seam between the program
// and the network. The program asks for an address with the validators of
// the copy it holds; the answer is the new body, "not modified", or the
// reason it failed. The real fetcher uses Qt Network; tests put a fake here
// and test the real one against a server of their own on 127.0.0.1.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace murva {

struct CalendarFetchRequest {
  std::string url;            // https:// or http:// (webcal:// already turned into https://)
  std::string etag;           // of the copy held, for If-None-Match
  std::string last_modified;  // of the copy held, for If-Modified-Since
};

enum class FetchOutcome {
  kFetched,      // a new body came
  kNotModified,  // 304: the copy held is current
  kFailed,       // reason says why
};

struct CalendarFetchResult {
  FetchOutcome outcome = FetchOutcome::kFailed;
  std::string body;
  std::string etag;
  std::string last_modified;
  int status = 0;      // the HTTP status; 0 when no answer came
  std::string reason;  // why it failed (Japanese), never quoting the address
};

class CalendarFetcher {
 public:
  using Done = std::function<void(CalendarFetchResult)>;
  virtual ~CalendarFetcher() = default;
  // Starts the fetch; done is called once, later, from the event loop.
  virtual void Fetch(const CalendarFetchRequest& request, Done done) = 0;
};

// The limits of a fetch. A server that sends nothing for idle_seconds
// (while connecting or during the answer), or does not finish within
// total_seconds, is given up; so is a body over max_bytes and a chain of
// more than max_redirects redirects.
struct FetchLimits {
  int idle_seconds = 15;
  int total_seconds = 60;
  std::int64_t max_bytes = std::int64_t{32} << 20;
  int max_redirects = 5;
};

// The fetcher of Qt Network. Needs a running Qt event loop.
std::unique_ptr<CalendarFetcher> MakeNetworkCalendarFetcher(FetchLimits limits = {});

}  // namespace murva
