#pragma once

#include <QRadioButton>

namespace trimwell {

// An option button that behaves like the classic desktop ones: receiving the
// focus by keyboard or by program while unselected selects it and clicks it,
// and the arrow keys move round its group in creation order (wrapping at the
// ends), so each button they reach is selected and clicked. Selected any
// other way (a screen reader's toggle action, the program), it reports a
// click as well, so that what it shows chosen is what is loaded.
class Option_Button : public QRadioButton {
  Q_OBJECT
public:
  explicit Option_Button(QWidget* parent = nullptr);

protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void nextCheckState() override;

private:
  bool clicking_ = false; // a click reports itself
  // The button `step` places along the group (1 next, -1 previous).
  Option_Button* Neighbour(int step);
};

} // namespace trimwell
