#include "ui/locale_separator.h"

#include <QLocale>
#include <QString>

namespace optics::ui {

char32_t ReadUserDecimalSeparator() {
  QString name;
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    name = qEnvironmentVariable(variable);
    if (!name.isEmpty()) break;
  }
  name = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
  if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")) return U'.';

  const QLocale locale(name);
  if (locale.language() == QLocale::C) return U'.';
  const QString point = locale.decimalPoint();
  if (point.isEmpty()) return U'.';
  return static_cast<char32_t>(point.toUcs4().front());
}

}  // namespace optics::ui
