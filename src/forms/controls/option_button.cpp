#include "forms/controls/option_button.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace trimwell {

Option_Button::Option_Button(QWidget* parent) : QRadioButton(parent) {
  connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
    if (checked && !clicking_) {
      emit clicked(checked);
    }
  });
}

// Called by a click only, before the click reports itself.
void Option_Button::nextCheckState() {
  clicking_ = true;
  QRadioButton::nextCheckState();
  clicking_ = false;
}

void Option_Button::focusInEvent(QFocusEvent* event) {
  QRadioButton::focusInEvent(event);
  // A mouse press gives the focus too, and its release clicks the button;
  // clicking here as well would load the choice twice.
  if (event->reason() != Qt::MouseFocusReason && !isChecked()) {
    click();
  }
}

void Option_Button::keyPressEvent(QKeyEvent* event) {
  int step = 0;
  switch (event->key()) {
  case Qt::Key_Right:
  case Qt::Key_Down:
    step = 1;
    break;
  case Qt::Key_Left:
  case Qt::Key_Up:
    step = -1;
    break;
  default:
    QRadioButton::keyPressEvent(event);
    return;
  }
  if (Option_Button* target = Neighbour(step)) {
    // The focus does the selecting (focusInEvent), as it does for Tab.
    target->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  }
  event->accept();
}

Option_Button* Option_Button::Neighbour(int step) {
  if (parentWidget() == nullptr) {
    return nullptr;
  }
  const QList<Option_Button*> group =
      parentWidget()->findChildren<Option_Button*>(Qt::FindDirectChildrenOnly);
  const int count = static_cast<int>(group.size());
  const int here = static_cast<int>(group.indexOf(this));
  if (count < 2 || here < 0) {
    return nullptr;
  }
  return group[(here + step + count) % count];
}

} // namespace trimwell
