// A desktop notification service for tests: takes org.freedesktop.Notifications on the session
// bus, appends one line per Notify call to LOG ("<app_name>\t<summary>\t<body>"), and runs the
// program given after "--" meanwhile; it exits with that program's exit code.
//
//   notification_recorder LOG -- PROGRAM [ARGS...]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <cstdio>

namespace {

class Recorder : public QDBusVirtualObject {
 public:
  explicit Recorder(QString log) : m_log(std::move(log)) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
    const QList<QVariant> args = message.arguments();
    if (message.member() == QLatin1String("Notify") && args.size() == 8) {
      QFile file(m_log);
      if (file.open(QIODevice::Append)) {
        QString line = args[0].toString() + '\t' + args[3].toString() + '\t' + args[4].toString() + '\n';
        file.write(line.toUtf8());
      }
      bus.send(message.createReply(QVariant::fromValue(++m_lastId)));
      return true;
    }
    if (message.member() == QLatin1String("GetCapabilities")) {
      bus.send(message.createReply(QStringList{QStringLiteral("body")}));
      return true;
    }
    if (message.member() == QLatin1String("GetServerInformation")) {
      bus.send(message.createReply(QVariantList{QStringLiteral("recorder"), QStringLiteral("tests"),
                                                QStringLiteral("1"), QStringLiteral("1.2")}));
      return true;
    }
    return false;
  }

 private:
  QString m_log;
  uint m_lastId = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 4 || QString::fromUtf8(argv[2]) != QLatin1String("--")) {
    std::fprintf(stderr, "usage: notification_recorder LOG -- PROGRAM [ARGS...]\n");
    return 2;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  Recorder recorder(QString::fromUtf8(argv[1]));
  if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &recorder) ||
      !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
    std::fprintf(stderr, "notification_recorder: cannot take the service on the session bus\n");
    return 3;
  }
  QProcess program;
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  QStringList args;
  for (int i = 4; i < argc; ++i) args << QString::fromUtf8(argv[i]);
  QObject::connect(&program, &QProcess::finished, &app, [&](int code, QProcess::ExitStatus status) {
    app.exit(status == QProcess::NormalExit ? code : 128);
  });
  QObject::connect(&program, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) app.exit(127);
  });
  program.start(QString::fromUtf8(argv[3]), args);
  return app.exec();
}
