// What assistive technology (a screen reader, through Qt's accessibility and
// AT-SPI) learns of a control beyond what the screen shows, and a disabled
// note that stays legible. Nothing here changes a text on the screen.
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

// A disabled widget that serves as a fixed note draws its text in the
// normal text colours (Text and WindowText of the active group) instead of
// the disabled grey, also after the application's palette changes; it stays
// disabled, and its background stays the disabled one.
//   Fusion's light palette: #bebebe on #efefef (1.6:1) -> #000000 on #efefef (18:1)
void DrawDisabledTextInNormalColours(QWidget& widget);

}  // namespace optics::ui
