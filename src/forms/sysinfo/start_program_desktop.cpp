#include <QFile>
#include <QProcess>

#include "forms/sysinfo/desktop_services.h"

namespace trimwell::sysinfo {

bool Desktop_Services::Start_Program(
    const std::string& path, const std::vector<std::string>& arguments) {
  if (path.empty()) {
    return false; // nothing to start
  }
  QStringList list;
  for (const std::string& argument : arguments) {
    list << QFile::decodeName(QByteArray::fromStdString(argument));
  }
  // The whole text is the program's path: no shell, no splitting at blanks.
  return QProcess::startDetached(
      QFile::decodeName(QByteArray::fromStdString(path)), list);
}

} // namespace trimwell::sysinfo
