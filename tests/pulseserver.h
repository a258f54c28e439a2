#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A PulseAudio server of a test's own, started as its child process and
// stopped by its process id: a null sink "pelano_sink" as the default output
// and, as the default input, a source that hears what the sink plays (the
// sink's monitor, remapped, as a microphone would be). Start() points this
// process at the server through PULSE_SERVER, so it has to run before the
// course first connects to a sound server. Nothing of the machine's own
// sound server is touched.
class PrivatePulseServer {
 public:
  PrivatePulseServer();
  ~PrivatePulseServer();
  PrivatePulseServer(const PrivatePulseServer&) = delete;
  PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

  // Whether the pulseaudio and pactl programs are installed.
  static bool Available();

  // Starts the server and waits until it answers with its devices in place.
  bool Start(int timeoutMs = 15000);
  void Stop();
  // Ends the server at once, with no chance to tell its clients.
  void Kill();
  bool IsRunning() const;

  QString Address() const;  // "unix:" and the socket path
  qint64 ProcessId() const { return process_.processId(); }
  // What went wrong, with the server's own output.
  QString ErrorString() const { return error_; }

  // Runs pactl against this server only; the output goes to `output`.
  bool Control(const QStringList& arguments, QByteArray* output = nullptr, int timeoutMs = 10000) const;
  // Takes the sink and the source away, as when a headset is pulled out, and
  // puts them back.
  bool RemoveDevices();
  bool AddDevices();
  // Takes only the microphone away, as on a machine with speakers and no
  // microphone; AddDevices puts it back.
  bool RemoveMicrophone();

 private:
  bool Fail(const QString& message);

  QTemporaryDir folder_;
  QProcess process_;
  QString error_;
};
