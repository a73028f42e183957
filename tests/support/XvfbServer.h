#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A private X server for one test: Xvfb picks a free display number itself (-displayfd)
// and reports it once it accepts connections. The destructor stops it.
class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();

    // Answers whether the server is up; otherwise errorString() says why.
    bool start(int timeoutMs = 15000);
    void stop();

    // ":N", for DISPLAY or XOpenDisplay.
    QByteArray displayName() const { return m_displayName; }
    QString errorString() const { return m_error; }

private:
    QProcess m_process;
    QByteArray m_displayName;
    QString m_error;
};
