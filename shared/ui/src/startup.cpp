#include "ui/startup.h"

#include <QLibraryInfo>
#include <QLocale>

#include "numeric/application_title.h"
#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "ui/icon.h"
#include "ui/locale_separator.h"

namespace optics::ui {
namespace {

// Qt's texts in Japanese: a missing translation file leaves them English.
void InstallJapaneseToolkitTexts(QTranslator& translator) {
  if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&translator);
  }
}

}  // namespace

Startup::BeforeToolkit::BeforeToolkit() {
  EstablishArithmeticEnvironment();
  SetDecimalSeparator(ReadUserDecimalSeparator());
}

std::string Startup::AfterToolkit(QTranslator& toolkit_texts, std::string title) {
  EstablishArithmeticEnvironment();  // whatever the toolkit's start-up did to it
  QApplication::setWindowIcon(CalculatorIcon());
  InstallJapaneseToolkitTexts(toolkit_texts);
  if (title.empty()) title = ApplicationTitle(QCoreApplication::applicationFilePath().toStdString());
  return title;
}

Startup::Startup(int& argc, char** argv, std::string title)
    : qt_(argc, argv), app_(AfterToolkit(toolkit_texts_, std::move(title))) {}

}  // namespace optics::ui
