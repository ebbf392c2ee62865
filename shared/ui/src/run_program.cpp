#include "ui/run_program.h"

#include "ui/calculator_window.h"
#include "ui/startup.h"

namespace optics::ui {

int RunProgram(int argc, char** argv, std::unique_ptr<form::FormModel> (*make)()) {
  Startup start(argc, argv);
  const std::unique_ptr<form::FormModel> form = make();
  // The launcher entry's id, so that a desktop shell finds the entry and its
  // icon:  "Vandrel" -> "io.github.opticalcalculators.vandrel"
  QGuiApplication::setDesktopFileName(
      QString::fromStdString("io.github.opticalcalculators." + form->Description().caption)
          .toLower());
  CalculatorWindow window(*form, start.App());
  window.ShowAtDesignedPlace();
  return QApplication::exec();
}

}  // namespace optics::ui
