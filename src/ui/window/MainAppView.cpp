#include "MainAppView.h"

#include "WindowAccessor.h"
#include "appstate/AppState.h"
#include "platform/Platform.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolGlyphs.h"
#include "ui/focus/FocusBoardContent.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>

namespace {

QWidget *placeholder(AppSection section, QWidget *parent)
{
    auto *label = new QLabel(rawValue(section), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Fonts::system(Fonts::kTitle));
    NamedColors::setForeground(label, ColorRole::secondary);
    return label;
}

} // namespace

MainAppView::MainAppView(AppState &appState, Platform &platform, ViewFactories factories, QWidget *parent)
    : QWidget(parent),
      m_appState(appState),
      m_platform(platform),
      m_factories(std::move(factories))
{
    setMinimumSize(kMinimumSize);
    new WindowAccessor(appState, platform.desktop, this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    layout->addWidget(split);

    m_sidebar = new QListWidget(split);
    m_sidebar->setMinimumWidth(180);
    m_sidebar->setMaximumWidth(220);
    m_sidebar->setFrameShape(QFrame::NoFrame);
    m_sidebar->setIconSize(QSize(16, 16));
    m_sidebar->setFont(Fonts::system(Fonts::kBody));
    m_sidebar->setSpacing(2);
    QPalette sidebarPalette = m_sidebar->palette();
    sidebarPalette.setColor(QPalette::Base, sidebarPalette.color(QPalette::Window));
    m_sidebar->setPalette(sidebarPalette);
    const QColor accent = NamedColors::resolve(ColorRole::blue);
    const QColor onSelection = sidebarPalette.color(QPalette::HighlightedText);
    for (const AppSection section : kAllAppSections) {
        QIcon icon = SymbolGlyphs::icon(iconName(section), 16, accent);
        icon.addPixmap(SymbolGlyphs::pixmap(iconName(section), 16, onSelection), QIcon::Selected);
        new QListWidgetItem(icon, rawValue(section), m_sidebar);
    }
    m_sidebar->setCurrentRow(0);
    connect(m_sidebar, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < int(kAllAppSections.size()))
            setSelectedSection(kAllAppSections[size_t(row)]);
    });

    m_detail = new QStackedWidget(split);
    split->addWidget(m_sidebar);
    split->addWidget(m_detail);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 600});

    m_detail->addWidget(buildSection(AppSection::focus));
    connect(&appState, &AppState::selectedSectionChanged, this, &MainAppView::takeSectionRequest);
    // A request left waiting while no main view existed is honoured by the new one: that is
    // how the tray reopens a closed window on the section it asked for.
    takeSectionRequest();
}

void MainAppView::setSelectedSection(AppSection section)
{
    QWidget *view = sectionView(section);
    if (!view) {
        view = buildSection(section);
        m_detail->addWidget(view);
    }
    const bool changed = section != m_selectedSection;
    m_selectedSection = section;
    m_detail->setCurrentWidget(view);
    const int row = int(std::find(kAllAppSections.begin(), kAllAppSections.end(), section) - kAllAppSections.begin());
    if (m_sidebar->currentRow() != row)
        m_sidebar->setCurrentRow(row);
    if (changed)
        emit selectedSectionChanged(section);
}

QWidget *MainAppView::sectionView(AppSection section) const
{
    const auto found = m_sections.find(section);
    return found == m_sections.end() ? nullptr : found->second;
}

void MainAppView::takeSectionRequest()
{
    const auto request = m_appState.selectedSection();
    if (!request)
        return;
    setSelectedSection(*request);
    m_appState.setSelectedSection(std::nullopt);
}

QWidget *MainAppView::buildSection(AppSection section)
{
    QWidget *view = nullptr;
    switch (section) {
    case AppSection::focus:
        view =
            new FocusBoardContent(m_appState.todoManager(), m_appState, m_appState.workTimer(),
                                  m_appState.activityMonitor(), m_appState.settings(), m_platform.mainLoop, m_detail);
        break;
    case AppSection::stats:
        view = m_factories.stats ? m_factories.stats(m_detail) : nullptr;
        break;
    case AppSection::settings:
        view = m_factories.settings ? m_factories.settings(m_detail) : nullptr;
        break;
    }
    if (!view)
        view = placeholder(section, m_detail);
    m_sections[section] = view;
    return view;
}
