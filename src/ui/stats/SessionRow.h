#pragma once

#include "stats/Session.h"

#include <QWidget>

// One of today's sessions: its time range, type, task, length and whether it was completed.
class SessionRow : public QWidget {
    Q_OBJECT
public:
    explicit SessionRow(const Session &session, QWidget *parent = nullptr);

    const Session &session() const { return m_session; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Session m_session;
};
