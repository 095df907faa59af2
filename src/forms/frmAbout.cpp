#include "forms/frmAbout.h"

#include <QLabel>
#include <QPushButton>

#include "forms/controls/line_shape.h"
#include "forms/look/form_font.h"
#include "forms/look/form_style.h"
#include "forms/look/trimwell_art.h"
#include "forms/look/twips.h"
#include "forms/sysinfo/desktop_services.h"
#include "trimwell_build.h"

namespace {

using trimwell::Twips_To_Pixels;

constexpr int Client_Width = 5865;
constexpr int Client_Height = 3630;

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Icon_Background = qRgb(192, 192, 192);
constexpr QPoint Icon_Place(240, 240); // twips; the box fits its picture

struct Button_Layout {
  QPushButton* frmAbout::*Member;
  const char* Name;
  const char* Caption;
  int Left, Top, Width, Height; // twips
};

// In tab order.
constexpr Button_Layout Buttons[] = {
    {&frmAbout::cmdOK, "cmdOK", "OK", 4245, 2625, 1467, 345},
    {&frmAbout::cmdSysInfo, "cmdSysInfo", "&System Info...", 4260, 3075, 1452,
     345},
};

constexpr char Set_At_Load[] = "";

struct Label_Layout {
  QLabel* frmAbout::*Member;
  const char* Name;
  const char* Text;
  int Left, Top, Width, Height; // twips
  bool Black_Text;              // else the system's text colour
  bool Word_Wrap;
};

constexpr Label_Layout Labels[] = {
    {&frmAbout::lblDisclaimer, "lblDisclaimer",
     "Warning : ... Use this program at your own risk.  It has no known "
     "bugs.  It was written for my education and therefore should be "
     "distributed at NO COST!",
     255, 2625, 3870, 825, true, true},
    {&frmAbout::lblVersion, "lblVersion", Set_At_Load, 1050, 780, 4092, 225,
     false, false},
    {&frmAbout::lblTitle, "lblTitle", Set_At_Load, 1050, 240, 4092, 480, true,
     false},
    {&frmAbout::lblDescription, "lblDescription",
     "App Description : Using User defined values, this program will "
     "calculate the aircraft CG and Gross Weight.  It will also show the "
     "results in a graphical manner.",
     1050, 1125, 4092, 1170, true, true},
};

// The etched separator above the buttons, in twips: a grey line and, one
// pixel below it, a white line twice as thick.
struct Line_Layout {
  int Index;
  QPoint From, To;
  int Width; // pixels
  QRgb Color;
};

constexpr Line_Layout Lines[] = {
    {1, {225, 2430}, {5657, 2430}, 1, qRgb(128, 128, 128)},
    {0, {240, 2445}, {5657, 2445}, 2, qRgb(255, 255, 255)},
};

QRect Pixels(int left, int top, int width, int height) {
  return QRect(Twips_To_Pixels(left), Twips_To_Pixels(top),
               Twips_To_Pixels(width), Twips_To_Pixels(height));
}

QPoint Pixels(QPoint twips) {
  return QPoint(Twips_To_Pixels(twips.x()), Twips_To_Pixels(twips.y()));
}

// Places a dialog so that its outer frame is centred on its owner's. Until
// the dialog is on the screen its frame is unknown, so the owner's frame
// margins stand in for it; window managers decorate both alike.
void Centre_On_Owner(QDialog& dialog, const QWidget& owner) {
  const QWidget& window = *owner.window();
  const QRect frame = window.frameGeometry();
  const QRect inside = window.geometry();
  const QSize margins(frame.width() - inside.width(),
                      frame.height() - inside.height());
  const QSize outer = dialog.size() + margins;
  dialog.move(frame.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

} // namespace

frmAbout::frmAbout(QWidget* owner)
    // Customised, so that window managers leave out the minimise and
    // maximise buttons they would give any dialog.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint |
                         Qt::MSWindowsFixedSizeDialogHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      registry_(trimwell::registry::Make_System_Registry()) {
  setWindowTitle(QStringLiteral("About ") +
                 QString::fromLatin1(trimwell::build::Title));
  setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
  setFont(trimwell::Form_Font(trimwell::Form_Default_Points));
  setFixedSize(Twips_To_Pixels(Client_Width), Twips_To_Pixels(Client_Height));
  Build_Controls();
  trimwell::Set_Form_Look(*this);
  if (owner != nullptr) {
    Centre_On_Owner(*this, *owner);
  }
  Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Build_Controls() {
  for (const Button_Layout& layout : Buttons) {
    auto* button = new QPushButton(QString::fromLatin1(layout.Caption), this);
    button->setObjectName(QLatin1String(layout.Name));
    button->setGeometry(
        Pixels(layout.Left, layout.Top, layout.Width, layout.Height));
    this->*layout.Member = button;
  }
  setTabOrder(cmdOK, cmdSysInfo);
  cmdOK->setDefault(true); // Enter; Esc closes the dialog as OK does
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  picIcon->setAutoFillBackground(true);
  trimwell::Set_Own_Color(*picIcon, QPalette::Window, QColor(Icon_Background));
  picIcon->setPixmap(trimwell::Icon_Picture());
  picIcon->move(Pixels(Icon_Place));
  picIcon->adjustSize();

  for (const Label_Layout& layout : Labels) {
    auto* label = new QLabel(QString::fromLatin1(layout.Text), this);
    label->setObjectName(QLatin1String(layout.Name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(layout.Word_Wrap);
    label->setGeometry(
        Pixels(layout.Left, layout.Top, layout.Width, layout.Height));
    if (layout.Black_Text) {
      trimwell::Set_Own_Color(*label, QPalette::WindowText, QColor(Black));
    }
    this->*layout.Member = label;
  }

  for (const Line_Layout& layout : Lines) {
    auto* line =
        new trimwell::Line_Shape(this, Pixels(layout.From), Pixels(layout.To),
                                 layout.Width, QColor(layout.Color));
    line->setObjectName(QStringLiteral("Line1(%1)").arg(layout.Index));
    Line1[static_cast<std::size_t>(layout.Index)] = line;
  }
}

void frmAbout::Form_Load() {
  lblVersion->setText(QString::fromLatin1(trimwell::build::Version_Label));
  lblTitle->setText(QString::fromLatin1(trimwell::build::Title));
}

void frmAbout::cmdOK_Click() {
  accept();
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

void frmAbout::StartSysInfo() {
  trimwell::sysinfo::Desktop_Services services(this);
  trimwell::sysinfo::StartSysInfo(*registry_, services);
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const QString& KeyName,
                           const QString& SubKeyRef, QString& KeyVal) {
  std::string value = KeyVal.toLocal8Bit().toStdString();
  const bool read = trimwell::sysinfo::GetKeyValue(
      *registry_, KeyRoot, KeyName.toLocal8Bit().toStdString(),
      SubKeyRef.toLocal8Bit().toStdString(), value);
  KeyVal = QString::fromLocal8Bit(QByteArray::fromStdString(value));
  return read;
}

void frmAbout::Use_Registry(
    std::unique_ptr<trimwell::registry::Registry> registry) {
  registry_ = std::move(registry);
}
