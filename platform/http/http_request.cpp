#include "platform/http/http_request.h"

#include <curl/curl.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/http/curl_common.h"
#include "text/gbk.h"
#include "text/number_text.h"

namespace http {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kDefaultUserAgent =
    "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";
// A limit of 0 or -1 ms: a day stands for "without limit" where libcurl needs a number.
constexpr long kUnlimitedMs = 24L * 60 * 60 * 1000;

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view Trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool Unlimited(int ms) {
  return ms == 0 || ms == -1;
}

// A text of decimal digits (an optional "-" first) as an integer.
std::optional<int> StrictInteger(std::string_view digits) {
  std::string_view rest = digits.substr(!digits.empty() && digits[0] == '-' ? 1 : 0);
  if (rest.empty() || rest.size() > 9 ||
      rest.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  return text::LeadingInteger(digits);
}

std::optional<int> IntegerOf(const OptionValue& value) {
  if (const int* number = std::get_if<int>(&value)) {
    return *number;
  }
  if (const std::string* digits = std::get_if<std::string>(&value)) {
    return StrictInteger(*digits);
  }
  return std::nullopt;
}

}  // namespace

struct HttpRequest::State {
  enum class Phase { kIdle, kOpened, kRunning, kDone, kFailed };

  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  Phase phase = Phase::kIdle;

  // Settings that outlive a request.
  int resolve_ms = 0, connect_ms = 60000, send_ms = 30000, receive_ms = 30000;
  int proxy_setting = kProxyDefault;
  std::string proxy_server, proxy_bypass;
  std::string user_agent = kDefaultUserAgent;
  bool redirects = true, https_to_http = false;
  int max_redirects = 10;
  int auto_logon_policy = 1;

  // The opened request.
  std::string method, url;
  bool asynchronous = false;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string user, password;
  int credentials_for = kCredentialsForServer;
  bool has_credentials = false;
  std::string client_certificate;
  std::string upload;
  curl_slist* header_list = nullptr;
  std::shared_ptr<const std::string> applied_roots;
  bool roots_applied = false;

  // The answer.
  int status = 0;
  std::string status_text;
  std::vector<std::string> header_lines;
  std::size_t header_bytes = 0;
  std::string body;

  // Progress for the send and receive limits.
  bool connected = false;
  Clock::time_point last_activity;
  curl_off_t uploaded = 0;

  State() {
    EnsureCurlInitialised();
    easy = curl_easy_init();
    multi = curl_multi_init();
    if (easy != nullptr) {
      SetUpHandle();
    }
  }
  ~State() {
    StopTransfer();
    curl_slist_free_all(header_list);
    if (multi != nullptr) {
      curl_multi_cleanup(multi);
    }
    if (easy != nullptr) {
      curl_easy_cleanup(easy);
    }
  }

  void ClearAnswer() {
    status = 0;
    status_text.clear();
    header_lines.clear();
    header_bytes = 0;
    body.clear();
  }

  void StopTransfer() {
    if (phase == Phase::kRunning) {
      curl_multi_remove_handle(multi, easy);
    }
  }

  void Fail() {
    StopTransfer();
    ClearAnswer();
    phase = Phase::kFailed;
  }

  static size_t OnBody(char* data, size_t size, size_t count, void* self_pointer) {
    auto* self = static_cast<State*>(self_pointer);
    size_t n = size * count;
    if (self->body.size() + n > kMaxBodyBytes) {
      return 0;  // the transfer fails with a write error
    }
    self->body.append(data, n);
    self->last_activity = Clock::now();
    return n;
  }

  static size_t OnHeader(char* data, size_t size, size_t count, void* self_pointer) {
    auto* self = static_cast<State*>(self_pointer);
    size_t n = size * count;
    self->last_activity = Clock::now();
    std::string_view line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
      line.remove_suffix(1);
    }
    if (line.substr(0, 5) == "HTTP/") {
      // A new answer begins (after a redirect or an interim 1xx): only the last one counts.
      self->header_lines.clear();
      self->header_bytes = 0;
      std::size_t code = line.find(' ');
      std::size_t reason = code == std::string_view::npos ? code : line.find(' ', code + 1);
      self->status_text = reason == std::string_view::npos
                              ? std::string()
                              : std::string(Trim(line.substr(reason + 1)));
      return n;
    }
    self->header_bytes += n;
    if (self->header_bytes > kMaxHeaderBytes) {
      return 0;
    }
    if (line.empty()) {
      return n;
    }
    if ((line[0] == ' ' || line[0] == '\t') && !self->header_lines.empty()) {
      self->header_lines.back() += ' ';
      self->header_lines.back() += Trim(line);
    } else {
      self->header_lines.emplace_back(line);
    }
    return n;
  }

