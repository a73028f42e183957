#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// The tray item's faces as named icons, for hosts that draw icon names only (MATE's indicator
// applet) or prefer them to pixmaps (most others): each face is written once as PNG files in a
// hicolor layout inside a folder of the program's own, which the item names as its
// IconThemePath. Every face has a name of its own, as hosts keep what a name showed. Hosts
// read a theme folder again only now and then, so the face that comes next is written ahead.
class StatusNotifierIconFolder {
public:
    // `folder` is emptied and made; its parent must exist.
    explicit StatusNotifierIconFolder(QString folder);
    ~StatusNotifierIconFolder();

    QString path() const { return m_folder; }
    bool isUsable() const { return m_usable; }

    // Writes the face of `key` (one image per size, square) unless it is there already; answers
    // its icon name, empty when it could not be written. The files of faces long past go.
    QString write(const QString &key, const QList<QImage> &sizes);

    static QString iconNameFor(const QString &key);

private:
    QString m_folder;
    bool m_usable = false;
    QStringList m_written; // oldest first
};
