#include "platform/script/script_control.h"

#include <duktape.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <set>

namespace {

using Clock = std::chrono::steady_clock;

// What the execution time-out hook reads: the heap's user data.
struct Watch {
  bool armed = false;
  Clock::time_point deadline;
};

}  // namespace

// duktape asks this now and then while a script runs; true stops the script with a RangeError,
// which keeps being raised until every catch of the script is passed.
extern "C" int tovasel_duktape_exec_timeout_check(void* udata) {
  const auto* watch = static_cast<const Watch*>(udata);
  return watch != nullptr && watch->armed && Clock::now() >= watch->deadline ? 1 : 0;
}

namespace script {
namespace {

constexpr const char* kHostFunctionKey = DUK_HIDDEN_SYMBOL("host_function");

void PushValue(duk_context* context, const Value& value) {
  if (const bool* flag = std::get_if<bool>(&value)) {
    duk_push_boolean(context, *flag ? 1 : 0);
  } else if (const double* number = std::get_if<double>(&value)) {
    duk_push_number(context, *number);
  } else if (const std::string* text = std::get_if<std::string>(&value)) {
    duk_push_lstring(context, text->data(), text->size());
  } else {
    duk_push_undefined(context);
  }
}

duk_ret_t SafeToString(duk_context* context, void*) {
  duk_to_string(context, -1);
  return 1;
}

std::string StringAt(duk_context* context, duk_idx_t index) {
  duk_dup(context, index);
  if (duk_safe_call(context, SafeToString, nullptr, 1, 1) != DUK_EXEC_SUCCESS) {
    duk_pop(context);
    return {};
  }
  duk_size_t size = 0;
  const char* data = duk_get_lstring(context, -1, &size);
  std::string text = data != nullptr ? std::string(data, size) : std::string();
  duk_pop(context);
  return text;
}

Value ValueAt(duk_context* context, duk_idx_t index) {
  switch (duk_get_type(context, index)) {
    case DUK_TYPE_BOOLEAN:
      return duk_get_boolean(context, index) != 0;
    case DUK_TYPE_NUMBER:
      return static_cast<double>(duk_get_number(context, index));
    case DUK_TYPE_STRING:
    case DUK_TYPE_OBJECT:
    case DUK_TYPE_BUFFER:
    case DUK_TYPE_POINTER:
    case DUK_TYPE_LIGHTFUNC:
      return StringAt(context, index);
    default:
      return std::monostate();
  }
}

// The native side of a host object's member: finds the host function in the called function's
// hidden property and calls it. No error is raised from here (that would jump over C++ frames).
duk_ret_t CallHostFunction(duk_context* context) {
  duk_idx_t count = duk_get_top(context);
  std::vector<Value> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (duk_idx_t i = 0; i < count; ++i) {
    arguments.push_back(ValueAt(context, i));
  }
  duk_push_current_function(context);
  duk_get_prop_string(context, -1, kHostFunctionKey);
  auto* function = static_cast<const HostFunction*>(duk_get_pointer(context, -1));
  duk_pop_2(context);
  Value result;
  if (function != nullptr && *function) {
    try {
      result = (*function)(arguments);
    } catch (...) {
      result = std::monostate();
    }
  }
  PushValue(context, result);
  return 1;
}

}  // namespace

struct ScriptControl::Heap {
  Watch watch;
  duk_context* context = nullptr;
  std::set<std::string> builtin_names;  // global names before any code was added
  std::set<std::string> object_names;   // names taken by host objects and their members
  std::vector<std::unique_ptr<HostFunction>> functions;  // kept alive for the native members

  Heap() {
    context = duk_create_heap(nullptr, nullptr, nullptr, &watch, nullptr);
    if (context != nullptr) {
      builtin_names = GlobalFunctionNames();
    }
  }
  ~Heap() {
    if (context != nullptr) {
      duk_destroy_heap(context);
    }
  }

  std::set<std::string> GlobalFunctionNames() const {
    std::set<std::string> names;
    duk_push_global_object(context);
    duk_enum(context, -1, DUK_ENUM_OWN_PROPERTIES_ONLY);
    while (duk_next(context, -1, 1) != 0) {
      if (duk_is_function(context, -1) != 0) {
        names.insert(duk_get_string(context, -2));
      }
      duk_pop_2(context);
    }
    duk_pop_2(context);
    return names;
  }

