#include "ui/font.h"

#include <QStringList>

namespace optics::ui {

QFont CalculatorFont(int pixel_height) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
  font.setPixelSize(pixel_height);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace optics::ui
