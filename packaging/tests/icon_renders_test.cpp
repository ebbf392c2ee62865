// The launcher renders against the designed 32 x 32 picture: whole-number
// sizes repeat pixels, reductions and fractional sizes weigh by area, and the
// SVG paints exactly the design.
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "icon/icon_renders.h"
#include "test_support.h"
#include "ui/icon.h"

namespace optics::packaging {
namespace {

const QImage& Design() {
  static const QImage design = ui::CalculatorIconImage().convertToFormat(QImage::Format_RGB32);
  return design;
}

struct SizeCase {
  const char* name;
  int size;
};

class WholeMultiple : public ::testing::TestWithParam<SizeCase> {};

TEST_P(WholeMultiple, RepeatsEveryDesignPixel) {
  const int size = GetParam().size;
  const QImage out = RenderIcon(Design(), size);
  ASSERT_EQ(out.size(), QSize(size, size));
  const int k = size / 32;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      ASSERT_EQ(out.pixel(x, y), Design().pixel(x / k, y / k)) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, WholeMultiple,
                         ::testing::Values(SizeCase{"Design", 32}, SizeCase{"Double", 64},
                                           SizeCase{"Octuple", 256}),
                         optics::testing::RowName());

TEST(Reduction, HalfSizeAveragesEach2x2Block) {
  const QImage out = RenderIcon(Design(), 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      auto mean = [&](int (*channel)(QRgb)) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy) {
          for (int dx = 0; dx < 2; ++dx) sum += channel(Design().pixel(2 * x + dx, 2 * y + dy));
        }
        return (sum + 2) / 4;
      };
      const QRgb c = out.pixel(x, y);
      ASSERT_EQ(qRed(c), mean(qRed)) << x << "," << y;
      ASSERT_EQ(qGreen(c), mean(qGreen)) << x << "," << y;
      ASSERT_EQ(qBlue(c), mean(qBlue)) << x << "," << y;
    }
  }
}

class FractionalSize : public ::testing::TestWithParam<SizeCase> {};

// An output pixel inside one design pixel takes its colour; every other is a
// blend, and the picture as a whole keeps the design's mean colour.
TEST_P(FractionalSize, KeepsPurePixelsAndTheMeanColour) {
  const int size = GetParam().size;
  const QImage out = RenderIcon(Design(), size);
  auto design_index = [size](int i) { return i * 32 / size; };
  auto last_index = [size](int i) { return ((i + 1) * 32 - 1) / size; };
  double out_red = 0, design_red = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      out_red += qRed(out.pixel(x, y));
      if (design_index(x) == last_index(x) && design_index(y) == last_index(y)) {
        ASSERT_EQ(out.pixel(x, y), Design().pixel(design_index(x), design_index(y)))
            << x << "," << y;
      }
    }
  }
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) design_red += qRed(Design().pixel(x, y));
  }
  EXPECT_NEAR(out_red / (size * size), design_red / (32 * 32), 0.5);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FractionalSize,
                         ::testing::Values(SizeCase{"Menu22", 22}, SizeCase{"Toolbar24", 24},
                                           SizeCase{"Launcher48", 48}),
                         optics::testing::RowName());

TEST(Svg, PaintsExactlyTheDesign) {
  const QString svg = IconSvg(Design());
  EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"0 0 32 32\"")));
  const QRegularExpression rect(
      QStringLiteral("<rect x=\"(\\d+)\" y=\"(\\d+)\" width=\"(\\d+)\" height=\"(\\d+)\" "
                     "fill=\"#([0-9a-f]{6})\"/>"));
  QImage painted(32, 32, QImage::Format_RGB32);
  painted.fill(Qt::black);
  QPainter painter(&painted);
  int rects = 0;
  for (const QRegularExpressionMatch& m : rect.globalMatch(svg)) {
    painter.fillRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                     m.captured(4).toInt(), QColor(QStringLiteral("#") + m.captured(5)));
    ++rects;
  }
  painter.end();
  EXPECT_EQ(rects, svg.count(QStringLiteral("<rect")));
  EXPECT_EQ(painted, Design());
}

}  // namespace
}  // namespace optics::packaging
