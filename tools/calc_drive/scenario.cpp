#include "scenario.h"

#include <stdexcept>

#include "bit_patterns.h"
#include "programs.h"
#include "driver/window_driver.h"

namespace optics::drive {
namespace {

json::Value RectValue(const form::Rect& r) {
  return json::Array{r.left, r.top, r.width, r.height};
}

json::Value StateValue(const ui::StateSnapshot& s) {
  json::Value controls = json::Object{};
  for (const auto& [name, text] : s.controls) controls.Add(name, text);
  json::Value fields = json::Object{};
  for (const auto& [name, value] : s.fields) fields.Add(name, numtext::DoubleHex(value));
  json::Value box;
  if (s.box) {
    json::Array buttons;
    for (const auto& b : s.box->buttons) buttons.emplace_back(b);
    box.Add("caption", s.box->caption);
    box.Add("text", s.box->text);
    box.Add("icon", s.box->icon);
    box.Add("buttons", std::move(buttons));
  }
  json::Value state;
  state.Add("controls", std::move(controls));
  state.Add("fields", std::move(fields));
  state.Add("box", std::move(box));
  state.Add("focus", s.focus.empty() ? json::Value() : json::Value(s.focus));
  return state;
}

const std::string& StringMember(const json::Value& object, const char* key) {
  const json::Value* v = object.Find(key);
  if (v == nullptr || !v->IsString()) {
    throw std::invalid_argument(std::string("\"") + key + "\" must be a string");
  }
  return v->AsString();
}

void PlayStep(ui::WindowDriver& driver, const json::Value& step) {
  if (!step.IsObject()) throw std::invalid_argument("a step must be an object");
  if (step.Find("set") != nullptr) {
    driver.Set(StringMember(step, "set"), StringMember(step, "text"));
  } else if (step.Find("click") != nullptr) {
    driver.Click(StringMember(step, "click"));
  } else if (step.Find("key") != nullptr) {
    driver.Key(StringMember(step, "key"));
  } else {
    throw std::invalid_argument("a step is {\"set\":...,\"text\":...}, {\"click\":...} or {\"key\":...}");
  }
}

json::Value Error(const std::string& message) {
  json::Value v;
  v.Add("error", message);
  return v;
}

}  // namespace

json::Value PlayScenario(ui::Application& app, const json::Value& request) {
  try {
    if (!request.IsObject()) throw std::invalid_argument("a scenario must be a JSON object");
    const std::string& name = StringMember(request, "program");
    const form::ProgramEntry* program = FindProgram(name);
    if (program == nullptr) throw std::invalid_argument("unknown program '" + name + "'");
    const json::Value* steps = request.Find("steps");
    if (steps != nullptr && !steps->IsArray()) throw std::invalid_argument("\"steps\" must be an array");

    ui::WindowDriver driver(app, *program);
    json::Value window;
    window.Add("caption", driver.Caption());
    window.Add("rect", RectValue(driver.WindowRect()));
    json::Value layout = json::Object{};
    for (const ui::ControlSnapshot& c : driver.Layout()) {
      json::Value control;
      control.Add("kind", c.kind);
      control.Add("rect", RectValue(c.rect));
      control.Add("font_px", c.font_px);
      control.Add("tab", c.tab ? json::Value(*c.tab) : json::Value());
      control.Add("enabled", c.enabled);
      control.Add("text", c.text);
      layout.Add(c.name, std::move(control));
    }
    json::Array states{StateValue(driver.State())};
    if (steps != nullptr) {
      for (const json::Value& step : steps->AsArray()) {
        PlayStep(driver, step);
        states.push_back(StateValue(driver.State()));
      }
    }
    json::Value answer;
    answer.Add("window", std::move(window));
    answer.Add("layout", std::move(layout));
    answer.Add("states", std::move(states));
    return answer;
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

}  // namespace optics::drive
