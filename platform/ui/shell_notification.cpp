// The shell's notifications on this desktop: SHNotificationAdd hands each one to the desktop's
// notification service (org.freedesktop.Notifications on the session bus) without waiting for
// it. Where there is no session bus, or the call comes back with an error (no such service, or
// one that failed), the shell shows the notification itself as a bubble over the screen; a call
// the service has not answered yet is never shown twice that way.
//
// The desktop names the sender by the program's own name, which is also the name of its desktop
// entry and of its icon in the icon theme.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include "aygshell.h"
#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

namespace {

// The notification's body as plain text: the shell takes HTML, desktops are not required to
// read any markup. Tags are dropped (a line break tag ends the line), and the entities for the
// characters that HTML reserves are read back.
std::u16string PlainTextOf(const std::u16string& html) {
  static const struct { std::u16string_view entity; char16_t unit; } kEntities[] = {
      {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&#39;", u'\''}, {u"&nbsp;", u' '}};
  std::u16string text;
  for (size_t i = 0; i < html.size();) {
    if (html[i] == u'<') {
      size_t end = html.find(u'>', i);
      if (end == std::u16string::npos) break;
      std::u16string tag = html.substr(i + 1, end - i - 1);
      if (tag.size() >= 2 && (tag[0] == u'b' || tag[0] == u'B') && (tag[1] == u'r' || tag[1] == u'R')) text += u'\n';
      i = end + 1;
      continue;
    }
    bool matched = false;
    if (html[i] == u'&') {
      for (const auto& e : kEntities) {
        if (std::u16string_view(html).substr(i, e.entity.size()) == e.entity) {
          text += e.unit;
          i += e.entity.size();
          matched = true;
          break;
        }
      }
    }
    if (!matched) text += html[i++];
  }
  return text;
}

// What the desktop's service reads in a body, once it has said (GetCapabilities): markup (then
// the text is escaped, so that "<b>" or "&" in a title shows as typed) or plain text.
enum class BodyKind { Unknown, Markup, Plain };
BodyKind g_bodyKind = BodyKind::Unknown;

// A service that is slow to start (activated by the bus on the first call) may take its time; a
// call that has not come back has not been refused, and a bubble for it could show the same
// reminder twice.
constexpr int kCallTimeoutMs = 10 * 60 * 1000;

QString EscapedForMarkup(const std::u16string& text) {
  QString escaped;
  for (QChar c : KpQString(text)) {
    if (c == u'&') escaped += QStringLiteral("&amp;");
    else if (c == u'<') escaped += QStringLiteral("&lt;");
    else if (c == u'>') escaped += QStringLiteral("&gt;");
    else escaped += c;
  }
  return escaped;
}

// True when the desktop certainly did not take the notification: no service, or an error from
// it. No answer within the time-out says nothing either way.
bool Refused(const QDBusError& error) {
  return error.type() != QDBusError::NoReply && error.type() != QDBusError::Timeout &&
         error.type() != QDBusError::TimedOut;
}

QDBusMessage ServiceCall(const char* method) {
  return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                        QStringLiteral("/org/freedesktop/Notifications"),
                                        QStringLiteral("org.freedesktop.Notifications"), QString::fromLatin1(method));
}

void Notify(QDBusConnection bus, const std::u16string& title, const std::u16string& text, DWORD seconds) {
  std::string titleUtf8 = KpToUtf8(title.c_str()), textUtf8 = KpToUtf8(text.c_str());
  QString program = QString::fromUtf8(KpProgramName());
  QDBusMessage call = ServiceCall("Notify");
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), program);
  const QString body = g_bodyKind == BodyKind::Markup ? EscapedForMarkup(text) : KpQString(text);
  // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (ms, -1: the
  // desktop's choice).
  call << program << uint(0) << program << KpQString(title) << body << QStringList() << hints
       << (seconds == 0 ? -1 : static_cast<int>(std::min<DWORD>(seconds, 86400) * 1000));
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), QCoreApplication::instance());
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [=](QDBusPendingCallWatcher* done) {
    if (!done->isError()) KpTrace("notified", titleUtf8.c_str(), textUtf8.c_str());
    else if (Refused(done->error())) kpwm::ShowNotificationBubble(title, text);
    done->deleteLater();
  });
}

// Sends the Notify call and returns at once; the bubble shows when the call comes back refused.
// The trace says `notify TITLE TEXT` as the call goes out and `notified TITLE TEXT` once the
// desktop has taken it, so that a test can wait for the desktop instead of guessing how long.
// The service is asked first what it reads in a body, once an answer has come.
void SendToDesktop(const std::u16string& title, const std::u16string& text, DWORD seconds) {
  KpTrace("notify", KpToUtf8(title.c_str()).c_str(), KpToUtf8(text.c_str()).c_str());
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    kpwm::ShowNotificationBubble(title, text);
    return;
  }
  if (g_bodyKind != BodyKind::Unknown) {
    Notify(bus, title, text, seconds);
    return;
  }
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ServiceCall("GetCapabilities"), kCallTimeoutMs),
                                              QCoreApplication::instance());
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [=](QDBusPendingCallWatcher* done) {
    QDBusPendingReply<QStringList> reply = *done;
    if (!reply.isError())
      g_bodyKind = reply.value().contains(QStringLiteral("body-markup")) ? BodyKind::Markup : BodyKind::Plain;
    Notify(bus, title, text, seconds);
    done->deleteLater();
  });
}

}  // namespace

LRESULT SHNotificationAdd(SHNOTIFICATIONDATA* data) {
  if (!data || data->cbStruct != sizeof(SHNOTIFICATIONDATA)) return E_INVALIDARG;
  kpwm::EnsureStarted();
  std::u16string title = data->pszTitle ? data->pszTitle : u"";
  std::u16string text = data->pszHTML ? PlainTextOf(data->pszHTML) : u"";
  SendToDesktop(title, text, data->csDuration);
  return ERROR_SUCCESS;
}
