// The script component on duktape (ECMAScript 5.1), standing where the system's script control
// stood: pick a language, add code, evaluate expressions, run procedures with arguments. A script
// that runs past the time-out is stopped. Strings cross as UTF-8. Failures are values: false or an
// empty result, with the reason in LastError(). Only one thread may use an object.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace script {

// A value crossing into or out of a script: undefined/null, a boolean, a number or a string
// (UTF-8). Objects and arrays come out as their string form.
using Value = std::variant<std::monostate, bool, double, std::string>;

// The last failure of AddCode, Eval, ExecuteStatement or Run.
struct Error {
  int number = 0;           // 0 when the last call succeeded
  std::string description;  // the error message, e.g. "ReferenceError: identifier 'x' undefined"
  int line = 0;             // line in the code given, when known
};

// A member a host object offers to scripts; runs on the thread that called into the script.
using HostFunction = std::function<Value(const std::vector<Value>& arguments)>;
using HostObject = std::map<std::string, HostFunction>;

class ScriptControl {
 public:
  ScriptControl();
  ~ScriptControl();
  ScriptControl(const ScriptControl&) = delete;
  ScriptControl& operator=(const ScriptControl&) = delete;

  // "JavaScript" and "JScript" (any case) are accepted; others are refused and change nothing.
  // Code can be added only once a language is set.
  bool SetLanguage(std::string_view language);
  std::string Language() const;  // as set, empty before
  // 0 initialised, 1 connected (host objects' events would reach the scripts); others refused.
  bool SetState(int state);
  int State() const;
  // The window that would own dialogs; kept only (scripts here show none).
  bool SetSiteHwnd(int window);
  int SiteHwnd() const;
  // Milliseconds a call into the script may run before it is stopped; -1 (or 0) lets it run without
  // limit. Default 10000. Others below -1 are refused.
  bool SetTimeout(int timeout_ms);
  int Timeout() const;
  // Kept only: there is no user interface and no unsafe object to withhold from scripts.
  bool SetAllowUI(bool allow);
  bool AllowUI() const;
  bool SetUseSafeSubset(bool safe);
  bool UseSafeSubset() const;

  // The code modules: the one global module, "Global", once a language is set.
  std::vector<std::string> Modules() const;
  // The functions that added code defined at global level, in name order.
  std::vector<std::string> Procedures() const;
  Error LastError() const;

  // Makes `object` a global object `name` whose members call the host functions; with
  // `add_members` its members are also globals of their own. False without a language or for an
  // empty or taken name.
  bool AddObject(std::string_view name, HostObject object, bool add_members);
  // Drops all code and objects; the state goes back to 0. Language and time-out stay.
  bool Reset();
  // Runs `code` in the global module, so that its functions stay defined. False on an error.
  bool AddCode(std::string_view code);
  // The value of `expression`; empty on an error (LastError says which).
  std::optional<Value> Eval(std::string_view expression);
  bool ExecuteStatement(std::string_view statement);
  // Calls the global function `procedure` with `arguments`; empty on an error or a missing
  // function.
  std::optional<Value> Run(std::string_view procedure, const std::vector<Value>& arguments);

 private:
  struct Heap;
  std::unique_ptr<Heap> heap_;
  std::string language_;
  int state_ = 0;
  int site_window_ = 0;
  int timeout_ms_ = 10000;
  bool allow_ui_ = true;
  bool safe_subset_ = false;
  Error error_;
};

}  // namespace script
