#include "icon/icon_renders.h"

#include <algorithm>
#include <map>
#include <vector>

namespace optics::packaging {
namespace {

// The overlap of output pixel `out` with design pixel `in` along one axis, in
// units of 1 / (design * size) of the picture's width: the output pixel spans
// [out * design, (out + 1) * design), the design pixel [in * size, (in + 1) * size).
long long Overlap(int out, int in, int design, int size) {
  const long long lo = std::max<long long>(1LL * out * design, 1LL * in * size);
  const long long hi = std::min<long long>(1LL * (out + 1) * design, 1LL * (in + 1) * size);
  return hi > lo ? hi - lo : 0;
}

// Per output index, the design indices it covers with their weights (the
// weights of one output index sum to `design`).
std::vector<std::vector<std::pair<int, long long>>> Weights(int design, int size) {
  std::vector<std::vector<std::pair<int, long long>>> weights(size);
  for (int out = 0; out < size; ++out) {
    for (int in = 0; in < design; ++in) {
      const long long w = Overlap(out, in, design, size);
      if (w > 0) weights[out].emplace_back(in, w);
    }
  }
  return weights;
}

QString Hex(QRgb c) { return QStringLiteral("#%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0')); }

}  // namespace

QImage RenderIcon(const QImage& design, int size) {
  const QImage source = design.convertToFormat(QImage::Format_RGB32);
  const auto wx = Weights(source.width(), size);
  const auto wy = Weights(source.height(), size);
  const long long total = 1LL * source.width() * source.height();
  QImage out(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      long long r = 0, g = 0, b = 0;
      for (const auto& [sy, wgy] : wy[y]) {
        for (const auto& [sx, wgx] : wx[x]) {
          const QRgb c = source.pixel(sx, sy);
          r += wgx * wgy * qRed(c), g += wgx * wgy * qGreen(c), b += wgx * wgy * qBlue(c);
        }
      }
      auto level = [total](long long sum) {
        return static_cast<int>((2 * sum + total) / (2 * total));  // nearest, halves up
      };
      out.setPixel(x, y, qRgb(level(r), level(g), level(b)));
    }
  }
  return out;
}

QString IconSvg(const QImage& design) {
  const QImage source = design.convertToFormat(QImage::Format_RGB32);
  const int w = source.width(), h = source.height();
  std::map<QRgb, int> counts;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) ++counts[source.pixel(x, y) & 0xFFFFFFu];
  }
  QRgb background = 0;
  int most = -1;
  for (const auto& [colour, n] : counts) {
    if (n > most) background = colour, most = n;
  }

  QString svg = QStringLiteral(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                    "viewBox=\"0 0 %1 %2\">\n"
                    "<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"%3\"/>\n")
                    .arg(w).arg(h).arg(Hex(background));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w;) {
      const QRgb c = source.pixel(x, y) & 0xFFFFFFu;
      int end = x + 1;
      while (end < w && (source.pixel(end, y) & 0xFFFFFFu) == c) ++end;
      if (c != background) {
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" fill=\"%4\"/>\n")
                   .arg(x).arg(y).arg(end - x).arg(Hex(c));
      }
      x = end;
    }
  }
  return svg + QStringLiteral("</svg>\n");
}

}  // namespace optics::packaging
