// main() of the window tests: the offscreen platform, the guarded
// application, the application object; a box that no driver expects fails
// the running test instead of blocking it.
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "numeric/fpu_environment.h"
#include "ui/application.h"

namespace {

// The offscreen platform reports window-manager requests it cannot honour;
// they say nothing about the windows under test.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietOffscreenNotes);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_QPA_FONTDIR", "/usr/share/fonts");
  ::testing::InitGoogleTest(&argc, argv);
  optics::EstablishArithmeticEnvironment();
  optics::ui::GuardedQApplication qt(argc, argv);
  optics::ui::Application app("WindowTest");
  app.SetMessageBoxObserver([](QMessageBox& box) {
    ADD_FAILURE() << "unexpected message box: " << box.text().toStdString();
    box.reject();
  });
  return RUN_ALL_TESTS();
}
