// A second process for the tests of the settings file: it opens konfig.ini of
// a program folder as the course does and reports what it found.
//
//   pelano_settingsprobe <program folder> where
//     prints where the settings live, whether the copy beside the program is
//     read-only for this user, the stored Nomo, then stores Nomo=probe and
//     prints whether that worked;
//   pelano_settingsprobe <program folder> hold
//     takes the settings lock and prints "locked" (then holds it until its
//     input closes) or "busy".

#include "programpaths.h"
#include "settings.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() != 3) return 2;
  SetProgramFolder(arguments[1]);
  OpenSettingsFile();
  const QString command = arguments[2];
  if (command == QLatin1String("where")) {
    using namespace SettingsKeys;
    std::printf("file=%s\nreadonly=%d\n", qPrintable(SettingsFile()->FileName()), SettingsReadOnly() ? 1 : 0);
    std::printf("Nomo=%s\n", qPrintable(SettingsFile()->ReadString(General, Nomo, QStringLiteral("-"))));
    std::printf("written=%d\n", SettingsFile()->WriteString(General, Nomo, QStringLiteral("probe")) ? 1 : 0);
    return 0;
  }
  if (command == QLatin1String("hold")) {
    if (!LockSettingsFile()) {
      std::printf("busy\n");
      return 0;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
  }
  return 2;
}
