// What the three windows look like on a dark desktop, on the pixels they
// show: one classic style, every caption whole, every text readable on
// what is behind it, and the splash card's bold lines inside their widths.
#include <QAbstractButton>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>
#include <cmath>

#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms/frmSplash.h"
#include "forms/look/form_font.h"
#include "forms/look/trimwell_art.h"
#include "forms/look/twips.h"
#include "support/test_support.h"

using namespace trimwell;

namespace {

// The colours a dark desktop (Breeze Dark) gives every application.
QPalette Dark_Desktop() {
  const QColor text(239, 240, 241), button(49, 54, 59), base(35, 38, 41);
  return QPalette(text, button, button.lighter(), button.darker(), button, text,
                  Qt::white, base, button);
}

// WCAG 2 relative luminance and contrast ratio.
double Luminance(QRgb c) {
  const auto linear = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) +
         0.0722 * linear(qBlue(c));
}
double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The pixels of `area` of a control as it shows. What is behind its text
// is their most frequent colour; the text is what stands out most from it.
struct Shown_Text {
  QRgb Background = 0;
  QRgb Text = 0;
};
Shown_Text Text_Shown(QWidget& control, const QRect& area) {
  const QHash<QRgb, int> count = test::Colours(control.grab(area).toImage());
  Shown_Text shown;
  shown.Background =
      std::max_element(count.keyValueBegin(), count.keyValueEnd(),
                       [](auto a, auto b) { return a.second < b.second; })
          ->first;
  // A colour on fewer pixels than that is a speck of smoothing, not text.
  constexpr int Least_Stroke_Pixels = 4;
  shown.Text = shown.Background;
  for (auto [color, n] : count.asKeyValueRange())
    if (n >= Least_Stroke_Pixels && Contrast(color, shown.Background) >
                                        Contrast(shown.Text, shown.Background))
      shown.Text = color;
  return shown;
}

// The same inside a text box's sunken frame.
Shown_Text Box_Text_Shown(QLineEdit& box) {
  const int frame = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  return Text_Shown(box, box.rect().adjusted(frame, frame, -frame, -frame));
}

// Whether the caption of a label or button, drawn where its style draws
// it, puts all its ink inside that area: drawn unclipped here, a caption
// too big for its control shows what the control would cut.
bool Caption_Whole(QWidget& control) {
  QRect area = control.contentsRect();
  int align = Qt::AlignCenter;
  if (auto* label = qobject_cast<QLabel*>(&control)) {
    align = int(label->alignment());
  } else {
    QStyleOptionButton option;
    option.initFrom(&control);
    const bool radio = qobject_cast<QRadioButton*>(&control);
    area = control.style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents,
        &option, &control);
    align = radio ? Qt::AlignLeft | Qt::AlignVCenter : align;
  }
  const qreal ratio = control.devicePixelRatioF();
  const QRect around = control.rect().adjusted(-50, -50, 50, 50);
  QImage canvas(around.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  canvas.setDevicePixelRatio(ratio);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.setFont(control.font());
  painter.translate(-around.topLeft());
  painter.drawText(area, align | Qt::TextShowMnemonic | Qt::TextDontClip,
                   control.property("text").toString());
  painter.end();
  const QRectF inside(QRectF(area.translated(-around.topLeft())).topLeft() *
                          ratio,
                      QSizeF(area.size()) * ratio);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (qAlpha(canvas.pixel(x, y)) != 0 && !inside.contains(x + 0.5, y + 0.5))
        return false;
  return true;
}

// Whether `shown` is `color` laid over `behind` at some coverage, as on
// the smoothed edges of text.
bool Drawn_In(QRgb shown, QRgb color, QRgb behind) {
  const auto channels = [](QRgb c) {
    return std::array<int, 3>{qRed(c), qGreen(c), qBlue(c)};
  };
  const auto s = channels(shown), c = channels(color), b = channels(behind);
  std::size_t most = 0;
  for (std::size_t k = 1; k < 3; ++k)
    most = std::abs(c[k] - b[k]) > std::abs(c[most] - b[most]) ? k : most;
  const double cover = double(s[most] - b[most]) / (c[most] - b[most]);
  for (std::size_t k = 0; k < 3; ++k)
    if (std::abs(b[k] + cover * (c[k] - b[k]) - s[k]) > 2)
      return false;
  return true;
}

} // namespace

