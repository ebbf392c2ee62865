#include "ui/plain_paste.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace optics::ui {
namespace {

// The standard menu's Paste entry, rewired to the widget's own paste.
template <typename Widget, typename Paste>
void ShowMenuWithOwnPaste(Widget* widget, QContextMenuEvent* event, Paste paste) {
  QPointer<QMenu> menu = widget->createStandardContextMenu();
  if (menu.isNull()) return;
  for (QAction* action : menu->actions()) {
    if (action->objectName() == QLatin1String("edit-paste")) {
      action->disconnect();
      QString text;
      action->setEnabled(!widget->isReadOnly() && ClipboardText(text));
      QObject::connect(action, &QAction::triggered, widget, paste);
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

}  // namespace

bool ClipboardText(QString& text) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
  if (data == nullptr || !data->hasText()) return false;
  text = data->text();
  return !text.isEmpty();
}

bool PlainMemo::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void PlainMemo::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString text = source->text();
  if (!text.isEmpty()) insertPlainText(text);
}

void PlainMemo::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    if (!isReadOnly()) PasteText();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void PlainMemo::contextMenuEvent(QContextMenuEvent* event) {
  ShowMenuWithOwnPaste(this, event, [this] { PasteText(); });
}

void PlainMemo::PasteText() {
  QString text;
  if (ClipboardText(text)) insertPlainText(text);
}

void PlainEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    if (!isReadOnly()) PasteText();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void PlainEdit::contextMenuEvent(QContextMenuEvent* event) {
  ShowMenuWithOwnPaste(this, event, [this] { PasteText(); });
}

void PlainEdit::PasteText() {
  QString text;
  if (ClipboardText(text)) insert(text);
}

}  // namespace optics::ui
