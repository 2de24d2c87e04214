// A loopback HTTP/HTTPS server for tests and benchmarks. A test says per path what the server
// answers (status, body, headers, charset, redirect, delay, silence, a throttled or chunked body)
// and afterwards reads back the requests the server saw, with their headers in the order sent.
// The server runs on its own threads; Serve, Redirect, Requests and ClearRequests may be called
// from any thread while it runs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace test {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// One request as the server read it off the wire.
struct SeenRequest {
  std::string method;
  std::string path;    // request target up to "?", exactly as sent (not percent-decoded)
  std::string query;   // text after "?", empty when there is none
  HeaderList headers;  // in the order sent, names as sent
  std::string body;

  // The first value of the header `name` (any case), empty when the request has none.
  std::string Header(std::string_view name) const;
};

// What the server answers on a path.
struct Reply {
  int status = 200;
  std::string body;
  // Sent as Content-Type; empty sends no Content-Type at all.
  std::string content_type = "text/plain; charset=utf-8";
  HeaderList headers;        // further headers; a name may repeat (several Set-Cookie lines)
  bool chunked = false;      // chunked transfer without Content-Length
  int bytes_per_second = 0;  // the body trickles at this rate; 0 sends it at once
  int delay_ms = 0;          // wait this long before the status line
  bool silent = false;       // never answer: the connection stays open until the server stops
};

// Computes a reply from the request; runs on a server thread.
using Handler = std::function<Reply(const SeenRequest&)>;

class TestServer {
 public:
  enum class Scheme { kHttp, kHttps };

  // Listens on 127.0.0.1 on a free port; ready for requests once the constructor returns. HTTPS
  // uses a certificate made for 127.0.0.1 and localhost (see CertificatePem).
  explicit TestServer(Scheme scheme = Scheme::kHttp);
  // Stops the server: wakes delayed and silent replies, closes every connection.
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>" (or https), no trailing slash.
  std::string BaseUrl() const;
  // BaseUrl() + path_and_query, e.g. Url("/a?b=1").
  std::string Url(std::string_view path_and_query) const;
  // PEM text of the server's certificate (trust it with http::TrustExtraRoot); empty for HTTP.
  const std::string& CertificatePem() const { return certificate_pem_; }

  // Every method on exactly `path` (without query) gets `reply`, replacing an earlier setting.
  // A path with no setting answers 404 with an empty body.
  void Serve(std::string path, Reply reply);
  void Serve(std::string path, Handler handler);
  // `path` answers `status` with a Location header `location` and an empty body.
  void Redirect(std::string path, std::string location, int status = 302);

  // The requests seen so far, oldest first; ClearRequests forgets them.
  std::vector<SeenRequest> Requests() const;
  void ClearRequests();
  // TCP connections accepted so far: shows whether a client reused its connection.
  int ConnectionCount() const { return connections_.load(); }

  class Engine;  // the cpp-httplib server underneath (test_server.cpp)

 private:
  friend class Engine;
  Reply Answer(const SeenRequest& request);
  // Waits up to `ms` milliseconds or until the server stops; false when it stops.
  bool WaitUnlessStopping(int ms);
  bool WaitUntilStopping();

  Scheme scheme_;
  std::string certificate_pem_;
  int port_ = 0;
  std::unique_ptr<Engine> engine_;
  std::thread thread_;
  std::atomic<int> connections_{0};
  std::atomic<bool> stopping_{false};

  mutable std::mutex mutex_;
  std::condition_variable stop_signal_;
  std::map<std::string, Handler> handlers_;
  std::vector<SeenRequest> requests_;
};

}  // namespace test
