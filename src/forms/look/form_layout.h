#pragma once

#include <QGroupBox>
#include <array>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "chart/palette.h"

class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;

namespace trimwell {

class Line_Shape;
class Option_Button;
class Picture_Box;

// The About box's etched separator: a control array of two lines.
using Line_Array = std::array<Line_Shape*, 2>;

// What a layout row says about its control, whatever window it is on.
// Places and sizes are twips from the top-left corner of its container: a
// frame, or the window's client area. A line runs from (Left, Top) to
// (Left + Width, Top + Height).
struct Control_Layout {
  const char* Name = nullptr; // the objectName: the member's name
  int Index = -1;             // in a control array; its name is Name(Index)
  int Tab_Index = -1;
  const char* Text = nullptr; // caption, or a text box's initial text
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::optional<Rgb> Fore_Color; // text or line; none: the system's
  std::optional<Rgb> Back_Color; // none: the window's
  int Points = 0;                // 0: the window's font
  bool Bold = false;
  bool Enabled = true;
  bool Right_Aligned = false;
  bool Word_Wrap = false;
  bool Auto_Size = false; // keeps Left and Top, takes its content's size
  int Line_Width = 1;     // pixels
  // A picture box's picture, drawn from its top-left corner and cut to
  // the box unless the box sizes itself to it.
  QPixmap (*Picture)() = nullptr;
  // What a screen reader calls the control; null where its caption says it.
  const char* Accessible_Name = nullptr;
};

// One control of a window of class Form: the member it is stored in, whose
// type says what kind of control the row makes, the frame it lies in, and
// its properties. Rows are written Control(...) or Line(...), then the
// properties of their own.
template <class Form> struct Layout_Row : Control_Layout {
  using Member = std::variant<QGroupBox * Form::*, QFrame * Form::*,
                              QLabel * Form::*, QPushButton * Form::*,
                              Option_Button * Form::*, QLineEdit * Form::*,
                              Picture_Box * Form::*, Line_Array Form::*>;
  // monostate: the client area.
  using Frame =
      std::variant<std::monostate, QGroupBox * Form::*, QFrame * Form::*>;

  Member Stored_In{};
  Frame Container{};

  template <class Widget> constexpr Layout_Row In(Widget* Form::*frame) const {
    Layout_Row row = *this;
    row.Container = Frame(frame);
    return row;
  }
  constexpr Layout_Row Text_Color(Rgb color) const {
    return With(&Control_Layout::Fore_Color, color);
  }
  constexpr Layout_Row Background(Rgb color) const {
    return With(&Control_Layout::Back_Color, color);
  }
  constexpr Layout_Row Font(int points) const {
    return With(&Control_Layout::Points, points);
  }
  constexpr Layout_Row Bold_Font(int points) const {
    return Font(points).With(&Control_Layout::Bold, true);
  }
  constexpr Layout_Row Disabled() const {
    return With(&Control_Layout::Enabled, false);
  }
  constexpr Layout_Row Align_Right() const {
    return With(&Control_Layout::Right_Aligned, true);
  }
  constexpr Layout_Row Wrapped() const {
    return With(&Control_Layout::Word_Wrap, true);
  }
  constexpr Layout_Row Sized_To_Content() const {
    return With(&Control_Layout::Auto_Size, true);
  }
  constexpr Layout_Row Showing(QPixmap (*picture)()) const {
    return With(&Control_Layout::Picture, picture);
  }
  constexpr Layout_Row Spoken_As(const char* name) const {
    return With(&Control_Layout::Accessible_Name, name);
  }

  // A copy of the row with one property set. Assigning a whole optional,
  // not its value, keeps this a constant expression in C++17.
  template <class Field, class Value>
  constexpr Layout_Row With(Field Control_Layout::*field, Value value) const {
    Layout_Row row = *this;
    row.*field = Field(value);
    return row;
  }
};

// A control at Left, Top, Width and Height, with its caption or initial
// text, in the column order of the layout tables.
template <class Form, class Widget>
constexpr Layout_Row<Form> Control(Widget Form::*member, const char* name,
                                   int tab_index, const char* text, int left,
                                   int top, int width, int height) {
  Layout_Row<Form> row{};
  row.Stored_In = typename Layout_Row<Form>::Member(member);
  row.Name = name;
  row.Tab_Index = tab_index;
  row.Text = text;
  row.Left = left;
  row.Top = top;
  row.Width = width;
  row.Height = height;
  return row;
}

// Element `index` of a control array of lines, from (x1, y1) to (x2, y2),
// `width` pixels thick.
template <class Form>
constexpr Layout_Row<Form> Line(Line_Array Form::*member, int index,
                                const char* name, int x1, int y1, int x2,
                                int y2, Rgb color, int width) {
  return Control(member, name, -1, nullptr, x1, y1, x2 - x1, y2 - y1)
      .Text_Color(color)
      .With(&Control_Layout::Index, index)
      .With(&Control_Layout::Line_Width, width);
}

// The builder's steps. Each makes the control of its member's kind as a
// child of `parent`, stores it in the member and sets the row's
// properties; `origin` is where the row's Left and Top count from.
QWidget* Create_Control(QGroupBox*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(QFrame*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(QLabel*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(QPushButton*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(Option_Button*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(QLineEdit*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(Picture_Box*& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);
QWidget* Create_Control(Line_Array& member, QWidget& parent, QPoint origin,
                        const Control_Layout& row);

struct Tab_Stop {
  int Tab_Index;
  QWidget* Control;
};
// Chains the controls that take the focus by Tab in Tab_Index order.
void Chain_Tab_Order(std::vector<Tab_Stop> stops);

// Creates every control of `rows` in their order, frames before their
// children, and stores each in its member of `form`; then chains the tab
// order. Top-level controls go on `client`, counted from the corner of its
// contents, inside any border of its own (the splash card's raised edge).
// Controls keep their places when the window is resized.
template <class Form, std::size_t N>
void Build_Layout(Form& form, QWidget& client,
                  const Layout_Row<Form> (&rows)[N]) {
  std::vector<Tab_Stop> stops;
  for (const Layout_Row<Form>& row : rows) {
    QWidget* frame = std::visit(
        [&form](auto member) -> QWidget* {
          if constexpr (std::is_same_v<decltype(member), std::monostate>) {
            return nullptr;
          } else {
            return form.*member;
          }
        },
        row.Container);
    QWidget& parent = frame != nullptr ? *frame : client;
    const QPoint origin =
        frame != nullptr ? QPoint() : client.contentsRect().topLeft();
    QWidget* control = std::visit(
        [&](auto member) {
          return Create_Control(form.*member, parent, origin, row);
        },
        row.Stored_In);
    stops.push_back({row.Tab_Index, control});
  }
  Chain_Tab_Order(std::move(stops));
}

} // namespace trimwell
