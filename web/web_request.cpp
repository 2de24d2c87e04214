#include "web/web_request.h"

#include <strings.h>

#include "text/gbk.h"
#include "text/number_text.h"
#include "web/response_cookies.h"

namespace {

constexpr const char* kRequestProgId = "WinHttp.WinHttpRequest.5.1";
constexpr int kDefaultProxySetting = 2;
constexpr int kDefaultCredentialFlags = 0;
constexpr int kDefaultWaitSeconds = 100;

// An option value as the component takes it; an empty value (refused) when it has no such form.
http::OptionValue ToOption(const web::Variant& value) {
  if (const int* integer = std::get_if<int>(&value)) {
    return *integer;
  }
  if (const bool* flag = std::get_if<bool>(&value)) {
    return *flag ? 1 : 0;
  }
  if (const double* number = std::get_if<double>(&value)) {
    return static_cast<int>(*number);
  }
  if (const std::string* text = std::get_if<std::string>(&value)) {
    return *text;
  }
  if (const web::ByteArray* bytes = std::get_if<web::ByteArray>(&value)) {
    return bytes->bytes;
  }
  return {};
}

web::Variant FromOption(const http::OptionValue& value) {
  if (const int* integer = std::get_if<int>(&value)) {
    return *integer;
  }
  if (const std::string* text = std::get_if<std::string>(&value)) {
    return *text;
  }
  return std::monostate();
}

}  // namespace

WebRequest::WebRequest() {
  CreateComponent();
}

WebRequest::~WebRequest() {
  component_.reset();
  event_sink_.reset();
}

bool WebRequest::CreateComponent(std::optional<std::string> prog_id) {
  std::string name = prog_id.value_or(kRequestProgId);
  component_.reset();
  if (name.size() != std::string_view(kRequestProgId).size() ||
      ::strncasecmp(name.c_str(), kRequestProgId, name.size()) != 0) {
    return false;
  }
  component_ = std::make_shared<http::HttpRequest>();
  return true;
}

void WebRequest::ReleaseComponent() {
  component_.reset();
}

std::string WebRequest::GetUrl() const {
  web::Variant url = const_cast<WebRequest*>(this)->AccessOption(http::kOptionUrl);
  const std::string* text = std::get_if<std::string>(&url);
  return text != nullptr ? *text : std::string();
}

std::shared_ptr<http::HttpRequest> WebRequest::GetComponent() const {
  return component_;
}

int WebRequest::GetHttpStatus() const {
  return component_ ? component_->Status() : 0;
}

std::string WebRequest::GetHttpStatusText() const {
  return component_ ? component_->StatusText() : std::string();
}

std::string WebRequest::GetResponseText() const {
  return component_ ? component_->ResponseText() : std::string();
}

std::string WebRequest::GetResponseBody() const {
  return component_ ? component_->ResponseBody() : std::string();
}

web::Variant WebRequest::GetResponseStream() const {
  if (!component_) {
    return {};
  }
  return web::ByteArray{component_->ResponseBody()};
}

web::Variant WebRequest::AccessOption(int option, std::optional<int> integer,
                                      std::optional<std::string> text,
                                      std::optional<web::ByteArray> bytes,
                                      std::optional<web::Variant> value) {
  if (!component_) {
    return {};
  }
  if (integer) {
    component_->SetOption(option, http::OptionValue(*integer));
  } else if (text) {
    component_->SetOption(option, http::OptionValue(*text));
  } else if (bytes) {
    component_->SetOption(option, http::OptionValue(bytes->bytes));
  } else if (value) {
    component_->SetOption(option, ToOption(*value));
  }
  return FromOption(component_->Option(option));
}

void WebRequest::SetProxy(std::optional<int> setting, std::string_view server,
                          std::string_view bypass) {
  if (component_) {
    component_->SetProxy(setting.value_or(kDefaultProxySetting), server, bypass);
  }
}

void WebRequest::SetCredentials(std::string_view user, std::string_view password,
                                std::optional<int> flags) {
  if (component_) {
    component_->SetCredentials(user, password, flags.value_or(kDefaultCredentialFlags));
  }
}

