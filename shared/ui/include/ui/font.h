// The calculators' font.
#pragma once

#include <QFont>

namespace optics::ui {

// "ＭＳ Ｐゴシック" at a character height of pixel_height pixels, falling back
// to IPA P Gothic, the stand-in made for it, where it is not installed.
QFont CalculatorFont(int pixel_height);

}  // namespace optics::ui
