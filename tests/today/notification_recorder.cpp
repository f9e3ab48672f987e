// A desktop notification service for tests: takes org.freedesktop.Notifications on the session
// bus, appends one line per Notify call to LOG ("<app_name>\t<summary>\t<body>", a line break in
// the body written as \n), and runs the program given after "--" meanwhile; it exits with that
// program's exit code. With --markup it says it reads markup in bodies (capability body-markup).
//
//   notification_recorder LOG [--markup] -- PROGRAM [ARGS...]
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
  Recorder(QString log, bool markup) : m_log(std::move(log)), m_markup(markup) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
    const QList<QVariant> args = message.arguments();
    if (message.member() == QLatin1String("Notify") && args.size() == 8) {
      QFile file(m_log);
      if (file.open(QIODevice::Append)) {
        QString body = args[4].toString();
        body.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        QString line = args[0].toString() + '\t' + args[3].toString() + '\t' + body + '\n';
        file.write(line.toUtf8());
      }
      bus.send(message.createReply(QVariant::fromValue(++m_lastId)));
      return true;
    }
    if (message.member() == QLatin1String("GetCapabilities")) {
      QStringList capabilities{QStringLiteral("body")};
      if (m_markup) capabilities << QStringLiteral("body-markup");
      bus.send(message.createReply(capabilities));
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
  bool m_markup;
  uint m_lastId = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const bool markup = argc > 2 && QString::fromUtf8(argv[2]) == QLatin1String("--markup");
  const int separator = markup ? 3 : 2;
  if (argc < separator + 2 || QString::fromUtf8(argv[separator]) != QLatin1String("--")) {
    std::fprintf(stderr, "usage: notification_recorder LOG [--markup] -- PROGRAM [ARGS...]\n");
    return 2;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  Recorder recorder(QString::fromUtf8(argv[1]), markup);
  if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &recorder) ||
      !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
    std::fprintf(stderr, "notification_recorder: cannot take the service on the session bus\n");
    return 3;
  }
  QProcess program;
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  QStringList args;
  for (int i = separator + 2; i < argc; ++i) args << QString::fromUtf8(argv[i]);
  QObject::connect(&program, &QProcess::finished, &app, [&](int code, QProcess::ExitStatus status) {
    app.exit(status == QProcess::NormalExit ? code : 128);
  });
  QObject::connect(&program, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) app.exit(127);
  });
  program.start(QString::fromUtf8(argv[separator + 1]), args);
  return app.exec();
}