void WebRequest::Open(std::optional<std::string> method, std::string_view url,
                      std::optional<bool> asynchronous) {
  if (component_) {
    component_->Open(method.value_or("GET"), url, asynchronous.value_or(false));
  }
}

void WebRequest::SetRequestHeader(std::string_view name, std::string_view value) {
  if (component_) {
    component_->SetRequestHeader(name, value);
  }
}

void WebRequest::SetDefaultHeaders(std::string_view referer) {
  SetRequestHeader("Accept", "*/*");
  SetRequestHeader("Accept-Language", "zh_cn");
  SetRequestHeader("Referer", referer);
  SetRequestHeader("Content-Type", "application/x-www-form-urlencoded");
}

void WebRequest::SetRange(std::string_view value) {
  SetRequestHeader("Range", value);
}

void WebRequest::SetCookieHeader(std::string_view value) {
  SetRequestHeader("Cookie", value);
}

std::string WebRequest::GetResponseHeader(std::string_view name) const {
  return component_ ? component_->GetResponseHeader(name) : std::string();
}

std::string WebRequest::GetAllResponseHeaders() const {
  return component_ ? component_->GetAllResponseHeaders() : std::string();
}

void WebRequest::Send(std::optional<web::Variant> body) {
  if (!component_) {
    return;
  }
  if (!body || std::holds_alternative<std::monostate>(*body)) {
    component_->Send();
  } else if (const std::string* text = std::get_if<std::string>(&*body)) {
    component_->Send(text::GbkToUtf8(*text));
  } else if (const web::ByteArray* bytes = std::get_if<web::ByteArray>(&*body)) {
    component_->Send(bytes->bytes);
  } else if (const int* integer = std::get_if<int>(&*body)) {
    component_->Send(text::DecimalText(*integer));
  } else if (const double* number = std::get_if<double>(&*body)) {
    component_->Send(std::to_string(*number));
  } else if (const bool* flag = std::get_if<bool>(&*body)) {
    component_->Send(*flag ? "True" : "False");
  }
}

bool WebRequest::WaitForResponse(std::optional<int> timeout_s) {
  return component_ && component_->WaitForResponse(timeout_s.value_or(kDefaultWaitSeconds));
}

void WebRequest::Abort() {
  if (component_) {
    component_->Abort();
  }
}

void WebRequest::SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) {
  if (component_) {
    component_->SetTimeouts(resolve_ms, connect_ms, send_ms, receive_ms);
  }
}

void WebRequest::SetClientCertificate(std::string_view certificate) {
  if (component_) {
    component_->SetClientCertificate(certificate);
  }
}

void WebRequest::SetAutoLogonPolicy(int policy) {
  if (component_) {
    component_->SetAutoLogonPolicy(policy);
  }
}

std::string WebRequest::GetResponseCookie(std::string_view name) const {
  return web::ResponseCookie(GetAllResponseHeaders(), name);
}

std::string WebRequest::GetSetCookieLines() const {
  return web::SetCookieLines(GetAllResponseHeaders());
}

std::string WebRequest::MergeResponseCookies() {
  web::MergeCookies(cookies_, GetAllResponseHeaders());
  return cookies_;
}

void WebRequest::SendStoredCookies() {
  SetRequestHeader("Cookie", cookies_);
}

int WebRequest::GetReadyState() const {
  return 0;
}

void WebRequest::SetStateChangeHandler(web::StateChangeRoutine routine) {
  web::state_change_handler = routine;
  event_sink_ = std::make_shared<web::EventSink>();
}

std::string WebRequest::ExtractSpan(std::string_view source, std::string_view start_marker,
                                    std::optional<std::string_view> end_marker,
                                    std::optional<int> start, std::optional<bool> ignore_case,
                                    int* end_position, std::optional<int> widen_left,
                                    std::optional<int> widen_right) {
  return web::ExtractSpan(source, start_marker, end_marker, start, ignore_case, end_position,
                          widen_left, widen_right);
}
