#include "ui/calculator_window.h"

#include <algorithm>
#include <limits>
#include <vector>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QWindow>

#include "ui/accessibility.h"
#include "ui/font.h"
#include "ui/icon.h"
#include "ui/plain_paste.h"

namespace optics::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QRect ToQRect(const form::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

// A scroll area whose arrows scroll 8 pixels and whose pages are nine tenths
// of the client size; QScrollArea resets its steps after every resize, so
// they are set again after each of its own updates.
class ClientScrollArea : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QScrollArea::resizeEvent(event);
    SetSteps();
  }
  bool event(QEvent* event) override {
    const bool handled = QScrollArea::event(event);
    if (event->type() == QEvent::LayoutRequest) SetSteps();
    return handled;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::Resize) SetSteps();
    return handled;
  }

 private:
  void SetSteps() {
    const QSize view = viewport()->size();
    horizontalScrollBar()->setSingleStep(8);
    verticalScrollBar()->setSingleStep(8);
    horizontalScrollBar()->setPageStep(view.width() * 9 / 10);
    verticalScrollBar()->setPageStep(view.height() * 9 / 10);
  }
};

// A label keeps its designed rectangle. Where the face that stands in for the
// designed font sets the caption wider than the designed width, the glyphs
// are narrowed just enough to fit; the character height stays as designed.
void FitCaption(QLabel* label, int width) {
  const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
  if (needed <= width) return;
  QFont narrow = label->font();
  for (int stretch = 100 * width / needed; stretch > 50; --stretch) {
    narrow.setStretch(stretch);
    if (QFontMetrics(narrow).horizontalAdvance(label->text()) <= width) break;
  }
  label->setFont(narrow);
}

void SetUpMemo(QPlainTextEdit* memo) {
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setTabChangesFocus(true);
  memo->setFrameShape(QFrame::StyledPanel);
  memo->setFrameShadow(QFrame::Sunken);
  memo->document()->setDocumentMargin(2);
}

}  // namespace

CalculatorWindow::CalculatorWindow(form::FormModel& model, Application& app)
    : model_(model), app_(app), binding_(model.Bind()) {
  form::LoadInitialContents(model_);
  Build();
}

void CalculatorWindow::Build() {
  const form::FormDescription& d = model_.Description();
  setWindowTitle(Q(d.caption));
  setWindowIconText(Q(app_.Title()));
  setWindowIcon(CalculatorIcon());
  setFont(CalculatorFont(d.font_px));
  setAttribute(Qt::WA_QuitOnClose, true);

  scroll_ = new ClientScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setWidgetResizable(false);
  client_ = new QWidget;
  client_->setAutoFillBackground(true);
  client_->setBackgroundRole(QPalette::Button);  // the button-face colour

  int right = 0, bottom = 0;
  for (const form::ControlDescription& c : d.controls) {
    QWidget* w = nullptr;
    const QString text = Q(form::InitialText(c));
    switch (c.kind) {
      case form::ControlKind::Label: {
        auto* label = new QLabel(text, client_);
        label->setAutoFillBackground(false);  // the client's colour shows through
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
      }
      case form::ControlKind::Edit: {
        auto* edit = new PlainEdit(text, client_);
        // The classic edit control keeps one pixel between frame and text;
        // Qt's style keeps more, which the designed widths do not allow for.
        edit->setTextMargins(-2, 0, -2, 0);
        edit->setMaxLength(std::numeric_limits<int>::max());  // no limit of the program's own
        w = edit;
        break;
      }
      case form::ControlKind::Memo: {
        auto* memo = new PlainMemo(client_);
        SetUpMemo(memo);
        memo->setPlainText(Q(MemoText(form::InitialText(c)).DisplayText()));
        const std::string name = c.name;
        connect(memo, &QPlainTextEdit::textChanged, this, [this, name] {
          if (!showing_state_) edited_memos_.insert(name);
        });
        w = memo;
        break;
      }
      case form::ControlKind::Button: {
        auto* button = new QPushButton(text, client_);
        button->setAutoDefault(true);  // Enter clicks the focused button
        button->setDefault(false);
        const std::string name = c.name;
        connect(button, &QPushButton::clicked, this, [this, name] { Click(name); });
        w = button;
        break;
      }
      case form::ControlKind::RichEdit: {
        auto* rich = new QTextEdit(client_);
        rich->setPlainText(Q(MemoText(form::InitialText(c)).DisplayText()));
        rich->setLineWrapMode(QTextEdit::WidgetWidth);
        rich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        rich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        rich->setReadOnly(true);
        DrawDisabledTextInNormalColours(*rich);  // a note to read, not grey on grey
        w = rich;
        break;
      }
    }
    w->setObjectName(Q(c.name));
    ApplyAccessibleText(*w, c);
    if (c.font_px != 0) w->setFont(CalculatorFont(c.font_px));
    w->setGeometry(ToQRect(c.rect));
    if (c.kind == form::ControlKind::Label) {
      FitCaption(static_cast<QLabel*>(w), c.rect.width);
    }
    const bool focusable = c.kind == form::ControlKind::Edit || c.kind == form::ControlKind::Memo ||
                           c.kind == form::ControlKind::Button;
    w->setEnabled(c.enabled && c.kind != form::ControlKind::RichEdit);
    w->setFocusPolicy(focusable && w->isEnabled() ? Qt::StrongFocus : Qt::NoFocus);
    controls_[c.name] = w;
    right = std::max(right, c.rect.left + c.rect.width);
    bottom = std::max(bottom, c.rect.top + c.rect.height);
  }
  // A label that grew must not hide the frame of a field beside it.
  for (const form::ControlDescription& c : d.controls) {
    if (c.kind == form::ControlKind::Label) controls_[c.name]->lower();
  }
  client_->resize(right, bottom);
  scroll_->setWidget(client_);
  scroll_->viewport()->setBackgroundRole(QPalette::Button);

  // Tab order: the focusable controls by TabOrder, cycling.
  std::vector<const form::ControlDescription*> order;
  for (const form::ControlDescription& c : d.controls) {
    if (c.tab_order && controls_[c.name]->focusPolicy() != Qt::NoFocus) order.push_back(&c);
  }
  std::sort(order.begin(), order.end(),
            [](auto* a, auto* b) { return *a->tab_order < *b->tab_order; });
  for (const form::ControlDescription* c : order) tab_order_.push_back(controls_[c->name]);
  for (std::size_t i = 1; i < tab_order_.size(); ++i) setTabOrder(tab_order_[i - 1], tab_order_[i]);

  const form::Rect& outer = d.outer;
  setGeometry(outer.left, outer.top, outer.width, outer.height);
  scroll_->setGeometry(rect());
}

