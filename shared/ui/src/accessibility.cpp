#include "ui/accessibility.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>

#include "form/form_description.h"

namespace optics::ui {
namespace {

// Copies the active text colours into the disabled group. Returns whether
// the palette had to change, so that the change it causes ends the loop.
bool CopyActiveTextColours(QWidget& widget) {
  QPalette palette = widget.palette();
  bool changed = false;
  for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) {
    const QColor normal = palette.color(QPalette::Active, role);
    if (palette.color(QPalette::Disabled, role) != normal) {
      palette.setColor(QPalette::Disabled, role, normal);
      changed = true;
    }
  }
  if (changed) widget.setPalette(palette);
  return changed;
}

// Copies the colours again whenever the widget's palette changes, as it does
// when the desktop's theme and with it the application palette changes.
class NormalTextColours : public QObject {
 public:
  explicit NormalTextColours(QWidget& widget) : QObject(&widget), widget_(widget) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &widget_ && event->type() == QEvent::PaletteChange) {
      CopyActiveTextColours(widget_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& widget_;
};

}  // namespace

void ApplyAccessibleText(QWidget& widget, const form::ControlDescription& c) {
  if (!c.accessible_name.empty()) {
    widget.setAccessibleName(QString::fromStdString(c.accessible_name));
  }
  if (!c.accessible_description.empty()) {
    widget.setAccessibleDescription(QString::fromStdString(c.accessible_description));
  }
}

void DrawDisabledTextInNormalColours(QWidget& widget) {
  CopyActiveTextColours(widget);
  widget.installEventFilter(new NormalTextColours(widget));
}

}  // namespace optics::ui
