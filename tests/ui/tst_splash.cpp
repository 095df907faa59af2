// The start-up card: its controls, texts, fonts and places, and that it
// takes no input.
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include "forms/frmSplash.h"
#include "forms/trimwell_art.h"
#include "trimwell_build.h"

namespace {

// Twips to pixels at 96 dots to the inch, to the nearest pixel.
int Px(int twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

} // namespace

class tst_splash : public QObject {
  Q_OBJECT
private slots:
  void labels_have_their_text_font_and_place_data();
  void labels_have_their_text_font_and_place();
  void the_version_comes_from_the_build();
  void every_label_stays_inside_the_card();
  void the_card_is_a_frameless_centred_window();
  void the_picture_is_the_logo_from_its_top_left_corner();
  void clicks_and_keys_do_nothing();
};

void tst_splash::labels_have_their_text_font_and_place_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("text"); // empty: ours to choose, not empty
  QTest::addColumn<QRect>("twips");
  QTest::addColumn<int>("points"); // 0: the window's 8 points
  QTest::addColumn<bool>("bold");
  QTest::addColumn<bool>("sizes_to_text");
  QTest::addColumn<Qt::Alignment>("horizontal");

  const Qt::Alignment left = Qt::AlignLeft;
  const Qt::Alignment right = Qt::AlignRight;
  QTest::newRow("lblCompanyProduct")
      << "lblCompanyProduct" << QString() << QRect(2505, 765, 2925, 435) << 18
      << true << true << left;
  QTest::newRow("lblProductName") << "lblProductName"
                                  << "Trimwell" << QRect(2670, 1200, 2880, 690)
                                  << 30 << true << true << left;
  QTest::newRow("lblPlatform")
      << "lblPlatform"
      << "Platform : IBM" << QRect(4950, 2400, 2055, 375) << 15 << true << true
      << right;
  QTest::newRow("lblVersion") << "lblVersion"
                              << "Version 1.0.0" << QRect(5850, 2760, 1155, 300)
                              << 12 << true << true << right;
  QTest::newRow("lblLicenseTo")
      << "lblLicenseTo" << QString() << QRect(270, 300, 6855, 255) << 0 << false
      << false << right;
  QTest::newRow("lblCopyright")
      << "lblCopyright" << QString() << QRect(4710, 3120, 2415, 255) << 0
      << false << false << left;
  QTest::newRow("lblCompany")
      << "lblCompany" << QString() << QRect(4710, 3330, 2415, 255) << 0 << false
      << false << left;
  QTest::newRow("lblWarning")
      << "lblWarning"
      << "Warning : ... Use at your own risk." << QRect(300, 3720, 6855, 195)
      << 0 << false << false << left;
}

void tst_splash::labels_have_their_text_font_and_place() {
  QFETCH(QString, name);
  QFETCH(QString, text);
  QFETCH(QRect, twips);
  QFETCH(int, points);
  QFETCH(bool, bold);
  QFETCH(bool, sizes_to_text);
  QFETCH(Qt::Alignment, horizontal);

  frmSplash splash;
  auto* label = splash.findChild<QLabel*>(name);
  QVERIFY(label);
  QCOMPARE(label->parentWidget(), splash.fraMainFrame);
  if (text.isEmpty()) {
    QVERIFY(!label->text().trimmed().isEmpty());
  } else {
    QCOMPARE(label->text(), text);
  }
  QCOMPARE(label->font().pointSize(), points == 0 ? 8 : points);
  QCOMPARE(label->font().bold(), bold);
  QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, horizontal);
  QCOMPARE(label->pos(), QPoint(Px(twips.left()), Px(twips.top())));
  if (sizes_to_text) {
    QCOMPARE(label->size(), label->sizeHint());
  } else {
    QCOMPARE(label->size(), QSize(Px(twips.width()), Px(twips.height())));
  }
}

void tst_splash::the_version_comes_from_the_build() {
  frmSplash splash;
  QCOMPARE(splash.lblVersion->text(),
           QStringLiteral("Version ") +
               QString::fromLatin1(trimwell::build::Version_Text));
}

void tst_splash::every_label_stays_inside_the_card() {
  frmSplash splash;
  const QRect inside = splash.fraMainFrame->contentsRect();
  for (const QLabel* label : splash.fraMainFrame->findChildren<QLabel*>()) {
    QVERIFY2(inside.contains(label->geometry()),
             qPrintable(label->objectName() + " is cut off"));
  }
}

void tst_splash::the_card_is_a_frameless_centred_window() {
  frmSplash splash;
  QVERIFY(splash.isWindow());
  QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
  QCOMPARE(splash.windowType(), Qt::SplashScreen);
  QVERIFY(splash.windowTitle().isEmpty());
  // The client area inside the thin edge is 7455 by 4710 twips.
  const int edge = splash.frameWidth();
  QVERIFY(edge > 0);
  QCOMPARE(splash.size(), QSize(497 + 2 * edge, 314 + 2 * edge));
  QCOMPARE(splash.fraMainFrame->geometry(),
           QRect(3 + edge, -1 + edge, 492, 306));
  splash.show();
  QVERIFY(QTest::qWaitForWindowExposed(&splash));
  const QRect screen = splash.screen()->geometry();
  QVERIFY(std::abs(splash.frameGeometry().center().x() - screen.center().x()) <=
          1);
  QVERIFY(std::abs(splash.frameGeometry().center().y() - screen.center().y()) <=
          1);
}

void tst_splash::the_picture_is_the_logo_from_its_top_left_corner() {
  const QImage logo = trimwell::Logo_Picture().toImage();
  QCOMPARE(logo.size(), QSize(141, 166));
  QVERIFY(!logo.hasAlphaChannel());

  frmSplash splash;
  QCOMPARE(splash.picLogo->geometry(), QRect(34, 57, 121, 159));
  const QImage shown = splash.picLogo->pixmap().toImage();
  const QSize inside = splash.picLogo->contentsRect().size();
  QCOMPARE(shown.size(), inside);
  QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
           logo.copy(QRect(QPoint(0, 0), inside))
               .convertToFormat(QImage::Format_RGB32));
  QVERIFY(splash.picLogo->alignment() & Qt::AlignTop);
  QVERIFY(splash.picLogo->alignment() & Qt::AlignLeft);
}

void tst_splash::clicks_and_keys_do_nothing() {
  frmSplash splash;
  splash.show();
  QVERIFY(QTest::qWaitForWindowExposed(&splash));
  const QString version = splash.lblVersion->text();
  for (QWidget* target :
       {static_cast<QWidget*>(&splash), static_cast<QWidget*>(splash.picLogo),
        static_cast<QWidget*>(splash.lblProductName)}) {
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::mouseDClick(target, Qt::LeftButton);
    QTest::mouseClick(target, Qt::RightButton);
  }
  for (const int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter,
                        Qt::Key_Space, Qt::Key_F4, Qt::Key_A}) {
    QTest::keyClick(&splash, static_cast<Qt::Key>(key));
    QTest::keyClick(&splash, static_cast<Qt::Key>(key), Qt::AltModifier);
  }
  QTest::qWait(20);
  QVERIFY(splash.isVisible());
  QCOMPARE(splash.lblVersion->text(), version);
}

QTEST_MAIN(tst_splash)
#include "tst_splash.moc"
