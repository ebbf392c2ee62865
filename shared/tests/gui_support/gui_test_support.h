// Helpers of the window tests.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "test_support.h"

#include "ui/application.h"
#include "ui/window_driver.h"

namespace optics::testing {

// A freshly created window of one program, driven as a person would.
class WindowTest : public ::testing::Test {
 protected:
  explicit WindowTest(const ui::ProgramEntry& program)
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

  ui::WindowDriver driver_;
};

}  // namespace optics::testing
