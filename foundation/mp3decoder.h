#pragma once

#include <QString>

struct mpg123_handle_struct;

// One MP3 file decoded by libmpg123 to interleaved 16-bit samples. Opening
// scans the whole file, so the exact length is known before playing.
class Mp3Decoder {
 public:
  Mp3Decoder();
  ~Mp3Decoder();
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // False when the file is missing or holds no decodable audio.
  bool Open(const QString& path);
  void Close();
  bool IsOpen() const { return open_; }

  int SampleRate() const { return rate_; }
  int Channels() const { return channels_; }
  qint64 LengthFrames() const { return lengthFrames_; }
  double LengthSeconds() const { return rate_ > 0 ? double(lengthFrames_) / rate_ : 0.0; }

  // Fills `data` with up to `maxBytes` of samples; 0 at the end of the stream.
  qint64 Read(char* data, qint64 maxBytes);
  bool Rewind();
  // Goes to sample frame `frame` (clamped to the stream); the next Read starts there.
  bool Seek(qint64 frame);

 private:
  mpg123_handle_struct* handle_ = nullptr;
  bool open_ = false;
  bool finished_ = false;
  int rate_ = 0;
  int channels_ = 0;
  qint64 lengthFrames_ = 0;
};
