// Helpers of the window tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include <QAccessible>
#include <QColor>
#include <QFontMetrics>
#include <QWidget>

#include <gtest/gtest.h>

#include "test_support.h"

#include "ui/application.h"
#include "driver/window_driver.h"

namespace optics::testing {

// The contrast ratio of two colours by the WCAG 2 formula, from 1 (equal
// luminance) to 21 (black on white); 4.5 is the least for normal text.
//   #000000, #ffffff -> 21    #bebebe, #efefef -> 1.6
inline double ContrastRatio(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A freshly created window of one program, driven as a person would.
class WindowTest : public ::testing::Test {
 protected:
  explicit WindowTest(const form::ProgramEntry& program)
      : driver_(*ui::Application::Instance(), program) {}

  std::string Text(const std::string& control) const {
    for (const auto& [name, text] : driver_.State().controls) {
      if (name == control) return text;
    }
    ADD_FAILURE() << "no edit or memo " << control;
    return {};
  }

  double Field(const std::string& field) const {
    for (const auto& [name, value] : driver_.State().fields) {
      if (name == field) return value;
    }
    ADD_FAILURE() << "no field " << field;
    return 0.0;
  }

  // Every control stands at its designed place and size with its designed
  // font height, and every label's caption fits its designed width.
  void ExpectDesignedLayout(const form::FormDescription& d) const {
    const auto layout = driver_.Layout();
    ASSERT_EQ(layout.size(), d.controls.size());
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const form::ControlDescription& c = d.controls[i];
      const form::Rect& r = layout[i].rect;
      EXPECT_EQ(layout[i].name, c.name);
      EXPECT_EQ(layout[i].font_px, c.font_px == 0 ? d.font_px : c.font_px) << c.name;
      EXPECT_EQ(r, c.rect) << c.name;
      if (c.kind == form::ControlKind::Label) {
        const QWidget* label = driver_.Window().Control(c.name);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(QString::fromStdString(layout[i].text)),
                  c.rect.width)
            << c.name << " would be cut";
      }
    }
  }

  // What a screen reader announces for a control, through Qt's accessibility.
  std::string Accessible(const std::string& control, QAccessible::Text what) const {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(driver_.Window().Control(control));
    if (a == nullptr) {
      ADD_FAILURE() << "no accessible interface for " << control;
      return {};
    }
    return a->text(what).toStdString();
  }

  // Every control that takes the focus is announced with a name of its own,
  // and a button's name contains its caption, so that the name a person
  // reads on screen also finds it by voice.
  void ExpectEveryFocusableControlNamedApart(const form::FormDescription& d) const {
    std::map<std::string, std::string> named;  // accessible name -> control
    for (const form::ControlDescription& c : d.controls) {
      if (driver_.Window().Control(c.name)->focusPolicy() == Qt::NoFocus) continue;
      const std::string name = Accessible(c.name, QAccessible::Name);
      EXPECT_FALSE(name.empty()) << c.name << " has no accessible name";
      const auto [first, fresh] = named.emplace(name, c.name);
      EXPECT_TRUE(fresh) << c.name << " and " << first->second << " are both announced as " << name;
      if (c.kind == form::ControlKind::Button) {
        EXPECT_NE(name.find(form::InitialText(c)), std::string::npos) << c.name << ": " << name;
      }
    }
    EXPECT_FALSE(named.empty());
  }

  ui::WindowDriver driver_;
};

}  // namespace optics::testing
