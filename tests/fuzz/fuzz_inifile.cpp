// Fuzz target: the parsers of both INI file classes, on any bytes.
#include "inifile.h"
#include "sharedinifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  TUniqueIniFile memory(QStringLiteral("/nonexistent/fuzz.ini"));
  memory.LoadFromBytes(bytes);
  const QByteArray saved = memory.SaveToBytes();
  TUniqueIniFile again(QStringLiteral("/nonexistent/fuzz.ini"));
  again.LoadFromBytes(saved);
  if (again.SaveToBytes() != saved) __builtin_trap();  // a saved file must load to itself
  for (const QByteArray& section : memory.SectionNames()) {
    for (const QByteArray& key : memory.SectionKeys(section)) memory.Read(section, key);
  }

  // Every input is a file written and replaced: on a memory file system
  // where there is one, so that the target never waits for a disk.
  static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                  ? QStringLiteral("/dev/shm/pelano-fuzz-XXXXXX")
                                  : QDir::tempPath() + QStringLiteral("/pelano-fuzz-XXXXXX"));
  const QString path = folder.filePath(QStringLiteral("fuzz.ini"));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(bytes);
    file.close();
    TIniFile ini(path);
    const QByteArray section = bytes.left(8);
    for (const QByteArray& key : ini.ReadSection(section)) ini.ReadString(section, key, QString());
    ini.ReadInteger("S", "k", 0);
    ini.WriteString(section, "k", QString::fromUtf8(bytes.right(16)));
  }
  return 0;
}
