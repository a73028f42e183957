#pragma once

#include "StatsCard.h"

class QLabel;
class QVBoxLayout;
class SessionRow;
class StatsManager;

// Today's sessions in order of their start.
class SessionHistoryCard : public StatsCard {
    Q_OBJECT
public:
    explicit SessionHistoryCard(StatsManager &statsManager, QWidget *parent = nullptr);

    QList<SessionRow *> rows() const;
    bool showsEmptyText() const;
    void refresh();

private:
    StatsManager &m_statsManager;
    QWidget *m_body = nullptr;
};
