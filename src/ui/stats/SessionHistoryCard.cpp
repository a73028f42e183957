#include "SessionHistoryCard.h"

#include "SessionRow.h"
#include "stats/StatsManager.h"
#include "ui/common/widgets/ScreenStyle.h"
#include "ui/stats/model/StatsPresentation.h"

#include <QLabel>
#include <QVBoxLayout>

SessionHistoryCard::SessionHistoryCard(StatsManager &statsManager, QWidget *parent)
    : StatsCard(QStringLiteral("Today's Sessions"), parent),
      m_statsManager(statsManager)
{
    connect(&m_statsManager, &StatsManager::sessionsChanged, this, &SessionHistoryCard::refresh);
    refresh();
}

QList<SessionRow *> SessionHistoryCard::rows() const
{
    return m_body->findChildren<SessionRow *>(QString(), Qt::FindDirectChildrenOnly);
}

bool SessionHistoryCard::showsEmptyText() const { return rows().isEmpty(); }

void SessionHistoryCard::refresh()
{
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    const QList<Session> sessions = StatsPresentation::orderedByStart(m_statsManager.todaySessions());
    if (sessions.isEmpty()) {
        QLabel *empty = ScreenStyle::label(QStringLiteral("No sessions recorded today"), ScreenStyle::font(13),
                                           ScreenStyle::secondaryText(palette()), body);
        empty->setAlignment(Qt::AlignCenter);
        empty->setContentsMargins(0, 20, 0, 20);
        layout->addWidget(empty);
    }
    for (const Session &session : sessions)
        layout->addWidget(new SessionRow(session, body));

    if (m_body) {
        delete contentLayout()->replaceWidget(m_body, body);
        delete m_body;
    } else {
        contentLayout()->addWidget(body);
    }
    m_body = body;
}
