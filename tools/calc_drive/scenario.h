// One scenario line of the window driver: parsed from JSON, played on a
// fresh window, answered as JSON.
#pragma once

#include <string>

#include "json_lines/json_lines.h"
#include "ui/application.h"

namespace optics::drive {

// Plays the request
//   {"program":"Vandrel","steps":[{"set":"Edit1","text":"2"},{"click":"Button1"},
//                                  {"key":"Enter"|"Tab"|"Shift+Tab"|"Escape"}]}
// and answers {"window":{...},"layout":{...},"states":[S0, S1, ...]}, where S0
// is the start state and Si the state after step i; or {"error":"..."} for a
// request that is not valid (unknown program, control or key, wrong member
// types). A member given twice counts once, as it first stands. Never throws.
json_lines::Json PlayScenario(ui::Application& app, const json_lines::Json& request);

}  // namespace optics::drive
