#include "TrayMenu.h"

#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolGlyphs.h"

#include <QMenu>

namespace {

// A dot or symbol that keeps its colour on an entry that cannot be chosen: menus grey out the
// icons of disabled entries, and the status colour is the point of the status line.
QIcon colouredIcon(QStringView symbol, ColorRole role)
{
    const QPixmap pixmap = SymbolGlyphs::pixmap(symbol, 16, NamedColors::resolve(role));
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Disabled);
    return icon;
}

QString menuText(const QString &plain) { return QString(plain).replace(QLatin1Char('&'), QStringLiteral("&&")); }

} // namespace

TrayMenu::TrayMenu(ModelSource source, Perform perform, QObject *parent)
    : QObject(parent),
      m_source(std::move(source)),
      m_perform(std::move(perform)),
      m_menu(new QMenu)
{
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    // The status and task lines are information, not choices: they cannot be chosen, but are
    // drawn in the secondary text colour rather than the faint one of a greyed-out entry.
    QPalette palette = m_menu->palette();
    const QColor information =
        NamedColors::opaque(NamedColors::resolve(ColorRole::secondary, palette), palette.color(QPalette::Window));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, information);
    m_menu->setPalette(palette);
    m_status = m_menu->addAction(QString());
    m_status->setEnabled(false);
    m_task = m_menu->addAction(QString());
    m_task->setEnabled(false);
    m_takeBreakNow = addEntry(MenuBarPanelModel::Action::takeBreakNow);
    m_hold = m_menu->addAction(QString());
    m_hold->setEnabled(false);
    m_remindAnyway = addEntry(MenuBarPanelModel::Action::remindAnyway);
    m_menu->addSeparator();
    for (const auto action :
         {MenuBarPanelModel::Action::focusBoard, MenuBarPanelModel::Action::stats, MenuBarPanelModel::Action::settings})
        m_sections.push_back(addEntry(action));
    m_menu->addSeparator();
    for (const auto action : {MenuBarPanelModel::Action::about, MenuBarPanelModel::Action::quit})
        m_application.push_back(addEntry(action));

    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        m_ownMenuOpen = true;
        update();
    });
    connect(m_menu, &QMenu::aboutToHide, this, [this] { m_ownMenuOpen = false; });
    update();
}

TrayMenu::~TrayMenu() { delete m_menu; }

QAction *TrayMenu::addEntry(MenuBarPanelModel::Action action)
{
    QAction *entry = m_menu->addAction(QString());
    connect(entry, &QAction::triggered, this, [this, action] { m_perform(action); });
    return entry;
}

void TrayMenu::setHostMenuOpen(bool open)
{
    m_hostMenuOpen = open;
    if (open)
        update();
}

void TrayMenu::stateChanged()
{
    if (isLive())
        update();
}

void TrayMenu::setEntry(QAction *action, const MenuBarPanelModel::Entry *entry)
{
    action->setVisible(entry != nullptr);
    if (!entry)
        return;
    action->setText(menuText(entry->text));
    action->setIcon(colouredIcon(entry->symbol, entry->color));
}

void TrayMenu::update()
{
    const MenuBarPanelModel next = m_source();
    if (m_shown && *m_shown == next)
        return;
    const MenuBarPanelModel *shown = m_shown ? &*m_shown : nullptr;

    // The counter sits in the shortcut column, right-aligned like the panel's.
    m_status->setText(menuText(next.statusText) + QLatin1Char('\t') + next.longBreakCounterText);
    if (!shown || shown->statusColor != next.statusColor)
        m_status->setIcon(colouredIcon(u"circle.fill", next.statusColor));
    m_task->setVisible(next.currentTaskTitle.has_value());
    if (next.currentTaskTitle) {
        m_task->setText(menuText(*next.currentTaskTitle));
        if (!shown || !shown->currentTaskTitle)
            m_task->setIcon(colouredIcon(u"circle.fill", ColorRole::blue));
    }
    // Icons are drawn again only for entries that changed, so a host is told only of those.
    const auto setIfChanged = [this](QAction *action, const std::optional<MenuBarPanelModel::Entry> &before,
                                     const std::optional<MenuBarPanelModel::Entry> &after, bool first) {
        if (first || before != after)
            setEntry(action, after ? &*after : nullptr);
    };
    setIfChanged(m_takeBreakNow, shown ? shown->takeBreakNow : std::nullopt, next.takeBreakNow, !shown);
    m_hold->setVisible(next.holdText.has_value());
    if (next.holdText)
        m_hold->setText(menuText(*next.holdText));
    setIfChanged(m_remindAnyway, shown ? shown->remindAnyway : std::nullopt, next.remindAnyway, !shown);
    for (std::size_t i = 0; i < m_sections.size() && i < next.sectionEntries.size(); ++i)
        setIfChanged(m_sections[i], shown ? std::optional(shown->sectionEntries[i]) : std::nullopt,
                     next.sectionEntries[i], !shown);
    for (std::size_t i = 0; i < m_application.size() && i < next.applicationEntries.size(); ++i)
        setIfChanged(m_application[i], shown ? std::optional(shown->applicationEntries[i]) : std::nullopt,
                     next.applicationEntries[i], !shown);
    m_shown = next;
}
