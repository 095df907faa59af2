#pragma once

#include <QStatusBar>
#include <QTimer>

class QLabel;

namespace trimwell {

// The main window's status bar: three sunken panels, the fixed text
// "Status" taking the spare width, then the current date and the current
// time in the system's short formats, which a timer keeps current.
class Main_Status_Bar : public QStatusBar {
  Q_OBJECT
public:
  explicit Main_Status_Bar(QWidget* parent = nullptr);

private:
  void Show_Date_And_Time();

  QLabel* status_panel_;
  QLabel* date_panel_;
  QLabel* time_panel_;
  QTimer clock_;
};

} // namespace trimwell
