// Pasting and dropping into the memos and edits: only text arrives, and
// only as plain text. A clipboard that holds no data, or data without text,
// changes nothing (Qt 6.4's own paste follows a null clipboard pointer).
//   clipboard empty           -> Ctrl+V and the menu's Paste do nothing
//   clipboard "1.5" as HTML   -> "1.5" is inserted as plain text
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

class QMimeData;

namespace optics::ui {

// The text of the system clipboard, or nothing when it holds no text.
bool ClipboardText(QString& text);

// A memo whose paste, drop and context-menu Paste insert plain text only.
class PlainMemo : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PasteText();
};

// An edit whose Ctrl+V, Shift+Insert and context-menu Paste insert plain
// text only, and nothing when the clipboard holds no text.
class PlainEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PasteText();
};

}  // namespace optics::ui
