#include "scenario.h"

#include <stdexcept>

#include "bit_patterns.h"
#include "programs.h"
#include "driver/window_driver.h"

namespace optics::drive {
namespace {

using json_lines::Json;

Json RectValue(const form::Rect& r) { return Json::array({r.left, r.top, r.width, r.height}); }

Json StateValue(const ui::StateSnapshot& s) {
  Json controls = Json::object();
  for (const auto& [name, text] : s.controls) controls[name] = text;
  Json fields = Json::object();
  for (const auto& [name, value] : s.fields) fields[name] = numtext::DoubleHex(value);
  Json box;
  if (s.box) {
    box["caption"] = s.box->caption;
    box["text"] = s.box->text;
    box["icon"] = s.box->icon;
    box["buttons"] = s.box->buttons;
  }
  Json state;
  state["controls"] = std::move(controls);
  state["fields"] = std::move(fields);
  state["box"] = std::move(box);
  state["focus"] = s.focus.empty() ? Json() : Json(s.focus);
  return state;
}

const std::string& StringMember(const Json& object, const char* key) {
  const auto v = object.find(key);  // the first member of that name
  if (v == object.end() || !v->is_string()) {
    throw std::invalid_argument(std::string("\"") + key + "\" must be a string");
  }
  return v->get_ref<const std::string&>();
}

void PlayStep(ui::WindowDriver& driver, const Json& step) {
  if (!step.is_object()) throw std::invalid_argument("a step must be an object");
  if (step.contains("set")) {
    driver.Set(StringMember(step, "set"), StringMember(step, "text"));
  } else if (step.contains("click")) {
    driver.Click(StringMember(step, "click"));
  } else if (step.contains("key")) {
    driver.Key(StringMember(step, "key"));
  } else {
    throw std::invalid_argument("a step is {\"set\":...,\"text\":...}, {\"click\":...} or {\"key\":...}");
  }
}

Json Error(const std::string& message) {
  Json v;
  v["error"] = message;
  return v;
}

}  // namespace

Json PlayScenario(ui::Application& app, const Json& request) {
  try {
    if (!request.is_object()) throw std::invalid_argument("a scenario must be a JSON object");
    const std::string& name = StringMember(request, "program");
    const form::ProgramEntry* program = FindProgram(name);
    if (program == nullptr) throw std::invalid_argument("unknown program '" + name + "'");
    const auto steps = request.find("steps");
    if (steps != request.end() && !steps->is_array()) throw std::invalid_argument("\"steps\" must be an array");

    ui::WindowDriver driver(app, *program);
    Json window;
    window["caption"] = driver.Caption();
    window["rect"] = RectValue(driver.WindowRect());
    Json layout = Json::object();
    for (const ui::ControlSnapshot& c : driver.Layout()) {
      Json control;
      control["kind"] = c.kind;
      control["rect"] = RectValue(c.rect);
      control["font_px"] = c.font_px;
      control["tab"] = c.tab ? Json(*c.tab) : Json();
      control["enabled"] = c.enabled;
      control["text"] = c.text;
      layout[c.name] = std::move(control);
    }
    Json states = Json::array({StateValue(driver.State())});
    if (steps != request.end()) {
      for (const Json& step : *steps) {
        PlayStep(driver, step);
        states.push_back(StateValue(driver.State()));
      }
    }
    Json answer;
    answer["window"] = std::move(window);
    answer["layout"] = std::move(layout);
    answer["states"] = std::move(states);
    return answer;
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

}  // namespace optics::drive
