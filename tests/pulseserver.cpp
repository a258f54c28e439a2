#include "pulseserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>

#include <csignal>
#endif

namespace {

const char kSinkModule[] = "module-null-sink";
const char kSourceModule[] = "module-remap-source";
const char kSink[] = "pelano_sink";
const char kSource[] = "pelano_microphone";
// A Unix socket path must fit in 108 bytes.
constexpr int kLongestSocketPath = 100;

QStringList SinkArguments() {
  return {QLatin1String(kSinkModule), QStringLiteral("sink_name=") + QLatin1String(kSink)};
}

QStringList SourceArguments() {
  return {QLatin1String(kSourceModule), QStringLiteral("master=") + QLatin1String(kSink) + QStringLiteral(".monitor"),
          QStringLiteral("source_name=") + QLatin1String(kSource)};
}

}  // namespace

PrivatePulseServer::PrivatePulseServer() : folder_(QDir::tempPath() + QStringLiteral("/pelano-pulse-XXXXXX")) {}

PrivatePulseServer::~PrivatePulseServer() { Stop(); }

bool PrivatePulseServer::Available() {
  return !QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty();
}

QString PrivatePulseServer::Address() const {
  return QStringLiteral("unix:") + folder_.filePath(QStringLiteral("native"));
}

bool PrivatePulseServer::IsRunning() const { return process_.state() == QProcess::Running; }

bool PrivatePulseServer::Fail(const QString& message) {
  QFile log(folder_.filePath(QStringLiteral("server.log")));
  error_ = message;
  if (log.open(QIODevice::ReadOnly)) error_ += QStringLiteral("\n") + QString::fromLocal8Bit(log.readAll().right(4000));
  Stop();
  return false;
}

bool PrivatePulseServer::Start(int timeoutMs) {
  if (IsRunning()) return true;
  if (!folder_.isValid()) return Fail(QStringLiteral("no temporary folder: ") + folder_.errorString());
  const QString socket = folder_.filePath(QStringLiteral("native"));
  if (socket.toLocal8Bit().size() > kLongestSocketPath) return Fail(QStringLiteral("socket path too long: ") + socket);
  const QString runtime = folder_.filePath(QStringLiteral("runtime"));
  const QString state = folder_.filePath(QStringLiteral("state"));
  const QString config = folder_.filePath(QStringLiteral("config"));
  for (const QString& path : {runtime, state, config}) QDir().mkpath(path);

  // The server loads only these modules (-n skips the system's default.pa).
  const QString script = folder_.filePath(QStringLiteral("server.pa"));
  QFile file(script);
  if (!file.open(QIODevice::WriteOnly)) return Fail(QStringLiteral("cannot write ") + script);
  file.write("load-module module-native-protocol-unix auth-anonymous=1 socket=\"" + socket.toLocal8Bit() + "\"\n");
  file.write("load-module " + SinkArguments().join(QLatin1Char(' ')).toLocal8Bit() + '\n');
  file.write("load-module " + SourceArguments().join(QLatin1Char(' ')).toLocal8Bit() + '\n');
  file.write(QByteArray("set-default-sink ") + kSink + '\n');
  file.write(QByteArray("set-default-source ") + kSource + '\n');
  file.close();

  // Its own folders for everything it keeps, and no session bus or display,
  // through which it could announce itself to the machine's other programs.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("HOME"), folder_.path());
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
  environment.insert(QStringLiteral("XDG_STATE_HOME"), state);
  environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), runtime);
  environment.insert(QStringLiteral("PULSE_STATE_PATH"), state);
  for (const char* name : {"PULSE_SERVER", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"}) {
    environment.remove(QLatin1String(name));
  }
  process_.setProcessEnvironment(environment);
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.setStandardOutputFile(folder_.filePath(QStringLiteral("server.log")));
  process_.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
  // A test that crashes must not leave its server running for ever.
  process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
  process_.start(
      QStringLiteral("pulseaudio"),
      {QStringLiteral("-n"), QStringLiteral("--file=") + script, QStringLiteral("--daemonize=no"),
       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
       QStringLiteral("--realtime=no"), QStringLiteral("--high-priority=no"), QStringLiteral("--log-target=stderr"),
       QStringLiteral("--log-level=warning")});
  if (!process_.waitForStarted(timeoutMs)) return Fail(QStringLiteral("pulseaudio did not start"));

  // It answers once its script has run, so the devices are in place then.
  QElapsedTimer clock;
  clock.start();
  QByteArray info;
  while (!Control({QStringLiteral("info")}, &info, 2000) || !info.contains(QByteArray("Default Sink: ") + kSink)) {
    if (!IsRunning()) return Fail(QStringLiteral("pulseaudio ended at once"));
    if (clock.elapsed() > timeoutMs) return Fail(QStringLiteral("pulseaudio does not answer"));
    process_.waitForFinished(100);
  }
  qputenv("PULSE_SERVER", Address().toLocal8Bit());
  return true;
}

void PrivatePulseServer::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();  // SIGTERM to our own child only
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

void PrivatePulseServer::Kill() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();  // SIGKILL to our own child only
  process_.waitForFinished(5000);
}

bool PrivatePulseServer::Control(const QStringList& arguments, QByteArray* output, int timeoutMs) const {
  QProcess pactl;
  pactl.setProcessChannelMode(QProcess::MergedChannels);
  pactl.start(QStringLiteral("pactl"), QStringList{QStringLiteral("--server=") + Address()} + arguments);
  if (!pactl.waitForFinished(timeoutMs)) {
    pactl.kill();
    pactl.waitForFinished();
    return false;
  }
  if (output) *output = pactl.readAll();
  return pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

bool PrivatePulseServer::RemoveDevices() {
  QByteArray modules;
  if (!Control({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("modules")}, &modules)) return false;
  if (modules.contains(kSourceModule) && !Control({QStringLiteral("unload-module"), QLatin1String(kSourceModule)})) {
    return false;
  }
  if (modules.contains(kSinkModule) && !Control({QStringLiteral("unload-module"), QLatin1String(kSinkModule)})) {
    return false;
  }
  return true;
}

bool PrivatePulseServer::RemoveMicrophone() {
  QByteArray modules;
  if (!Control({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("modules")}, &modules)) return false;
  return !modules.contains(kSourceModule) || Control({QStringLiteral("unload-module"), QLatin1String(kSourceModule)});
}

bool PrivatePulseServer::AddDevices() {
  QByteArray modules;
  if (!Control({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("modules")}, &modules)) return false;
  if (!modules.contains(kSinkModule) && !Control(QStringList{QStringLiteral("load-module")} + SinkArguments())) {
    return false;
  }
  if (!modules.contains(kSourceModule) && !Control(QStringList{QStringLiteral("load-module")} + SourceArguments())) {
    return false;
  }
  return Control({QStringLiteral("set-default-sink"), QLatin1String(kSink)}) &&
         Control({QStringLiteral("set-default-source"), QLatin1String(kSource)});
}
