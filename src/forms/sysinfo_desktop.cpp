#include "forms/sysinfo_desktop.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

#include "trimwell_build.h"

namespace trimwell::sysinfo {

namespace {

QString Local_Path(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

bool Desktop_Services::Is_Normal_File(const std::string& path) {
  const QFileInfo file(Local_Path(path));
  // Like a plain directory lookup: ordinary files, not folders nor hidden
  // files.
  return file.isFile() && !file.isHidden();
}

bool Desktop_Services::Start_Program(const std::string& path) {
  if (path.empty()) {
    return false; // nothing to start
  }
  // The whole text is the program's path: no shell, no splitting at blanks.
  return QProcess::startDetached(Local_Path(path), QStringList());
}

void Desktop_Services::Show_Unavailable() {
  QMessageBox message(QMessageBox::NoIcon, QString::fromLatin1(build::Title),
                      QString::fromLatin1(Unavailable_Message), QMessageBox::Ok,
                      owner_);
  message.exec();
}

} // namespace trimwell::sysinfo
