// The memo's text and its three operations.
#include <ostream>
#include <gtest/gtest.h>

#include "memo/memo_text.h"
#include "test_support.h"

namespace optics {
namespace {

TEST(MemoText, AppendingLinesAndBreaksToAnEmptyMemo) {
  MemoText memo;
  memo.Add("A");
  memo.Add("");
  memo.Add("\r\n");
  memo.Add("B");
  EXPECT_EQ(memo.Text(), "A\r\n\r\n\r\n\r\nB\r\n");
  EXPECT_EQ(memo.LineCount(), 5);  // A, three empty lines, B; then the bottom line
}

TEST(MemoText, DescribedWithOneEmptyLineTheFirstAppendIsLineTwo) {
  MemoText memo = MemoText::FromLines({""});
  EXPECT_EQ(memo.Text(), "\r\n");
  EXPECT_EQ(memo.LineCount(), 1);
  memo.Add("A");
  EXPECT_EQ(memo.Text(), "\r\nA\r\n");
}

TEST(MemoText, AfterTheUserDeletedTheFinalBreakAnAppendStillStartsANewLine) {
  MemoText memo("A\r\nB");
  memo.Add("S");
  EXPECT_EQ(memo.Text(), "A\r\nB\r\nS");
  memo.Add("T");
  EXPECT_EQ(memo.Text(), "A\r\nB\r\nS\r\nT");
}

TEST(MemoText, ReplacingWithTheSameTextChangesNothing) {
  MemoText memo("x\r\n");
  EXPECT_FALSE(memo.Replace("x\r\n"));
  EXPECT_TRUE(memo.Replace("y\r\n"));
  EXPECT_EQ(memo.Text(), "y\r\n");
  memo.Clear();
  EXPECT_EQ(memo.Text(), "");
  EXPECT_EQ(memo.LineCount(), 0);
}

struct CountCase {
  const char* name;
  const char* text;
  int count;
};

// A failing row prints as its name.
void PrintTo(const CountCase& row, std::ostream* os) { *os << row.name; }

class LineCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(LineCount, CountsDisplayLinesLessAnEmptyLastOne) {
  EXPECT_EQ(MemoText(GetParam().text).LineCount(), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Texts, LineCount,
                         ::testing::Values(CountCase{"Empty", "", 0},
                                           CountCase{"OneBreak", "\r\n", 1},
                                           CountCase{"NoFinalBreak", "A\r\nB", 2},
                                           CountCase{"FinalBreak", "A\r\nB\r\n", 2},
                                           // Only CR LF breaks a line.
                                           CountCase{"LoneBreaks", "A\nB\rC", 1}),
                         testing::RowName());

TEST(MemoText, DisplayTextRoundTripsCrLf) {
  const MemoText memo("nC = 1\r\nnF = 1\r\n\r\n");
  EXPECT_EQ(memo.DisplayText(), "nC = 1\nnF = 1\n\n");
  EXPECT_EQ(MemoText::FromDisplayText(memo.DisplayText()), memo.Text());
}

// A window shows only what was appended since it last showed the memo; any
// other change sends it the whole text again.
TEST(MemoText, AppendedSinceShownIsTheNewLinesOnlyWhileNothingElseChanged) {
  MemoText memo;
  EXPECT_FALSE(memo.AppendedSinceShown()) << "never shown";
  memo.MarkShown();
  EXPECT_EQ(memo.AppendedSinceShown(), "");
  memo.Add("A");
  memo.Add("");
  EXPECT_EQ(memo.AppendedSinceShown(), "A\r\n\r\n");
  memo.MarkShown();
  memo.Add("B");
  EXPECT_EQ(memo.AppendedSinceShown(), "B\r\n");

  MemoText cleared = memo;
  cleared.Clear();
  cleared.Add("A");
  EXPECT_FALSE(cleared.AppendedSinceShown());

  MemoText replaced = memo;
  EXPECT_FALSE(replaced.Replace(replaced.Text())) << "the same text changes nothing";
  EXPECT_TRUE(replaced.AppendedSinceShown());
  replaced.Replace("other");
  EXPECT_FALSE(replaced.AppendedSinceShown());

  // After the user deleted the final line break, the append starts with it;
  // shown piece by piece the display is still the whole text's.
  MemoText unbroken("A\r\nB");
  unbroken.MarkShown();
  unbroken.Add("C");
  EXPECT_EQ(MemoText::DisplayTextOf("A\r\nB") + MemoText::DisplayTextOf(*unbroken.AppendedSinceShown()),
            unbroken.DisplayText());
}

}  // namespace
}  // namespace optics
