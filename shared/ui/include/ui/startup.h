// The start of every process that shows a calculator window: the three
// programs, calc-drive and the window tests all begin with one Startup.
//   1. the arithmetic environment, and the user's decimal separator, before
//      anything of the toolkit exists;
//   2. the guarded toolkit application;
//   3. the arithmetic environment again, whatever the toolkit's start-up did
//      to it, and the calculators' icon for every window;
//   4. the toolkit's own texts (the context menus of edits and memos) in
//      Japanese, as every text of the windows is, whatever the user's
//      locale: Qt's qtbase_ja translation, where it is installed;
//   5. the application object with the application title.
#pragma once

#include <string>

#include <QTranslator>

#include "ui/application.h"

namespace optics::ui {

class Startup {
 public:
  // title: the application title; empty takes it from the program file's
  // name (ApplicationTitle), as the programs do.
  //   "/usr/bin/Ostrine" started with "" -> title "Ostrine"
  Startup(int& argc, char** argv, std::string title = {});
  Startup(const Startup&) = delete;
  Startup& operator=(const Startup&) = delete;

  Application& App() { return app_; }

 private:
  struct BeforeToolkit {
    BeforeToolkit();
  };
  static std::string AfterToolkit(QTranslator& toolkit_texts, std::string title);

  BeforeToolkit before_;
  GuardedQApplication qt_;
  QTranslator toolkit_texts_;
  Application app_;
};

}  // namespace optics::ui
