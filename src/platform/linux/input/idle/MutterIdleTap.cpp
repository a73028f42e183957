#include "MutterIdleTap.h"

#include <QDBusMessage>

namespace {

const QString kPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
constexpr int kCallTimeoutMs = 2000;

QDBusMessage callMonitor(const QDBusConnection &bus, const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(MutterIdleTap::kService, kPath, kInterface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, kCallTimeoutMs);
}

} // namespace

bool MutterIdleTap::isAvailable(const QDBusConnection &bus)
{
    return bus.isConnected() && callMonitor(bus, QStringLiteral("GetIdletime")).type() == QDBusMessage::ReplyMessage;
}

std::unique_ptr<MutterIdleTap> MutterIdleTap::create(const QDBusConnection &bus, MainLoop &loop,
                                                     std::function<void()> onActivity)
{
    if (!bus.isConnected())
        return nullptr;
    std::unique_ptr<MutterIdleTap> tap(new MutterIdleTap(bus, loop, std::move(onActivity)));
    // Listening first, so a watch that fires right away is not missed.
    if (!tap->m_bus.connect(kService, kPath, kInterface, QStringLiteral("WatchFired"), tap.get(),
                            SLOT(watchFired(uint))) ||
        !tap->addWatch(QStringLiteral("AddIdleWatch"), {quint64{IdleActivityReporter::kIdleTimeoutMs}},
                       &tap->m_idleWatch))
        return nullptr;
    return tap;
}

MutterIdleTap::MutterIdleTap(const QDBusConnection &bus, MainLoop &loop, std::function<void()> onActivity)
    : m_bus(bus),
      m_reporter(loop, std::move(onActivity))
{}

MutterIdleTap::~MutterIdleTap()
{
    m_bus.disconnect(kService, kPath, kInterface, QStringLiteral("WatchFired"), this, SLOT(watchFired(uint)));
    // Mutter would drop the watches with this client's connection; the bus may outlive the tap.
    for (const uint watch : {m_idleWatch, m_activeWatch}) {
        if (watch)
            m_bus.call(QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("RemoveWatch"))
                           << watch,
                       QDBus::NoBlock);
    }
}

bool MutterIdleTap::addWatch(const QString &method, const QVariantList &arguments, uint *id)
{
    const QDBusMessage reply = callMonitor(m_bus, method, arguments);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    *id = reply.arguments().constFirst().toUInt();
    return true;
}

void MutterIdleTap::watchFired(uint id)
{
    if (id == 0)
        return;
    if (id == m_idleWatch) {
        m_reporter.idled();
        // The watch for the user's return fires once; it is made again at each idleness.
        if (!m_activeWatch && !addWatch(QStringLiteral("AddUserActiveWatch"), {}, &m_activeWatch))
            m_activeWatch = 0;
    } else if (id == m_activeWatch) {
        m_activeWatch = 0;
        m_reporter.resumed();
    }
}
