// The machine-wide registry file of systems without a Windows registry:
// only a file that no one but its owner, the administrator or the user
// running the program, may write is read.
#include <QtTest>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "forms/sysinfo/registry_posix.h"
#include "forms/sysinfo/sysinfo.h"

using namespace trimwell;

class tst_registry : public QObject {
  Q_OBJECT
private slots:
  void only_a_file_no_one_else_may_write_is_read();

private:
  QTemporaryDir dir_;
};

void tst_registry::only_a_file_no_one_else_may_write_is_read() {
  // A system folder only the administrator writes, not the user's settings.
  QVERIFY(QByteArray(registry::System_Registry_Path).startsWith("/etc/"));
  const QByteArray path = QFile::encodeName(dir_.filePath("registry"));
  std::ofstream(path) << "[HKEY_LOCAL_MACHINE\\K]\n\"N\"=dword:0000002a\n";
  // Each mode and owner, and what is read then.
  const std::tuple<mode_t, uid_t, std::string> cases[] = {
      {0644, geteuid(), "42"},
      {0664, geteuid(), ""},
      {0646, geteuid(), ""},
      {0644, 4242, ""}};
  for (const auto& [mode, owner, read] : cases) {
    if (chmod(path, mode) != 0 || chown(path, owner, gid_t(-1)) != 0) {
      QSKIP("only the administrator can give a file away");
    }
    registry::File_Registry store(path.toStdString());
    std::string number;
    sysinfo::GetKeyValue(store, registry::Local_Machine, "K", "N", number);
    QCOMPARE(number, read);
  }
}

QTEST_GUILESS_MAIN(tst_registry)
#include "tst_registry_posix.moc"
