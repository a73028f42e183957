#pragma once

#include "appstate/AppSection.h"
#include "ui/common/ViewFactories.h"

#include <QWidget>

#include <map>

class AppState;
class QListWidget;
class QStackedWidget;
struct Platform;

// The main window's content: a sidebar with the three sections and the selected section
// beside it. Other parts ask for a section through the application state; the view takes the
// request and clears it, so the same section can be asked for again.
class MainAppView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kMinimumSize{700, 500};

    MainAppView(AppState &appState, Platform &platform, ViewFactories factories, QWidget *parent = nullptr);

    AppSection selectedSection() const { return m_selectedSection; }
    // What the sidebar does; it never writes the application state's request.
    void setSelectedSection(AppSection section);

    QListWidget *sidebar() const { return m_sidebar; }
    // The section's screen, built the first time the section is shown.
    QWidget *sectionView(AppSection section) const;

signals:
    void selectedSectionChanged(AppSection section);

private:
    void takeSectionRequest();
    QWidget *buildSection(AppSection section);

    AppState &m_appState;
    Platform &m_platform;
    ViewFactories m_factories;
    AppSection m_selectedSection = AppSection::focus;
    QListWidget *m_sidebar;
    QStackedWidget *m_detail;
    std::map<AppSection, QWidget *> m_sections;
};
