// The window driver as its users see it: scenario lines in, one JSON answer
// line each out, in order; a bad line answers an error and the driver goes on.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "child_process.h"
#include "json/json.h"

namespace {

using optics::json::Value;

std::vector<Value> Play(const std::string& input) {
  const optics::testing::ChildRun run = optics::testing::RunWithInput(CALC_DRIVE_PATH, input);
  std::vector<Value> answers;
  for (const std::string& line : run.Lines()) answers.push_back(optics::json::Parse(line));
  return answers;
}

const Value& At(const Value& v, std::initializer_list<const char*> path) {
  const Value* p = &v;
  for (const char* key : path) {
    p = p->Find(key);
    if (p == nullptr) throw std::runtime_error(std::string("no member ") + key);
  }
  return *p;
}

TEST(CalcDrive, ReadsTheSeparatorOfTheUsersLocaleAsTheProgramsDo) {
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const auto answers = Play(
      R"({"program":"Vandrel","steps":[{"set":"Edit1","text":"1,51633"},{"set":"Edit2","text":"64,15"},{"click":"Button1"}]})"
      "\n");
  unsetenv("LC_ALL");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(At(At(answers[0], {"states"}).AsArray()[3], {"controls", "Memo1"}).AsString(),
            "nC = 1,51385015094625\r\nnF = 1,52189894284025\r\nng = 1,52617319431426\r\n");
}

TEST(CalcDrive, EditTextsHaveNoLengthLimit) {
  const std::string digits(100000, '0');
  const auto answers = Play(R"({"program":"Vandrel","steps":[{"set":"Edit2","text":")" + digits +
                            R"(64.15"},{"click":"Button1"}]})" "\n");
  ASSERT_EQ(answers.size(), 1u);
  const auto& states = At(answers[0], {"states"}).AsArray();
  EXPECT_EQ(At(states[1], {"controls", "Edit2"}).AsString().size(), digits.size() + 5);
  EXPECT_EQ(At(states[2], {"fields", "Vd"}).AsString(), "405009999999999a");
}

TEST(CalcDrive, PlaysEveryProgramAndGoesOnAfterABadLine) {
  unsetenv("LC_ALL");
  setenv("LANG", "C", 1);
  const auto answers = Play(
      R"({"program":"Vandrel","steps":[{"click":"Button1"},{"set":"Edit2","text":"0"},{"click":"Button1"}]})"
      "\n{not json\n"
      R"({"program":"Corvale","steps":[{"key":"Enter"}]})"
      "\n"
      R"({"program":"Ostrine","steps":[{"click":"Nothing"}]})"
      "\n"
      R"({"program":"Ostrine"})"
      "\n");
  ASSERT_EQ(answers.size(), 5u);

  const Value& vandrel = answers[0];
  EXPECT_EQ(At(vandrel, {"window", "caption"}).AsString(), "Vandrel");
  EXPECT_EQ(optics::json::Write(At(vandrel, {"window", "rect"})), "[325,128,499,531]");
  EXPECT_EQ(optics::json::Write(At(vandrel, {"layout", "Edit1"})),
            R"({"kind":"edit","rect":[80,60,125,28],"font_px":20,"tab":0,"enabled":true,"text":"1.51633"})");
  const auto& states = At(vandrel, {"states"}).AsArray();
  ASSERT_EQ(states.size(), 4u);
  EXPECT_EQ(At(states[0], {"focus"}).AsString(), "Edit1");
  EXPECT_TRUE(At(states[0], {"box"}).IsNull());
  EXPECT_EQ(At(states[1], {"fields", "nC"}).AsString(), "3ff838baef95bdb9");
  EXPECT_EQ(At(states[1], {"controls", "Memo1"}).AsString(),
            "nC = 1.51385015094625\r\nnF = 1.52189894284025\r\nng = 1.52617319431426\r\n");
  EXPECT_EQ(optics::json::Write(At(states[3], {"box"})),
            R"({"caption":"Vandrel","text":"0 による浮動小数点数除算.","icon":"stop","buttons":["OK"]})");

  EXPECT_NE(answers[1].Find("error"), nullptr);

  const auto& corvale = At(answers[2], {"states"}).AsArray();
  EXPECT_EQ(At(corvale[1], {"controls", "Edit7"}).AsString(), "-0.136448");
  EXPECT_EQ(At(corvale[1], {"fields"}).AsObject().size(), 24u);
  EXPECT_EQ(At(corvale[1], {"fields"}).AsObject().front().first, "R1");
  EXPECT_EQ(At(corvale[1], {"fields"}).AsObject().back().first, "coefS4");

  EXPECT_NE(answers[3].Find("error"), nullptr) << "no control Nothing";
  EXPECT_EQ(At(answers[4], {"states"}).AsArray().size(), 1u);
  EXPECT_EQ(At(At(answers[4], {"states"}).AsArray()[0], {"fields"}).AsObject().size(), 30u);
}

}  // namespace
