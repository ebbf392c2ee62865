// The real Corvale window, driven offscreen.
#include <gtest/gtest.h>

#include "corvale_fixture.h"
#include "corvale_form.h"
#include "gui_test_support.h"

namespace optics::corvale {
namespace {

const form::ProgramEntry kCorvale{"Corvale", MakeCorvaleForm};

class CorvaleWindow : public testing::WindowTest {
 protected:
  CorvaleWindow() : WindowTest(kCorvale) {}
};

TEST_F(CorvaleWindow, ShowsTheDesignedLayout) {
  EXPECT_EQ(driver_.Caption(), "Corvale");
  EXPECT_EQ(driver_.WindowRect(), (form::Rect{238, 189, 875, 778}));
  ExpectDesignedLayout(CorvaleForm().Description());
  const auto layout = driver_.Layout();
  ASSERT_EQ(layout.size(), 29u);
  EXPECT_EQ(Text("Memo1"), "");
  EXPECT_EQ(Text("Memo2"), "多項式の係数\r\n");
  EXPECT_EQ(Text("Memo3").substr(0, 3), "基");
  EXPECT_EQ(layout[0].text, "計算");
  EXPECT_EQ(layout[1].text, "計算");
}

TEST_F(CorvaleWindow, ScreenReadersTellTheTwoButtonsApart) {
  ExpectEveryFocusableControlNamedApart(CorvaleForm().Description());
  EXPECT_EQ(Accessible("Button1", QAccessible::Name), "円錐係数を計算");
  EXPECT_EQ(Accessible("Button2", QAccessible::Name), "多項式の係数を計算");
  EXPECT_EQ(driver_.Layout()[1].text, "計算") << "both captions on screen stay";
  EXPECT_EQ(Accessible("Edit1", QAccessible::Name), "主鏡曲率半径");
  EXPECT_EQ(Accessible("Edit7", QAccessible::Name), "主鏡円錐係数")
      << "the label's stray bracket is not read aloud";
  EXPECT_EQ(Accessible("Edit13", QAccessible::Name), "傾角３");
  EXPECT_EQ(Accessible("Memo3", QAccessible::Name), "使い方と出典");
}

TEST_F(CorvaleWindow, StartsOnTheUpperButtonAndEnterComputes) {
  EXPECT_EQ(driver_.State().focus, "Button1");
  driver_.Key("Enter");
  EXPECT_EQ(Text("Edit7"), "-0.136448");
  EXPECT_EQ(Text("Edit8"), "-5.550891");
  EXPECT_EQ(Field("conicS3"), -5.5508917050915239);
}

TEST_F(CorvaleWindow, TabCyclesInTheDesignedOrder) {
  const char* order[] = {"Button2", "Edit1",  "Edit2",  "Edit3",  "Edit4", "Edit5",
                         "Edit7",   "Edit8",  "Edit9",  "Edit10", "Memo1", "Memo2",
                         "Memo3",   "Edit11", "Edit12", "Edit13", "Button1"};
  for (const char* name : order) {
    driver_.Key("Tab");
    EXPECT_EQ(driver_.State().focus, name);
  }
}

TEST_F(CorvaleWindow, LowerButtonFirstReportsTheDivisionAndKeepsItsMemo) {
  driver_.Click("Button2");
  const auto s = driver_.State();
  ASSERT_TRUE(s.box.has_value());
  EXPECT_EQ(s.box->caption, "Corvale");
  EXPECT_EQ(s.box->text, "0 による浮動小数点数除算.");
  EXPECT_EQ(Text("Memo2"), "多項式の係数\r\n");
  EXPECT_EQ(s.focus, "Button2");
}

TEST_F(CorvaleWindow, UpperThenLowerFillsBothMemos) {
  driver_.Click("Button1");
  driver_.Click("Button2");
  EXPECT_FALSE(driver_.State().box.has_value());
  EXPECT_EQ(Text("Memo1"), kDefaultConics);
  EXPECT_EQ(Text("Memo2"), kDefaultCoefficients);
}

TEST_F(CorvaleWindow, AFailureInTheThirdSetShowsTheFirstTwoBlocks) {
  driver_.Set("Edit9", "0");
  driver_.Click("Button1");
  const auto s = driver_.State();
  ASSERT_TRUE(s.box.has_value());
  EXPECT_EQ(s.box->text, "0 による浮動小数点数除算.");
  EXPECT_EQ(Text("Memo1"),
            "Vostralの式\r\n主鏡の円錐係数 = -0.136448\r\n副鏡の円錐係数 = -5.550891\r\n"
            "\r\n"
            "Teskarの式\r\n主鏡の円錐係数 = -0.136448\r\n副鏡の円錐係数 = -5.550891\r\n");
  EXPECT_EQ(Text("Edit7"), "-0.13644");
}

TEST_F(CorvaleWindow, TheUsersNoteEditsStay) {
  driver_.Set("Memo3", "my note");
  driver_.Click("Button1");
  EXPECT_EQ(Text("Memo3"), "my note");
}

}  // namespace
}  // namespace optics::corvale
