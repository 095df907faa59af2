#include "forms/frmSplash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "forms/look/form_font.h"
#include "forms/look/form_layout.h"
#include "forms/look/form_style.h"
#include "forms/look/trimwell_art.h"
#include "forms/look/twips.h"
#include "trimwell_build.h"

namespace {

using trimwell::Control;
using trimwell::Twips_To_Pixels;
using Row = trimwell::Layout_Row<frmSplash>;

// The client area inside the window's thin raised edge.
constexpr int Client_Width = 7455;
constexpr int Client_Height = 4710;

constexpr const char* Version_Set_At_Load = nullptr;
constexpr auto Main_Frame = &frmSplash::fraMainFrame;

// The frame covers nearly all of the client area, and the rest lies in it,
// placed from its top-left corner. Labels with a size of their own are
// bold; the others use the window's font.
constexpr Row Splash_Layout[] = {
    Control(Main_Frame, "fraMainFrame", 0, nullptr, 45, -15, 7380, 4590),
    Control(&frmSplash::lblLicenseTo, "lblLicenseTo", 1,
            "Free for every pilot and builder to use and share", 270, 300, 6855,
            255)
        .In(Main_Frame)
        .Align_Right(),
    Control(&frmSplash::lblWarning, "lblWarning", 3,
            "Warning : ... Use at your own risk.", 300, 3720, 6855, 195)
        .In(Main_Frame),
    Control(&frmSplash::lblCopyright, "lblCopyright", 4,
            trimwell::build::Copyright, 4710, 3120, 2415, 255)
        .In(Main_Frame),
    Control(&frmSplash::lblCompany, "lblCompany", 5, trimwell::build::Company,
            4710, 3330, 2415, 255)
        .In(Main_Frame),
    Control(&frmSplash::lblVersion, "lblVersion", 6, Version_Set_At_Load, 5850,
            2760, 1155, 300)
        .In(Main_Frame)
        .Bold_Font(12)
        .Align_Right()
        .Sized_To_Content(),
    Control(&frmSplash::lblPlatform, "lblPlatform", 7, "Platform : IBM", 4950,
            2400, 2055, 375)
        .In(Main_Frame)
        .Bold_Font(15)
        .Align_Right()
        .Sized_To_Content(),
    Control(&frmSplash::lblCompanyProduct, "lblCompanyProduct", 8,
            "Weight and Balance", 2505, 765, 2925, 435)
        .In(Main_Frame)
        .Bold_Font(18)
        .Sized_To_Content(),
    Control(&frmSplash::lblProductName, "lblProductName", 9,
            trimwell::build::Title, 2670, 1200, 2880, 690)
        .In(Main_Frame)
        .Bold_Font(30)
        .Sized_To_Content(),
    Control(&frmSplash::picLogo, "picLogo", 2, nullptr, 510, 855, 1815, 2385)
        .In(Main_Frame)
        .Showing(trimwell::Logo_Picture),
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
void Size_To_Text(QLabel& label, const trimwell::Control_Layout& layout) {
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
  trimwell::Build_Layout(*this, *this, Splash_Layout);
}

void frmSplash::Form_Load() {
  lblVersion->setText(QString::fromLatin1(trimwell::build::Version_Label));
  for (const Row& row : Splash_Layout) {
    if (row.Auto_Size) {
      Size_To_Text(*(this->*std::get<QLabel * frmSplash::*>(row.Stored_In)),
                   row);
    }
  }
}

void frmSplash::closeEvent(QCloseEvent* event) {
  // The user cannot dismiss the card; only the start-up code removes it.
  if (event->spontaneous()) {
    event->ignore();
  }
}
