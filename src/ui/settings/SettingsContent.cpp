#include "SettingsContent.h"

#include "FormSection.h"
#include "PickerBox.h"
#include "ToggleSwitch.h"
#include "appstate/AppState.h"
#include "hold/BreakHold.h"
#include "settings/UserSettings.h"
#include "ui/common/widgets/ScreenStyle.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
// Fills `combo` with the picker's entries; the entry of an unlisted stored value is shown
// but cannot be chosen.
void fill(QComboBox *combo, const PickerChoices &choices)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    for (const PickerChoices::Entry &entry : choices.entries) {
        combo->addItem(entry.option.label, QVariant::fromValue(entry.option.value));
        if (!entry.selectable) {
            QStandardItem *item = model->item(combo->count() - 1);
            item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        }
    }
    combo->setCurrentIndex(choices.currentIndex);
}
} // namespace

SettingsContent::SettingsContent(UserSettings &settings, AppState &appState, QWidget *parent)
    : QWidget(parent),
      m_settings(settings),
      m_appState(appState),
      m_sound(new ToggleSwitch),
      m_launchAtLogin(new ToggleSwitch),
      m_developerMode(new ToggleSwitch),
      m_reset(new QPushButton(QStringLiteral("Reset to Defaults")))
{
    QVBoxLayout *layout = ScreenStyle::scrollingPage(this, QStringLiteral("Settings"), 20, 18);

    auto *work = new FormSection(QStringLiteral("Work Session"));
    work->addRow(SettingsOptions::title(SettingsPicker::sessionLength), makePicker(SettingsPicker::sessionLength));
    layout->addWidget(work);

    auto *breaks = new FormSection(QStringLiteral("Breaks"));
    for (SettingsPicker picker :
         {SettingsPicker::shortBreak, SettingsPicker::longBreak, SettingsPicker::longBreakEvery})
        breaks->addRow(SettingsOptions::title(picker), makePicker(picker));
    layout->addWidget(breaks);

    auto *activity =
        new FormSection(QStringLiteral("Activity Detection"),
                        QStringLiteral("How long without keyboard/mouse activity before you're considered idle"));
    activity->addRow(SettingsOptions::title(SettingsPicker::idleTimeout), makePicker(SettingsPicker::idleTimeout));
    layout->addWidget(activity);

    auto *appearance = new FormSection(QStringLiteral("Appearance"));
    appearance->addRow(QStringLiteral("Sound effects"), m_sound);
    layout->addWidget(appearance);

    addHoldSwitches(layout);

    auto *system = new FormSection(QStringLiteral("System"));
    system->addRow(QStringLiteral("Launch at login"), m_launchAtLogin);
    system->addRow(QStringLiteral("Developer mode"), m_developerMode);
    layout->addWidget(system);

    auto *reset = new FormSection;
    m_reset->setObjectName(QStringLiteral("resetToDefaults"));
    m_reset->setFlat(true);
    m_reset->setCursor(Qt::PointingHandCursor);
    m_reset->setFont(ScreenStyle::font(13));
    ScreenStyle::setTextColor(m_reset, ScreenStyle::color(ColorRole::red, palette()));
    m_reset->setStyleSheet(QStringLiteral("text-align: left; padding: 8px 0px; border: none;"));
    reset->addWidgetRow(m_reset);
    layout->addWidget(reset);
    layout->addStretch(1);

    m_sound->setObjectName(QStringLiteral("soundEnabled"));
    m_sound->setAccessibleName(QStringLiteral("Sound effects"));
    m_launchAtLogin->setObjectName(QStringLiteral("launchAtLogin"));
    m_launchAtLogin->setAccessibleName(QStringLiteral("Launch at login"));
    m_developerMode->setObjectName(QStringLiteral("developerModeEnabled"));
    m_developerMode->setAccessibleName(QStringLiteral("Developer mode"));

    connect(m_sound, &ToggleSwitch::clicked, this, [this](bool on) { m_settings.setSoundEnabled(on); });
    connect(m_launchAtLogin, &ToggleSwitch::clicked, this, [this](bool on) {
        m_settings.setLaunchAtLogin(on);
        m_settings.updateLaunchAtLogin();
    });
    connect(m_developerMode, &ToggleSwitch::clicked, this, [this](bool on) { m_settings.setDeveloperModeEnabled(on); });
    connect(m_reset, &QPushButton::clicked, this, [this] { m_settings.resetToDefaults(); });
    connect(&m_settings, &UserSettings::changed, this, &SettingsContent::refresh);
    refresh();
}

QComboBox *SettingsContent::makePicker(SettingsPicker picker)
{
    auto *combo = new PickerBox;
    combo->setAccessibleName(SettingsOptions::title(picker));
    combo->setMinimumWidth(120);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(combo, &QComboBox::activated, this, [this, combo, picker](int index) {
        const QModelIndex item = combo->model()->index(index, 0);
        if (!(item.flags() & Qt::ItemIsEnabled))
            return;
        const qint64 value = item.data(Qt::UserRole).toLongLong();
        if (value != SettingsOptions::storedValue(m_settings, picker))
            SettingsOptions::store(m_settings, picker, value);
    });
    m_pickers[picker] = combo;
    return combo;
}

void SettingsContent::refresh()
{
    const bool developerMode = m_settings.developerModeEnabled();
    for (const auto &[picker, combo] : m_pickers)
        fill(combo, SettingsOptions::choices(picker, SettingsOptions::storedValue(m_settings, picker), developerMode));
    m_sound->setChecked(m_settings.soundEnabled());
    m_launchAtLogin->setChecked(m_settings.launchAtLogin());
    m_developerMode->setChecked(developerMode);
    for (const auto &[source, row] : m_holds)
        row.toggle->setChecked(m_settings.holdsWhile(source));
}

void SettingsContent::addHoldSwitches(QLayout *layout)
{
    auto *holds = new FormSection(
        QStringLiteral("Holds"),
        QStringLiteral("A due reminder waits, and comes a minute after the hold ends. Pelmix learns only whether "
                       "each is in use: it never opens a camera or microphone and never records sound or images."));
    for (const HoldSources::Source source : HoldSources::kAllSources) {
        auto *toggle = new ToggleSwitch;
        QLabel *title = holds->addRow(QString(), toggle);
        // Long, and longer where a reason is unknown: wrapped rather than widening the page.
        title->setWordWrap(true);
        title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        m_holds[source] = {toggle, title};
        connect(toggle, &ToggleSwitch::clicked, this,
                [this, source](bool on) { m_settings.setHoldsWhile(source, on); });
    }
    layout->addWidget(holds);
    connect(&m_appState.breakHold(), &BreakHold::readingsChanged, this, &SettingsContent::refreshHoldTitles);
    refreshHoldTitles();
}

void SettingsContent::refreshHoldTitles()
{
    for (const auto &[source, row] : m_holds) {
        const QString title = holdTitle(source);
        row.title->setText(title);
        row.toggle->setAccessibleName(title);
    }
}

QString SettingsContent::holdTitle(HoldSources::Source source) const
{
    return SettingsOptions::holdTitle(source, m_appState.breakHold().reading(source));
}
