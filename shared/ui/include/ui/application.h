// The application object: the guard around every click, and the failure
// report in an application-modal message box captioned with the
// application title.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QObject>

class QMessageBox;
class QWidget;

namespace optics {
class Exception;
}

namespace optics::ui {

class Application : public QObject {
 public:
  // title: the application title, the caption of every report.
  explicit Application(std::string title);
  ~Application() override;

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // Runs a click handler. When it fails, the arithmetic environment
  // is established again, show_state puts what the handler wrote on screen,
  // and only then the failure is reported. No exception leaves this call.
  void RunClickHandler(const std::function<void()>& handler,
                       const std::function<void()>& show_state);

  // Reports a failure that left the handling of a message: cancels
  // any mouse grab, then shows nothing for EAbort and ShowException for
  // every other failure.
  void HandleException(std::exception_ptr failure);

  // A box with ReportText(message), captioned with the title, one OK button
  // and the stop icon.
  void ShowException(const Exception& e);
  void ShowException(const std::string& message);

  // Shows the box (stop icon, OK button) application-modally until it is
  // dismissed; the window active before it is active again afterwards.
  void MessageBox(const std::string& text, const std::string& caption);

  // Called with every box right after it is shown, inside its modal loop.
  // Tests and the window driver read the real box there and press its button.
  void SetMessageBoxObserver(std::function<void(QMessageBox&)> observer) {
    observer_ = std::move(observer);
  }

  // The application object of the process, if one exists.
  static Application* Instance();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string title_;
  std::function<void(QMessageBox&)> observer_;
};

// A QApplication that routes an exception escaping any event handler to
// Application::HandleException instead of letting it cross Qt's event loop.
class GuardedQApplication : public QApplication {
 public:
  GuardedQApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace optics::ui
