// What the widget tests and the soak run share: the main window's boxes and
// type buttons by name, a box retyped as a user does it, the colours an
// image has, and a watch on the events of one type.
#pragma once

#include <QtTest>

namespace trimwell::test {

// The 21 input boxes in tab order: the stations row by row, then the limits.
inline QStringList Input_Names() {
  QStringList names;
  for (QString s : {"Oil", "Front_Baggage", "Pilot", "Passenger",
                    "Rear_Baggage", "Fuselage_Fuel", "Wing_Fuel"})
    names += {"Text_" + s + "_ARM", "Text_" + s + "_Weight"};
  return names +
         QStringList{"Text_Forward_CG_Limit_ARM",   "Text_Empty_Aircraft_ARM",
                     "Text_Empty_Aircraft_Weight",  "Text_Aerobatic_Limit_ARM",
                     "Text_Aerobatic_Limit_Weight", "Text_Aft_CG_Limit_ARM",
                     "Text_Max_Allowable_Weight"};
}

// The type buttons in preset order.
inline const QStringList Type_Buttons = {
    "Option_HRII", "Option_RV3", "Option_RV4",  "Option_RV6",
    "Option_RV8",  "Option_RV9", "Option_Other"};

// Replaces a box's text as a user does: click, select all, delete, type.
inline void Retype(QWidget* box, const QString& text) {
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

// How many pixels of each colour an image (a widget's grab) has.
inline QHash<QRgb, int> Colours(const QImage& image) {
  const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> count;
  for (int y = 0; y < opaque.height(); ++y)
    for (int x = 0; x < opaque.width(); ++x)
      ++count[opaque.pixel(x, y)];
  return count;
}

// Notes, in order, the object name of each object it watches (with
// installEventFilter) that receives an event of its type.
struct Event_Watch : QObject {
  explicit Event_Watch(QEvent::Type type) : Type(type) {}
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == Type)
      Seen << object->objectName();
    return false;
  }
  QEvent::Type Type;
  QStringList Seen;
};

} // namespace trimwell::test
