// Writes the application's icon, at every size it is drawn in, into a
// hicolor icon theme folder for installation.
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "forms/trimwell_art.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER ICON-NAME\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QIcon icon = trimwell::Application_Icon();
  int written = 0;
  for (const QSize& size : icon.availableSizes()) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%3/apps")
                               .arg(root)
                               .arg(size.width())
                               .arg(size.height());
    const QString file = folder + QLatin1Char('/') + name + ".png";
    if (!QDir().mkpath(folder) || !icon.pixmap(size).save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
    ++written;
  }
  return written > 0 ? 0 : 1;
}
