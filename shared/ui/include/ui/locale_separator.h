// The user's decimal separator.
#pragma once

namespace optics::ui {

// The decimal separator of the user's locale for numbers: the first of
// LC_ALL, LC_NUMERIC and LANG that is set names the locale ("de_DE.UTF-8",
// "fr_FR@euro"); its separator comes from Qt's locale data, so the locale
// need not be generated on the machine. "." when none is set, for "C" and
// "POSIX", and for a name Qt does not know.
//   LANG=de_DE.UTF-8 -> U','     LANG=en_US.UTF-8 -> U'.'    LC_ALL=C -> U'.'
char32_t ReadUserDecimalSeparator();

}  // namespace optics::ui
