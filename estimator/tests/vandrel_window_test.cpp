// The real Vandrel window, driven offscreen as a person would use it.
#include <ostream>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "numeric/exceptions.h"
#include "vandrel_form.h"

namespace optics::vandrel {
namespace {

const form::ProgramEntry kVandrel{"Vandrel", MakeVandrelForm};
constexpr const char* kDefaultResult =
    "nC = 1.51385015094625\r\nnF = 1.52189894284025\r\nng = 1.52617319431426\r\n";

class VandrelWindow : public testing::WindowTest {
 protected:
  VandrelWindow() : WindowTest(kVandrel) {}
};

TEST_F(VandrelWindow, ShowsTheDesignedLayout) {
  EXPECT_EQ(driver_.Caption(), "Vandrel");
  const form::Rect outer = driver_.WindowRect();
  EXPECT_EQ(outer, (form::Rect{325, 128, 499, 531}));
  ExpectDesignedLayout(VandrelForm().Description());
  const auto layout = driver_.Layout();
  ASSERT_EQ(layout.size(), 8u);
  EXPECT_EQ(layout[4].text, "\r\n") << "the memo starts with one empty line";
  EXPECT_EQ(layout[5].text, "計算");
  EXPECT_FALSE(layout[6].enabled) << "the formula note is disabled";
  EXPECT_EQ(layout[6].text.substr(0, 3), "計");
}

TEST_F(VandrelWindow, ScreenReadersHearEachControlByWhatItHolds) {
  ExpectEveryFocusableControlNamedApart(VandrelForm().Description());
  EXPECT_EQ(Accessible("Edit1", QAccessible::Name), "nd =");
  EXPECT_EQ(Accessible("Edit1", QAccessible::Description), "d線屈折率");
  EXPECT_EQ(Accessible("Edit2", QAccessible::Name), "Vd =");
  EXPECT_EQ(Accessible("Memo1", QAccessible::Name), "計算結果");
  EXPECT_EQ(Accessible("Button1", QAccessible::Name), "屈折率を計算");
  EXPECT_EQ(Accessible("RichEdit1", QAccessible::Name), "計算式");
  EXPECT_EQ(driver_.Layout()[5].text, "計算") << "the caption on screen stays";
}

// The note is drawn in the window's text colour on its disabled background,
// on the palette and in the pixels the window really paints.
TEST_F(VandrelWindow, TheFormulaNoteStaysDisabledYetReadsAtTextContrast) {
  auto* note = qobject_cast<QTextEdit*>(driver_.Window().Control("RichEdit1"));
  ASSERT_NE(note, nullptr);
  EXPECT_FALSE(note->isEnabled());
  EXPECT_EQ(note->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(note->isReadOnly());
  QWidget* view = note->viewport();
  const QPalette& p = view->palette();
  const QColor text = p.color(QPalette::Disabled, QPalette::Text);
  const QColor back = p.color(QPalette::Disabled, view->backgroundRole());
  EXPECT_EQ(text, p.color(QPalette::Active, QPalette::Text));
  EXPECT_GE(testing::ContrastRatio(text, back), 4.5)
      << text.name().toStdString() << " on " << back.name().toStdString();

  const QImage shot = view->grab().toImage();
  QColor darkest = back;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.lightnessF() < darkest.lightnessF()) darkest = c;
    }
  }
  EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() - 2), back) << "the background";
  EXPECT_GE(testing::ContrastRatio(darkest, back), 4.5)
      << "darkest glyph pixel " << darkest.name().toStdString();
}

TEST_F(VandrelWindow, StartsOnEdit1AndTabCyclesThroughTheFourControls) {
  EXPECT_EQ(driver_.State().focus, "Edit1");
  const char* expected[] = {"Edit2", "Memo1", "Button1", "Edit1", "Edit2"};
  for (const char* name : expected) {
    driver_.Key("Tab");
    EXPECT_EQ(driver_.State().focus, name);
  }
  driver_.Key("Shift+Tab");
  EXPECT_EQ(driver_.State().focus, "Edit1");
  driver_.Key("Shift+Tab");
  EXPECT_EQ(driver_.State().focus, "Button1") << "backwards, the cycle wraps too";
}

TEST_F(VandrelWindow, EditTextIsSelectedOnKeyboardFocusOnly) {
  auto* edit1 = qobject_cast<QLineEdit*>(driver_.Window().Control("Edit1"));
  auto* edit2 = qobject_cast<QLineEdit*>(driver_.Window().Control("Edit2"));
  EXPECT_EQ(edit1->selectedText(), "1.51633") << "focus at start selects the whole text";
  QTest::mouseClick(edit2, Qt::LeftButton, {}, QPoint(5, 10));
  EXPECT_TRUE(edit2->hasFocus());
  EXPECT_EQ(edit2->selectedText(), "") << "a click only places the caret";
  driver_.Key("Shift+Tab");
  EXPECT_EQ(edit1->selectedText(), "1.51633");
}

TEST_F(VandrelWindow, TheTaskbarShowsTheApplicationTitle) {
  EXPECT_EQ(driver_.Window().windowIconText().toStdString(), "Vandrel");
  EXPECT_EQ(driver_.Window().windowTitle().toStdString(), "Vandrel");
}

