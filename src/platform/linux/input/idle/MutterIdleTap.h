#pragma once

#include "IdleActivityReporter.h"
#include "platform/InputMonitoring.h"

#include <QDBusConnection>
#include <QObject>

// Activity on a GNOME session through Mutter's IdleMonitor on the session bus: an idle watch
// of 1 s, and while idle a one-shot watch for the user's return, made anew each time.
// Mutter asks no permission for this.
class MutterIdleTap final : public QObject, public InputTap {
    Q_OBJECT
public:
    static inline const QString kService = QStringLiteral("org.gnome.Mutter.IdleMonitor");

    // Whether Mutter's IdleMonitor answers on `bus`.
    static bool isAvailable(const QDBusConnection &bus);
    // Answers nothing when the IdleMonitor does not answer or refuses the watch.
    static std::unique_ptr<MutterIdleTap> create(const QDBusConnection &bus, MainLoop &loop,
                                                 std::function<void()> onActivity);
    ~MutterIdleTap() override;

    bool isIdle() const { return m_reporter.isIdle(); }

private slots:
    void watchFired(uint id);

private:
    MutterIdleTap(const QDBusConnection &bus, MainLoop &loop, std::function<void()> onActivity);
    bool addWatch(const QString &method, const QVariantList &arguments, uint *id);

    QDBusConnection m_bus;
    IdleActivityReporter m_reporter;
    uint m_idleWatch = 0;
    uint m_activeWatch = 0;
};
