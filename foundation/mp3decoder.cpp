#include "mp3decoder.h"

#include <QFile>

#include <mpg123.h>

#include <mutex>

namespace {
void InitialiseLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}
}  // namespace

Mp3Decoder::Mp3Decoder() {
  InitialiseLibraryOnce();
  int error = MPG123_OK;
  handle_ = mpg123_new(nullptr, &error);
  if (!handle_) return;
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  // Junk before the first frame is searched only so far, so that a file that
  // is no MP3 at all is given up quickly.
  mpg123_param(handle_, MPG123_RESYNC_LIMIT, 64 * 1024, 0.0);
}

Mp3Decoder::~Mp3Decoder() {
  Close();
  if (handle_) mpg123_delete(handle_);
}

bool Mp3Decoder::Open(const QString& path) {
  Close();
  if (!handle_ || !QFile::exists(path)) return false;
  if (mpg123_open(handle_, QFile::encodeName(path).constData()) != MPG123_OK) return false;

  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_scan(handle_) != MPG123_OK || mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK ||
      rate <= 0 || channels <= 0) {
    mpg123_close(handle_);
    return false;
  }
  // Fix the output format, so that it never changes in the middle of a stream.
  mpg123_format_none(handle_);
  if (mpg123_format(handle_, rate, channels, MPG123_ENC_SIGNED_16) != MPG123_OK) {
    mpg123_close(handle_);
    return false;
  }
  const off_t length = mpg123_length(handle_);
  if (length <= 0) {
    mpg123_close(handle_);
    return false;
  }
  rate_ = static_cast<int>(rate);
  channels_ = channels;
  lengthFrames_ = length;
  open_ = true;
  finished_ = false;
  return true;
}

void Mp3Decoder::Close() {
  if (open_) mpg123_close(handle_);
  open_ = false;
  finished_ = false;
  rate_ = channels_ = 0;
  lengthFrames_ = 0;
}

qint64 Mp3Decoder::Read(char* data, qint64 maxBytes) {
  if (!open_ || finished_) return 0;
  qint64 total = 0;
  // Whole frames of samples only, so that channels never slip.
  const qint64 frameBytes = qint64(channels_) * 2;
  maxBytes -= maxBytes % frameBytes;
  while (total < maxBytes) {
    size_t done = 0;
    const int result = mpg123_read(handle_, reinterpret_cast<unsigned char*>(data + total),
                                   static_cast<size_t>(maxBytes - total), &done);
    total += static_cast<qint64>(done);
    if (result == MPG123_DONE || (result != MPG123_OK && result != MPG123_NEW_FORMAT)) {
      finished_ = true;
      break;
    }
    if (done == 0 && result == MPG123_NEW_FORMAT) continue;
    if (done == 0) break;
  }
  return total;
}

bool Mp3Decoder::Rewind() { return Seek(0); }

bool Mp3Decoder::Seek(qint64 frame) {
  if (!open_) return false;
  finished_ = false;
  return mpg123_seek(handle_, static_cast<off_t>(qBound<qint64>(0, frame, lengthFrames_)), SEEK_SET) >= 0;
}
