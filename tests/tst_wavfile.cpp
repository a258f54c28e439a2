#include "wavfile.h"

#include <QtEndian>
#include <QtTest>

namespace {

QByteArray Word(quint16 value) {
  QByteArray bytes(2, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

QByteArray DoubleWord(quint32 value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

// A chunk with its pad byte after an odd body, unless `pad` is false.
QByteArray Chunk(const QByteArray& id, const QByteArray& body, bool pad = true) {
  QByteArray chunk = id + DoubleWord(quint32(body.size())) + body;
  if (pad && body.size() % 2) chunk.append('\0');
  return chunk;
}

// A chunk whose size field claims `claimed` bytes whatever follows.
QByteArray ChunkClaiming(const QByteArray& id, quint32 claimed, const QByteArray& body) {
  return id + DoubleWord(claimed) + body;
}

QByteArray Riff(const QByteArray& chunks, qint64 riffSize = -1) {
  return "RIFF" + DoubleWord(quint32(riffSize >= 0 ? riffSize : chunks.size() + 4)) + "WAVE" + chunks;
}

QByteArray FormatBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits, int blockAlign = -1) {
  const quint16 align = quint16(blockAlign >= 0 ? blockAlign : channels * ((bits + 7) / 8));
  return Word(tag) + Word(channels) + DoubleWord(rate) + DoubleWord(rate * align) + Word(align) + Word(bits);
}

// WAVE_FORMAT_EXTENSIBLE with the given plain format tag as its sub-format.
QByteArray ExtensibleBody(quint16 subFormat, quint16 channels, quint32 rate, quint16 bits) {
  return FormatBody(0xFFFE, channels, rate, bits) + Word(22) + Word(bits) + DoubleWord(channels == 2 ? 3 : 4) +
         Word(subFormat) + QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
}

QByteArray Samples(int count) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) bytes.append(char(i * 37 + 11));
  return bytes;
}

WavAudio Audio(int rate, int channels, int bits, const QByteArray& samples) {
  WavAudio audio;
  audio.sampleRate = rate;
  audio.channels = channels;
  audio.bitsPerSample = bits;
  audio.samples = samples;
  return audio;
}

const QByteArray kPcmMono16 = Chunk("fmt ", FormatBody(1, 1, 22050, 16));

}  // namespace

Q_DECLARE_METATYPE(WavAudio)

