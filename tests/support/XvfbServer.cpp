#include "XvfbServer.h"

#include <QDeadlineTimer>

XvfbServer::~XvfbServer() { stop(); }

bool XvfbServer::start(int timeoutMs)
{
    // The display number arrives on standard output; the server's chatter on standard error
    // is of no interest to a test.
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                     QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                     QStringLiteral("-noreset")});
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray output;
    while (!output.contains('\n')) {
        if (deadline.hasExpired() || !m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            m_error = QStringLiteral("Xvfb did not report its display number: ") + m_process.errorString();
            stop();
            return false;
        }
        output += m_process.readAllStandardOutput();
    }
    m_displayName = ':' + output.left(output.indexOf('\n')).trimmed();
    return true;
}

void XvfbServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}
