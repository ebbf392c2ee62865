// The real Ostrine window, driven offscreen.
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "ostrine_form.h"

namespace optics::ostrine {
namespace {

const form::ProgramEntry kOstrine{"Ostrine", MakeOstrineForm};

class OstrineWindow : public testing::WindowTest {
 protected:
  OstrineWindow() : WindowTest(kOstrine) {}
};

TEST_F(OstrineWindow, ShowsTheDesignedLayout) {
  EXPECT_EQ(driver_.Caption(), "Ostrine");
  EXPECT_EQ(driver_.WindowRect(), (form::Rect{350, 171, 641, 687}));
  ExpectDesignedLayout(OstrineForm().Description());
  const auto layout = driver_.Layout();
  ASSERT_EQ(layout.size(), 16u);
  EXPECT_EQ(layout[6].text, "硝材\u30001");
  EXPECT_EQ(layout[7].text, "硝材\u30002");
  EXPECT_EQ(Text("Memo1"), "\r\n");
}

TEST_F(OstrineWindow, ScreenReadersHearEachFieldWithItsGlass) {
  ExpectEveryFocusableControlNamedApart(OstrineForm().Description());
  EXPECT_EQ(Accessible("Edit1", QAccessible::Name), "硝材\u30001 nC=");
  EXPECT_EQ(Accessible("Edit3", QAccessible::Name), "硝材\u30001 nF=");
  EXPECT_EQ(Accessible("Edit4", QAccessible::Name), "硝材\u30002 nC=");
  EXPECT_EQ(Accessible("Edit6", QAccessible::Description), "硝材2のF線屈折率");
  EXPECT_EQ(Accessible("Button1", QAccessible::Name), "曲率半径を計算");
  EXPECT_EQ(Accessible("Memo1", QAccessible::Name), "計算結果");
}

TEST_F(OstrineWindow, TabCyclesTheSixFieldsTheButtonAndTheMemo) {
  EXPECT_EQ(driver_.State().focus, "Edit1");
  for (const char* name : {"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Button1", "Memo1",
                           "Edit1"}) {
    driver_.Key("Tab");
    EXPECT_EQ(driver_.State().focus, name);
  }
}

TEST_F(OstrineWindow, EachPressAppendsTheSameBlock) {
  driver_.Click("Button1");
  const std::string once = Text("Memo1");
  EXPECT_TRUE(once.starts_with("\r\n解Ａ\r\nr1=0.159054762494397\r\n")) << once;
  driver_.Key("Enter");
  EXPECT_EQ(Text("Memo1"), once + once.substr(2));
  EXPECT_EQ(driver_.State().focus, "Button1");
}

TEST_F(OstrineWindow, AFailureLeavesTheMemoAndReturnsToTheButton) {
  driver_.Click("Button1");
  const std::string before = Text("Memo1");
  driver_.Set("Edit4", "1.51385");
  driver_.Set("Edit5", "1.51633");
  driver_.Set("Edit6", "1.5219");
  driver_.Click("Button1");
  const auto s = driver_.State();
  ASSERT_TRUE(s.box.has_value());
  EXPECT_EQ(s.box->caption, "Ostrine");
  EXPECT_EQ(s.box->text, "0 による浮動小数点数除算.");
  EXPECT_EQ(Text("Memo1"), before);
  EXPECT_EQ(s.focus, "Button1");
}

}  // namespace
}  // namespace optics::ostrine