void CalculatorWindow::ShowAtDesignedPlace() {
  const form::Rect& outer = model_.Description().outer;
  move(outer.left, outer.top);
  show();
  activateWindow();
  if (!tab_order_.empty()) {
    QWidget* w = tab_order_.front();
    w->setFocus(Qt::TabFocusReason);
    // An edit that receives the focus at start has its whole text selected,
    // also when the window manager activates the window only later.
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
  }
}

void CalculatorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!placed_) placed_ = FitOuterSize();
}

// A window manager frames the window only after it is shown, and the frame's
// size reaches the toolkit later still: the window fits its outer size on
// the first event after the frame is known.
bool CalculatorWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (!placed_ && isVisible()) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate:
      case QEvent::UpdateRequest:
        placed_ = FitOuterSize();
        break;
      default:
        break;
    }
  }
  return handled;
}

// The description gives the outer size, frame included. Returns false while
// the frame is not known (no window manager has framed the window yet).
bool CalculatorWindow::FitOuterSize() {
  const form::Rect& outer = model_.Description().outer;
  const QMargins m = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  if (m.isNull()) return false;
  resize(outer.width - m.left() - m.right(), outer.height - m.top() - m.bottom());
  move(outer.left, outer.top);
  return true;
}

void CalculatorWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (scroll_ != nullptr) scroll_->setGeometry(rect());
}

QWidget* CalculatorWindow::Control(const std::string& name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

std::string CalculatorWindow::ControlText(const std::string& name) const {
  QWidget* w = Control(name);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toStdString();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
    for (const auto& [memo_name, model] : binding_.memos) {
      if (memo_name == name && edited_memos_.count(name) == 0) return model->Text();
    }
    return MemoText::FromDisplayText(memo->toPlainText().toStdString());
  }
  if (auto* button = qobject_cast<QPushButton*>(w)) return button->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
  if (auto* rich = qobject_cast<QTextEdit*>(w)) {
    return MemoText::FromDisplayText(rich->toPlainText().toStdString());
  }
  return {};
}

void CalculatorWindow::CopyWidgetsIn() {
  for (auto& [name, text] : binding_.edits) {
    *text = qobject_cast<QLineEdit*>(controls_.at(name))->text().toStdString();
  }
  for (auto& [name, memo] : binding_.memos) {
    if (edited_memos_.count(name) == 0) continue;
    const auto* widget = qobject_cast<QPlainTextEdit*>(controls_.at(name));
    *memo = MemoText(MemoText::FromDisplayText(widget->toPlainText().toStdString()));
  }
  edited_memos_.clear();
}

void CalculatorWindow::ShowState() {
  showing_state_ = true;
  for (auto& [name, text] : binding_.edits) {
    auto* edit = qobject_cast<QLineEdit*>(controls_.at(name));
    const QString shown = Q(*text);
    if (edit->text() != shown) edit->setText(shown);
  }
  for (auto& [name, memo] : binding_.memos) {
    auto* widget = qobject_cast<QPlainTextEdit*>(controls_.at(name));
    if (const auto appended = memo->AppendedSinceShown()) {
      // The widget shows the text as it was at the last showing: only the
      // appended lines go in, at the end, so an append costs the same
      // however much the memo holds. Like a whole new text, they leave no
      // step for the user's undo.
      if (!appended->empty()) {
        QTextDocument* document = widget->document();
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        end.insertText(Q(MemoText::DisplayTextOf(*appended)));
        document->setUndoRedoEnabled(undo);
      }
    } else {
      const QString shown = Q(memo->DisplayText());
      if (widget->toPlainText() != shown) widget->setPlainText(shown);
    }
    memo->MarkShown();
  }
  showing_state_ = false;
}

void CalculatorWindow::Click(const std::string& name) {
  QWidget* button = controls_.at(name);
  const auto handler = std::find_if(binding_.buttons.begin(), binding_.buttons.end(),
                                    [&](const auto& b) { return b.first == name; });
  if (handler == binding_.buttons.end()) return;
  CopyWidgetsIn();
  app_.RunClickHandler(handler->second, [this] { ShowState(); });
  button->setFocus(Qt::OtherFocusReason);
}

}  // namespace optics::ui
