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
  // The optical axis.
  for (int x = 2; x < 30; ++x) put(x, 16, kDarkBlue);
  // A biconvex crown element: points inside two overlapping circles.
  // A plano-concave flint element cemented behind it.
  for (int y = 4; y <= 28; ++y) {
    for (int x = 6; x <= 24; ++x) {
      const int dy = y - 16;
      const int left = (x - 26) * (x - 26) + dy * dy;   // circle centred right
      const int right = (x + 2) * (x + 2) + dy * dy;    // circle centred left
      const bool crown = left <= 15 * 15 && right <= 15 * 15 && x <= 12;
      const bool flint = x > 12 && x <= 17 && left > 15 * 15 - 40 && dy * dy <= 12 * 12;
      if (crown) put(x, y, kCyan);
      if (flint) put(x, y, kBlue);
    }
  }
  // A ray from the upper left, bent toward the focus on the right.
  for (int x = 2; x <= 11; ++x) put(x, 7, kRed);
  for (int x = 12; x <= 29; ++x) put(x, 7 + (x - 12) * 9 / 17, kRed);
  for (int x = 2; x <= 11; ++x) put(x, 25, kYellow);
  for (int x = 12; x <= 29; ++x) put(x, 25 - (x - 12) * 9 / 17, kYellow);
  put(29, 16, kDarkRed);
  put(28, 16, kDarkRed);
  return image;
}

QIcon CalculatorIcon() { return QIcon(QPixmap::fromImage(CalculatorIconImage())); }

}  // namespace optics::ui
