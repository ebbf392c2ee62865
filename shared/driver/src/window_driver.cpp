#include "driver/window_driver.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace optics::ui {
namespace {

const char* KindName(form::ControlKind kind) {
  switch (kind) {
    case form::ControlKind::Label: return "label";
    case form::ControlKind::Edit: return "edit";
    case form::ControlKind::Memo: return "memo";
    case form::ControlKind::Button: return "button";
    case form::ControlKind::RichEdit: return "richedit";
  }
  return "";
}

std::string IconName(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Critical: return "stop";
    case QMessageBox::Warning: return "warning";
    case QMessageBox::Information: return "information";
    case QMessageBox::Question: return "question";
    case QMessageBox::NoIcon: return "none";
  }
  return "none";
}

std::string ButtonText(const QAbstractButton* b) {
  QString t = b->text();
  t.remove(QLatin1Char('&'));
  return t.toStdString();
}

void Settle() { QApplication::processEvents(); }

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support")) ||
      message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
    return;
  }
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

void InstallQuietOffscreenMessages() { qInstallMessageHandler(QuietOffscreenNotes); }

WindowDriver::WindowDriver(Application& app, const form::ProgramEntry& program)
    : app_(app), form_(program.make()) {
  app_.SetTitle(program.name);
  app_.SetMessageBoxObserver([this](QMessageBox& box) {
    BoxSnapshot snap;
    snap.caption = box.windowTitle().toStdString();
    snap.text = box.text().toStdString();
    snap.icon = IconName(box.icon());
    for (const QAbstractButton* b : box.buttons()) snap.buttons.push_back(ButtonText(b));
    box_ = std::move(snap);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box.reject();
    }
  });
  window_ = std::make_unique<CalculatorWindow>(*form_, app_);
  window_->ShowAtDesignedPlace();
  Settle();
}

WindowDriver::~WindowDriver() {
  app_.SetMessageBoxObserver({});
  window_.reset();
  Settle();
}

void WindowDriver::BeginStep() {
  box_.reset();
  if (QApplication::activeWindow() != window_.get()) {
    window_->activateWindow();
    Settle();
  }
}

void WindowDriver::Set(const std::string& control, const std::string& text) {
  BeginStep();
  QWidget* w = window_->Control(control);
  const QString value = QString::fromStdString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    edit->insert(value);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
    memo->setFocus(Qt::OtherFocusReason);
    memo->selectAll();
    memo->insertPlainText(QString::fromStdString(MemoText(text).DisplayText()));
  } else {
    throw std::invalid_argument("'" + control + "' is no edit field or memo of this window");
  }
  Settle();
}

void WindowDriver::Click(const std::string& button) {
  BeginStep();
  auto* b = qobject_cast<QPushButton*>(window_->Control(button));
  if (b == nullptr) throw std::invalid_argument("'" + button + "' is no button of this window");
  QTest::mouseClick(b, Qt::LeftButton);
  Settle();
}

void WindowDriver::Key(const std::string& key) {
  BeginStep();
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = window_.get();
  if (key == "Enter") {
    QTest::keyClick(target, Qt::Key_Return);
  } else if (key == "Tab") {
    QTest::keyClick(target, Qt::Key_Tab);
  } else if (key == "Shift+Tab") {
    QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
  } else if (key == "Escape") {
    QTest::keyClick(target, Qt::Key_Escape);
  } else {
    throw std::invalid_argument("unknown key '" + key +
                                "' (there are Enter, Tab, Shift+Tab and Escape)");
  }
  Settle();
}

std::string WindowDriver::Caption() const { return window_->windowTitle().toStdString(); }

form::Rect WindowDriver::WindowRect() const {
  const QRect r = window_->frameGeometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

std::vector<ControlSnapshot> WindowDriver::Layout() const {
  std::vector<ControlSnapshot> out;
  for (const form::ControlDescription& c : window_->Description().controls) {
    const QWidget* w = window_->Control(c.name);
    ControlSnapshot s;
    s.name = c.name;
    s.kind = KindName(c.kind);
    const QRect g = w->geometry();
    s.rect = {g.x(), g.y(), g.width(), g.height()};
    s.font_px = w->font().pixelSize();
    s.tab = c.tab_order;
    s.enabled = w->isEnabled();
    s.text = window_->ControlText(c.name);
    out.push_back(std::move(s));
  }
  return out;
}

StateSnapshot WindowDriver::State() const {
  StateSnapshot s;
  for (const form::ControlDescription& c : window_->Description().controls) {
    if (c.kind == form::ControlKind::Edit || c.kind == form::ControlKind::Memo) {
      s.controls.emplace_back(c.name, window_->ControlText(c.name));
    }
  }
  for (const auto& [name, field] : window_->Binding().fields) {
    s.fields.emplace_back(name, field->value());
  }
  s.box = box_;
  if (const QWidget* f = QApplication::focusWidget()) s.focus = f->objectName().toStdString();
  return s;
}

}  // namespace optics::ui
