// The window driver: reads one JSON scenario per line on stdin and answers
// one JSON line each, in order, flushing each. Runs on Qt's offscreen
// platform unless another is chosen.
#include <iostream>
#include <string>

#include "json_lines/json_lines.h"
#include "scenario.h"
#include "ui/application.h"
#include "ui/startup.h"
#include "driver/window_driver.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  optics::ui::InstallQuietOffscreenMessages();
  optics::ui::Startup start(argc, argv, "calc-drive");  // as the programs start
  optics::ui::Application& app = start.App();

  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    optics::json_lines::Json answer;
    try {
      answer = optics::drive::PlayScenario(app, optics::json_lines::ReadJsonLine(line));
    } catch (const std::exception& e) {
      answer["error"] = std::string("bad request: ") + e.what();
    }
    std::cout << optics::json_lines::WriteJsonLine(std::move(answer)) << '\n' << std::flush;
  }
  return 0;
}