class tst_look : public QObject {
  Q_OBJECT
private slots:
  // The desktop's colours are there before any window is made.
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setPalette(Dark_Desktop());
  }

  void every_control_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("frmMain as laid out") << 0;
    QTest::newRow("frmSplash") << 1;
    QTest::newRow("frmAbout, made after the main window") << 2;
  }
  // The classic style on every control, each caption inside its control,
  // every label and text box readable, and the text boxes sunken.
  void every_control() {
    QFETCH(int, window);
    frmMain main;
    std::unique_ptr<QWidget> other;
    if (window == 1)
      other = std::make_unique<frmSplash>();
    if (window == 2)
      other = std::make_unique<frmAbout>(&main);
    QWidget* form = other ? other.get() : &main;
    QCOMPARE(main.style()->name().toLower(), "windows");
    const QList<QWidget*> controls = form->findChildren<QWidget*>() << form;
    for (QWidget* control : controls) {
      const QByteArray name = control->objectName().toUtf8();
      if (control->isHidden())
        continue; // the menu bar's overflow button, for one
      QVERIFY2(control->style() == main.style(), name);
      if (auto* label = qobject_cast<QLabel*>(control);
          label && !label->text().isEmpty()) {
        QVERIFY2(label->wordWrap()
                     ? label->heightForWidth(label->width()) <= label->height()
                     : Caption_Whole(*label),
                 name);
        const Shown_Text shown = Text_Shown(*label, label->contentsRect());
        QVERIFY2(Contrast(shown.Text, shown.Background) >= 3, name);
      } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
        const QImage edges = box->grab().toImage();
        const int middle = edges.height() / 2;
        QVERIFY2(Luminance(edges.pixel(0, middle)) <
                     Luminance(edges.pixel(edges.width() - 1, middle)),
                 name);
        const Shown_Text shown = Box_Text_Shown(*box);
        QVERIFY2(Contrast(shown.Text, shown.Background) >= 3, name);
      } else if (qobject_cast<QAbstractButton*>(control)) {
        QVERIFY2(Caption_Whole(*control), name);
      } else if (qobject_cast<QGroupBox*>(control)) {
        QVERIFY2(control->minimumSizeHint().width() <= control->width(), name);
      }
    }
  }

  // With HR-II loaded: the colours it gives the station labels, and the
  // limit labels' own, show on a dark desktop too, and the results' greyed
  // digits, as smoothed at the window's size, read at 4.5 to 1 on white.
  void hrii_loaded() {
    frmMain main;
    main.show();
    // The labels of the two frames in their order: Oil to Wing Fuel (navy,
    // light green "User Defined", black, navy, green, light green, grey),
    // then the forward limit (red), the empty aircraft (black), the
    // aerobatic limits (purple), the aft limit and the weight limit (red).
    const QRgb navy = qRgb(0, 0, 128), light_green = qRgb(0, 255, 0),
               black = qRgb(0, 0, 0), red = qRgb(255, 0, 0),
               green = qRgb(0, 128, 0), grey = qRgb(128, 128, 128),
               purple = qRgb(192, 0, 192);
    const QRgb colours[] = {navy,  light_green, black, navy,
                            green, light_green, grey,  red,
                            black, purple,      red,   red};
    const QList<QLabel*> labels =
        main.Frame_Flight_Conditions->findChildren<QLabel*>() +
        main.Frame_CG_Weight_Limits->findChildren<QLabel*>();
    QCOMPARE(labels.size(), int(std::size(colours)));
    QCOMPARE(main.Frame_Flight_Conditions->title(), "Input Flight Conditions");
    QCOMPARE(main.palette().color(QPalette::Disabled, QPalette::Text),
             QColor(80, 80, 80));
    for (int k = 0; k < labels.size(); ++k) {
      const Shown_Text shown = Text_Shown(*labels[k], labels[k]->rect());
      QVERIFY2(Drawn_In(shown.Text, colours[k], shown.Background),
               qPrintable(labels[k]->objectName()));
    }
    for (QLineEdit* box : {main.Text_Aircraft_ARM, main.Text_Aircraft_Weight}) {
      const Shown_Text shown = Box_Text_Shown(*box);
      QCOMPARE(shown.Background, qRgb(255, 255, 255));
      QVERIFY2(Contrast(shown.Text, shown.Background) >= 4.5,
               qPrintable(box->text()));
    }
  }

  // Each bold line keeps its Left and ends inside the width the card gives
  // it. In a stand-in face a line too wide at its size is shrunk to fill
  // that width, so the platform and version lines end together.
  void splash_lines_fit() {
    frmSplash splash;
    struct Line {
      const char* Name;
      int Points, Left, Width; // as designed; twips
    };
    const Line lines[] = {{"lblCompanyProduct", 18, 2505, 2925},
                          {"lblProductName", 30, 2670, 2880},
                          {"lblPlatform", 15, 4950, 2055},
                          {"lblVersion", 12, 5850, 1155}};
    QList<int> ends;
    for (const Line& line : lines) {
      auto* label = splash.findChild<QLabel*>(line.Name);
      const int end = Twips_To_Pixels(line.Left + line.Width);
      QCOMPARE(label->x(), Twips_To_Pixels(line.Left));
      QCOMPARE(label->size(), label->sizeHint());
      QVERIFY2(label->x() + label->width() <= end, line.Name);
      const double points = label->font().pointSizeF();
      if (Is_Layout_Face(label->font()))
        QCOMPARE(points, double(line.Points));
      else
        QVERIFY2(points == line.Points ||
                     (points < line.Points &&
                      label->x() + label->width() >= end - 2),
                 line.Name);
      ends << label->x() + label->width();
    }
    if (!Is_Layout_Face(splash.lblVersion->font()))
      QVERIFY(qAbs(ends[2] - ends[3]) <= 2);
  }

  // The splash screen centred on the 800-pixel screen. Below its wings,
  // the tailplane's edges aside, its picture is symmetric about the pivot's
  // tip under the centre of gravity, x = 60.5, against a sky from blue to
  // pale (at 154 of its 166 rows: 216, 231, 246), and stands on the ground
  // from y = 148. The icon at 128 pixels: a white body (the wing
  // at 19 and 80), the navy propeller level at y = 9.4, and the CG mark round
  // (64, 55.1), dark top right and bottom left.
  void pictures() {
    frmSplash splash;
    QCOMPARE(splash.geometry(), QRect(149, 241, 501, 318));
    const QImage logo = splash.picLogo->pixmap().toImage();
    QCOMPARE(logo.size(), QSize(117, 155));
    for (int y = 66; y < logo.height(); y += y == 99 ? 3 : 1)
      for (int x = 4; x < 60; ++x)
        QVERIFY2(Contrast(logo.pixel(x, y), logo.pixel(120 - x, y)) < 1.1,
                 qPrintable(QString("%1, %2").arg(x).arg(y)));
    const QImage icon = Application_Icon_At(128).toImage();
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    const std::tuple<const QImage&, QPoint, QRgb> shown[] = {
        {logo, {20, 148}, qRgb(22, 38, 74)},
        {icon, {19, 55}, white},
        {icon, {80, 50}, white},
        {icon, {64, 9}, qRgb(0, 0, 128)},
        {icon, {79, 8}, qRgb(0, 0, 128)},
        {icon, {70, 49}, black},
        {icon, {57, 61}, black},
        {icon, {57, 49}, white},
        {icon, {70, 61}, white}};
    for (const auto& [image, at, colour] : shown)
      QCOMPARE(image.pixel(at), colour);
    for (auto [y, sky] :
         {std::pair(0, qRgb(62, 122, 194)), {154, qRgb(216, 231, 246)}})
      QVERIFY(Contrast(logo.pixel(2, y), sky) < 1.05);
    // Hard edges in the classic colours at 32 pixels, smoothed at 128.
    const auto hard = test::Colours(Application_Icon_At(32).toImage()).keys();
    for (QRgb colour : hard)
      QVERIFY(QList<QRgb>({black, white, qRgb(0, 0, 128), qRgb(0, 255, 255)})
                  .contains(colour));
    QVERIFY(test::Colours(icon).size() > 16);
    QCOMPARE(Application_Icon().availableSizes().first(), QSize(16, 16));
  }

  // Last, as it adds a face: where the classic face is installed (wine's
  // copy here, as on Windows), text is drawn in it at the sizes it has, 13
  // pixels for 10 points, and in a stand-in at those it cannot draw.
  void classic_face_where_installed() {
    QFontDatabase::addApplicationFont(
        "/usr/share/wine/fonts/ms_sans_serif.ttf");
    QVERIFY(Is_Layout_Face(Form_Font(10)));
    QVERIFY(!Is_Layout_Face(Form_Font(36)));
  }
};

QTEST_MAIN(tst_look)
#include "tst_look.moc"
