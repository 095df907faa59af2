#include <QApplication>

#include "shell/Module1.h"
#include "shell/system.h"
#include "trimwell_build.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString title = QString::fromLatin1(trimwell::build::Title);
  QApplication::setOrganizationName(title);
  QApplication::setApplicationName(title);
  QApplication::setApplicationVersion(
      QString::fromLatin1(trimwell::build::Version_Text));
  trimwell::Prepare_System();
  Module1::Main();
  return QApplication::exec();
}
