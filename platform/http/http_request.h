// The HTTP request component on libcurl, standing where the system's HTTP request object stood:
// Open a request, set headers, Send, then read status, headers and body. One libcurl handle lives
// with the object, so a connection to a host is reused from one request to the next, and so are
// the cookies the servers set (the component's own cookie handling, kept in memory only).
//
// Every operation reports failure as a value (false, 0, empty text) and never throws. Texts passed
// in and read out are program texts (GBK); the body is bytes. Only one thread may use an object.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace http {

// Option numbers of Option()/SetOption(); the others are not supported here.
enum OptionNumber : int {
  kOptionUserAgentString = 0,  // text; sent as User-Agent
  kOptionUrl = 1,              // text, read only: the URL of the request (after redirects)
  kOptionEnableRedirects = 6,  // integer 0/1, default 1
  kOptionEnableHttpsToHttpRedirects = 12,  // integer 0/1, default 0
  kOptionMaxAutomaticRedirects = 14,       // integer, default 10
};

// The value of an option: nothing, an integer or a text.
using OptionValue = std::variant<std::monostate, int, std::string>;

// Proxy settings of SetProxy.
enum ProxySetting : int { kProxyDefault = 0, kProxyDirect = 1, kProxyNamed = 2 };
// Whom SetCredentials answers.
enum CredentialsFor : int { kCredentialsForServer = 0, kCredentialsForProxy = 1 };

class HttpRequest {
 public:
  HttpRequest();
  ~HttpRequest();
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;

  // Starts a new request: forgets the last answer and the headers set for it, aborting a request
  // still running. `asynchronous` makes Send return at once; WaitForResponse then waits for the
  // answer. False for an empty method or URL. A URL may hold GBK text; it is sent as UTF-8, with
  // characters a URL cannot carry percent-escaped.
  bool Open(std::string_view method, std::string_view url, bool asynchronous);
  // A header of the opened request; a second call with the same name (any case) replaces the
  // value. False before Open or for an empty name.
  bool SetRequestHeader(std::string_view name, std::string_view value);
  // Sends the opened request, with no body or with `body`. A synchronous request returns once the
  // whole answer is there or the request failed (refused, timed out, answer over 16 MiB, bad
  // certificate): then false, and the readers give 0 and empty texts. Redirects are followed.
  bool Send();
  bool Send(std::string_view body);
  // Waits up to `timeout_s` seconds (-1: without limit) for the answer of an asynchronous request;
  // true once the whole answer is there. True at once for a finished synchronous request.
  bool WaitForResponse(int timeout_s);
  // Stops a running request; the readers then give 0 and empty texts.
  void Abort();

  // The readers of the last complete answer; 0 or empty while there is none.
  int Status() const;
  std::string StatusText() const;  // the reason phrase of the status line, "OK"
  // The body decoded by the charset of its Content-Type (UTF-8 when none is named), as GBK.
  std::string ResponseText() const;
  const std::string& ResponseBody() const;  // the body bytes unchanged
  // The first value of header `name` (any case), empty when the answer has none.
  std::string GetResponseHeader(std::string_view name) const;
  // Every header line of the final answer as received, each followed by CR LF; no status line.
  std::string GetAllResponseHeaders() const;

  // Time limits in milliseconds, for this and later requests; 0 or -1 waits without limit. Resolve
  // and connect together bound the connection; send and receive bound each wait for the next bytes
  // while the request goes out and while the answer comes in. Defaults: 0, 60000, 30000, 30000.
  bool SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms);
  // kProxyDefault and kProxyDirect connect directly (no proxy is read from the environment);
  // kProxyNamed goes through `server` ("host:port"), except for the hosts of `bypass` (names
  // separated by ";", "," or blanks). For this and later requests. False for another setting.
  bool SetProxy(int setting, std::string_view server, std::string_view bypass);
  // User and password for the opened request, for the server or the proxy (CredentialsFor); they
  // are sent when the server asks for them. False before Open or for other flags.
  bool SetCredentials(std::string_view user, std::string_view password, int flags);
  // Reads an option (OptionNumber); an empty value for an unknown number.
  OptionValue Option(int option) const;
  // Writes an option for this and later requests. An integer option takes an integer or a text of
  // digits; the user agent takes a text or an integer (written as decimal). False for the URL,
  // unknown numbers and values of the wrong kind.
  bool SetOption(int option, const OptionValue& value);
  // A client certificate for the opened request: the path of a PEM file that holds the certificate
  // and its key. An empty text sends none. False before Open.
  bool SetClientCertificate(std::string_view certificate);
  // When the logged-on user's identity may be sent on its own: 0 always, 1 only to hosts that
  // bypass the proxy, 2 never. There is no such identity here; the value is checked and kept.
  bool SetAutoLogonPolicy(int policy);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace http
