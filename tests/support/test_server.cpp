#include "tests/support/test_server.h"

#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <strings.h>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>

#include "platform/http/self_signed_certificate.h"

namespace test {
namespace {

using Clock = std::chrono::steady_clock;

// One connection's byte stream, plain or TLS. It keeps every byte read, so that a request's
// headers can be read back in the order sent (the library sorts them by name), and it can be
// muted, so that a silent reply writes nothing.
class RecordingStream : public httplib::Stream {
 public:
  RecordingStream(socket_t sock, SSL* ssl, const std::atomic<bool>& stopping)
      : sock_(sock), ssl_(ssl), stopping_(stopping) {}

  bool is_readable() const override {
    return buffered_ < received_.size() || (ssl_ != nullptr && SSL_pending(ssl_) > 0) ||
           Wait(POLLIN, kReadTimeoutMs);
  }
  bool is_writable() const override { return !muted_ && Wait(POLLOUT, kWriteTimeoutMs); }

  // The library reads a request's lines one byte at a time: serve them from a buffer filled by
  // one receive, not with a system call per byte.
  ssize_t read(char* ptr, size_t size) override {
    if (buffered_ == received_.size()) {
      if (!is_readable()) {
        return -1;
      }
      received_.resize(kReceiveChunk);
      ssize_t n = ssl_ != nullptr
                      ? SSL_read(ssl_, received_.data(), static_cast<int>(kReceiveChunk))
                      : ::recv(sock_, received_.data(), kReceiveChunk, 0);
      received_.resize(n > 0 ? static_cast<size_t>(n) : 0);
      buffered_ = 0;
      if (n <= 0) {
        return -1;
      }
    }
    size_t n = std::min(size, received_.size() - buffered_);
    std::memcpy(ptr, received_.data() + buffered_, n);
    buffered_ += n;
    raw_.append(ptr, n);
    return static_cast<ssize_t>(n);
  }

  ssize_t write(const char* ptr, size_t size) override {
    if (!is_writable()) {
      return -1;
    }
    ssize_t n = ssl_ != nullptr
                    ? SSL_write(ssl_, ptr, static_cast<int>(std::min<size_t>(size, INT_MAX)))
                    : ::send(sock_, ptr, size, MSG_NOSIGNAL);
    return n > 0 ? n : -1;
  }

  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 0;
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 0;
  }
  socket_t socket() const override { return sock_; }

  // Waits until the socket is ready, the time-out passes or the server stops.
  bool Wait(short events, int timeout_ms) const {
    auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!stopping_.load()) {
      pollfd fd{sock_, events, 0};
      int ready = ::poll(&fd, 1, 20);
      if (ready != 0) {
        return ready > 0 && (fd.revents & (events | POLLHUP | POLLERR)) != 0;
      }
      if (Clock::now() >= until) {
        return false;
      }
    }
    return false;
  }

  // Marks where the next request's bytes begin.
  void MarkRequestStart() { request_start_ = raw_.size(); }
  // The header lines of the current request, in the order sent.
  HeaderList CurrentHeaders() const {
    HeaderList headers;
    std::size_t end = raw_.find("\r\n\r\n", request_start_);
    std::size_t line_start = raw_.find("\r\n", request_start_);  // skip the request line
    if (end == std::string::npos || line_start == std::string::npos) {
      return headers;
    }
    line_start += 2;
    while (line_start < end) {
      std::size_t line_end = raw_.find("\r\n", line_start);
      std::string line = raw_.substr(line_start, line_end - line_start);
      std::size_t colon = line.find(':');
      if (colon != std::string::npos) {
        std::size_t value_start = line.find_first_not_of(" \t", colon + 1);
        headers.emplace_back(line.substr(0, colon),
                             value_start == std::string::npos ? "" : line.substr(value_start));
      }
      line_start = line_end + 2;
    }
    return headers;
  }
  void Mute() { muted_ = true; }
  // Forgets what earlier requests sent, keeping what the current one has sent so far.
  void DropEarlierBytes() {
    raw_.erase(0, request_start_);
    request_start_ = 0;
  }

 private:
  static constexpr int kReadTimeoutMs = 5000;
  static constexpr int kWriteTimeoutMs = 5000;
  static constexpr size_t kReceiveChunk = 64 * 1024;

  socket_t sock_;
  SSL* ssl_;
  const std::atomic<bool>& stopping_;
  std::string received_;      // the last receive
  std::size_t buffered_ = 0;  // how much of it was read
  std::string raw_;           // every byte read, from the current request's start on
  std::size_t request_start_ = 0;
  bool muted_ = false;
};

