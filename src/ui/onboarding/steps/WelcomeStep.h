#pragma once

#include <QWidget>

class QPushButton;

// The first step: what the program is and does.
class WelcomeStep : public QWidget {
    Q_OBJECT
public:
    explicit WelcomeStep(QWidget *parent = nullptr);

    QPushButton *mainButton() const { return m_main; }

signals:
    void next();

private:
    QPushButton *m_main;
};
