#include "forms/look/form_layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "forms/controls/line_shape.h"
#include "forms/controls/option_button.h"
#include "forms/controls/picture_box.h"
#include "forms/look/form_font.h"
#include "forms/look/form_style.h"
#include "forms/look/twips.h"

namespace trimwell {

namespace {

QString Text_Of(const Control_Layout& row) {
  return QString::fromUtf8(row.Text);
}

QString Name_Of(const Control_Layout& row) {
  const QString name = QLatin1String(row.Name);
  return row.Index < 0 ? name : name + '(' + QString::number(row.Index) + ')';
}

template <class Widget> Widget& Make(Widget*& member, QWidget& parent) {
  member = new Widget(&parent);
  return *member;
}

// What every kind of control but the line takes from its row.
QWidget* Set_Properties(QWidget& control, QPoint origin,
                        const Control_Layout& row) {
  control.setObjectName(Name_Of(row));
  control.setGeometry(
      Twips_Rect(row.Left, row.Top, row.Width, row.Height).translated(origin));
  Set_Own_Colors(control, row.Fore_Color, row.Back_Color);
  if (row.Points != 0) {
    control.setFont(Form_Font(row.Points, row.Bold));
  }
  control.setEnabled(row.Enabled);
  if (row.Accessible_Name != nullptr) {
    control.setAccessibleName(QString::fromUtf8(row.Accessible_Name));
  }
  return &control;
}

// A command or option button: its caption is all it adds.
template <class Button>
QWidget* Create_Button(Button*& member, QWidget& parent, QPoint origin,
                       const Control_Layout& row) {
  Button& button = Make(member, parent);
  button.setText(Text_Of(row));
  return Set_Properties(button, origin, row);
}

} // namespace

QWidget* Create_Control(QGroupBox*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  QGroupBox& frame = Make(member, parent);
  frame.setTitle(Text_Of(row));
  return Set_Properties(frame, origin, row);
}

// A frame without a caption: an etched box.
QWidget* Create_Control(QFrame*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  QFrame& frame = Make(member, parent);
  frame.setFrameStyle(QFrame::Box | QFrame::Sunken);
  return Set_Properties(frame, origin, row);
}

// A label, or a picture box that shows a fixed picture.
QWidget* Create_Control(QLabel*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  QLabel& label = Make(member, parent);
  label.setAlignment(Qt::AlignTop |
                     (row.Right_Aligned ? Qt::AlignRight : Qt::AlignLeft));
  if (row.Picture == nullptr) {
    label.setTextFormat(Qt::PlainText);
    label.setWordWrap(row.Word_Wrap);
    label.setText(Text_Of(row));
  } else {
    label.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  }
  Set_Properties(label, origin, row);
  if (row.Picture != nullptr) {
    // Cut to what the box shows: QLabel would paint a larger picture over
    // its own border.
    const QPixmap picture = row.Picture();
    label.setPixmap(
        row.Auto_Size
            ? picture
            : picture.copy(QRect(QPoint(0, 0), label.contentsRect().size())));
  }
  if (row.Auto_Size) {
    label.adjustSize();
  }
  return &label;
}

QWidget* Create_Control(QPushButton*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  return Create_Button(member, parent, origin, row);
}

QWidget* Create_Control(Option_Button*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  return Create_Button(member, parent, origin, row);
}

// Windows connect their handlers only after the layout is built, so the
// initial texts run none. A box holds text of any length: a long paste is
// read whole, not cut at Qt's default limit.
QWidget* Create_Control(QLineEdit*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  QLineEdit& box = Make(member, parent);
  box.setMaxLength(std::numeric_limits<int>::max());
  box.setText(Text_Of(row));
  return Set_Properties(box, origin, row);
}

QWidget* Create_Control(Picture_Box*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  return Set_Properties(Make(member, parent), origin, row);
}

QWidget* Create_Control(Line_Array& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row) {
  const auto pixels = [origin](int x, int y) {
    return QPoint(Twips_To_Pixels(x), Twips_To_Pixels(y)) + origin;
  };
  auto* line = new Line_Shape(
      &parent, pixels(row.Left, row.Top),
      pixels(row.Left + row.Width, row.Top + row.Height), row.Line_Width,
      To_QColor(row.Fore_Color.value_or(Rgb{0, 0, 0})));
  line->setObjectName(Name_Of(row));
  member.at(static_cast<std::size_t>(row.Index)) = line;
  return line;
}

// Only controls that can take the focus join the chain: chaining a frame
// would drag its children along with it.
void Chain_Tab_Order(std::vector<Tab_Stop> stops) {
  std::stable_sort(stops.begin(), stops.end(),
                   [](const Tab_Stop& a, const Tab_Stop& b) {
                     return a.Tab_Index < b.Tab_Index;
                   });
  QWidget* previous = nullptr;
  for (const Tab_Stop& stop : stops) {
    if ((stop.Control->focusPolicy() & Qt::TabFocus) == 0) {
      continue;
    }
    if (previous != nullptr) {
      QWidget::setTabOrder(previous, stop.Control);
    }
    previous = stop.Control;
  }
}

} // namespace trimwell
