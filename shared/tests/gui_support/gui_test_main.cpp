// main() of the window tests: the offscreen platform, the guarded
// application, the application object; a box that no driver expects fails
// the running test instead of blocking it.
#include <QMessageBox>

#include <gtest/gtest.h>

#include "numeric/fpu_environment.h"
#include "ui/application.h"
#include "ui/window_driver.h"

int main(int argc, char** argv) {
  optics::ui::InstallQuietOffscreenMessages();
  qputenv("QT_QPA_PLATFORM", "offscreen");
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
