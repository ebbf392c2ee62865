// icon_export OUTPUT_DIR SIZE...: writes the calculators' launcher icons,
// OUTPUT_DIR/icon-SIZE.png for each size and OUTPUT_DIR/icon.svg, all from
// the designed window icon. Exits 1 when a file cannot be written.
//   icon_export build/icons 16 32 -> build/icons/icon-16.png icon-32.png icon.svg
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "icon/icon_renders.h"
#include "ui/icon.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: icon_export OUTPUT_DIR SIZE...\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(dir)) return 1;
  const QImage design = optics::ui::CalculatorIconImage();
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0) {
      std::fprintf(stderr, "icon_export: bad size '%s'\n", argv[i]);
      return 2;
    }
    const QString path = QStringLiteral("%1/icon-%2.png").arg(dir).arg(size);
    if (!optics::packaging::RenderIcon(design, size).save(path, "PNG")) {
      std::fprintf(stderr, "icon_export: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  QFile svg(dir + QStringLiteral("/icon.svg"));
  if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
  const QByteArray text = optics::packaging::IconSvg(design).toUtf8();
  return svg.write(text) == text.size() ? 0 : 1;
}
