#include <QApplication>

#include "shell/Module1.h"
#include "trimwell_build.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString title = QString::fromLatin1(trimwell::build::Title);
  QApplication::setOrganizationName(title);
  QApplication::setApplicationName(title);
  QApplication::setApplicationVersion(
      QString::fromLatin1(trimwell::build::Version_Text));
  Module1::Main();
  return app.exec();
}
