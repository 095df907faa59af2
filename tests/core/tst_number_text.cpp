#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "model/number_text.h"

using trimwell::Number_To_Text;
using trimwell::Text_To_Number;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double Max = std::numeric_limits<double>::max();

QString Text(double value) {
  return QString::fromStdString(Number_To_Text(value));
}

// Doubles from raw bit patterns cover every exponent, subnormals included.
double From_Bits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

} // namespace

class tst_number_text : public QObject {
  Q_OBJECT

private slots:
  void number_to_text_data();
  void number_to_text();
  void text_to_number_data();
  void text_to_number();
  void out_of_range_keeps_sign_data();
  void out_of_range_keeps_sign();
  void written_text_reads_back_data();
  void written_text_reads_back();
  void random_doubles_read_back();
  void same_results_under_comma_locale();
};

void tst_number_text::number_to_text_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("text");

  QTest::newRow("worked example CG") << 86000.0 / 1200 << " 71.6666666666667";
  QTest::newRow("worked example weight") << 1200.0 << " 1200";
  QTest::newRow("zero") << 0.0 << " 0";
  QTest::newRow("negative zero") << -0.0 << " 0";
  QTest::newRow("fraction drops leading zero") << 0.5 << " .5";
  QTest::newRow("negative fraction") << -0.25 << "-.25";
  QTest::newRow("negative whole") << -78.0 << "-78";
  QTest::newRow("decimal") << 1234.5 << " 1234.5";
  QTest::newRow("sum rounds at 15 digits") << 0.1 + 0.2 << " .3";
  QTest::newRow("two thirds") << 2.0 / 3 << " .666666666666667";
  QTest::newRow("largest plain") << 999999999999999.0 << " 999999999999999";
  QTest::newRow("rounds up into exponent form")
      << 9999999999999999.0 << " 1E+16";
  QTest::newRow("1E+15 switches to exponent") << 1e15 << " 1E+15";
  QTest::newRow("long mantissa in exponent form")
      << 1234567890123456.0 << " 1.23456789012346E+15";
  QTest::newRow("three-digit exponent") << 1e100 << " 1E+100";
  QTest::newRow("smallest plain") << 0.0001 << " .0001";
  QTest::newRow("below 1E-04 is exponent form") << -1.5e-5 << "-1.5E-05";
  QTest::newRow("largest double") << Max << " 1.79769313486232E+308";
  QTest::newRow("smallest subnormal")
      << std::numeric_limits<double>::denorm_min() << " 4.94065645841247E-324";
  QTest::newRow("infinity") << Inf << "";
  QTest::newRow("negative infinity") << -Inf << "";
  QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "";
}

void tst_number_text::number_to_text() {
  QFETCH(double, value);
  QFETCH(QString, text);
  QCOMPARE(Text(value), text);
}

void tst_number_text::text_to_number_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<double>("value");

  QTest::newRow("empty") << "" << 0.0;
  QTest::newRow("blanks only") << "   " << 0.0;
  QTest::newRow("as the presets write it") << " 45" << 45.0;
  QTest::newRow("blank between digits") << "1 7 9" << 179.0;
  QTest::newRow("tabs and line feeds") << "\t1\n2.\t5" << 12.5;
  QTest::newRow("carriage return ends the number") << "1\r2" << 1.0;
  QTest::newRow("letters after the number") << "12abc" << 12.0;
  QTest::newRow("letter first") << "a12" << 0.0;
  QTest::newRow("comma ends it") << "1,5" << 1.0;
  QTest::newRow("unit after it") << "170 lb" << 170.0;
  QTest::newRow("negative") << "-170" << -170.0;
  QTest::newRow("sign apart from digits") << "- 17" << -17.0;
  QTest::newRow("plus sign") << "+3" << 3.0;
  QTest::newRow("two signs") << "--3" << 0.0;
  QTest::newRow("leading point") << ".5" << 0.5;
  QTest::newRow("trailing point") << "5." << 5.0;
  QTest::newRow("point only") << "." << 0.0;
  QTest::newRow("second point ends it") << "1.2.3" << 1.2;
  QTest::newRow("exponent") << "1.5E3" << 1500.0;
  QTest::newRow("lower-case d exponent") << "2d-2" << 0.02;
  QTest::newRow("upper-case D exponent") << "2D+2" << 200.0;
  QTest::newRow("exponent without digits") << "5e" << 5.0;
  QTest::newRow("exponent sign without digits") << "5e-x" << 5.0;
  QTest::newRow("exponent with blanks") << "1 e 1 0" << 1e10;
  QTest::newRow("exponent alone") << "e5" << 0.0;
  QTest::newRow("leading zeros") << "000120" << 120.0;
  QTest::newRow("hex") << "&HFF" << 255.0;
  QTest::newRow("hex lower case with blanks") << " & h 1f" << 31.0;
  QTest::newRow("hex does not wrap negative") << "&HFFFF" << 65535.0;
  QTest::newRow("hex stops at a non-digit") << "&H1G" << 1.0;
  QTest::newRow("octal") << "&O17" << 15.0;
  QTest::newRow("octal stops at 8") << "&o78" << 7.0;
  QTest::newRow("ampersand alone") << "&" << 0.0;
  QTest::newRow("ampersand with other letter") << "&X12" << 0.0;
  QTest::newRow("signed hex is no number") << "-&H10" << 0.0;
  QTest::newRow("overflow") << "1e400" << Inf;
  QTest::newRow("negative overflow") << "-2.5D999" << -Inf;
  QTest::newRow("huge exponent digits") << "1e99999999999999999999" << Inf;
  QTest::newRow("underflow") << "1e-400" << 0.0;
  QTest::newRow("zero with huge exponent") << "0e999999" << 0.0;
  QTest::newRow("many leading fraction zeros")
      << "0.000000000000000000000000000001e30" << 1.0;
  QTest::newRow("largest double's own text") << " 1.79769313486232E+308" << Max;
  QTest::newRow("just beyond the largest double's text")
      << "1.79769313486233E+308" << Inf;
  QTest::newRow("long hex grows to infinity")
      << "&H" + QString(300, 'F') << Inf;
}

