// A minimal HTTP/1.1 server on 127.0.0.1 for the one page that cpp-httplib cannot serve: the
// QR service's request carries the share link unescaped, so its target has a second "?", which
// cpp-httplib 0.11 refuses with 400 before any handler runs. This server takes the request line
// as it stands, answers GET and HEAD with one reply per connection, and closes.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace demo {

struct HttpReply {
  int status = 200;
  std::string content_type;
  std::string body;
};

class RawHttpServer {
 public:
  // Called on the server's thread with the request target exactly as sent.
  using Handler = std::function<HttpReply(const std::string& target)>;

  RawHttpServer() = default;
  ~RawHttpServer();  // stops
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  // Binds a port the system picks and starts accepting; false when it cannot bind. Call once.
  bool Start(Handler handler);
  // Stops accepting and waits for the thread; a connection being answered is finished first.
  void Stop();
  bool running() const { return running_; }
  int port() const { return port_; }

 private:
  void Serve();
  void Answer(int connection);

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace demo
