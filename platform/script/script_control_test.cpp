#include "platform/script/script_control.h"

#include <gtest/gtest.h>

namespace {

using script::ScriptControl;
using script::Value;

// Catches a language check that accepts any name, or that forgets the one accepted when a later
// one is refused.
TEST(ScriptControl, AcceptsOnlyJavaScriptNames) {
  struct Case {
    const char* language;
    bool accepted;
  } cases[] = {{"JavaScript", true}, {"JScript", true}, {"javascript", true},
               {"VBScript", false},  {"", false},       {"Java", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ScriptControl control;
    EXPECT_FALSE(control.AddCode("var a = 1;"));  // no language yet
    ASSERT_TRUE(control.SetLanguage("JScript"));
    EXPECT_EQ(control.SetLanguage(c.language), c.accepted);
    EXPECT_EQ(control.Language(), c.accepted ? c.language : "JScript");
  }
}

// Catches code that is not kept between calls, arguments passed in the wrong order or type, and
// results that do not come back as their type.
TEST(ScriptControl, KeepsCodeAndRunsProceduresWithArguments) {
  ScriptControl control;
  ASSERT_TRUE(control.SetLanguage("JavaScript"));
  ASSERT_TRUE(
      control.AddCode("function join(a, b, c) { return a + '|' + b + '|' + c; }\n"
                      "function half(n) { return n / 2; }"));
  EXPECT_EQ(control.Run("join", {std::string("歌"), 2.0, true}), Value(std::string("歌|2|true")));
  EXPECT_EQ(control.Run("half", {5.0}), Value(2.5));
  EXPECT_EQ(control.Eval("half(8) > 3"), Value(true));
  EXPECT_EQ(control.Eval("undefined"), Value(std::monostate()));
  EXPECT_EQ(control.Procedures(), (std::vector<std::string>{"half", "join"}));

  EXPECT_FALSE(control.Run("missing", {}).has_value());
  EXPECT_FALSE(control.Eval("nosuchname + 1").has_value());
  EXPECT_NE(control.LastError().number, 0);
  EXPECT_NE(control.LastError().description.find("nosuchname"), std::string::npos);
  EXPECT_FALSE(control.AddCode("function ( {"));

  ASSERT_TRUE(control.Reset());
  EXPECT_FALSE(control.Run("join", {}).has_value());
  EXPECT_TRUE(control.Procedures().empty());
}

// Catches a time-out that does not stop a runaway script, including one that catches the error
// and loops on, and a control left unusable afterwards.
TEST(ScriptControl, StopsAScriptPastItsTimeout) {
  ScriptControl control;
  ASSERT_TRUE(control.SetLanguage("JavaScript"));
  ASSERT_TRUE(control.SetTimeout(200));
  EXPECT_FALSE(control.ExecuteStatement("for (;;) {}"));
  EXPECT_FALSE(control.ExecuteStatement("for (;;) { try { for (;;) {} } catch (e) {} }"));
  ASSERT_TRUE(control.AddCode("function spin() { for (;;) {} }"));
  EXPECT_FALSE(control.Run("spin", {}).has_value());
  EXPECT_NE(control.LastError().description.find("timeout"), std::string::npos);
  EXPECT_EQ(control.Eval("1 + 1"), Value(2.0));
}

// Catches host members that are not reachable from scripts, on the object and as globals.
TEST(ScriptControl, AddedObjectsCallTheHost) {
  ScriptControl control;
  ASSERT_TRUE(control.SetLanguage("JavaScript"));
  script::HostObject host;
  host["twice"] = [](const std::vector<Value>& arguments) -> Value {
    const double* n = arguments.empty() ? nullptr : std::get_if<double>(&arguments[0]);
    return n != nullptr ? *n * 2 : 0.0;
  };
  ASSERT_TRUE(control.AddObject("host", host, true));
  EXPECT_FALSE(control.AddObject("host", host, false));
  EXPECT_EQ(control.Eval("host.twice(4) + twice(1)"), Value(10.0));
  EXPECT_TRUE(control.Procedures().empty());
}

}  // namespace
