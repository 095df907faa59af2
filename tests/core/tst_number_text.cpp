#include <QtTest>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>

#include "model/decimal_reading.h"
#include "model/number_text.h"

using trimwell::Number_To_Text;
using trimwell::Text_To_Number;

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double Max = std::numeric_limits<double>::max();

QString Text(double value) {
  return QString::fromStdString(Number_To_Text(value));
}
} // namespace

class tst_number_text : public QObject {
  Q_OBJECT

private slots:
  void number_to_text_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("no 0 before the point") << 0.5 << " .5";
    QTest::newRow("negative fraction") << -0.25 << "-.25";
    QTest::newRow("rounds at 15 digits") << 0.1 + 0.2 << " .3";
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "";
  }

  void number_to_text() {
    QFETCH(double, value);
    QTEST(Text(value), "text");
  }

  void text_to_number_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks tabs line feeds anywhere") << " 1 7\t9\n.5" << 179.5;
    // Pasted characters that draw nothing or a blank are blanks too.
    const auto row = [](const char* name, const char* text, double value) {
      QTest::newRow(name) << QString::fromUtf8(text) << value;
    };
    row("zero-width space, joiners, soft hyphen, word joiner, invisible plus",
        "1\u200B8\u200C\u200D5\u00AD\u20600\u2064", 1850);
    row("embedding, isolate marks", "\u202A-1.85\u2066E\u2069+3\u202E", -1850);
    row("direction marks, BOM in hex", "\u200E\u200F&\uFEFFHFF", 255);
    row("no-break, figure, thin, ideographic spaces",
        "1\u00A08\u202F5\u20070\u2009\u3000", 1850);
    row("tags, four bytes each", "1\U000E0020850\U000E007F", 1850);
    row("hyphen just past the marks ends it", "1\u2010850", 1);
    QTest::newRow("comma ends it") << "1,5" << 1.0;
    QTest::newRow("hex, no 16-bit wrap") << " & h FFFF" << 65535.0;
    QTest::newRow("hex digits in either case") << "&hf0A" << 3850.0;
    QTest::newRow("signed hex is no number") << "-&H10" << 0.0;
    QTest::newRow("octal stops at 8") << "&o178" << 15.0;
    QTest::newRow("& without H or O") << "&12" << 0.0;
    QTest::newRow("overflow") << "-2.5D999" << -Inf;
    QTest::newRow("underflow keeps its sign") << "-1e-400" << -0.0;
    QTest::newRow("largest double's own text")
        << " 1.79769313486232E+308" << Max;
    QTest::newRow("with trailing zeros") << "1.797693134862320E+308" << Max;
    QTest::newRow("just beyond it") << "1.79769313486233E+308" << Inf;
  }

  void text_to_number() {
    QFETCH(QString, text);
    QFETCH(double, value);
    const double read = Text_To_Number(text.toStdString());
    // Exactly: QCOMPARE would pass any two doubles within 1 in 10^12.
    QVERIFY2(read == value, QByteArray::number(read, 'g', 17));
    QCOMPARE(std::signbit(read), std::signbit(value));
  }

  // A stored placement value, read straight into a float.
  void single_precision_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<float>("value");
    // Through a double it would be 1 + 2^-24 exactly, a tie, rounded down.
    QTest::newRow("just above a tie")
        << "1.00000005960464477539062500001" << true << 0x1.000002p0f;
    QTest::newRow("too small is no number") << "1e-46" << false << 0.0f;
    QTest::newRow("too large is no number") << "3.5e38" << false << 0.0f;
    QTest::newRow("infinity is no number") << "-inf" << false << 0.0f;
    QTest::newRow("NaN is no number") << "nan" << false << 0.0f;
  }

  void single_precision() {
    QFETCH(QString, text);
    QFETCH(bool, read);
    QFETCH(float, value);
    float number = 0;
    QCOMPARE(trimwell::decimal::Read_Whole_Float(text.toStdString(), number),
             read);
    QVERIFY2(number == value, QByteArray::number(number, 'g', 9));
  }

  // Qt sets the C locale to the user's at start-up; a German user must still
  // see and type "1234.5".
  void same_results_under_comma_locale() {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    // German as Linux and as Windows name it.
    const char* const german[] = {"de_DE.UTF-8", "German_Germany.1252"};
    QVERIFY2(std::any_of(std::begin(german), std::end(german),
                         [](const char* name) {
                           return std::setlocale(LC_ALL, name) != nullptr;
                         }),
             "de_DE.UTF-8 is missing: run scripts/install-deps");
    if (std::string(std::localeconv()->decimal_point) == ".") {
      // As the C library of a program for the web (musl) in every locale.
      std::setlocale(LC_ALL, before.c_str());
      QSKIP("this C library writes a decimal point in German too");
    }
    QCOMPARE(std::localeconv()->decimal_point, std::string(","));
    const QString written = Text(1234.5);
    const double read = Text_To_Number("1234.5");
    std::setlocale(LC_ALL, before.c_str());
    QCOMPARE(written, QStringLiteral(" 1234.5"));
    QCOMPARE(read, 1234.5);
  }
};

QTEST_GUILESS_MAIN(tst_number_text)
#include "tst_number_text.moc"