  static int OnProgress(void* self_pointer, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow) {
    auto* self = static_cast<State*>(self_pointer);
    if (ulnow != self->uploaded) {
      self->uploaded = ulnow;
      self->last_activity = Clock::now();
    }
    return 0;
  }

  static int OnConnected(void* self_pointer, char*, char*, int, int) {
    auto* self = static_cast<State*>(self_pointer);
    self->connected = true;
    self->last_activity = Clock::now();
    return CURL_PREREQFUNC_OK;
  }

  // The limit for the wait now under way, or none: send while the body goes out, then receive.
  std::optional<Clock::time_point> IdleDeadline() const {
    if (!connected) {
      return std::nullopt;  // libcurl's connect time-out covers this part
    }
    bool sending = uploaded < static_cast<curl_off_t>(upload.size());
    int limit = sending ? send_ms : receive_ms;
    if (Unlimited(limit)) {
      return std::nullopt;
    }
    return last_activity + std::chrono::milliseconds(limit);
  }

  // What stays the same for every request of the handle. The handle is never reset: a reset would
  // drop the in-memory cookie engine's setting (and libcurl 7.88 leaks its list when it is given
  // again), so Configure sets every per-request option each time instead.
  void SetUpHandle() {
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // the in-memory cookie engine
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &State::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &State::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &State::OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &State::OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
  }

  void Configure(bool has_body) {
    curl_easy_setopt(easy, CURLOPT_URL, WireUrl(url).c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, user_agent.c_str());
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, redirects ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, static_cast<long>(max_redirects));
    bool from_https =
        url.size() >= 8 && EqualNoCase(std::string_view(url).substr(0, 8), "https://");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR,
                     from_https && !https_to_http ? "https" : "http,https");
    std::shared_ptr<const std::string> roots = CombinedRoots();
    if (roots != applied_roots || !roots_applied) {
      ApplyTrustedRoots(easy, roots);  // copying the bundle once per change, not per request
      applied_roots = std::move(roots);
      roots_applied = true;
    }

    long connect_limit = Unlimited(connect_ms) || Unlimited(resolve_ms)
                             ? (Unlimited(connect_ms) ? kUnlimitedMs : connect_ms)
                             : static_cast<long>(resolve_ms) + connect_ms;
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, connect_limit);

    std::string bypass;
    if (proxy_setting == kProxyNamed && !proxy_server.empty()) {
      bypass = proxy_bypass;
      std::replace(bypass.begin(), bypass.end(), ';', ',');
      std::replace(bypass.begin(), bypass.end(), ' ', ',');
      curl_easy_setopt(easy, CURLOPT_PROXY, proxy_server.c_str());
    } else {
      curl_easy_setopt(easy, CURLOPT_PROXY, "");  // never a proxy from the environment
    }
    curl_easy_setopt(easy, CURLOPT_NOPROXY, bypass.c_str());
    bool for_proxy = has_credentials && credentials_for == kCredentialsForProxy;
    bool for_server = has_credentials && !for_proxy;
    curl_easy_setopt(easy, CURLOPT_USERNAME, for_server ? user.c_str() : nullptr);
    curl_easy_setopt(easy, CURLOPT_PASSWORD, for_server ? password.c_str() : nullptr);
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, for_server ? CURLAUTH_ANY : CURLAUTH_BASIC);
    curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, for_proxy ? user.c_str() : nullptr);
    curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, for_proxy ? password.c_str() : nullptr);
    curl_easy_setopt(easy, CURLOPT_PROXYAUTH, for_proxy ? CURLAUTH_ANY : CURLAUTH_BASIC);
    const char* certificate = client_certificate.empty() ? nullptr : client_certificate.c_str();
    curl_easy_setopt(easy, CURLOPT_SSLCERT, certificate);
    curl_easy_setopt(easy, CURLOPT_SSLKEY, certificate);

    // HTTPGET undoes what an earlier request set: a body, NOBODY, upload.
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
    if (EqualNoCase(method, "HEAD")) {
      curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (!EqualNoCase(method, "GET") || has_body) {
      if (has_body || EqualNoCase(method, "POST") || EqualNoCase(method, "PUT")) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(upload.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, upload.data());
      }
      if (!EqualNoCase(method, "POST")) {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.c_str());
      }
    }

    curl_slist_free_all(header_list);
    header_list = nullptr;
    bool has_content_type = false;
    for (const auto& [name, value] : headers) {
      // "Name;" is libcurl's way to send a header with an empty value.
      std::string line = value.empty() ? name + ";" : name + ": " + value;
      has_content_type = has_content_type || EqualNoCase(name, "Content-Type");
      header_list = curl_slist_append(header_list, line.c_str());
    }
    if (has_body && !has_content_type) {
      // A body goes out as plain bytes unless the caller names a type.
      header_list = curl_slist_append(header_list, "Content-Type:");
    }
    header_list = curl_slist_append(header_list, "Expect:");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, header_list);
  }

  bool Start(std::optional<std::string_view> request_body) {
    if (easy == nullptr || multi == nullptr || phase != Phase::kOpened) {
      return false;
    }
    upload = request_body ? std::string(*request_body) : std::string();
    Configure(request_body.has_value());
    ClearAnswer();
    connected = false;
    uploaded = 0;
    last_activity = Clock::now();
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
      phase = Phase::kFailed;
      return false;
    }
    phase = Phase::kRunning;
    if (asynchronous) {
      Drive(Clock::now());
      return phase != Phase::kFailed;
    }
    Drive(std::nullopt);
    return phase == Phase::kDone;
  }

  // Runs the transfer until it ends or `deadline` passes; true when it has ended.
  bool Drive(std::optional<Clock::time_point> deadline) {
    while (phase == Phase::kRunning) {
      int running = 0;
      if (curl_multi_perform(multi, &running) != CURLM_OK) {
        Fail();
        break;
      }
      int queued = 0;
      while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
          Finish(message->data.result);
        }
      }
      if (phase != Phase::kRunning) {
        break;
      }
      Clock::time_point now = Clock::now();
      std::optional<Clock::time_point> idle = IdleDeadline();
      if (idle && now >= *idle) {
        Fail();
        break;
      }
      if (deadline && now >= *deadline) {
        return false;
      }
      Clock::time_point wake = now + std::chrono::seconds(1);
      if (idle) {
        wake = std::min(wake, *idle);
      }
      if (deadline) {
        wake = std::min(wake, *deadline);
      }
      auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count();
      curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::max<long long>(wait, 1)), nullptr);
    }
    return true;
  }

  void Finish(CURLcode result) {
    curl_multi_remove_handle(multi, easy);
    if (result != CURLE_OK) {
      ClearAnswer();
      phase = Phase::kFailed;
      return;
    }
    long code = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &code);
    status = static_cast<int>(code);
    char* effective = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK &&
        effective != nullptr && WireUrl(url) != effective) {
      url = effective;
    }
    phase = Phase::kDone;
  }

  bool Answered() const { return phase == Phase::kDone; }
};

