// Qt's own texts in the windows, the context menus of edits and memos, read
// in Japanese like everything else on screen, whatever the user's locale:
// the test program begins with the programs' own start-up.
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace optics::ui {
namespace {

// The entries of a context menu without their shortcuts.
//   "貼り付け(&P)\tCtrl+V" -> "貼り付け(&P)"
std::vector<std::string> Entries(QMenu* menu) {
  std::unique_ptr<QMenu> owned(menu);
  std::vector<std::string> texts;
  for (const QAction* a : owned->actions()) {
    if (!a->isSeparator()) texts.push_back(a->text().section(QLatin1Char('\t'), 0, 0).toStdString());
  }
  return texts;
}

const std::vector<std::string> kJapaneseEditMenu = {
    "元に戻す(&U)", "やり直す(&R)", "切り取り(&T)", "コピー(&C)",
    "貼り付け(&P)", "削除",         "すべてを選択"};

TEST(ToolkitTexts, EditAndMemoMenusReadInJapanese) {
  QLineEdit edit(QStringLiteral("1.51633"));
  edit.selectAll();
  EXPECT_EQ(Entries(edit.createStandardContextMenu()), kJapaneseEditMenu);
  QPlainTextEdit memo(QStringLiteral("nC = 1.51385015094625"));
  memo.selectAll();
  EXPECT_EQ(Entries(memo.createStandardContextMenu()), kJapaneseEditMenu);
}

}  // namespace
}  // namespace optics::ui
