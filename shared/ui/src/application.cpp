#include "ui/application.h"

#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "numeric/decimal.h"
#include "numeric/exceptions.h"
#include "numeric/fpu_environment.h"
#include "numeric/report.h"
#include "ui/locale_separator.h"

namespace optics::ui {
namespace {
Application* g_instance = nullptr;
}

Application::Application(std::string title) : title_(std::move(title)) {
  g_instance = this;
  if (qApp != nullptr) qApp->installEventFilter(this);
}

Application::~Application() {
  if (g_instance == this) g_instance = nullptr;
}

Application* Application::Instance() { return g_instance; }

void Application::RunClickHandler(const std::function<void()>& handler,
                                  const std::function<void()>& show_state) {
  std::exception_ptr failure;
  try {
    EstablishArithmeticEnvironment();
    handler();
  } catch (...) {
    failure = std::current_exception();
    EstablishArithmeticEnvironment();
  }
  show_state();
  if (failure) HandleException(failure);
}

void Application::HandleException(std::exception_ptr failure) {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  try {
    std::rethrow_exception(failure);
  } catch (const EAbort&) {
    // the silent exception
  } catch (const Exception& e) {
    ShowException(e);
  } catch (const std::exception& e) {
    ShowException(std::string(e.what()));
  } catch (...) {
    ShowException(std::string("Unknown failure"));
  }
}

void Application::ShowException(const Exception& e) { ShowException(e.Message()); }

void Application::ShowException(const std::string& message) {
  MessageBox(ReportText(message), title_);
}

void Application::MessageBox(const std::string& text, const std::string& caption) {
  QPointer<QWidget> active = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  if (active) box.setScreen(active->screen());  // the monitor of the active window
  if (observer_) {
    QPointer<QMessageBox> shown(&box);
    QMetaObject::invokeMethod(
        &box, [this, shown] { if (shown) observer_(*shown); }, Qt::QueuedConnection);
  }
  box.exec();
  if (active) active->activateWindow();
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::LocaleChange) {
    SetDecimalSeparator(ReadUserDecimalSeparator());
  }
  return QObject::eventFilter(watched, event);
}

bool GuardedQApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    EstablishArithmeticEnvironment();
    if (Application* app = Application::Instance()) {
      app->HandleException(std::current_exception());
    }
    return false;
  }
}

}  // namespace optics::ui
