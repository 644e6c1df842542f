// A small HTTP server on 127.0.0.1 for the tests of calendar subscriptions:
// it runs in a thread of its own (so that a test may wait for a child
// process meanwhile) and answers every request with what the test's
// handler gives: a status, headers, a body, optionally after a delay.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QHostAddress>
#include <QMetaObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace murva::testing {

class LocalHttpServer {
 public:
  struct Request {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers;  // names in lower case
  };
  struct Response {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    int delay_ms = 0;  // before anything is sent
  };
  using Handler = std::function<Response(const Request&)>;

  explicit LocalHttpServer(Handler handler) : LocalHttpServer(std::move(handler), std::nullopt) {}

  // Over TLS with the given certificate and key: Url() then gives https.
  LocalHttpServer(Handler handler, std::optional<QSslConfiguration> tls)
      : handler_(std::move(handler)), tls_(tls.has_value()) {
    anchor_.moveToThread(&thread_);
    thread_.start();
    std::promise<int> port;
    auto started = port.get_future();
    QMetaObject::invokeMethod(
        &anchor_, [this, &port, &tls] {
          if (tls) {
            auto* secure = new QSslServer();
            secure->setSslConfiguration(*tls);
            server_ = secure;
          } else {
            server_ = new QTcpServer();
          }
          server_->listen(QHostAddress::LocalHost, 0);
          QObject::connect(server_, &QTcpServer::newConnection, server_, [this] { Accept(); });
          port.set_value(server_->serverPort());
        });
    port_ = started.get();
  }

  ~LocalHttpServer() {
    QMetaObject::invokeMethod(&anchor_, [this] { delete server_; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }

  int Port() const { return port_; }
  std::string Url(const std::string& path) const {
    return (tls_ ? "https" : "http") + std::string("://127.0.0.1:") + std::to_string(port_) + path;
  }
  int RequestCount() const { return requests_.load(); }

 private:
  void Accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
        buffer->append(socket->readAll());
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0 || socket->property("answered").toBool()) return;
        socket->setProperty("answered", true);
        ++requests_;
        const Response response = handler_(Parse(buffer->left(end)));
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(response.delay_ms, socket, [guarded, response] {
          if (!guarded) return;
          guarded->write(Serialize(response));
          guarded->disconnectFromHost();
        });
      });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  }

  static Request Parse(const QByteArray& head) {
    Request request;
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0).toStdString();
    request.path = first.value(1).toStdString();
    for (qsizetype i = 1; i < lines.size(); ++i) {
      const qsizetype colon = lines[i].indexOf(':');
      if (colon < 0) continue;
      request.headers[lines[i].left(colon).trimmed().toLower().toStdString()] =
          lines[i].mid(colon + 1).trimmed().toStdString();
    }
    return request;
  }

  static QByteArray Serialize(const Response& response) {
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(response.status) + " Answer\r\n";
    bool length = false;
    for (const auto& [name, value] : response.headers) {
      bytes += QByteArray::fromStdString(name + ": " + value + "\r\n");
      if (name == "Content-Length") length = true;
    }
    if (!length) bytes += "Content-Length: " + QByteArray::number(qsizetype(response.body.size())) + "\r\n";
    bytes += "Connection: close\r\n\r\n";
    bytes += QByteArray::fromStdString(response.body);
    return bytes;
  }

  Handler handler_;
  bool tls_ = false;
  QThread thread_;
  QObject anchor_;
  QTcpServer* server_ = nullptr;
  int port_ = 0;
  std::atomic<int> requests_{0};
};

}  // namespace murva::testing