void tst_number_text::text_to_number() {
  QFETCH(QString, text);
  QFETCH(double, value);
  QCOMPARE(Text_To_Number(text.toStdString()), value);
}

void tst_number_text::out_of_range_keeps_sign_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("negative");
  QTest::newRow("positive underflow") << "1e-999" << false;
  QTest::newRow("negative underflow") << "-1e-999" << true;
  QTest::newRow("negative zero") << "-0" << true;
  QTest::newRow("negative overflow") << "-9e999" << true;
}

void tst_number_text::out_of_range_keeps_sign() {
  QFETCH(QString, text);
  QFETCH(bool, negative);
  QCOMPARE(std::signbit(Text_To_Number(text.toStdString())), negative);
}

void tst_number_text::written_text_reads_back_data() {
  QTest::addColumn<double>("value");
  QTest::newRow("third") << 1.0 / 3;
  QTest::newRow("negative tiny") << -1.5e-5;
  QTest::newRow("largest double") << Max;
  QTest::newRow("most negative double") << -Max;
  QTest::newRow("smallest normal") << std::numeric_limits<double>::min();
  QTest::newRow("smallest subnormal")
      << std::numeric_limits<double>::denorm_min();
  QTest::newRow("HR-II CG") << 93.34105882352941;
}

void tst_number_text::written_text_reads_back() {
  QFETCH(double, value);
  const std::string text = Number_To_Text(value);
  QCOMPARE(Number_To_Text(Text_To_Number(text)), text);
}

void tst_number_text::random_doubles_read_back() {
  std::mt19937_64 random(20261206);
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    const double value = From_Bits(random());
    if (!std::isfinite(value)) {
      continue;
    }
    const std::string text = Number_To_Text(value);
    const std::string again = Number_To_Text(Text_To_Number(text));
    if (again != text) {
      QFAIL(qPrintable(QStringLiteral("%1 read back as %2")
                           .arg(QString::fromStdString(text),
                                QString::fromStdString(again))));
    }
    ++checked;
  }
  QVERIFY(checked > 190000);
}

// A German user must still see and type "1234.5": nothing may follow the C
// locale, which Qt sets to the user's at start-up.
void tst_number_text::same_results_under_comma_locale() {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  QVERIFY2(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr,
           "de_DE.UTF-8 is missing: run scripts/install-deps");
  QCOMPARE(std::localeconv()->decimal_point, std::string(","));

  const QString written = Text(1234.5);
  const double read = Text_To_Number("1234.5");
  const double read_comma = Text_To_Number("1234,5");
  const QString tiny = Text(-1.5e-5);
  std::setlocale(LC_ALL, before.c_str());

  QCOMPARE(written, QStringLiteral(" 1234.5"));
  QCOMPARE(read, 1234.5);
  QCOMPARE(read_comma, 1234.0);
  QCOMPARE(tiny, QStringLiteral("-1.5E-05"));
}

QTEST_GUILESS_MAIN(tst_number_text)
#include "tst_number_text.moc"
