#pragma once

#include "platform/MainLoop.h"

#include <QWidget>

class InputMonitoring;
class QLabel;
class QPushButton;

// Asks for the right to observe keyboard and mouse activity. While it is missing, the main
// button prompts and then watches once a second until it is granted; the button then reads
// "Continue", and a line says how activity is seen.
class AccessibilityPermissionStep : public QWidget {
    Q_OBJECT
public:
    AccessibilityPermissionStep(InputMonitoring &input, MainLoop &mainLoop, QWidget *parent = nullptr);

    bool permissionGranted() const { return m_permissionGranted; }
    bool isPolling() const { return m_poll != nullptr; }
    QPushButton *mainButton() const { return m_main; }
    QPushButton *skipButton() const { return m_skip; }
    // What the session lacks, shown while the permission is missing.
    QLabel *note() const { return m_note; }
    // How activity is seen, shown once it is.
    QLabel *methodLine() const { return m_methodLine; }

signals:
    void next();

private:
    void pressMain();
    void poll();
    void refresh();

    InputMonitoring &m_input;
    MainLoop &m_mainLoop;
    bool m_permissionGranted;
    ScheduledWorkHandle m_poll;
    QLabel *m_note;
    QLabel *m_methodLine;
    QPushButton *m_main;
    QPushButton *m_skip;
};
