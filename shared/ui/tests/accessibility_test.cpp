// A disabled note keeps the normal text colours when the desktop's theme,
// and with it the application palette, changes while the window is open.
#include <QApplication>
#include <QCoreApplication>
#include <QPalette>
#include <QTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "ui/accessibility.h"

namespace optics::ui {
namespace {

// A dark theme: light text on dark ground, its disabled text a dim grey.
QPalette DarkPalette() {
  QPalette dark(QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::Active, QPalette::Text, Qt::white);
  dark.setColor(QPalette::Inactive, QPalette::Text, Qt::white);
  dark.setColor(QPalette::Active, QPalette::Base, QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::Disabled, QPalette::Base, QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x60, 0x60, 0x60));
  return dark;
}

double DisabledTextContrast(const QTextEdit& note) {
  const QPalette& p = note.viewport()->palette();
  return testing::ContrastRatio(p.color(QPalette::Disabled, QPalette::Text),
                                p.color(QPalette::Disabled, note.viewport()->backgroundRole()));
}

TEST(DisabledNote, FollowsAThemeChangeInTheNormalTextColour) {
  const QPalette light = QApplication::palette();
  QWidget window;
  QTextEdit& note = *new QTextEdit(&window);
  note.setPlainText(QStringLiteral("nC=nF-delta_n;"));
  note.setEnabled(false);
  DrawDisabledTextInNormalColours(note);
  EXPECT_GE(DisabledTextContrast(note), 4.5);

  QApplication::setPalette(DarkPalette());
  QCoreApplication::processEvents();  // the change reaches the widgets as an event
  EXPECT_EQ(note.palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::white));
  EXPECT_EQ(note.palette().color(QPalette::Disabled, QPalette::WindowText),
            note.palette().color(QPalette::Active, QPalette::WindowText));
  EXPECT_GE(DisabledTextContrast(note), 4.5) << "not the stale black on dark grey";
  EXPECT_FALSE(note.isEnabled());
  QApplication::setPalette(light);
  QCoreApplication::processEvents();
  EXPECT_EQ(note.palette().color(QPalette::Disabled, QPalette::Text),
            light.color(QPalette::Active, QPalette::Text));
}

}  // namespace
}  // namespace optics::ui
