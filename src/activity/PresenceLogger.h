#pragma once

#include <QString>

struct Platform;

// The user-readable history of presence: one line each time the user comes back or goes
// away, appended to presence_log.txt beside the session and task files. The program never
// reads it back.
class PresenceLogger {
public:
    static constexpr const char *kFileName = "presence_log.txt";
    static constexpr const char *kTimestampPattern = "yyyy-MM-dd HH:mm:ss";

    // Creates the data folder, with its parents, if it is missing; a failure is ignored.
    explicit PresenceLogger(Platform &platform);

    // Appends "<local time> | PRESENT" or "<local time> | AWAY". The file is opened, written
    // and closed within the call; if any of that fails the line is lost, silently.
    void logPresence(bool present);

    const QString &logFilePath() const { return m_logFilePath; }

private:
    Platform &m_platform;
    QString m_logFilePath;
};
