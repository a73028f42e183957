#pragma once

#include "platform/MainLoop.h"
#include "storage/FileReplacement.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

struct Platform;

// One of the user's data files in the data folder: read whole, replaced whole in one step,
// and moved aside when it cannot be read so that the next save does not destroy it.
//
// A save that fails keeps the newest content in memory and is tried again every minute until
// one succeeds; each failure is logged once. What went wrong (a file moved aside, saves that
// fail) stays known for the run, for the notices that tell the user.
class DataFile : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds kRetryInterval{60};

    enum class Outcome { missing, unreadable, read };
    struct Contents {
        Outcome outcome = Outcome::missing;
        QByteArray bytes;
    };

    // `owner` starts the log lines about the file.
    DataFile(Platform &platform, QString fileName, QString owner);

    QString fileName() const { return m_fileName; }
    // Worked out afresh at each use: the data folder follows the Documents folder.
    QString path() const;
    QString folder() const;
    // Creates the data folder with its parents; a failure shows at the first save.
    void ensureFolder() const;

    Contents read() const;
    // The file decoded by `decode` (which answers an optional); nothing when the file is
    // missing, or when it cannot be read or decoded, and then it is moved aside first.
    template <typename Decode> auto load(Decode decode) -> decltype(decode(QByteArray()))
    {
        const Contents contents = read();
        if (contents.outcome == Outcome::missing)
            return {};
        if (contents.outcome == Outcome::read) {
            if (auto decoded = decode(contents.bytes))
                return decoded;
        }
        setAside();
        return {};
    }
    // Renames the file to "<name>.unreadable-<local date>-<local time>" and logs one line.
    // When even that fails, the file is never replaced in this run.
    void setAside();
    // Replaces the file with `bytes` in one step; on failure the file keeps its content and
    // `bytes` are kept for the next attempt.
    bool write(const QByteArray &bytes);
    // The same with what `writer` writes. A failed save calls it again at the next attempt, so
    // it must write what is newest then.
    bool write(ContentWriter writer);
    // Whether the file is as this run last read or wrote it: false once another program has
    // changed, replaced or removed it, or put one where there was none.
    bool isAsLastSeen() const;

    // The name the unreadable file was kept under in this run, if it was.
    std::optional<QString> keptAs() const { return m_keptAs; }
    // Why saving fails, from the first failure until a save succeeds.
    std::optional<QString> saveError() const { return m_saveError; }

signals:
    void problemsChanged();
    // A save, or a later attempt at it, succeeded.
    void saved();

private:
    struct Seen {
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Seen &) const = default;
    };
    std::optional<Seen> seenNow() const;
    bool replace(const ContentWriter &writer, QString &error);
    void retry();

    Platform &m_platform;
    QString m_fileName;
    QString m_owner;
    std::optional<QString> m_keptAs;
    std::optional<QString> m_saveError;
    // Set when an unreadable file could not be moved aside: it is the only copy.
    bool m_mustNotReplace = false;
    // Empty when nothing waits to be saved.
    ContentWriter m_unsaved;
    mutable std::optional<Seen> m_seen;
    ScheduledWorkHandle m_retry;
};