  void Arm(int timeout_ms) {
    watch.armed = timeout_ms > 0;
    watch.deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  }
  void Disarm() { watch.armed = false; }
};

namespace {

Error ErrorAt(duk_context* context, duk_idx_t index) {
  Error error;
  error.number = 1;
  if (duk_is_error(context, index) != 0) {
    error.number = static_cast<int>(duk_get_error_code(context, index));
    duk_get_prop_string(context, index, "lineNumber");
    error.line = static_cast<int>(duk_get_int(context, -1));
    duk_pop(context);
  }
  error.description = StringAt(context, index);
  return error;
}

}  // namespace

ScriptControl::ScriptControl() = default;

ScriptControl::~ScriptControl() = default;

bool ScriptControl::SetLanguage(std::string_view language) {
  auto is = [&](std::string_view name) {
    return language.size() == name.size() &&
           ::strncasecmp(language.data(), name.data(), name.size()) == 0;
  };
  if (!is("JavaScript") && !is("JScript")) {
    return false;
  }
  if (!heap_) {
    heap_ = std::make_unique<Heap>();
    if (heap_->context == nullptr) {
      heap_.reset();
      return false;
    }
  }
  language_ = language;
  return true;
}

std::string ScriptControl::Language() const {
  return language_;
}

bool ScriptControl::SetState(int state) {
  if (state != 0 && state != 1) {
    return false;
  }
  state_ = state;
  return true;
}

int ScriptControl::State() const {
  return state_;
}

bool ScriptControl::SetSiteHwnd(int window) {
  site_window_ = window;
  return true;
}

int ScriptControl::SiteHwnd() const {
  return site_window_;
}

bool ScriptControl::SetTimeout(int timeout_ms) {
  if (timeout_ms < -1) {
    return false;
  }
  timeout_ms_ = timeout_ms;
  return true;
}

int ScriptControl::Timeout() const {
  return timeout_ms_;
}

bool ScriptControl::SetAllowUI(bool allow) {
  allow_ui_ = allow;
  return true;
}

bool ScriptControl::AllowUI() const {
  return allow_ui_;
}

bool ScriptControl::SetUseSafeSubset(bool safe) {
  safe_subset_ = safe;
  return true;
}

bool ScriptControl::UseSafeSubset() const {
  return safe_subset_;
}

std::vector<std::string> ScriptControl::Modules() const {
  if (!heap_) {
    return {};
  }
  return {"Global"};
}

std::vector<std::string> ScriptControl::Procedures() const {
  std::vector<std::string> procedures;
  if (!heap_) {
    return procedures;
  }
  for (const std::string& name : heap_->GlobalFunctionNames()) {
    if (heap_->builtin_names.count(name) == 0 && heap_->object_names.count(name) == 0) {
      procedures.push_back(name);
    }
  }
  return procedures;
}

Error ScriptControl::LastError() const {
  return error_;
}

bool ScriptControl::AddObject(std::string_view name, HostObject object, bool add_members) {
  if (!heap_ || name.empty()) {
    return false;
  }
  duk_context* context = heap_->context;
  std::string object_name(name);
  duk_push_global_object(context);
  if (duk_has_prop_lstring(context, -1, object_name.data(), object_name.size()) != 0) {
    duk_pop(context);
    return false;
  }
  duk_push_object(context);
  for (auto& [member, function] : object) {
    heap_->functions.push_back(std::make_unique<HostFunction>(std::move(function)));
    for (int copy = 0; copy < (add_members ? 2 : 1); ++copy) {
      duk_push_c_function(context, CallHostFunction, DUK_VARARGS);
      duk_push_pointer(context, heap_->functions.back().get());
      duk_put_prop_string(context, -2, kHostFunctionKey);
      if (copy == 0) {
        duk_put_prop_lstring(context, -2, member.data(), member.size());  // on the object
      } else {
        duk_put_prop_lstring(context, -3, member.data(), member.size());  // a global
        heap_->object_names.insert(member);
      }
    }
  }
  duk_put_prop_lstring(context, -2, object_name.data(), object_name.size());
  duk_pop(context);
  heap_->object_names.insert(object_name);
  return true;
}

bool ScriptControl::Reset() {
  if (!heap_) {
    return false;
  }
  heap_ = std::make_unique<Heap>();
  state_ = 0;
  error_ = {};
  if (heap_->context == nullptr) {
    heap_.reset();
    language_.clear();
    return false;
  }
  return true;
}

bool ScriptControl::AddCode(std::string_view code) {
  return Eval(code).has_value();
}

std::optional<Value> ScriptControl::Eval(std::string_view expression) {
  if (!heap_) {
    error_ = {1, "no language set", 0};
    return std::nullopt;
  }
  duk_context* context = heap_->context;
  heap_->Arm(timeout_ms_);
  // Global code: functions and variables it defines stay in the global module.
  duk_int_t result = duk_peval_lstring(context, expression.data(), expression.size());
  heap_->Disarm();
  std::optional<Value> value;
  if (result == 0) {
    value = ValueAt(context, -1);
    error_ = {};
  } else {
    error_ = ErrorAt(context, -1);
  }
  duk_pop(context);
  return value;
}

bool ScriptControl::ExecuteStatement(std::string_view statement) {
  return Eval(statement).has_value();
}

std::optional<Value> ScriptControl::Run(std::string_view procedure,
                                        const std::vector<Value>& arguments) {
  if (!heap_) {
    error_ = {1, "no language set", 0};
    return std::nullopt;
  }
  duk_context* context = heap_->context;
  duk_push_global_object(context);
  duk_get_prop_lstring(context, -1, procedure.data(), procedure.size());
  duk_remove(context, -2);
  if (duk_is_function(context, -1) == 0) {
    duk_pop(context);
    error_ = {1, "no procedure " + std::string(procedure), 0};
    return std::nullopt;
  }
  for (const Value& argument : arguments) {
    PushValue(context, argument);
  }
  heap_->Arm(timeout_ms_);
  duk_int_t result = duk_pcall(context, static_cast<duk_idx_t>(arguments.size()));
  heap_->Disarm();
  std::optional<Value> value;
  if (result == DUK_EXEC_SUCCESS) {
    value = ValueAt(context, -1);
    error_ = {};
  } else {
    error_ = ErrorAt(context, -1);
  }
  duk_pop(context);
  return value;
}

}  // namespace script