thread_local RecordingStream* current_stream = nullptr;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         ::strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

}  // namespace

// The library's server with a connection loop of its own around the library's request handling:
// the loop reads through a RecordingStream and speaks TLS itself for HTTPS.
class TestServer::Engine : public httplib::Server {
 public:
  Engine(TestServer& owner, SSL_CTX* tls) : owner_(owner), tls_(tls) {}
  ~Engine() override {
    if (tls_ != nullptr) {
      SSL_CTX_free(tls_);
    }
  }

 private:
  bool process_and_close_socket(socket_t sock) override {
    owner_.connections_.fetch_add(1);
    int on = 1;
    ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    SSL* ssl = nullptr;
    bool ok = true;
    if (tls_ != nullptr) {
      ssl = SSL_new(tls_);
      ok = ssl != nullptr && SSL_set_fd(ssl, sock) == 1 && Handshake(ssl, sock);
    }
    if (ok) {
      RecordingStream stream(sock, ssl, owner_.stopping_);
      current_stream = &stream;
      while (svr_sock_ != INVALID_SOCKET && !owner_.stopping_.load() && stream.is_readable()) {
        stream.MarkRequestStart();
        bool connection_closed = false;
        if (!process_request(stream, false, connection_closed, nullptr) || connection_closed) {
          break;
        }
        stream.MarkRequestStart();
        stream.DropEarlierBytes();
      }
      current_stream = nullptr;
    }
    if (ssl != nullptr) {
      SSL_shutdown(ssl);
      SSL_free(ssl);
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ok;
  }

  // The accepted socket blocks; a client that never finishes its handshake is left after 5 s.
  bool Handshake(SSL* ssl, socket_t sock) {
    timeval timeout{5, 0};
    ::setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    return SSL_accept(ssl) == 1;
  }

  TestServer& owner_;
  SSL_CTX* tls_;
};

std::string SeenRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (key.size() == name.size() && StartsWithNoCase(key, name)) {
      return value;
    }
  }
  return {};
}

namespace {

SSL_CTX* MakeTlsContext(const http::SelfSignedCertificate& certificate) {
  SSL_CTX* context = SSL_CTX_new(TLS_server_method());
  BIO* cert_bio = BIO_new_mem_buf(certificate.certificate_pem.data(),
                                  static_cast<int>(certificate.certificate_pem.size()));
  BIO* key_bio = BIO_new_mem_buf(certificate.private_key_pem.data(),
                                 static_cast<int>(certificate.private_key_pem.size()));
  X509* cert = PEM_read_bio_X509(cert_bio, nullptr, nullptr, nullptr);
  EVP_PKEY* key = PEM_read_bio_PrivateKey(key_bio, nullptr, nullptr, nullptr);
  bool ok = context != nullptr && cert != nullptr && key != nullptr &&
            SSL_CTX_use_certificate(context, cert) == 1 &&
            SSL_CTX_use_PrivateKey(context, key) == 1;
  X509_free(cert);
  EVP_PKEY_free(key);
  BIO_free(cert_bio);
  BIO_free(key_bio);
  if (!ok) {
    SSL_CTX_free(context);
    return nullptr;
  }
  return context;
}

// Writes the next slice of `body` from `offset`, waiting first so that the bytes since
// `first_offset` keep to the reply's rate (no wait when it is 0). False when the server stops or
// the client has gone.
bool WriteSlice(const std::string& body, std::size_t offset, std::size_t length, const Reply& reply,
                Clock::time_point start, std::size_t first_offset,
                const std::function<bool(int)>& wait, httplib::DataSink& sink) {
  std::size_t slice = 64 * 1024;
  if (reply.bytes_per_second > 0) {
    slice = std::max<std::size_t>(1, static_cast<std::size_t>(reply.bytes_per_second) / 50);
    auto due = start + std::chrono::microseconds(static_cast<long long>(
                           (offset - first_offset) * 1000000.0 / reply.bytes_per_second));
    auto wait_ms = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now());
    if (wait_ms.count() > 0 && !wait(static_cast<int>(wait_ms.count()))) {
      return false;
    }
  }
  std::size_t n = std::min({slice, length, body.size() - std::min(offset, body.size())});
  return n > 0 && sink.write(body.data() + offset, n);
}

}  // namespace

