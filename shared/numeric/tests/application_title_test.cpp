// The application title from the program's file name.
#include <ostream>
#include <gtest/gtest.h>

#include "numeric/application_title.h"
#include "test_support.h"

namespace optics {
namespace {

struct TitleCase {
  const char* name;
  const char* path;
  const char* title;
};

// A failing row prints as its name.
void PrintTo(const TitleCase& row, std::ostream* os) { *os << row.name; }

class TitleFromFileName : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleFromFileName, DropsDirectoryAndEverythingFromTheFirstDot) {
  EXPECT_EQ(ApplicationTitle(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TitleFromFileName,
    ::testing::Values(TitleCase{"Plain", "Ostrine", "Ostrine"},
                      TitleCase{"WithDirectory", "/usr/local/bin/Vandrel", "Vandrel"},
                      TitleCase{"UpperCaseWithExtension", "OSTRINE.EXE", "Ostrine"},
                      TitleCase{"TwoDots", "ostrine.old.exe", "ostrine"},
                      TitleCase{"MixedCase", "/opt/CorVale", "Corvale"},
                      TitleCase{"DotInDirectoryOnly", "/home/a.b/Corvale", "Corvale"},
                      TitleCase{"LatinOne", "ÉCLAIR", "Éclair"},
                      TitleCase{"FullWidth", "ＡＢＣ", "Ａｂｃ"},
                      TitleCase{"Japanese", "計算ＡＢ.exe", "計算ａｂ"},
                      TitleCase{"LeadingDot", ".hidden", ""}),
    testing::RowName());

}  // namespace
}  // namespace optics
