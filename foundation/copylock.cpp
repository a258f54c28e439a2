#include "copylock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

// Whether the open file is still the one the path names: the holder before
// may have removed it between our opening and our locking it.
bool StillNamed(int descriptor, const QByteArray& path) {
  struct stat held {};
  struct stat named {};
  return ::fstat(descriptor, &held) == 0 && ::stat(path.constData(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

}  // namespace

CopyLock::Outcome CopyLock::Take(const QString& path, std::unique_ptr<CopyLock>& lock) {
  const QByteArray name = QFile::encodeName(path);
  // A file removed under us is opened anew; more than a few in a row is not
  // a race but something odd, and the copy goes on without the lock.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int descriptor = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) return Outcome::Impossible;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
      const bool held = errno == EWOULDBLOCK;
      ::close(descriptor);
      return held ? Outcome::HeldElsewhere : Outcome::Impossible;
    }
    if (StillNamed(descriptor, name)) {
      const QByteArray holder = QByteArray::number(qint64(::getpid())) + '\n';
      const bool noted = ::ftruncate(descriptor, 0) == 0 &&
                         ::write(descriptor, holder.constData(), std::size_t(holder.size())) == holder.size();
      Q_UNUSED(noted)  // who holds it, only for a person who finds the file
      lock.reset(new CopyLock(descriptor, path));
      return Outcome::Taken;
    }
    ::close(descriptor);
  }
  return Outcome::Impossible;
}

CopyLock::~CopyLock() {
  // Removed while still locked, so that a copy that opened it meanwhile sees
  // that it is gone and makes a new one.
  ::unlink(QFile::encodeName(path_).constData());
  ::close(descriptor_);
}
