// Soak run: thousands of random edits and aircraft-type switches through
// the real controls of the main window. Exits non-zero when resident memory
// grows by more than the allowance after the warm-up; under the sanitizer
// build any memory error ends it at once.
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "forms/frmMain.h"
#include "support/test_support.h"

namespace {

constexpr int Default_Edits = 10000;
constexpr int Warm_Up_Edits = 1000;
constexpr long Allowed_Growth_Kb = 5 * 1024;

long Resident_Kb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0)
      return std::atol(line.c_str() + 6);
  return 0;
}

// Texts a user, a slip of the finger or a stray paste may leave in a box.
QString Random_Text(std::mt19937& random) {
  static const char* const Fixed[] = {
      "",       " ",      "0",     "-0",     "1e308", "-1e308", "1e-400",
      "9e999",  "&HFFFF", "&o777", "1,5",    "abc",   "  12 3", "-.5e-3",
      "170 lb", ".",      "-",     "1D+300", "&H",    " 7 "};
  std::uniform_int_distribution<int> kind(0, 3);
  switch (kind(random)) {
  case 0:
    return QString::fromLatin1(Fixed[random() % std::size(Fixed)]);
  case 1: {
    std::uniform_real_distribution<double> value(-5000, 5000);
    return QString::number(value(random), 'f', int(random() % 4));
  }
  case 2: {
    std::uniform_int_distribution<int> exponent(-330, 330);
    return QStringLiteral("%1E%2").arg(random() % 100).arg(exponent(random));
  }
  default: {
    QString text;
    const char alphabet[] = "0123456789.,-+eEdD&hHoO xyz";
    for (int n = int(random() % 8); n > 0; --n)
      text += QLatin1Char(alphabet[random() % (sizeof alphabet - 1)]);
    return text;
  }
  }
}

} // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int edits = argc > 1 ? std::atoi(argv[1]) : Default_Edits;

  frmMain window;
  window.show();
  QCoreApplication::processEvents();

  QList<QWidget*> inputs, types;
  for (const QString& name : trimwell::test::Input_Names())
    inputs << window.findChild<QLineEdit*>(name);
  for (const QString& name : trimwell::test::Type_Buttons)
    types << window.findChild<QRadioButton*>(name);
  if (inputs.contains(nullptr) || types.contains(nullptr)) {
    std::fprintf(stderr, "soak: an input box or a type button is missing\n");
    return 2;
  }

  std::mt19937 random(20261206);
  long warm_rss = 0;
  for (int i = 0; i < edits; ++i) {
    if (random() % 50 == 0)
      QTest::mouseClick(types[int(random() % types.size())], Qt::LeftButton);
    else
      trimwell::test::Retype(inputs[int(random() % inputs.size())],
                             Random_Text(random));
    if (i + 1 == Warm_Up_Edits)
      warm_rss = Resident_Kb();
  }
  const long end_rss = Resident_Kb();
  const long growth = warm_rss > 0 ? end_rss - warm_rss : 0;
  std::printf("soak: %d edits, resident %ld kB after %d, %ld kB at the end, "
              "growth %ld kB (allowed %ld kB)\n",
              edits, warm_rss, Warm_Up_Edits, end_rss, growth,
              Allowed_Growth_Kb);
  return growth > Allowed_Growth_Kb ? 1 : 0;
}
