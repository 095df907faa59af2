// Writes the application's icon, at every size it is drawn in, into a
// hicolor icon theme folder for installation, as one Windows icon file
// (FOLDER/ICON-NAME.ico) for the Windows program and its installer, and at
// a tablet's home-screen sizes for the web page (FOLDER/web/icon-SIZE.png).
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QtEndian>
#include <cstdio>

#include "forms/look/trimwell_art.h"

namespace {

// What a browser asks of an installable page: 192 for the home screen, 512
// for the splash it shows while the page starts.
constexpr int Web_Icon_Sizes[] = {192, 512};

template <typename T> void Put(QByteArray& out, T value) {
  const T little = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// One image of a .ico file as Windows reads it everywhere: a bitmap header
// of double height, 32-bit BGRA rows bottom-up, then the 1-bit AND mask
// (all 0: the alpha channel already says what is transparent).
QByteArray Ico_Bitmap(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int size = image.width();
  const int mask_row = ((size + 31) / 32) * 4;
  QByteArray out;
  Put<quint32>(out, 40); // BITMAPINFOHEADER
  Put<qint32>(out, size);
  Put<qint32>(out, 2 * size);
  Put<quint16>(out, 1);  // planes
  Put<quint16>(out, 32); // bits per pixel
  Put<quint32>(out, 0);  // no compression
  Put<quint32>(out, static_cast<quint32>(size * size * 4 + size * mask_row));
  for (int i = 0; i < 4; ++i) {
    Put<quint32>(out, 0); // resolution and palette: unused
  }
  for (int y = size - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < size; ++x) {
      Put<quint32>(out, row[x]); // ARGB32 in memory is B, G, R, A
    }
  }
  out.append(QByteArray(size * mask_row, '\0'));
  return out;
}

bool Write_Ico(const QIcon& icon, const QString& file) {
  const QList<QSize> sizes = icon.availableSizes();
  QByteArray header;
  QByteArray images;
  Put<quint16>(header, 0); // reserved
  Put<quint16>(header, 1); // an icon
  Put<quint16>(header, static_cast<quint16>(sizes.size()));
  const int first_image = 6 + 16 * static_cast<int>(sizes.size());
  for (const QSize& size : sizes) {
    const QByteArray image = Ico_Bitmap(icon.pixmap(size).toImage());
    header.append(static_cast<char>(size.width() % 256)); // 256 is 0
    header.append(static_cast<char>(size.height() % 256));
    header.append(2, '\0'); // no palette, reserved
    Put<quint16>(header, 1);
    Put<quint16>(header, 32);
    Put<quint32>(header, static_cast<quint32>(image.size()));
    Put<quint32>(header, static_cast<quint32>(first_image + images.size()));
    images += image;
  }
  QFile out(file);
  return out.open(QIODevice::WriteOnly) && out.write(header + images) > 0;
}

} // namespace

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
  // The web page's home-screen icons, which its manifest names, on white:
  // a home screen may fill what is transparent with black.
  const QString web = root + QStringLiteral("/web");
  for (const int size : Web_Icon_Sizes) {
    QImage tile(size, size, QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter(&tile).drawPixmap(0, 0, trimwell::Application_Icon_At(size));
    const QString file = QStringLiteral("%1/icon-%2.png").arg(web).arg(size);
    if (!QDir().mkpath(web) || !tile.save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  const QString ico = root + QLatin1Char('/') + name + ".ico";
  if (!Write_Ico(icon, ico)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(ico));
    return 1;
  }
  return written > 0 ? 0 : 1;
}