HttpRequest::HttpRequest() : state_(std::make_unique<State>()) {}

HttpRequest::~HttpRequest() = default;

bool HttpRequest::Open(std::string_view method, std::string_view url, bool asynchronous) {
  State& s = *state_;
  s.StopTransfer();
  s.ClearAnswer();
  s.headers.clear();
  s.has_credentials = false;
  s.client_certificate.clear();
  if (method.empty() || url.empty()) {
    s.phase = State::Phase::kIdle;
    return false;
  }
  s.method = method;
  s.url = url;
  s.asynchronous = asynchronous;
  s.phase = State::Phase::kOpened;
  return true;
}

bool HttpRequest::SetRequestHeader(std::string_view name, std::string_view value) {
  State& s = *state_;
  if (s.phase != State::Phase::kOpened || name.empty() ||
      name.find_first_of(":\r\n") != std::string_view::npos ||
      value.find_first_of("\r\n") != std::string_view::npos) {
    return false;
  }
  for (auto& [known, known_value] : s.headers) {
    if (EqualNoCase(known, name)) {
      known_value = value;
      return true;
    }
  }
  s.headers.emplace_back(name, value);
  return true;
}

bool HttpRequest::Send() {
  return state_->Start(std::nullopt);
}

bool HttpRequest::Send(std::string_view body) {
  return state_->Start(body);
}

bool HttpRequest::WaitForResponse(int timeout_s) {
  State& s = *state_;
  if (s.phase == State::Phase::kRunning) {
    std::optional<Clock::time_point> deadline;
    if (timeout_s >= 0) {
      deadline = Clock::now() + std::chrono::seconds(timeout_s);
    }
    s.Drive(deadline);
  }
  return s.Answered();
}

void HttpRequest::Abort() {
  State& s = *state_;
  if (s.phase == State::Phase::kRunning || s.phase == State::Phase::kDone) {
    s.Fail();
  }
}

int HttpRequest::Status() const {
  return state_->Answered() ? state_->status : 0;
}

std::string HttpRequest::StatusText() const {
  return state_->Answered() ? state_->status_text : std::string();
}

