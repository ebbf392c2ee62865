// A calculator's window built from its form description and bound to its
// form: the controls at their designed places, the keyboard rules shared by
// the three programs, and the click guard.
//
// Before a click the window copies the widgets' texts into the form; the
// handler runs inside Application::RunClickHandler; afterwards, also after a
// failure, the window shows every text the handler changed. A memo the user
// has not edited since it was last shown is never read back, so its text is
// kept exactly as the form holds it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <QWidget>

#include "ui/application.h"
#include "form/form_binding.h"

class QScrollArea;

namespace optics::ui {

class CalculatorWindow : public QWidget {
 public:
  CalculatorWindow(form::FormModel& model, Application& app);

  // Shows the window at its designed outer rectangle with the focus on the
  // control with the lowest tab order.
  void ShowAtDesignedPlace();

  QWidget* Control(const std::string& name) const;
  const form::FormDescription& Description() const { return model_.Description(); }
  const form::FormBinding& Binding() const { return binding_; }

  // The widget's text of an edit or memo as the form sees it (memos in CR LF).
  std::string ControlText(const std::string& name) const;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Build();
  void Click(const std::string& name);
  void CopyWidgetsIn();
  void ShowState();
  bool FitOuterSize();

  form::FormModel& model_;
  Application& app_;
  form::FormBinding binding_;
  QScrollArea* scroll_ = nullptr;
  QWidget* client_ = nullptr;
  std::map<std::string, QWidget*> controls_;
  std::vector<QWidget*> tab_order_;  // the focusable controls by tab order
  std::set<std::string> edited_memos_;
  bool showing_state_ = false;
  bool placed_ = false;  // the outer size fitted to the frame
};

}  // namespace optics::ui