TestServer::TestServer(Scheme scheme) : scheme_(scheme) {
  // A client that hangs up mid-body must not kill the test with SIGPIPE (TLS writes use write()).
  ::signal(SIGPIPE, SIG_IGN);
  SSL_CTX* tls = nullptr;
  if (scheme_ == Scheme::kHttps) {
    http::SelfSignedCertificate certificate = http::MakeSelfSignedCertificate();
    certificate_pem_ = certificate.certificate_pem;
    tls = MakeTlsContext(certificate);
  }
  engine_ = std::make_unique<Engine>(*this, tls);
  engine_->set_tcp_nodelay(true);
  engine_->set_keep_alive_max_count(1000000);

  auto route = [this](const httplib::Request& request, httplib::Response& response) {
    SeenRequest seen;
    seen.method = request.method;
    std::size_t question = request.target.find('?');
    seen.path = request.target.substr(0, question);
    if (question != std::string::npos) {
      seen.query = request.target.substr(question + 1);
    }
    if (current_stream != nullptr) {
      seen.headers = current_stream->CurrentHeaders();
    }
    seen.body = request.body;
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(seen);
    }
    Reply reply = Answer(seen);
    if (reply.silent) {
      WaitUntilStopping();
      if (current_stream != nullptr) {
        current_stream->Mute();
      }
      return;
    }
    if (reply.delay_ms > 0 && !WaitUnlessStopping(reply.delay_ms)) {
      if (current_stream != nullptr) {
        current_stream->Mute();
      }
      return;
    }
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers) {
      response.headers.emplace(name, value);
    }
    if (!reply.chunked && reply.bytes_per_second == 0) {
      response.body = reply.body;
      if (!reply.content_type.empty()) {
        response.set_header("Content-Type", reply.content_type);
      }
      return;
    }
    auto body = std::make_shared<std::string>(std::move(reply.body));
    auto shared_reply = std::make_shared<Reply>(std::move(reply));
    auto start = std::make_shared<std::pair<Clock::time_point, std::size_t>>(Clock::now(), 0);
    auto wait = [this](int ms) { return WaitUnlessStopping(ms); };
    if (shared_reply->chunked) {
      response.set_chunked_content_provider(
          shared_reply->content_type,
          [body, shared_reply, start, wait](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= body->size()) {
              sink.done();
              return true;
            }
            return WriteSlice(*body, offset, body->size() - offset, *shared_reply, start->first, 0,
                              wait, sink);
          });
    } else {
      response.set_content_provider(
          body->size(), shared_reply->content_type,
          [body, shared_reply, start, wait](std::size_t offset, std::size_t length,
                                            httplib::DataSink& sink) {
            if (start->second == 0) {
              start->second = offset + 1;  // a range request starts the clock at its offset
            }
            return WriteSlice(*body, offset, length, *shared_reply, start->first, start->second - 1,
                              wait, sink);
          });
    }
  };
  engine_->Get(".*", route);
  engine_->Post(".*", route);
  engine_->Put(".*", route);
  engine_->Patch(".*", route);
  engine_->Delete(".*", route);
  engine_->Options(".*", route);

  port_ = engine_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { engine_->listen_after_bind(); });
  while (!engine_->is_running()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

TestServer::~TestServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_signal_.notify_all();
  engine_->stop();
  thread_.join();
}

std::string TestServer::BaseUrl() const {
  return std::string(scheme_ == Scheme::kHttps ? "https" : "http") +
         "://127.0.0.1:" + std::to_string(port_);
}

std::string TestServer::Url(std::string_view path_and_query) const {
  return BaseUrl() + std::string(path_and_query);
}

void TestServer::Serve(std::string path, Reply reply) {
  Serve(std::move(path), [reply = std::move(reply)](const SeenRequest&) { return reply; });
}

void TestServer::Serve(std::string path, Handler handler) {
  std::lock_guard lock(mutex_);
  handlers_[std::move(path)] = std::move(handler);
}

void TestServer::Redirect(std::string path, std::string location, int status) {
  Reply reply;
  reply.status = status;
  reply.content_type.clear();
  reply.headers.emplace_back("Location", std::move(location));
  Serve(std::move(path), std::move(reply));
}

std::vector<SeenRequest> TestServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void TestServer::ClearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

Reply TestServer::Answer(const SeenRequest& request) {
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    auto found = handlers_.find(request.path);
    if (found == handlers_.end()) {
      Reply missing;
      missing.status = 404;
      missing.content_type.clear();
      return missing;
    }
    handler = found->second;
  }
  return handler(request);
}

bool TestServer::WaitUnlessStopping(int ms) {
  std::unique_lock lock(mutex_);
  return !stop_signal_.wait_for(lock, std::chrono::milliseconds(ms),
                                [this] { return stopping_.load(); });
}

bool TestServer::WaitUntilStopping() {
  std::unique_lock lock(mutex_);
  stop_signal_.wait(lock, [this] { return stopping_.load(); });
  return true;
}

}  // namespace test
