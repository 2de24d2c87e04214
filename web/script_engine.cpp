#include "web/script_engine.h"

#include <strings.h>

#include "text/gbk.h"
#include "text/number_text.h"

namespace {

constexpr std::size_t kMaxRunArguments = 10;

script::Value ToScript(const web::Variant& value) {
  if (const bool* flag = std::get_if<bool>(&value)) {
    return *flag;
  }
  if (const int* integer = std::get_if<int>(&value)) {
    return static_cast<double>(*integer);
  }
  if (const double* number = std::get_if<double>(&value)) {
    return *number;
  }
  if (const std::string* gbk = std::get_if<std::string>(&value)) {
    return text::GbkToUtf8(*gbk);
  }
  if (const web::ByteArray* bytes = std::get_if<web::ByteArray>(&value)) {
    return text::GbkToUtf8(bytes->bytes);
  }
  return std::monostate();
}

web::Variant FromScript(const std::optional<script::Value>& value) {
  if (!value) {
    return std::monostate();
  }
  if (const bool* flag = std::get_if<bool>(&*value)) {
    return *flag;
  }
  if (const double* number = std::get_if<double>(&*value)) {
    return *number;
  }
  if (const std::string* utf8 = std::get_if<std::string>(&*value)) {
    return text::Utf8ToGbk(*utf8);
  }
  return std::monostate();
}

}  // namespace

ScriptEngine::ScriptEngine() {
  CreateComponent();
}

ScriptEngine::~ScriptEngine() = default;

std::shared_ptr<script::ScriptControl> ScriptEngine::GetComponent() const {
  return component_;
}

bool ScriptEngine::CreateComponent(std::optional<std::string> prog_id) {
  std::string name = prog_id.value_or("ScriptControl");
  component_.reset();
  if (name.size() != 13 || ::strncasecmp(name.c_str(), "ScriptControl", 13) != 0) {
    return false;
  }
  component_ = std::make_shared<script::ScriptControl>();
  return true;
}

bool ScriptEngine::SetLanguage(std::optional<std::string> language) {
  return component_ && component_->SetLanguage(text::GbkToUtf8(language.value_or("JavaScript")));
}

std::string ScriptEngine::GetLanguage() const {
  return component_ ? text::Utf8ToGbk(component_->Language()) : std::string();
}

bool ScriptEngine::SetState(int state) {
  return component_ && component_->SetState(state);
}

int ScriptEngine::GetState() const {
  return component_ ? component_->State() : 0;
}

bool ScriptEngine::SetSiteHwnd(int window) {
  return component_ && component_->SetSiteHwnd(window);
}

int ScriptEngine::GetSiteHwnd() const {
  return component_ ? component_->SiteHwnd() : 0;
}

bool ScriptEngine::SetTimeout(int timeout_ms) {
  return component_ && component_->SetTimeout(timeout_ms);
}

int ScriptEngine::GetTimeout() const {
  return component_ ? component_->Timeout() : 0;
}

bool ScriptEngine::SetAllowUI(bool allow) {
  return component_ && component_->SetAllowUI(allow);
}

bool ScriptEngine::GetAllowUI() const {
  return component_ && component_->AllowUI();
}

bool ScriptEngine::SetUseSafeSubset(bool safe) {
  return component_ && component_->SetUseSafeSubset(safe);
}

bool ScriptEngine::GetUseSafeSubset() const {
  return component_ && component_->UseSafeSubset();
}

std::vector<std::string> ScriptEngine::GetModules() const {
  return component_ ? component_->Modules() : std::vector<std::string>();
}

script::Error ScriptEngine::GetError() const {
  if (!component_) {
    return {};
  }
  script::Error error = component_->LastError();
  error.description = text::Utf8ToGbk(error.description);
  return error;
}

std::shared_ptr<script::ScriptControl> ScriptEngine::GetCodeObject() const {
  return component_;
}

std::vector<std::string> ScriptEngine::GetProcedures() const {
  std::vector<std::string> names;
  if (component_) {
    for (const std::string& name : component_->Procedures()) {
      names.push_back(text::Utf8ToGbk(name));
    }
  }
  return names;
}

double ScriptEngine::AddObject(std::string_view name, script::HostObject object, bool add_members) {
  if (component_) {
    component_->AddObject(text::GbkToUtf8(name), std::move(object), add_members);
  }
  return 0;
}

double ScriptEngine::Reset() {
  if (component_) {
    component_->Reset();
  }
  return 0;
}

double ScriptEngine::AddCode(std::string_view code) {
  if (component_) {
    component_->AddCode(text::GbkToUtf8(code));
  }
  return 0;
}

web::Variant ScriptEngine::Eval(std::string_view expression) {
  return component_ ? FromScript(component_->Eval(text::GbkToUtf8(expression))) : web::Variant();
}

double ScriptEngine::ExecuteStatement(std::string_view statement) {
  if (component_) {
    component_->ExecuteStatement(text::GbkToUtf8(statement));
  }
  return 0;
}

web::Variant ScriptEngine::Run(std::string_view procedure,
                               const std::vector<web::Variant>& arguments) {
  if (!component_) {
    return {};
  }
  std::vector<script::Value> passed;
  for (std::size_t i = 0; i < arguments.size() && i < kMaxRunArguments; ++i) {
    passed.push_back(ToScript(arguments[i]));
  }
  return FromScript(component_->Run(text::GbkToUtf8(procedure), passed));
}

std::string EvaluateSubs(std::string_view t, std::string_view s, std::string_view e) {
  ScriptEngine engine;
  engine.SetLanguage();
  engine.ExecuteStatement(
      "function Subs(t, s, e) {"
      " var i = t.indexOf(s); if (i < 0) return '';"
      " var j = t.indexOf(e, i + s.length); if (j < 0) return '';"
      " return t.substring(i + s.length, j); }");
  web::Variant result = engine.Run("Subs", {std::string(t), std::string(s), std::string(e)});
  const std::string* cut = std::get_if<std::string>(&result);
  return cut != nullptr ? *cut : std::string();
}
