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

namespace {

constexpr int Default_Edits = 10000;
constexpr int Warm_Up_Edits = 1000;
constexpr long Allowed_Growth_Kb = 5 * 1024;

long Resident_Kb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::atol(line.c_str() + 6);
    }
  }
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
    for (int n = int(random() % 8); n > 0; --n) {
      text += QLatin1Char(alphabet[random() % (sizeof alphabet - 1)]);
    }
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

  const auto boxes = window.findChildren<QLineEdit*>();
  QList<QLineEdit*> inputs;
  for (QLineEdit* box : boxes) {
    if (box->isEnabled()) {
      inputs.append(box);
    }
  }
  const auto types = window.findChildren<QRadioButton*>();
  if (inputs.size() != 21 || types.size() != 7) {
    std::fprintf(stderr, "soak: expected 21 input boxes and 7 types\n");
    return 2;
  }

  std::mt19937 random(20261206);
  long warm_rss = 0;
  for (int i = 0; i < edits; ++i) {
    if (random() % 50 == 0) {
      QTest::mouseClick(types[int(random() % types.size())], Qt::LeftButton);
    } else {
      QLineEdit* box = inputs[int(random() % inputs.size())];
      box->setFocus();
      QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(box, Qt::Key_Delete);
      QTest::keyClicks(box, Random_Text(random));
    }
    if (i + 1 == Warm_Up_Edits) {
      warm_rss = Resident_Kb();
    }
  }
  const long end_rss = Resident_Kb();
  const long growth = warm_rss > 0 ? end_rss - warm_rss : 0;
  std::printf("soak: %d edits, resident %ld kB after %d, %ld kB at the end, "
              "growth %ld kB (allowed %ld kB)\n",
              edits, warm_rss, Warm_Up_Edits, end_rss, growth,
              Allowed_Growth_Kb);
  return growth > Allowed_Growth_Kb ? 1 : 0;
}
