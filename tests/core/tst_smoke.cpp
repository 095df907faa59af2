#include <QtTest>
#include "model/number_text.h"
class tst_smoke : public QObject { Q_OBJECT
private slots:
  void x() { QCOMPARE(QString::fromStdString(trimwell::Number_To_Text(0.5)), QString(" .5")); }
};
QTEST_GUILESS_MAIN(tst_smoke)
#include "tst_smoke.moc"
