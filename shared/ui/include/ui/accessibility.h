// What assistive technology (a screen reader, through Qt's accessibility and
// AT-SPI) learns of a control beyond what the screen shows. Nothing here
// changes a text on the screen.
#pragma once

class QWidget;

namespace optics::form {
struct ControlDescription;
}

namespace optics::ui {

// Gives the widget the accessible name and description of its control
// description; an empty one leaves the toolkit's default (a button's
// caption, a label's text).
//   Corvale's Button1, caption "計算" -> accessible name "円錐係数を計算"
//   a label                           -> unchanged, read by its text
void ApplyAccessibleText(QWidget& widget, const form::ControlDescription& c);

}  // namespace optics::ui
