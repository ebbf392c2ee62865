// The icon of the three calculators: one 32 x 32 picture in the 16 colours of
// the classic VGA palette, a doublet lens with a ray through it.
#pragma once

#include <QIcon>
#include <QImage>

namespace optics::ui {

QImage CalculatorIconImage();  // 32 x 32, Format_Indexed8 with a 16-colour table
QIcon CalculatorIcon();

}  // namespace optics::ui
