// The window layer shared by the three programs: the click guard and its
// report, the locale's separator, the icon, the font and the window rules.
#include <ostream>
#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "ui/application.h"
#include "ui/font.h"
#include "ui/icon.h"
#include "ui/locale_separator.h"

namespace optics::ui {
namespace {

// Collects the boxes the guard shows, pressing OK on each.
class GuardTest : public ::testing::Test {
 protected:
  GuardTest() {
    app_.SetMessageBoxObserver([this](QMessageBox& box) {
      boxes_.push_back(box.windowTitle().toStdString() + "|" + box.text().toStdString());
      EXPECT_EQ(box.icon(), QMessageBox::Critical);
      EXPECT_EQ(box.buttons().size(), 1);
      EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
      box.button(QMessageBox::Ok)->click();
    });
  }
  ~GuardTest() override {
    Application::Instance()->SetMessageBoxObserver([](QMessageBox& box) {
      ADD_FAILURE() << "unexpected message box: " << box.text().toStdString();
      box.reject();
    });
  }

  Application& app_ = *Application::Instance();
  std::vector<std::string> boxes_;
};

TEST_F(GuardTest, ReportsAFailureAfterShowingWhatTheHandlerWrote) {
  app_.SetTitle("Ostrine");
  std::vector<std::string> order;
  app_.RunClickHandler(
      [&] { order.push_back("handler"); throw EZeroDivide(); },
      [&] {
        order.push_back("show state");
        EXPECT_TRUE(boxes_.empty()) << "the window shows its state before the box";
      });
  EXPECT_EQ(order, (std::vector<std::string>{"handler", "show state"}));
  EXPECT_EQ(boxes_, std::vector<std::string>{"Ostrine|0 による浮動小数点数除算."});
}

TEST_F(GuardTest, AbortIsSilentAndSuccessShowsNoBox) {
  int shown = 0;
  app_.RunClickHandler([] { throw EAbort("stop"); }, [&] { ++shown; });
  app_.RunClickHandler([] {}, [&] { ++shown; });
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(GuardTest, AnyOtherExceptionIsReportedNotPropagated) {
  app_.SetTitle("Vandrel");
  app_.RunClickHandler([] { throw std::runtime_error("disk on fire"); }, [] {});
  app_.RunClickHandler([] { throw EConvertError("'x' は浮動小数点数ではありません"); },
                       [] {});
  EXPECT_EQ(boxes_, (std::vector<std::string>{"Vandrel|disk on fire.",
                                              "Vandrel|'x' は浮動小数点数ではありません."}));
}

TEST_F(GuardTest, TheEnvironmentIsEstablishedAgainAfterAFailure) {
  app_.RunClickHandler(
      [] {
        const std::uint16_t odd = 0x0C7F;  // round toward zero
        __asm__ volatile("fldcw %0" : : "m"(odd));
        throw EOverflow();
      },
      [] {});
  EXPECT_EQ(X87ControlWord(), kCalculationControlWord);
  EXPECT_EQ(X87StatusWord() & 0x3F, 0);
}

TEST_F(GuardTest, AnExceptionFromAnyEventHandlerIsCaughtByTheApplication) {
  app_.SetTitle("Corvale");
  struct Throwing : QObject {
    bool event(QEvent* e) override {
      if (e->type() == QEvent::User) throw EInvalidOp();
      return QObject::event(e);
    }
  } receiver;
  QEvent event(QEvent::User);
  QCoreApplication::sendEvent(&receiver, &event);
  EXPECT_EQ(boxes_, std::vector<std::string>{"Corvale|不正な浮動小数点数演算命令."});
}

struct LocaleRow {
  const char* name;
  const char* lc_all;
  const char* lang;
  char32_t separator;
};

// A failing row prints as its name.
void PrintTo(const LocaleRow& row, std::ostream* os) { *os << row.name; }

class UserSeparator : public ::testing::TestWithParam<LocaleRow> {};

TEST_P(UserSeparator, ComesFromTheFirstLocaleVariableSet) {
  const QByteArray all = qgetenv("LC_ALL"), numeric = qgetenv("LC_NUMERIC"), lang = qgetenv("LANG");
  qputenv("LC_ALL", GetParam().lc_all);
  qunsetenv("LC_NUMERIC");
  qputenv("LANG", GetParam().lang);
  EXPECT_EQ(ReadUserDecimalSeparator(), GetParam().separator);
  qputenv("LC_ALL", all);
  qputenv("LC_NUMERIC", numeric);
  qputenv("LANG", lang);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, UserSeparator,
    ::testing::Values(LocaleRow{"German", "", "de_DE.UTF-8", U','},
                      LocaleRow{"Japanese", "", "ja_JP.UTF-8", U'.'},
                      LocaleRow{"LcAllWins", "fr_FR@euro", "en_US.UTF-8", U','},
                      LocaleRow{"CLocale", "C", "de_DE.UTF-8", U'.'},
                      LocaleRow{"Posix", "POSIX", "", U'.'},
                      LocaleRow{"NothingSet", "", "", U'.'},
                      LocaleRow{"Unknown", "xx_YY", "", U'.'}),
    testing::RowName());

TEST(CalculatorIcon, Is32By32In16Colours) {
  const QImage image = CalculatorIconImage();
  EXPECT_EQ(image.size(), QSize(32, 32));
  EXPECT_EQ(image.colorCount(), 16);
  EXPECT_FALSE(CalculatorIcon().isNull());
}

TEST(CalculatorFont, ShowsJapaneseAtTheDesignedCharacterHeight) {
  const QFont font = CalculatorFont(12);
  EXPECT_EQ(font.pixelSize(), 12);
  const QString family = QFontInfo(font).family();
  EXPECT_TRUE(family.contains("Gothic") || family.contains("ゴシック")) << family.toStdString();
  const QFontMetrics metrics(font);
  for (const QChar c : QStringLiteral("計算式硝材多項式の係数主鏡円錐解ＡＢ\u3000")) {
    EXPECT_TRUE(metrics.inFont(c)) << QString(c).toStdString() << " would be a box";
  }
}

}  // namespace
}  // namespace optics::ui
