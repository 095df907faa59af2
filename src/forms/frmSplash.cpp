#include "forms/frmSplash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "forms/look/form_font.h"
#include "forms/look/form_style.h"
#include "forms/look/trimwell_art.h"
#include "forms/look/twips.h"
#include "trimwell_build.h"

namespace {

using trimwell::Twips_To_Pixels;

// The client area inside the window's thin raised edge.
constexpr int Client_Width = 7455;
constexpr int Client_Height = 4710;
constexpr QRect Main_Frame(45, -15, 7380, 4590); // twips, on the client
constexpr QRect Logo_Box(510, 855, 1815, 2385);  // twips, on the main frame

// A label of the card. Positions in twips from fraMainFrame's top-left
// corner. Labels with a size of their own are bold; the others use the
// window's font.
struct Label_Layout {
  QLabel* frmSplash::*Member;
  const char* Name;
  const char* Text;
  int Left, Top, Width, Height;
  int Points; // 0: the window's font
  bool Right_Aligned;
  bool Sizes_To_Text; // keeps its Left, grows right and down
};

constexpr char Version_Set_At_Load[] = "";

constexpr Label_Layout Labels[] = {
    {&frmSplash::lblLicenseTo, "lblLicenseTo",
     "Free for every pilot and builder to use and share", 270, 300, 6855, 255,
     0, true, false},
    {&frmSplash::lblWarning, "lblWarning",
     "Warning : ... Use at your own risk.", 300, 3720, 6855, 195, 0, false,
     false},
    {&frmSplash::lblCopyright, "lblCopyright", "Copyright 2026 Trimwell", 4710,
     3120, 2415, 255, 0, false, false},
    {&frmSplash::lblCompany, "lblCompany", "The Trimwell Project", 4710, 3330,
     2415, 255, 0, false, false},
    {&frmSplash::lblVersion, "lblVersion", Version_Set_At_Load, 5850, 2760,
     1155, 300, 12, true, true},
    {&frmSplash::lblPlatform, "lblPlatform", "Platform : IBM", 4950, 2400, 2055,
     375, 15, true, true},
    {&frmSplash::lblCompanyProduct, "lblCompanyProduct", "Weight and Balance",
     2505, 765, 2925, 435, 18, false, true},
    {&frmSplash::lblProductName, "lblProductName", trimwell::build::Title, 2670,
     1200, 2880, 690, 30, false, true},
};

// The largest value between `fits` and `too_wide` at which `label`, with
// the value applied, is at most `width` pixels wide; halving the interval.
template <typename Apply>
void Apply_Largest_Fitting(QLabel& label, int width, double fits,
                           double too_wide, Apply apply) {
  constexpr int Halvings = 10;
  for (int step = 0; step < Halvings; ++step) {
    const double value = (fits + too_wide) / 2;
    apply(value);
    (label.sizeHint().width() <= width ? fits : too_wide) = value;
  }
  apply(fits);
}

// A self-sizing label keeps its Left and takes its text's size. The
// layout's widths are the texts' widths in "MS Sans Serif" at the designed
// sizes, and the platform and version lines share their right edge. A
// stand-in face too wide for a width takes the largest size that fits it;
// fonts come in whole pixel sizes, so its letters are then spaced out to
// fill the width, as the designed face does.
void Size_To_Text(QLabel& label, const Label_Layout& layout) {
  constexpr double Smallest_Points = 1;
  const int width = Twips_To_Pixels(layout.Width);
  QFont font = trimwell::Form_Font(layout.Points, true);
  label.setFont(font);
  if (!trimwell::Is_Layout_Face(font) && label.sizeHint().width() > width) {
    Apply_Largest_Fitting(label, width, Smallest_Points, font.pointSizeF(),
                          [&](double points) {
                            font.setPointSizeF(points);
                            label.setFont(font);
                          });
    // Spacing each letter by this much would widen the text past the width.
    const double too_wide = (width - label.sizeHint().width() + 1.0) /
                            static_cast<double>(label.text().size());
    Apply_Largest_Fitting(label, width, 0, too_wide, [&](double spacing) {
      font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
      label.setFont(font);
    });
  }
  label.adjustSize();
}

QRect Pixels(const QRect& twips) {
  return QRect(Twips_To_Pixels(twips.left()), Twips_To_Pixels(twips.top()),
               Twips_To_Pixels(twips.width()), Twips_To_Pixels(twips.height()));
}

} // namespace

frmSplash::frmSplash()
    : QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  setFont(trimwell::Form_Font(trimwell::Form_Default_Points));
  const int edge = frameWidth();
  setFixedSize(Twips_To_Pixels(Client_Width) + 2 * edge,
               Twips_To_Pixels(Client_Height) + 2 * edge);
  Build_Controls();
  Form_Load();
  trimwell::Set_Form_Look(*this);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

void frmSplash::Build_Controls() {
  fraMainFrame = new QFrame(this);
  fraMainFrame->setObjectName(QStringLiteral("fraMainFrame"));
  fraMainFrame->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched
  const int edge = frameWidth();
  fraMainFrame->setGeometry(Pixels(Main_Frame).translated(edge, edge));

  for (const Label_Layout& layout : Labels) {
    auto* label = new QLabel(QString::fromUtf8(layout.Text), fraMainFrame);
    label->setObjectName(QLatin1String(layout.Name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(
        Qt::AlignTop | (layout.Right_Aligned ? Qt::AlignRight : Qt::AlignLeft));
    label->setGeometry(
        Pixels(QRect(layout.Left, layout.Top, layout.Width, layout.Height)));
    if (layout.Points > 0) {
      label->setFont(trimwell::Form_Font(layout.Points, true));
    }
    this->*layout.Member = label;
  }

  picLogo = new QLabel(fraMainFrame);
  picLogo->setObjectName(QStringLiteral("picLogo"));
  picLogo->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  picLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picLogo->setGeometry(Pixels(Logo_Box));
  // Drawn from the box's top-left corner, cut to what the box shows: QLabel
  // would paint a larger picture over its own border.
  picLogo->setPixmap(trimwell::Logo_Picture().copy(
      QRect(QPoint(0, 0), picLogo->contentsRect().size())));
}

void frmSplash::Form_Load() {
  lblVersion->setText(QString::fromLatin1(trimwell::build::Version_Label));
  for (const Label_Layout& layout : Labels) {
    if (layout.Sizes_To_Text) {
      Size_To_Text(*(this->*layout.Member), layout);
    }
  }
}

void frmSplash::closeEvent(QCloseEvent* event) {
  // The user cannot dismiss the card; only the start-up code removes it.
  if (event->spontaneous()) {
    event->ignore();
  }
}
