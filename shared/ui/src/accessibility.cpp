#include "ui/accessibility.h"

#include <QWidget>

#include "form/form_description.h"

namespace optics::ui {

void ApplyAccessibleText(QWidget& widget, const form::ControlDescription& c) {
  if (!c.accessible_name.empty()) {
    widget.setAccessibleName(QString::fromStdString(c.accessible_name));
  }
  if (!c.accessible_description.empty()) {
    widget.setAccessibleDescription(QString::fromStdString(c.accessible_description));
  }
}

}  // namespace optics::ui
