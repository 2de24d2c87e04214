// ScriptEngine: the wrapper of the script component (platform/script), as the program drives it:
// language, state, time-out and flags, code, evaluation and procedure calls. Texts are GBK here and
// UTF-8 inside the engine, converted both ways. Failures are silent: false, 0, empty values.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/script/script_control.h"
#include "web/variant.h"

class ScriptEngine {
 public:
  // Creates the component (CreateComponent with the ProgID omitted), ignoring the result.
  ScriptEngine();
  // The copy shares the component.
  ScriptEngine(const ScriptEngine& other) = default;
  ScriptEngine& operator=(const ScriptEngine& other) = default;
  ~ScriptEngine();

  // A new reference to the component; null when none was created.
  std::shared_ptr<script::ScriptControl> GetComponent() const;
  // Makes the component of `prog_id` (default "ScriptControl", any case); false for another.
  bool CreateComponent(std::optional<std::string> prog_id = std::nullopt);
  bool SetLanguage(std::optional<std::string> language = std::nullopt);  // default "JavaScript"
  std::string GetLanguage() const;
  bool SetState(int state);
  int GetState() const;
  bool SetSiteHwnd(int window);
  int GetSiteHwnd() const;
  bool SetTimeout(int timeout_ms);
  int GetTimeout() const;
  bool SetAllowUI(bool allow);
  bool GetAllowUI() const;
  bool SetUseSafeSubset(bool safe);
  bool GetUseSafeSubset() const;
  std::vector<std::string> GetModules() const;
  // The last error, its description in GBK.
  script::Error GetError() const;
  // The object through which the code's global members are reached: the component itself.
  std::shared_ptr<script::ScriptControl> GetCodeObject() const;
  std::vector<std::string> GetProcedures() const;
  // The "number" results are what the component returns: nothing, so 0.
  double AddObject(std::string_view name, script::HostObject object, bool add_members);
  double Reset();
  double AddCode(std::string_view code);
  web::Variant Eval(std::string_view expression);
  double ExecuteStatement(std::string_view statement);
  // Calls `procedure` with the first ten of `arguments` (the rest are ignored); empty on failure.
  web::Variant Run(std::string_view procedure, const std::vector<web::Variant>& arguments = {});

 private:
  std::shared_ptr<script::ScriptControl> component_;
};

// The cut behind GetResponseCookie, computed by a script in a temporary engine: the characters of
// `t` between the first `s` and the first `e` after it; empty when either is missing or the engine
// cannot be made.
std::string EvaluateSubs(std::string_view t, std::string_view s, std::string_view e);
