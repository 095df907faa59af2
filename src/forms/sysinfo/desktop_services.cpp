#include "forms/sysinfo/desktop_services.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <memory>

#include "forms/controls/modal.h"
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

void Desktop_Services::Show_Unavailable() {
  Run_Modal(std::make_unique<QMessageBox>(
      QMessageBox::NoIcon, QString::fromLatin1(build::Title),
      QString::fromLatin1(Unavailable_Message), QMessageBox::Ok, owner_));
}

} // namespace trimwell::sysinfo
