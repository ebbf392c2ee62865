// The whole run of a calculator: the start-up (startup.h), the one window,
// the loop.
#pragma once

#include <memory>

#include "form/form_binding.h"

namespace optics::ui {

// Runs the program with the window of the form that make creates, until the
// window is closed. Returns the exit code.
int RunProgram(int argc, char** argv, std::unique_ptr<form::FormModel> (*make)());

}  // namespace optics::ui
