#pragma once

// Helpers shared by the main window's widget tests: finding controls by
// objectName, typing into them with real key events, and counting paints.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "forms/frmMain.h"

namespace main_test {

// The 21 input boxes, in the order the presets fill them.
inline const QStringList Input_Boxes = {"Text_Oil_ARM",
                                        "Text_Oil_Weight",
                                        "Text_Front_Baggage_ARM",
                                        "Text_Front_Baggage_Weight",
                                        "Text_Pilot_ARM",
                                        "Text_Pilot_Weight",
                                        "Text_Passenger_ARM",
                                        "Text_Passenger_Weight",
                                        "Text_Rear_Baggage_ARM",
                                        "Text_Rear_Baggage_Weight",
                                        "Text_Fuselage_Fuel_ARM",
                                        "Text_Fuselage_Fuel_Weight",
                                        "Text_Wing_Fuel_ARM",
                                        "Text_Wing_Fuel_Weight",
                                        "Text_Forward_CG_Limit_ARM",
                                        "Text_Empty_Aircraft_ARM",
                                        "Text_Empty_Aircraft_Weight",
                                        "Text_Aerobatic_Limit_ARM",
                                        "Text_Aerobatic_Limit_Weight",
                                        "Text_Aft_CG_Limit_ARM",
                                        "Text_Max_Allowable_Weight"};

template <class T = QWidget> T* Find(QWidget& window, const QString& name) {
  T* found = window.findChild<T*>(name);
  if (found == nullptr) {
    qWarning("no control named %s", qPrintable(name));
  }
  return found;
}

inline QLineEdit* Box(QWidget& window, const QString& name) {
  return Find<QLineEdit>(window, name);
}

inline QString Text_Of(QWidget& window, const QString& name) {
  QLineEdit* box = Box(window, name);
  return box ? box->text() : QStringLiteral("<missing>");
}

// Shows the window and waits until it is exposed and active, so that
// repaints reach the screen and focus changes deliver their events.
inline bool Show_Window(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowExposed(&window) &&
         QTest::qWaitForWindowActive(&window);
}

// Replaces a box's whole text as a user does: click into it, select all,
// then type the new text key by key (or delete the selection for "").
inline void Retype(QLineEdit& box, const QString& text) {
  QTest::mouseClick(&box, Qt::LeftButton);
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    QTest::keyClick(&box, Qt::Key_Delete);
  }
  QTest::keyClicks(&box, text);
}

// Counts the paint events a widget receives.
class Paint_Counter : public QObject {
public:
  explicit Paint_Counter(QWidget& widget) { widget.installEventFilter(this); }
  int Count = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    Count += event->type() == QEvent::Paint;
    return false;
  }
};

// Every box's text, the results included.
inline QStringList Snapshot(QWidget& window) {
  QStringList texts;
  for (const QString& name :
       Input_Boxes + QStringList{"Text_Aircraft_ARM", "Text_Aircraft_Weight"}) {
    texts << name + "=" + Text_Of(window, name);
  }
  return texts;
}

} // namespace main_test
