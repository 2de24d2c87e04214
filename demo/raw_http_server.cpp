#include "demo/raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace demo {
namespace {

constexpr std::size_t kMaxRequestBytes = 16 * 1024;

const char* Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 503:
      return "Service Unavailable";
    default:
      return "Status";
  }
}

void SendAll(int fd, const std::string& data) {
  std::size_t sent = 0;
  while (sent < data.size()) {
    ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0)
      return;
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace

RawHttpServer::~RawHttpServer() {
  Stop();
}

bool RawHttpServer::Start(Handler handler) {
  if (listener_ >= 0)
    return false;
  handler_ = std::move(handler);
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0)
    return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t size = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    close(listener_);
    listener_ = -1;
    return false;
  }
  port_ = ntohs(address.sin_port);
  running_ = true;
  thread_ = std::thread([this] { Serve(); });
  return true;
}

void RawHttpServer::Stop() {
  running_ = false;
  if (thread_.joinable())
    thread_.join();
  if (listener_ >= 0)
    close(listener_);
  listener_ = -1;
}

void RawHttpServer::Serve() {
  while (running_) {
    // Wakes every 20 ms to see whether Stop was called.
    pollfd waiting{listener_, POLLIN, 0};
    if (poll(&waiting, 1, 20) <= 0)
      continue;
    int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
      continue;
    Answer(connection);
    close(connection);
  }
}

void RawHttpServer::Answer(int connection) {
  int on = 1;
  setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  // A client that sends nothing must not hold the server for long.
  timeval timeout{2, 0};
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
    ssize_t n = recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0)
      return;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  // The request line: method, target and version, separated by single blanks.
  const std::string line = request.substr(0, request.find("\r\n"));
  const std::size_t first = line.find(' ');
  const std::size_t last = line.rfind(' ');
  HttpReply reply{400, "text/plain; charset=utf-8", "bad request\n"};
  std::string method;
  if (first != std::string::npos && last > first && line.compare(last + 1, 5, "HTTP/") == 0) {
    method = line.substr(0, first);
    if (method == "GET" || method == "HEAD") {
      reply = handler_(line.substr(first + 1, last - first - 1));
    } else {
      reply = {405, "text/plain; charset=utf-8", "method not allowed\n"};
    }
  }
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) +
                     "\r\nContent-Type: " + reply.content_type +
                     "\r\nContent-Length: " + std::to_string(reply.body.size()) +
                     "\r\nConnection: close\r\n\r\n";
  SendAll(connection, method == "HEAD" ? head : head + reply.body);
}

}  // namespace demo