std::string HttpRequest::ResponseText() const {
  if (!state_->Answered()) {
    return {};
  }
  std::string content_type = GetResponseHeader("Content-Type");
  std::string charset;
  std::size_t at = 0;
  while ((at = content_type.find(';', at)) != std::string::npos) {
    std::string_view parameter = Trim(std::string_view(content_type).substr(at + 1));
    parameter = parameter.substr(0, parameter.find(';'));
    if (parameter.size() > 8 && EqualNoCase(parameter.substr(0, 8), "charset=")) {
      std::string_view name = Trim(parameter.substr(8));
      if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
        name = name.substr(1, name.size() - 2);
      }
      charset = name;
      break;
    }
    ++at;
  }
  return text::CharsetToGbk(state_->body, charset);
}

const std::string& HttpRequest::ResponseBody() const {
  static const std::string kNone;
  return state_->Answered() ? state_->body : kNone;
}

std::string HttpRequest::GetResponseHeader(std::string_view name) const {
  if (!state_->Answered() || name.empty()) {
    return {};
  }
  for (const std::string& line : state_->header_lines) {
    std::size_t colon = line.find(':');
    if (colon != std::string::npos &&
        EqualNoCase(Trim(std::string_view(line).substr(0, colon)), name)) {
      return std::string(Trim(std::string_view(line).substr(colon + 1)));
    }
  }
  return {};
}

std::string HttpRequest::GetAllResponseHeaders() const {
  std::string all;
  if (state_->Answered()) {
    for (const std::string& line : state_->header_lines) {
      all += line;
      all += "\r\n";
    }
  }
  return all;
}

bool HttpRequest::SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) {
  for (int limit : {resolve_ms, connect_ms, send_ms, receive_ms}) {
    if (limit < -1) {
      return false;
    }
  }
  State& s = *state_;
  s.resolve_ms = resolve_ms;
  s.connect_ms = connect_ms;
  s.send_ms = send_ms;
  s.receive_ms = receive_ms;
  return true;
}

bool HttpRequest::SetProxy(int setting, std::string_view server, std::string_view bypass) {
  if (setting < kProxyDefault || setting > kProxyNamed) {
    return false;
  }
  State& s = *state_;
  s.proxy_setting = setting;
  s.proxy_server = server;
  s.proxy_bypass = bypass;
  return true;
}

bool HttpRequest::SetCredentials(std::string_view user, std::string_view password, int flags) {
  State& s = *state_;
  if (s.phase != State::Phase::kOpened ||
      (flags != kCredentialsForServer && flags != kCredentialsForProxy)) {
    return false;
  }
  s.user = user;
  s.password = password;
  s.credentials_for = flags;
  s.has_credentials = true;
  return true;
}

OptionValue HttpRequest::Option(int option) const {
  const State& s = *state_;
  switch (option) {
    case kOptionUserAgentString:
      return s.user_agent;
    case kOptionUrl:
      return s.phase == State::Phase::kIdle ? OptionValue() : OptionValue(s.url);
    case kOptionEnableRedirects:
      return s.redirects ? 1 : 0;
    case kOptionEnableHttpsToHttpRedirects:
      return s.https_to_http ? 1 : 0;
    case kOptionMaxAutomaticRedirects:
      return s.max_redirects;
    default:
      return {};
  }
}

bool HttpRequest::SetOption(int option, const OptionValue& value) {
  State& s = *state_;
  if (option == kOptionUserAgentString) {
    if (const std::string* agent = std::get_if<std::string>(&value)) {
      s.user_agent = *agent;
      return true;
    }
    if (const int* number = std::get_if<int>(&value)) {
      s.user_agent = text::DecimalText(*number);
      return true;
    }
    return false;
  }
  std::optional<int> number = IntegerOf(value);
  if (!number) {
    return false;
  }
  switch (option) {
    case kOptionEnableRedirects:
      s.redirects = *number != 0;
      return true;
    case kOptionEnableHttpsToHttpRedirects:
      s.https_to_http = *number != 0;
      return true;
    case kOptionMaxAutomaticRedirects:
      if (*number < 0) {
        return false;
      }
      s.max_redirects = *number;
      return true;
    default:
      return false;
  }
}

bool HttpRequest::SetClientCertificate(std::string_view certificate) {
  State& s = *state_;
  if (s.phase != State::Phase::kOpened) {
    return false;
  }
  s.client_certificate = certificate;
  return true;
}

bool HttpRequest::SetAutoLogonPolicy(int policy) {
  if (policy < 0 || policy > 2) {
    return false;
  }
  state_->auto_logon_policy = policy;
  return true;
}

}  // namespace http
