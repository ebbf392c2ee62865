// main() of the window tests: the offscreen platform, the guarded
// application, the application object; a box that no driver expects fails
// the running test instead of blocking it.
#include <QMessageBox>

#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/startup.h"
#include "driver/window_driver.h"

int main(int argc, char** argv) {
  optics::ui::InstallQuietOffscreenMessages();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  optics::ui::Startup start(argc, argv, "WindowTest");  // as the programs start
  start.App().SetMessageBoxObserver([](QMessageBox& box) {
    ADD_FAILURE() << "unexpected message box: " << box.text().toStdString();
    box.reject();
  });
  return RUN_ALL_TESTS();
}
