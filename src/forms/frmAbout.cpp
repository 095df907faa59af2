#include "forms/frmAbout.h"

#include <QLabel>
#include <QPushButton>

#include "forms/look/form_font.h"
#include "forms/look/form_layout.h"
#include "forms/look/form_style.h"
#include "forms/look/trimwell_art.h"
#include "forms/look/twips.h"
#include "forms/sysinfo/desktop_services.h"
#include "trimwell_build.h"

namespace {

using trimwell::Control;
using trimwell::Line;
using trimwell::Rgb;
using trimwell::Twips_To_Pixels;
using Row = trimwell::Layout_Row<frmAbout>;

constexpr int Client_Width = 5865;
constexpr int Client_Height = 3630;

constexpr Rgb Black = {0, 0, 0};
constexpr Rgb Light_Grey = {192, 192, 192};
constexpr Rgb Grey = {128, 128, 128};
constexpr Rgb White = {255, 255, 255};

constexpr const char* Set_At_Load = nullptr;

// In tab order, then the etched separator above the buttons: a grey line
// and, one pixel below it, a white line twice as thick.
constexpr Row About_Layout[] = {
    Control(&frmAbout::cmdOK, "cmdOK", 0, "OK", 4245, 2625, 1467, 345),
    Control(&frmAbout::cmdSysInfo, "cmdSysInfo", 1, "&System Info...", 4260,
            3075, 1452, 345),
    Control(&frmAbout::picIcon, "picIcon", 2, nullptr, 240, 240, 540, 540)
        .Background(Light_Grey)
        .Showing(trimwell::Icon_Picture)
        .Sized_To_Content(),
    Control(&frmAbout::lblDisclaimer, "lblDisclaimer", 3,
            "Warning : ... Use this program at your own risk.  It has no "
            "known bugs.  It was written for my education and therefore "
            "should be distributed at NO COST!",
            255, 2625, 3870, 825)
        .Text_Color(Black)
        .Wrapped(),
    Control(&frmAbout::lblVersion, "lblVersion", 4, Set_At_Load, 1050, 780,
            4092, 225),
    Control(&frmAbout::lblTitle, "lblTitle", 5, Set_At_Load, 1050, 240, 4092,
            480)
        .Text_Color(Black),
    Control(&frmAbout::lblDescription, "lblDescription", 6,
            "App Description : Using User defined values, this program will "
            "calculate the aircraft CG and Gross Weight.  It will also show "
            "the results in a graphical manner.",
            1050, 1125, 4092, 1170)
        .Text_Color(Black)
        .Wrapped(),
    Line(&frmAbout::Line1, 1, "Line1", 225, 2430, 5657, 2430, Grey, 1),
    Line(&frmAbout::Line1, 0, "Line1", 240, 2445, 5657, 2445, White, 2),
};

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
  trimwell::Build_Layout(*this, *this, About_Layout);
  cmdOK->setDefault(true); // Enter; Esc closes the dialog as OK does
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
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