class TestWavFile : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void roundTrip_data() {
    QTest::addColumn<WavAudio>("audio");
    QTest::newRow("16-bit mono 22,050 Hz") << Audio(22050, 1, 16, Samples(2000));
    QTest::newRow("16-bit stereo 44,100 Hz") << Audio(44100, 2, 16, Samples(4000));
    QTest::newRow("8-bit mono, odd length") << Audio(8000, 1, 8, Samples(1001));
    QTest::newRow("8-bit stereo") << Audio(11025, 2, 8, Samples(600));
    QTest::newRow("no samples") << Audio(22050, 1, 16, QByteArray());
  }
  void roundTrip() {
    QFETCH(WavAudio, audio);
    const QByteArray file = WriteWavFile(audio);
    QCOMPARE(file.size(), 44 + audio.samples.size() + audio.samples.size() % 2);
    const auto read = ParseWavFile(file);
    QVERIFY(read);
    QCOMPARE(read->sampleRate, audio.sampleRate);
    QCOMPARE(read->channels, audio.channels);
    QCOMPARE(read->bitsPerSample, audio.bitsPerSample);
    QCOMPARE(read->samples, audio.samples);
  }

  // Other programs read the header field by field, so every field is checked.
  void writtenHeaderIsCanonical() {
    const QByteArray file = WriteWavFile(Audio(22050, 2, 16, Samples(400)));
    QCOMPARE(file.left(4), QByteArray("RIFF"));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 4), quint32(36 + 400));
    QCOMPARE(file.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(file.mid(16, 20), DoubleWord(16) + FormatBody(1, 2, 22050, 16));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 28), quint32(22050 * 4));
    QCOMPARE(file.mid(36, 4), QByteArray("data"));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 40), quint32(400));
  }

  void partialFramesAreNotWritten() {
    const QByteArray file = WriteWavFile(Audio(22050, 2, 16, Samples(403)));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 40), quint32(400));
    QCOMPARE(file.size(), 444);
    QCOMPARE(ParseWavFile(file)->samples, Samples(400));
  }

  void oddDataIsPadded() {
    const QByteArray file = WriteWavFile(Audio(8000, 1, 8, Samples(5)));
    QCOMPARE(file.size(), 50);
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 4), quint32(36 + 5 + 1));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 40), quint32(5));
  }

  void readableFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QByteArray>("samples");
    const QByteArray s = Samples(64);
    const QByteArray data = Chunk("data", s);
    QTest::newRow("data before fmt") << Riff(data + kPcmMono16) << 22050 << 1 << 16 << s;
    QTest::newRow("LIST between") << Riff(kPcmMono16 + Chunk("LIST", "INFOISFT" + DoubleWord(6) + "Pelano") + data)
                                  << 22050 << 1 << 16 << s;
    QTest::newRow("odd chunk with its pad byte")
        << Riff(kPcmMono16 + Chunk("note", "abc") + data) << 22050 << 1 << 16 << s;
    QTest::newRow("fmt with an empty extension")
        << Riff(Chunk("fmt ", FormatBody(1, 2, 44100, 16) + Word(0)) + data) << 44100 << 2 << 16 << s;
    QTest::newRow("extensible PCM") << Riff(Chunk("fmt ", ExtensibleBody(1, 2, 48000, 16)) + data) << 48000 << 2 << 16
                                    << s;
    QTest::newRow("8-bit") << Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + Chunk("data", Samples(7))) << 8000 << 1
                           << 8 << Samples(7);
    QTest::newRow("RIFF size zero") << Riff(kPcmMono16 + data, 0) << 22050 << 1 << 16 << s;
    QTest::newRow("RIFF size absurd") << Riff(kPcmMono16 + data, 0xFFFFFFFF) << 22050 << 1 << 16 << s;
    QTest::newRow("second fmt ignored") << Riff(kPcmMono16 + Chunk("fmt ", FormatBody(1, 2, 8000, 8)) + data) << 22050
                                        << 1 << 16 << s;
    QTest::newRow("junk after the chunks") << Riff(kPcmMono16 + data) + "ID3\x04garbage" << 22050 << 1 << 16 << s;
    QTest::newRow("empty data") << Riff(kPcmMono16 + Chunk("data", QByteArray())) << 22050 << 1 << 16 << QByteArray();
    // A recording cut short: the data size was written for more than arrived.
    QTest::newRow("data size past the end")
        << Riff(kPcmMono16 + ChunkClaiming("data", 100000, s)) << 22050 << 1 << 16 << s;
    QTest::newRow("streamed, size unknown")
        << Riff(kPcmMono16 + ChunkClaiming("data", 0xFFFFFFFF, s), 0xFFFFFFFF) << 22050 << 1 << 16 << s;
    QTest::newRow("cut inside a frame") << Riff(kPcmMono16 + ChunkClaiming("data", 100000, Samples(65))) << 22050 << 1
                                        << 16 << Samples(64);
    QTest::newRow("stereo cut inside a frame")
        << Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16)) + ChunkClaiming("data", 100, Samples(66))) << 22050 << 2
        << 16 << Samples(64);
    QTest::newRow("slowest rate") << Riff(Chunk("fmt ", FormatBody(1, 1, 1000, 16)) + data) << 1000 << 1 << 16 << s;
    QTest::newRow("fastest rate") << Riff(Chunk("fmt ", FormatBody(1, 1, 384000, 16)) + data) << 384000 << 1 << 16 << s;
  }
  void readableFiles() {
    QFETCH(QByteArray, file);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, bits);
    QFETCH(QByteArray, samples);
    const auto audio = ParseWavFile(file);
    QVERIFY(audio);
    QCOMPARE(audio->sampleRate, rate);
    QCOMPARE(audio->channels, channels);
    QCOMPARE(audio->bitsPerSample, bits);
    QCOMPARE(audio->samples, samples);
  }

  void badFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("file");
    const QByteArray data = Chunk("data", Samples(64));
    const QByteArray good = Riff(kPcmMono16 + data);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("RIFF header only") << good.left(12);
    QTest::newRow("cut inside fmt") << good.left(30);
    QTest::newRow("not RIFF") << QByteArray("ID3\x04\x00\x00\x00\x00\x00\x00\xFF\xFB\x90\x64", 14) + Samples(200);
    QTest::newRow("big-endian RIFX") << QByteArray(good).replace(0, 4, "RIFX");
    QTest::newRow("RIFF of a video") << QByteArray(good).replace(8, 4, "AVI ");
    QTest::newRow("text") << QByteArray("Saluton, mondo! Bonan tagon.\n").repeated(10);
    QTest::newRow("no fmt") << Riff(data);
    QTest::newRow("no data") << Riff(kPcmMono16 + Chunk("LIST", "INFO"));
    QTest::newRow("fmt too short") << Riff(Chunk("fmt ", FormatBody(1, 1, 22050, 16).left(14)) + data);
    QTest::newRow("fmt past the end") << Riff(ChunkClaiming("fmt ", 16, FormatBody(1, 1, 22050, 16).left(10)));
    QTest::newRow("ADPCM") << Riff(Chunk("fmt ", FormatBody(2, 1, 22050, 4, 256)) + data);
    QTest::newRow("float") << Riff(Chunk("fmt ", FormatBody(3, 1, 22050, 32)) + data);
    QTest::newRow("MP3 inside") << Riff(Chunk("fmt ", FormatBody(0x55, 2, 44100, 0, 1)) + data);
    QTest::newRow("A-law") << Riff(Chunk("fmt ", FormatBody(6, 1, 8000, 8)) + data);
    QTest::newRow("extensible float") << Riff(Chunk("fmt ", ExtensibleBody(3, 2, 48000, 32)) + data);
    QTest::newRow("extensible, short") << Riff(Chunk("fmt ", ExtensibleBody(1, 2, 48000, 16).left(30)) + data);
    QTest::newRow("24-bit") << Riff(Chunk("fmt ", FormatBody(1, 2, 48000, 24)) + data);
    QTest::newRow("32-bit") << Riff(Chunk("fmt ", FormatBody(1, 1, 48000, 32)) + data);
    QTest::newRow("12-bit") << Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 12, 2)) + data);
    QTest::newRow("no channels") << Riff(Chunk("fmt ", FormatBody(1, 0, 22050, 16, 2)) + data);
    QTest::newRow("six channels") << Riff(Chunk("fmt ", FormatBody(1, 6, 48000, 16)) + data);
    QTest::newRow("65,535 channels") << Riff(Chunk("fmt ", FormatBody(1, 0xFFFF, 48000, 16, 0)) + data);
    QTest::newRow("rate zero") << Riff(Chunk("fmt ", FormatBody(1, 1, 0, 16)) + data);
    QTest::newRow("rate too low") << Riff(Chunk("fmt ", FormatBody(1, 1, 999, 16)) + data);
    QTest::newRow("rate too high") << Riff(Chunk("fmt ", FormatBody(1, 1, 384001, 16)) + data);
    QTest::newRow("rate absurd") << Riff(Chunk("fmt ", FormatBody(1, 1, 0xFFFFFFFF, 16)) + data);
    QTest::newRow("bits absurd") << Riff(Chunk("fmt ", FormatBody(1, 1, 22050, 0xFFFF, 2)) + data);
    QTest::newRow("block size wrong") << Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16, 2)) + data);
    QTest::newRow("block size zero") << Riff(Chunk("fmt ", FormatBody(1, 1, 22050, 16, 0)) + data);
    // A chunk claiming more than the file hides whatever would follow it.
    QTest::newRow("huge chunk before fmt") << Riff(ChunkClaiming("LIST", 0xFFFFFFF0, "INFO") + kPcmMono16 + data);
    QTest::newRow("odd chunk without its pad byte") << Riff(Chunk("note", "abc", false) + kPcmMono16 + data);
  }
  void badFilesAreRefused() {
    QFETCH(QByteArray, file);
    QVERIFY(!ParseWavFile(file));
  }

  // Every cut of a good file parses without reading past its end (the
  // sanitizer build checks that) and never yields more than the file holds.
  void everyTruncationIsSafe() {
    const QByteArray file =
        Riff(Chunk("LIST", "INFOabc") + Chunk("fmt ", FormatBody(1, 2, 22050, 16)) + Chunk("data", Samples(40)));
    for (qsizetype length = 0; length <= file.size(); ++length) {
      const QByteArray cut(file.constData(), length);  // a copy, so reading past it is caught
      const auto audio = ParseWavFile(cut);
      if (!audio) continue;
      QVERIFY(audio->samples.size() % 4 == 0);
      QVERIFY(audio->samples.size() <= 40);
      QCOMPARE(audio->samples, Samples(40).left(audio->samples.size()));
    }
    QVERIFY(ParseWavFile(file));
  }

  void duration_data() {
    QTest::addColumn<WavAudio>("audio");
    QTest::addColumn<qint64>("milliseconds");
    QTest::newRow("one second mono") << Audio(22050, 1, 16, QByteArray(44100, '\0')) << qint64(1000);
    QTest::newRow("half a second stereo") << Audio(44100, 2, 16, QByteArray(88200, '\0')) << qint64(500);
    QTest::newRow("8-bit, 250 ms") << Audio(8000, 1, 8, QByteArray(2000, '\0')) << qint64(250);
    QTest::newRow("partial frame ignored") << Audio(1000, 2, 16, QByteArray(4 * 3 + 3, '\0')) << qint64(3);
    QTest::newRow("no samples") << Audio(22050, 1, 16, QByteArray()) << qint64(0);
    QTest::newRow("no format") << WavAudio() << qint64(0);
  }
  void duration() {
    QFETCH(WavAudio, audio);
    QFETCH(qint64, milliseconds);
    QCOMPARE(WavDurationMs(audio), milliseconds);
  }
};

QTEST_GUILESS_MAIN(TestWavFile)
#include "tst_wavfile.moc"
