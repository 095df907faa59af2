#include "forms/sysinfo/desktop_services.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

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

std::string Desktop_Services::Find_Program(const std::string& program) {
  return QFile::encodeName(QStandardPaths::findExecutable(Local_Path(program)))
      .toStdString();
}

bool Desktop_Services::Start_Program(
    const std::string& path, const std::vector<std::string>& arguments) {
  if (path.empty()) {
    return false; // nothing to start
  }
  QStringList list;
  for (const std::string& argument : arguments) {
    list << Local_Path(argument);
  }
  // The whole text is the program's path: no shell, no splitting at blanks.
  return QProcess::startDetached(Local_Path(path), list);
}

void Desktop_Services::Show_Unavailable() {
  QMessageBox message(QMessageBox::NoIcon, QString::fromLatin1(build::Title),
                      QString::fromLatin1(Unavailable_Message), QMessageBox::Ok,
                      owner_);
  message.exec();
}

} // namespace trimwell::sysinfo
