#pragma once

#include "StatusNotifierIconFolder.h"
#include "StatusNotifierTypes.h"
#include "platform/tray/StatusItem.h"

#include <QDBusConnection>
#include <QObject>
#include <QPoint>

#include <memory>

class DBusMenuExporter;
class QDBusServiceWatcher;
class QMenu;

// The program's item for desktops whose panel hosts StatusNotifierItems (Plasma, XFCE, GNOME
// with the AppIndicator extension): org.kde.StatusNotifierItem with the countdown as a text
// label beside the icon (XAyatanaLabel), and the menu as com.canonical.dbusmenu. Qt's tray
// icon has no label, hence an item of our own.
class StatusNotifierItem final : public StatusItem {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(StatusNotifierPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(QString OverlayIconName READ emptyName)
    Q_PROPERTY(StatusNotifierPixmaps OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ emptyName)
    Q_PROPERTY(StatusNotifierPixmaps AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ emptyName)
    Q_PROPERTY(StatusNotifierToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(QString IconAccessibleDesc READ title)
    Q_PROPERTY(QString XAyatanaLabel READ label)
    Q_PROPERTY(QString XAyatanaLabelGuide READ labelGuide)

public:
    static inline const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
    static inline const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
    static inline const QString kWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
    static inline const QString kPath = QStringLiteral("/StatusNotifierItem");

    StatusNotifierItem(QDBusConnection connection, QMenu &menu, QObject *parent = nullptr);
    ~StatusNotifierItem() override;

    // Asks, without blocking, whether a watcher runs with a registered host, so that an item
    // would be shown; answered by hostProbed(). Asked again whenever a watcher or host comes
    // or goes. Without a bus the answer is no, at once.
    void probeHost() override;
    // Puts the item on the bus (once) and registers it with the current watcher.
    void publish() override;
    // Takes the item off the bus.
    void withdraw() override;
    bool isPublished() const override { return m_published; }
    QString serviceName() const { return m_serviceName; }
    DBusMenuExporter &menuExporter() const { return *m_menuExporter; }

    // A new face: sent to the host at once (a few times an hour, when the minutes change), as
    // pixmaps and as an icon named after `key`, which names the face.
    void setAppearance(const QString &key, const QList<QImage> &icon, const QString &label,
                       const QString &labelGuide) override;
    // The face likely to come next, written ahead for hosts that read icon names.
    void prepareFace(const QString &key, const QList<QImage> &icon) override;
    // The exact time for the tooltip, read by the host when it asks; only a change of the lines
    // after the time (why reminders wait) is announced.
    void setToolTipText(const QString &text) override;

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("pelmix"); }
    QString title() const { return QStringLiteral("Pelmix"); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return m_iconName; }
    StatusNotifierPixmaps iconPixmap() const { return m_pixmaps; }
    QString iconThemePath() const;
    QString emptyName() const { return {}; }
    StatusNotifierPixmaps noPixmaps() const { return {}; }
    StatusNotifierToolTip toolTip() const { return {QString(), {}, title(), m_toolTipText}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const;
    QString label() const { return m_label; }
    QString labelGuide() const { return m_labelGuide; }

public slots:
    Q_SCRIPTABLE void Activate(int x, int y);
    Q_SCRIPTABLE void SecondaryActivate(int x, int y);
    Q_SCRIPTABLE void ContextMenu(int x, int y);
    Q_SCRIPTABLE void Scroll(int delta, const QString &orientation);
    // The Ayatana hosts' middle click (MATE's indicator applet, Ubuntu's top bar), which has no
    // position: the panel opens at the pointer.
    Q_SCRIPTABLE void XAyatanaSecondaryActivate(uint timestamp);

signals:
    Q_SCRIPTABLE void NewTitle();
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewAttentionIcon();
    Q_SCRIPTABLE void NewOverlayIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewStatus(const QString &status);
    Q_SCRIPTABLE void NewIconThemePath(const QString &path);
    Q_SCRIPTABLE void XAyatanaNewLabel(const QString &label, const QString &guide);

private slots:
    void onHostRegistered() { probeHost(); }

private:
    QDBusConnection m_connection;
    DBusMenuExporter *m_menuExporter;
    QDBusServiceWatcher *m_watcherWatch;
    QString m_serviceName;
    bool m_published = false;
    // Registered with the watcher that owns its name now; a new owner needs a new registration.
    bool m_registered = false;
    std::unique_ptr<StatusNotifierIconFolder> m_iconFolder;
    QString m_iconName;
    QString m_faceKey;
    QList<QImage> m_faceImages;
    StatusNotifierPixmaps m_pixmaps;
    QString m_label;
    QString m_labelGuide;
    QString m_toolTipText;
};
