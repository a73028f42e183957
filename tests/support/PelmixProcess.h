#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The real program started by a test: a home folder of its own (preferences, Documents,
// runtime folder), the display and the session bus the test chose, and its output lines.
class PelmixProcess {
public:
    PelmixProcess();
    ~PelmixProcess();

    // The temporary home, and where the program keeps its data files inside it.
    QString home() const { return m_home.path(); }
    QString dataFile(const QString &name) const;
    // Writes preferences before the program starts (for instance developer lengths).
    void setPreference(const QString &key, const QVariant &value);

    void setDisplay(const QString &display) { m_display = display; }
    // A null address leaves the variable out, as on a desktop that sets none.
    void setSessionBus(const QString &address) { m_busAddress = address; }
    // Any other variable of the program's environment (WAYLAND_DISPLAY, ...).
    void setEnvironment(const QString &name, const QString &value) { m_extra.insert(name, value); }
    QProcessEnvironment environment() const;

    // Starts another instance of the program with the same home; the caller owns it.
    std::unique_ptr<QProcess> startInstance() const;
    bool start();
    QProcess &process() { return *m_process; }

    // Waits until `line` has been printed `times` times (or the program ended).
    bool waitForLine(const QString &line, int times = 1, int timeoutMs = 15000);
    const QStringList &lines();

    // Sends a signal and waits for the program to end; answers whether it ended normally with 0.
    bool stopWith(int signalNumber, int timeoutMs = 2000);

private:
    void readOutput();

    QTemporaryDir m_home;
    QString m_display;
    QString m_busAddress = QStringLiteral("disabled:");
    QProcessEnvironment m_extra;
    std::unique_ptr<QProcess> m_process;
    QByteArray m_pending;
    QStringList m_lines;
};
