// The window driver as its users see it: scenario lines in, one JSON answer
// line each out, in order; a bad line answers an error and the driver goes on.
#include <cstdlib>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "child_process.h"
#include "json_lines/json_lines.h"

namespace {

using Value = optics::json_lines::Json;

std::vector<Value> Play(const std::string& input) {
  const optics::testing::ChildRun run = optics::testing::RunWithInput(CALC_DRIVE_PATH, input);
  std::vector<Value> answers;
  for (const std::string& line : run.Lines()) answers.push_back(Value::parse(line));
  return answers;
}

const Value& At(const Value& v, std::initializer_list<const char*> path) {
  const Value* p = &v;
  for (const char* key : path) {
    const auto found = p->find(key);
    if (found == p->end()) throw std::runtime_error(std::string("no member ") + key);
    p = &*found;
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
  EXPECT_EQ(At(At(answers[0], {"states"})[3], {"controls", "Memo1"}),
            "nC = 1,51385015094625\r\nnF = 1,52189894284025\r\nng = 1,52617319431426\r\n");
}

TEST(CalcDrive, EditTextsHaveNoLengthLimit) {
  const std::string digits(100000, '0');
  const auto answers = Play(R"({"program":"Vandrel","steps":[{"set":"Edit2","text":")" + digits +
                            R"(64.15"},{"click":"Button1"}]})" "\n");
  ASSERT_EQ(answers.size(), 1u);
  const auto& states = At(answers[0], {"states"});
  EXPECT_EQ(At(states[1], {"controls", "Edit2"}).get_ref<const std::string&>().size(), digits.size() + 5);
  EXPECT_EQ(At(states[2], {"fields", "Vd"}), "405009999999999a");
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
  EXPECT_EQ(At(vandrel, {"window", "caption"}), "Vandrel");
  EXPECT_EQ(At(vandrel, {"window", "rect"}).dump(), "[325,128,499,531]");
  EXPECT_EQ(At(vandrel, {"layout", "Edit1"}).dump(),
            R"({"kind":"edit","rect":[80,60,125,28],"font_px":20,"tab":0,"enabled":true,"text":"1.51633"})");
  const auto& states = At(vandrel, {"states"});
  ASSERT_EQ(states.size(), 4u);
  EXPECT_EQ(At(states[0], {"focus"}), "Edit1");
  EXPECT_TRUE(At(states[0], {"box"}).is_null());
  EXPECT_EQ(At(states[1], {"fields", "nC"}), "3ff838baef95bdb9");
  EXPECT_EQ(At(states[1], {"controls", "Memo1"}),
            "nC = 1.51385015094625\r\nnF = 1.52189894284025\r\nng = 1.52617319431426\r\n");
  EXPECT_EQ(At(states[3], {"box"}).dump(),
            R"({"caption":"Vandrel","text":"0 による浮動小数点数除算.","icon":"stop","buttons":["OK"]})");

  EXPECT_TRUE(answers[1].contains("error"));

  const auto& corvale = At(answers[2], {"states"});
  EXPECT_EQ(At(corvale[1], {"controls", "Edit7"}), "-0.136448");
  EXPECT_EQ(At(corvale[1], {"fields"}).size(), 24u);
  EXPECT_EQ(At(corvale[1], {"fields"}).begin().key(), "R1");
  EXPECT_EQ(std::prev(At(corvale[1], {"fields"}).end()).key(), "coefS4");

  EXPECT_TRUE(answers[3].contains("error")) << "no control Nothing";
  EXPECT_EQ(At(answers[4], {"states"}).size(), 1u);
  EXPECT_EQ(At(At(answers[4], {"states"})[0], {"fields"}).size(), 30u);
}

// The answer lines byte for byte: control characters as \u00xx, the first of
// two members of one name counts, and a line that is no JSON says where.
TEST(CalcDrive, AnswersInTheFormItAlwaysHas) {
  unsetenv("LC_ALL");
  setenv("LANG", "C", 1);
  const optics::testing::ChildRun run = optics::testing::RunWithInput(
      CALC_DRIVE_PATH,
      R"({"program":"Vandrel","program":"Nope","steps":[{"click":"Button1"}]})"
      "\n{not json\n");
  const std::vector<std::string> lines = run.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(R"("Memo1":"nC = 1.51385015094625\u000d\u000anF = )"), std::string::npos);
  EXPECT_EQ(lines[1], R"({"error":"bad request: expected a member name in double quotes at byte 1"})");
}

}  // namespace
