#pragma once

#include "forms/sysinfo/sysinfo.h"

class QWidget;

namespace trimwell::sysinfo {

// Starting the tool on the desktop: a file check, a search of the program
// path, a detached process without a shell, and a message box over `owner`.
class Desktop_Services final : public Services {
public:
  explicit Desktop_Services(QWidget* owner) : owner_(owner) {}

  bool Is_Normal_File(const std::string& path) override;
  std::string Find_Program(const std::string& program) override;
  bool Start_Program(const std::string& path,
                     const std::vector<std::string>& arguments) override;
  void Show_Unavailable() override;

private:
  QWidget* owner_;
};

} // namespace trimwell::sysinfo