TEST_F(VandrelWindow, ScrollBarsAppearWhenTheClientIsSmallerThanTheControls) {
  auto* scroll = driver_.Window().findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  driver_.Window().resize(300, 200);
  QCoreApplication::processEvents();
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
  EXPECT_EQ(scroll->verticalScrollBar()->singleStep(), 8);
  EXPECT_EQ(scroll->verticalScrollBar()->pageStep(),
            scroll->viewport()->height() * 9 / 10);
  const auto layout = driver_.Layout();
  EXPECT_EQ(layout[0].rect, (form::Rect{80, 60, 125, 28})) << "controls keep their place and size";
}

TEST_F(VandrelWindow, ButtonComputesTheDefaultGlassAndKeepsTheFocus) {
  driver_.Click("Button1");
  const auto s = driver_.State();
  EXPECT_FALSE(s.box.has_value());
  EXPECT_EQ(Text("Memo1"), kDefaultResult);
  EXPECT_EQ(Field("nC"), 1.5138501509462527);
  EXPECT_EQ(Field("ng"), 1.5261731943142638);
  EXPECT_EQ(s.focus, "Button1");
  // Enter on the focused button repeats it; the same text changes nothing.
  driver_.Key("Enter");
  EXPECT_EQ(Text("Memo1"), kDefaultResult);
}

TEST_F(VandrelWindow, EnterInAnEditAndEscapeDoNothing) {
  driver_.Key("Enter");
  driver_.Key("Escape");
  EXPECT_EQ(Text("Memo1"), "\r\n");
  EXPECT_EQ(driver_.State().focus, "Edit1");
}

struct FailureRow {
  const char* name;
  const char* nd;
  const char* vd;
  const char* box_text;
};

// A failing row prints as its name.
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class VandrelFailure : public VandrelWindow,
                       public ::testing::WithParamInterface<FailureRow> {};

TEST_P(VandrelFailure, ShowsTheBoxAndLeavesTheLastResult) {
  driver_.Click("Button1");
  driver_.Set("Edit1", GetParam().nd);
  driver_.Set("Edit2", GetParam().vd);
  driver_.Click("Button1");
  const auto s = driver_.State();
  ASSERT_TRUE(s.box.has_value());
  EXPECT_EQ(s.box->caption, "Vandrel");
  EXPECT_EQ(s.box->text, GetParam().box_text);
  EXPECT_EQ(s.box->icon, "stop");
  EXPECT_EQ(s.box->buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(Text("Memo1"), kDefaultResult);
  EXPECT_EQ(s.focus, "Button1");
}

INSTANTIATE_TEST_SUITE_P(
    Failures, VandrelFailure,
    ::testing::Values(
        FailureRow{"AbbeNotANumber", "1.5", "abc", "'abc' は浮動小数点数ではありません."},
        FailureRow{"BothNotNumbers", "x", "y", "'y' は浮動小数点数ではありません."},
        FailureRow{"IndexWithSpaces", " 1,5 ", "60", "' 1,5 ' は浮動小数点数ではありません."},
        FailureRow{"AbbeZero", "1.6", "0", "0 による浮動小数点数除算."},
        FailureRow{"ZeroOverZero", "1", "0", "不正な浮動小数点数演算命令."},
        FailureRow{"SquareOverflows", "1.5", "1e200", "浮動小数点数のオーバーフロー."}),
    testing::RowName());

TEST_F(VandrelWindow, AfterAFailureTheSameInputsGiveTheSameDigits) {
  driver_.Set("Edit2", "0");
  driver_.Click("Button1");
  ASSERT_TRUE(driver_.State().box.has_value());
  driver_.Set("Edit2", "64.15");
  driver_.Click("Button1");
  EXPECT_FALSE(driver_.State().box.has_value());
  EXPECT_EQ(Text("Memo1"), kDefaultResult);
}

TEST_F(VandrelWindow, WhatTheUserTypedIntoTheMemoIsReplaced) {
  driver_.Set("Memo1", "notes\r\nmore");
  EXPECT_EQ(Text("Memo1"), "notes\r\nmore");
  driver_.Click("Button1");
  EXPECT_EQ(Text("Memo1"), kDefaultResult);
}

TEST_F(VandrelWindow, ReadsTheSeparatorOfTheUsersLocaleOnAChange) {
  const QByteArray saved = qgetenv("LC_ALL");
  qputenv("LC_ALL", "de_DE.UTF-8");
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &change);
  driver_.Set("Edit1", "1,51633");
  driver_.Set("Edit2", "64,15");
  driver_.Click("Button1");
  EXPECT_EQ(Text("Memo1"),
            "nC = 1,51385015094625\r\nnF = 1,52189894284025\r\nng = 1,52617319431426\r\n");
  qputenv("LC_ALL", saved);
  QCoreApplication::sendEvent(qApp, &change);
  driver_.Click("Button1");
  EXPECT_TRUE(driver_.State().box.has_value()) << "'1,51633' is no number with '.' again";
}

}  // namespace
}  // namespace optics::vandrel
