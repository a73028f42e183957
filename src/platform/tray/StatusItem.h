#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

// The program's item in a panel that shows such items itself, over D-Bus, where one runs
// (Plasma, XFCE, MATE, GNOME with the AppIndicator extension). The tray view decides the
// faces and owns the menu; the item carries them to the panel and reports the user's clicks.
class StatusItem : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks, without blocking, whether a panel would show the item now; answered by
    // hostProbed(), and again whenever such a panel comes or goes.
    virtual void probeHost() = 0;
    // Puts the item in the panel, or takes it out.
    virtual void publish() = 0;
    virtual void withdraw() = 0;
    virtual bool isPublished() const = 0;

    // A new face: the icon at its sizes, named by `key`, and the text beside it, with the
    // widest text it will have (`labelGuide`) so that the panel keeps its room.
    virtual void setAppearance(const QString &key, const QList<QImage> &icon, const QString &label,
                               const QString &labelGuide) = 0;
    // The face likely to come next, for panels that load faces ahead.
    virtual void prepareFace(const QString &key, const QList<QImage> &icon) = 0;
    // The tooltip's text, read by the panel when it shows the tooltip.
    virtual void setToolTipText(const QString &text) = 0;

signals:
    void hostProbed(bool available);
    // A click on the item (the primary or middle button), at screen coordinates where known.
    void activated(const QPoint &at);
    void contextMenuRequested(const QPoint &at);
    // The panel is about to show the item's menu, or opened or closed it.
    void menuAboutToShow();
    void hostMenuOpened(bool open);
};
