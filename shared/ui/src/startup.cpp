#include "ui/startup.h"

#include "numeric/application_title.h"
#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "ui/icon.h"
#include "ui/locale_separator.h"

namespace optics::ui {

Startup::BeforeToolkit::BeforeToolkit() {
  EstablishArithmeticEnvironment();
  SetDecimalSeparator(ReadUserDecimalSeparator());
}

std::string Startup::AfterToolkit(std::string title) {
  EstablishArithmeticEnvironment();  // whatever the toolkit's start-up did to it
  QApplication::setWindowIcon(CalculatorIcon());
  if (title.empty()) title = ApplicationTitle(QCoreApplication::applicationFilePath().toStdString());
  return title;
}

Startup::Startup(int& argc, char** argv, std::string title)
    : qt_(argc, argv), app_(AfterToolkit(std::move(title))) {}

}  // namespace optics::ui
