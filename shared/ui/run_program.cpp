#include "ui/run_program.h"

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "numeric/report.h"
#include "ui/application.h"
#include "ui/calculator_window.h"
#include "ui/icon.h"
#include "ui/locale_separator.h"

namespace optics::ui {

int RunProgram(int argc, char** argv, std::unique_ptr<FormModel> (*make)()) {
  EstablishArithmeticEnvironment();
  SetDecimalSeparator(ReadUserDecimalSeparator());

  GuardedQApplication qt(argc, argv);
  EstablishArithmeticEnvironment();  // whatever the toolkit's start-up did to it
  QApplication::setWindowIcon(CalculatorIcon());
  Application app(ApplicationTitle(QCoreApplication::applicationFilePath().toStdString()));
  QGuiApplication::setDesktopFileName(  // e.g. io.github.opticalcalculators.vandrel
      QString::fromStdString("io.github.opticalcalculators." + app.Title()).toLower());

  const std::unique_ptr<FormModel> form = make();
  CalculatorWindow window(*form, app);
  window.ShowAtDesignedPlace();
  return QApplication::exec();
}

}  // namespace optics::ui
