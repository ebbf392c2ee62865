#include "ui/run_program.h"

#include "ui/calculator_window.h"
#include "ui/startup.h"

namespace optics::ui {

int RunProgram(int argc, char** argv, std::unique_ptr<form::FormModel> (*make)()) {
  Startup start(argc, argv);
  const std::unique_ptr<form::FormModel> form = make();
  CalculatorWindow window(*form, start.App());
  window.ShowAtDesignedPlace();
  return QApplication::exec();
}

}  // namespace optics::ui
