#include "MainWindowContent.h"

#include "settings/UserSettings.h"

#include <QVBoxLayout>

MainWindowContent::MainWindowContent(UserSettings &settings, Factory makeOnboarding, Factory makeMainView,
                                     QWidget *parent)
    : QWidget(parent),
      m_settings(settings),
      m_makeOnboarding(std::move(makeOnboarding)),
      m_makeMainView(std::move(makeMainView)),
      m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    connect(&m_settings, &UserSettings::changed, this, &MainWindowContent::choose);
    choose();
}

QSize MainWindowContent::preferredWindowSize() const
{
    return m_showsMainView ? kMainViewDefaultSize.expandedTo(m_current->minimumSizeHint()) : m_current->size();
}

void MainWindowContent::choose()
{
    const bool mainView = m_settings.hasCompletedOnboarding();
    if (m_current && mainView == m_showsMainView)
        return;
    m_showsMainView = mainView;
    QWidget *next = mainView ? m_makeMainView() : m_makeOnboarding();
    if (m_current) {
        // The change may come from a button inside the old content: let its handler finish first.
        m_layout->removeWidget(m_current);
        m_current->hide();
        m_current->deleteLater();
    }
    m_current = next;
    m_layout->addWidget(m_current, 1, mainView ? Qt::Alignment() : Qt::AlignCenter);
    m_current->show();
    setMinimumSize(m_current->minimumSizeHint().expandedTo(m_current->minimumSize()));
    emit switched(mainView);
}
