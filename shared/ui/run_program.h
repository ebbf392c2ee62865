// The start of every calculator: the arithmetic environment, the user's
// decimal separator, the application object, the one window, the loop.
#pragma once

#include <memory>

#include "ui/form_binding.h"

namespace optics::ui {

// Runs the program with the window of the form that make creates, until the
// window is closed. Returns the exit code.
int RunProgram(int argc, char** argv, std::unique_ptr<FormModel> (*make)());

}  // namespace optics::ui
