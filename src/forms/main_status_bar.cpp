#include "forms/main_status_bar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>

#include "forms/look/twips.h"

namespace trimwell {

namespace {

constexpr int Bar_Height = 270;         // twips
constexpr int Panel_Min_Width = 1440;   // twips
constexpr int Clock_Interval_Ms = 1000; // the short time may show seconds

QLabel* Make_Panel(Main_Status_Bar& bar, const char* name) {
  auto* panel = new QLabel(&bar);
  panel->setObjectName(QLatin1String(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setMinimumWidth(Twips_To_Pixels(Panel_Min_Width));
  return panel;
}

} // namespace

Main_Status_Bar::Main_Status_Bar(QWidget* parent)
    : QStatusBar(parent), status_panel_(Make_Panel(*this, "Panel_Status")),
      date_panel_(Make_Panel(*this, "Panel_Date")),
      time_panel_(Make_Panel(*this, "Panel_Time")), clock_(this) {
  setFixedHeight(Twips_To_Pixels(Bar_Height));
  status_panel_->setText(QStringLiteral("Status"));
  addWidget(status_panel_, 1);
  addPermanentWidget(date_panel_);
  addPermanentWidget(time_panel_);
  Show_Date_And_Time();
  connect(&clock_, &QTimer::timeout, this,
          &Main_Status_Bar::Show_Date_And_Time);
  clock_.start(Clock_Interval_Ms);
}

void Main_Status_Bar::Show_Date_And_Time() {
  // Dates and times, not numbers: the user's own formats are wanted here.
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale = QLocale::system();
  date_panel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
  time_panel_->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

} // namespace trimwell
