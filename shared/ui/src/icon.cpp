#include "ui/icon.h"

#include <QPixmap>

namespace optics::ui {
namespace {

// Indices into the 16-colour table below.
enum Colour : unsigned char {
  kBlack = 0, kDarkBlue = 1, kDarkGreen = 2, kDarkCyan = 3, kDarkRed = 4, kDarkMagenta = 5,
  kOlive = 6, kSilver = 7, kGrey = 8, kBlue = 9, kGreen = 10, kCyan = 11, kRed = 12,
  kMagenta = 13, kYellow = 14, kWhite = 15,
};

const QRgb kVgaPalette[16] = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),     qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128),   qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),     qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255),   qRgb(255, 255, 0), qRgb(255, 255, 255),
};

}  // namespace

QImage CalculatorIconImage() {
  QImage image(32, 32, QImage::Format_Indexed8);
  image.setColorCount(16);
  for (int i = 0; i < 16; ++i) image.setColor(i, kVgaPalette[i]);
  image.fill(kSilver);

  auto put = [&](int x, int y, Colour c) {
    if (x >= 0 && x < 32 && y >= 0 && y < 32) image.setPixel(x, y, c);
  };
  // A frame, so that the icon reads on any background.
  for (int i = 0; i < 32; ++i) {
    put(i, 0, kGrey), put(i, 31, kBlack), put(0, i, kGrey), put(31, i, kBlack);
  }
  // Two rays parallel to the axis, bent by the doublet toward its focus.
  for (int x = 2; x <= 14; ++x) put(x, 7, kRed), put(x, 25, kYellow);
  for (int x = 14; x <= 28; ++x) {
    const int drop = (x - 14) * 9 / 14;
    put(x, 7 + drop, kRed);
    put(x, 25 - drop, kYellow);
  }
  // The optical axis.
  for (int x = 2; x < 30; ++x) put(x, 16, kDarkBlue);
  // A biconvex crown element with a plano-concave flint element cemented
  // behind it; their surfaces are parabolas through the rim at |dy| = 11.
  for (int dy = -11; dy <= 11; ++dy) {
    const int sag = dy * dy * 4 / 121;  // 0 on the axis, 4 at the rim
    for (int x = 7 + sag; x <= 15 - sag; ++x) put(x, 16 + dy, kCyan);
    for (int x = 16 - sag; x <= 18; ++x) put(x, 16 + dy, kBlue);
    put(7 + sag, 16 + dy, kDarkCyan);
    put(18, 16 + dy, kDarkBlue);
  }
  // The focus.
  put(28, 16, kDarkRed);
  put(29, 16, kDarkRed);
  return image;
}

QIcon CalculatorIcon() { return QIcon(QPixmap::fromImage(CalculatorIconImage())); }

}  // namespace optics::ui
