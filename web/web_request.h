// WebRequest: the program's HTTP request object, a wrapper of the request component
// (platform/http) with the cookie store of its own on top. The program has one, `http`; every
// radio service request is Open("GET", url), Send(), GetResponseText(). Optional arguments are
// std::optional: their defaults apply only when one is omitted. Failures are silent: empty text,
// 0, false, empty bytes. Texts are GBK. Only the user-interface thread uses it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/http/http_request.h"
#include "web/event_sink.h"
#include "web/variant.h"

class WebRequest {
 public:
  // Creates the component (CreateComponent with the ProgID omitted), ignoring the result.
  WebRequest();
  // The copy has its own cookie store and shares the component.
  WebRequest(const WebRequest& other) = default;
  WebRequest& operator=(const WebRequest& other) = default;
  // Releases the component before anything else of the object goes.
  ~WebRequest();

  // Makes the component of `prog_id` (default "WinHttp.WinHttpRequest.5.1", any case); false and
  // no component for another.
  bool CreateComponent(std::optional<std::string> prog_id = std::nullopt);
  void ReleaseComponent();
  std::string GetUrl() const;  // option 1 read as text
  std::shared_ptr<http::HttpRequest> GetComponent() const;
  int GetHttpStatus() const;
  std::string GetHttpStatusText() const;
  std::string GetResponseText() const;
  std::string GetResponseBody() const;     // bytes
  web::Variant GetResponseStream() const;  // the body as a ByteArray
  // With a value given, writes option `option` with the first one given in the order integer,
  // text, bytes, variant; then reads the option and returns it (empty for an unknown option).
  web::Variant AccessOption(int option, std::optional<int> integer = std::nullopt,
                            std::optional<std::string> text = std::nullopt,
                            std::optional<web::ByteArray> bytes = std::nullopt,
                            std::optional<web::Variant> value = std::nullopt);
  void SetProxy(std::optional<int> setting = std::nullopt, std::string_view server = {},
                std::string_view bypass = {});  // setting default 2 (named proxy)
  void SetCredentials(std::string_view user, std::string_view password,
                      std::optional<int> flags = std::nullopt);  // flags default 0 (server)
  // Method default "GET", asynchronous default false.
  void Open(std::optional<std::string> method, std::string_view url,
            std::optional<bool> asynchronous = std::nullopt);
  void SetRequestHeader(std::string_view name, std::string_view value);
  // Accept "*/*", Accept-Language "zh_cn", Referer `referer`, Content-Type
  // "application/x-www-form-urlencoded", in that order.
  void SetDefaultHeaders(std::string_view referer);
  void SetRange(std::string_view value);
  void SetCookieHeader(std::string_view value);
  std::string GetResponseHeader(std::string_view name) const;
  std::string GetAllResponseHeaders() const;  // lines each followed by CR LF
  // Without a body, or with `body`: a text goes out as UTF-8, bytes as they are, a number as its
  // decimal text; an empty variant sends no body.
  void Send(std::optional<web::Variant> body = std::nullopt);
  bool WaitForResponse(std::optional<int> timeout_s = std::nullopt);  // default 100 s
  void Abort();
  void SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms);
  void SetClientCertificate(std::string_view certificate);
  void SetAutoLogonPolicy(int policy);

  // The value of cookie `name` in the last answer's Set-Cookie headers, empty when none has it.
  std::string GetResponseCookie(std::string_view name) const;
  std::string GetSetCookieLines() const;  // the answer's Set-Cookie lines, each with CR LF
  // Merges the last answer's cookies into the store and returns the store.
  std::string MergeResponseCookies();
  // Sends the store as the Cookie header of the opened request (between Open and Send).
  void SendStoredCookies();
  // The component has no ready state: always 0.
  int GetReadyState() const;
  // Makes `routine` the program-wide state_change_handler and builds the dispatch object; the
  // component has no state-change event to hand it to, so the routine is never called by it.
  void SetStateChangeHandler(web::StateChangeRoutine routine);
  // The dispatch object built by SetStateChangeHandler; null before.
  web::EventSink* GetEventSink() { return event_sink_.get(); }
  // ExtractSpan of web/response_cookies.h.
  static std::string ExtractSpan(std::string_view source, std::string_view start_marker,
                                 std::optional<std::string_view> end_marker = std::nullopt,
                                 std::optional<int> start = std::nullopt,
                                 std::optional<bool> ignore_case = std::nullopt,
                                 int* end_position = nullptr,
                                 std::optional<int> widen_left = std::nullopt,
                                 std::optional<int> widen_right = std::nullopt);

  const std::string& cookies() const { return cookies_; }

 private:
  std::shared_ptr<web::EventSink> event_sink_;
  std::string cookies_;
  std::shared_ptr<http::HttpRequest> component_;
};
