#include "web/script_engine.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace {

// Catches a Run that passes more than ten arguments, drops some of the first ten or reorders them.
TEST(ScriptEngine, RunPassesAtMostTenArguments) {
  ScriptEngine engine;
  ASSERT_TRUE(engine.SetLanguage());
  engine.AddCode(
      "function count() { return arguments.length; }\n"
      "function list() { return Array.prototype.join.call(arguments, ','); }");
  std::vector<web::Variant> twelve;
  for (int i = 1; i <= 12; ++i) {
    twelve.emplace_back(i);
  }
  EXPECT_EQ(engine.Run("count", twelve), web::Variant(10.0));
  EXPECT_EQ(engine.Run("list", twelve), web::Variant(std::string("1,2,3,4,5,6,7,8,9,10")));
  EXPECT_EQ(engine.Run("count"), web::Variant(0.0));
  EXPECT_EQ(engine.Run("list", {std::string("歌"_gbk), true, 2.5}),
            web::Variant("歌,true,2.5"_gbk));
}

// Catches texts not converted between GBK and the engine, a language default other than
// JavaScript, and failures that are not silent.
TEST(ScriptEngine, ConvertsTextsAndFailsSilently) {
  ScriptEngine engine;
  EXPECT_EQ(engine.GetLanguage(), "");
  ASSERT_TRUE(engine.SetLanguage());
  EXPECT_EQ(engine.GetLanguage(), "JavaScript");
  EXPECT_FALSE(engine.SetLanguage("VBScript"));
  EXPECT_EQ(engine.Eval("'豆瓣' + '精选'"_gbk), web::Variant("豆瓣精选"_gbk));
  EXPECT_EQ(engine.Eval("'豆瓣'.length"_gbk), web::Variant(2.0));
  EXPECT_EQ(engine.Eval("nosuch()"), web::Variant());
  EXPECT_NE(engine.GetError().number, 0);
  EXPECT_EQ(engine.ExecuteStatement("syntax error here"), 0);
  EXPECT_EQ(engine.Run("nosuch", {1}), web::Variant());

  ScriptEngine other_component;
  EXPECT_FALSE(other_component.CreateComponent("MSScriptControl.Other"));
  EXPECT_FALSE(other_component.SetLanguage());
  EXPECT_EQ(other_component.Eval("1"), web::Variant());
  EXPECT_EQ(other_component.GetModules(), std::vector<std::string>());

  ScriptEngine copy = engine;
  EXPECT_EQ(copy.GetComponent(), engine.GetComponent());
}

// Catches a runaway script that hangs the program instead of being stopped at its time-out.
TEST(ScriptEngine, StopsAScriptPastItsTimeout) {
  ScriptEngine engine;
  ASSERT_TRUE(engine.SetLanguage());
  ASSERT_TRUE(engine.SetTimeout(100));
  EXPECT_EQ(engine.GetTimeout(), 100);
  engine.AddCode("function spin() { while (true) {} }");
  EXPECT_EQ(engine.Run("spin"), web::Variant());
  EXPECT_EQ(engine.Eval("6 * 7"), web::Variant(42.0));
}

}  // namespace
