#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "platform/calendar_fetcher.h"

namespace murva {
namespace {

std::string StatusReason(int status) {
  const std::string code = "（HTTP " + std::to_string(status) + "）";
  if (status == 401 || status == 403) return "アクセスが拒否されました" + code;
  if (status == 404 || status == 410) return "カレンダが見つかりません" + code;
  if (status >= 500) return "サーバのエラーです" + code;
  return "サーバが予期しない答えを返しました" + code;
}

// The reason of a network error, in the program's words: Qt's own texts
// quote the address, which must never be shown.
std::string ErrorReason(QNetworkReply::NetworkError error, int idle_seconds) {
  switch (error) {
    case QNetworkReply::ConnectionRefusedError: return "接続を拒否されました";
    case QNetworkReply::RemoteHostClosedError: return "サーバが接続を切りました";
    case QNetworkReply::HostNotFoundError: return "サーバが見つかりません（ネットワークに接続されていないかもしれません）";
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
      return "サーバが " + std::to_string(idle_seconds) + " 秒以上応答しません";
    case QNetworkReply::SslHandshakeFailedError: return "サーバの証明書を確認できません（安全な接続ができません）";
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError: return "ネットワークに接続されていません";
    case QNetworkReply::TooManyRedirectsError: return "転送（リダイレクト）が多すぎます";
    case QNetworkReply::InsecureRedirectError: return "安全でない転送先（https から http）へは進みません";
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError: return "プロキシに接続できません";
    case QNetworkReply::ProtocolUnknownError: return "https:// か http:// のアドレスではありません";
    default: return "通信に失敗しました（コード " + std::to_string(static_cast<int>(error)) + "）";
  }
}

class NetworkCalendarFetcher final : public CalendarFetcher {
 public:
  explicit NetworkCalendarFetcher(FetchLimits limits) : limits_(limits) {}
  // Fetches still under way end unanswered: nobody waits for them any more.
  ~NetworkCalendarFetcher() override {
    for (QNetworkReply* reply : manager_.findChildren<QNetworkReply*>()) {
      reply->disconnect();
      reply->abort();
    }
  }

  void Fetch(const CalendarFetchRequest& request, Done done) override {
    const QUrl url(QString::fromStdString(request.url), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "https" && url.scheme() != "http") ||
        url.host().isEmpty()) {
      CalendarFetchResult result;
      result.reason = "アドレスの形が正しくありません";
      QTimer::singleShot(0, [done = std::move(done), result] { done(result); });
      return;
    }
    QNetworkRequest network_request(url);
    network_request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                 QNetworkRequest::NoLessSafeRedirectPolicy);
    network_request.setMaximumRedirectsAllowed(limits_.max_redirects);
    network_request.setTransferTimeout(limits_.idle_seconds * 1000);
    network_request.setHeader(QNetworkRequest::UserAgentHeader, "murva32");
    network_request.setRawHeader("Accept", "text/calendar, */*;q=0.5");
    if (!request.etag.empty()) {
      network_request.setRawHeader("If-None-Match", QByteArray::fromStdString(request.etag));
    }
    if (!request.last_modified.empty()) {
      network_request.setRawHeader("If-Modified-Since",
                                   QByteArray::fromStdString(request.last_modified));
    }
    QNetworkReply* reply = manager_.get(network_request);
    auto body = std::make_shared<QByteArray>();
    auto failure = std::make_shared<std::string>();
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, failure, this] {
      *failure = "サーバが " + std::to_string(limits_.total_seconds) + " 秒以内に答え終えません";
      reply->abort();
    });
    deadline->start(limits_.total_seconds * 1000);
    const std::int64_t limit = limits_.max_bytes;
    const auto too_large = [failure, limit] {
      *failure = "大きすぎます（上限 " + std::to_string(limit >> 20) + " MiB）";
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limit, too_large] {
      const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
      if (length.isValid() && length.toLongLong() > limit) {
        too_large();
        reply->abort();
      }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, limit, too_large] {
      body->append(reply->readAll());
      if (body->size() > limit) {
        too_large();
        reply->abort();
      }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [this, reply, body, failure, done = std::move(done)] {
                       reply->deleteLater();
                       done(Finish(*reply, *body, *failure));
                     });
  }

 private:
  CalendarFetchResult Finish(QNetworkReply& reply, QByteArray& body, const std::string& failure) {
    CalendarFetchResult result;
    result.status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!failure.empty()) {
      result.reason = failure;
      return result;
    }
    if (reply.error() != QNetworkReply::NoError && result.status < 400) {
      result.reason = ErrorReason(reply.error(), limits_.idle_seconds);
      return result;
    }
    if (result.status == 304) {
      result.outcome = FetchOutcome::kNotModified;
      return result;
    }
    if (result.status != 200) {
      result.reason = StatusReason(result.status);
      return result;
    }
    body.append(reply.readAll());
    if (body.size() > limits_.max_bytes) {
      result.reason = "大きすぎます（上限 " + std::to_string(limits_.max_bytes >> 20) + " MiB）";
      return result;
    }
    result.outcome = FetchOutcome::kFetched;
    result.body = body.toStdString();
    result.etag = reply.rawHeader("ETag").toStdString();
    result.last_modified = reply.rawHeader("Last-Modified").toStdString();
    return result;
  }

  FetchLimits limits_;
  QNetworkAccessManager manager_;
};

}  // namespace

std::unique_ptr<CalendarFetcher> MakeNetworkCalendarFetcher(FetchLimits limits) {
  return std::make_unique<NetworkCalendarFetcher>(limits);
}

}  // namespace murva
