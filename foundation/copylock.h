#pragma once

#include <QString>

#include <memory>

// The lock a running copy of the course holds on its settings: an advisory
// lock on a file beside them. The system drops it when the process ends,
// however it ends, so a copy that crashed never stands in the way of the
// next. Taking it writes nothing that must reach the disk, so it costs the
// start next to nothing.
class CopyLock {
 public:
  enum class Outcome {
    Taken,
    HeldElsewhere,  // another copy holds it
    Impossible,     // the file cannot be made or locked here
  };

  // The lock file `path` is made when missing; on `Taken`, `lock` holds it.
  static Outcome Take(const QString& path, std::unique_ptr<CopyLock>& lock);

  // Releases the lock and removes its file.
  ~CopyLock();
  CopyLock(const CopyLock&) = delete;
  CopyLock& operator=(const CopyLock&) = delete;

 private:
  CopyLock(int descriptor, const QString& path) : descriptor_(descriptor), path_(path) {}

  int descriptor_;
  QString path_;
};
