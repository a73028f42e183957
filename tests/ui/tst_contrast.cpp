// Every screen readable in a light and a dark palette: each visible text, measured from the
// rendered pixels against what is behind it, reaches 4.5:1 (large text and symbols 3:1).
#include "app/ScreenFactories.h"
#include "support/FakeApp.h"
#include "support/SampleScreens.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/common/symbols/SymbolLabel.h"
#include "ui/focus/FocusTaskCard.h"
#include "ui/focus/tasks/TaskListModel.h"
#include "ui/focus/tasks/TaskListView.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/tray/TrayMenu.h"
#include "ui/tray/panel/MenuBarView.h"
#include "ui/tray/panel/PanelInputs.h"
#include "ui/tray/panel/TrayActions.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTest>

namespace {
// Fonts are drawn without antialiasing here, so the pixel farthest from the background is the
// text's own colour over it; the background is the commonest colour of the area.
double measuredContrast(const QImage &image, const QRegion &area)
{
    QHash<QRgb, int> counts;
    for (const QRect &rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                ++counts[image.pixel(x, y) | 0xff000000];
        }
    }
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most)
            std::tie(background, most) = std::pair(it.key(), it.value());
    }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, NamedColors::contrast(QColor(it.key()), QColor(background)));
    return best;
}

// The ratio a widget's content needs, and a name for the report; none for widgets without text.
std::optional<std::pair<double, QString>> requirement(QWidget *widget)
{
    if (qobject_cast<SymbolLabel *>(widget) || qobject_cast<SymbolButton *>(widget))
        return std::pair(3.0, QStringLiteral("symbol"));
    QString text;
    if (auto *label = qobject_cast<QLabel *>(widget); label && label->pixmap().isNull())
        text = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        text = button->text();
    else if (auto *field = qobject_cast<QLineEdit *>(widget))
        text = field->text().isEmpty() ? field->placeholderText() : field->text();
    else if (auto *picker = qobject_cast<QComboBox *>(widget))
        text = picker->currentText();
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const QFontInfo font(widget->font());
    const bool large = font.pixelSize() >= 24 || (font.pixelSize() >= 19 && font.bold());
    return std::pair(large ? 3.0 : 4.5, text.left(40));
}

// "Class 'text': 2.1 < 4.5" for each text of the window below its ratio.
QStringList unreadable(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    const QImage image = window.grab().toImage();
    QStringList found;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const auto needed = requirement(widget);
        if (!needed || !widget->isVisibleTo(&window))
            continue;
        // Inside the padding, so that rounded corners do not count as ink.
        QRegion area = widget->visibleRegion() & widget->contentsRect();
        for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible())
                area -= child->geometry();
        }
        if (area.isEmpty())
            continue;
        const double ratio = measuredContrast(image, area.translated(widget->mapTo(&window, QPoint())));
        if (ratio < needed->first) {
            found << QStringLiteral("%1 '%2': %3 < %4")
                         .arg(widget->metaObject()->className(), needed->second)
                         .arg(ratio, 0, 'f', 2)
                         .arg(needed->first);
        }
    }
    // The task rows are painted: each of their parts is measured where the row lays it out.
    for (TaskListView *list : window.findChildren<TaskListView *>()) {
        for (int row = 0; row < list->taskModel().rowCount() && list->isVisibleTo(&window); ++row) {
            const TaskRowLayout parts = list->rowLayout(row);
            const QString title = list->taskModel().item(row).title.left(40);
            for (const auto &[area, needed, name] : {std::tuple(parts.title, 4.5, title),
                                                     std::tuple(parts.focusText, 4.5, QStringLiteral("focus time")),
                                                     std::tuple(parts.completion, 4.5, QStringLiteral("completed")),
                                                     std::tuple(parts.badge, 4.5, QStringLiteral("ACTIVE")),
                                                     std::tuple(parts.statusMark, 3.0, QStringLiteral("mark")),
                                                     std::tuple(parts.clock, 3.0, QStringLiteral("clock"))}) {
                if (area.isEmpty())
                    continue;
                const QRect inWindow(list->viewport()->mapTo(&window, area.topLeft()), area.size());
                if (const double ratio = measuredContrast(image, QRegion(inWindow)); ratio < needed)
                    found << QStringLiteral("row '%1': %2 < %3").arg(name).arg(ratio, 0, 'f', 2).arg(needed);
            }
        }
    }
    return found;
}

QStringList unreadableEntries(QMenu &menu)
{
    menu.popup(QPoint(0, 0));
    QApplication::processEvents();
    const QImage image = menu.grab().toImage();
    QStringList found;
    for (QAction *action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        // The text only: the icons (the status dot) keep their own colours.
        const int iconColumn = menu.style()->pixelMetric(QStyle::PM_SmallIconSize) + 12;
        const double ratio =
            measuredContrast(image, QRegion(menu.actionGeometry(action).adjusted(iconColumn, 0, 0, 0)));
        if (ratio < 4.5)
            found << QStringLiteral("entry '%1': %2 < 4.5").arg(action->text()).arg(ratio, 0, 'f', 2);
    }
    menu.hide();
    return found;
}
} // namespace

class ContrastTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SampleScreens::setUpApplication(QFont::NoAntialias); }

    void everyTextIsReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("screen");
        for (const bool dark : {false, true}) {
            for (const char *screen : {"Focus", "Done", "Stats", "Settings", "panel", "menu", "onboarding", "about"})
                QTest::addRow("%s %s", dark ? "dark" : "light", screen) << dark << QString::fromLatin1(screen);
        }
    }
    void everyTextIsReadable()
    {
        QFETCH(bool, dark);
        QFETCH(QString, screen);
        QApplication::setPalette(dark ? SampleScreens::darkPalette() : SampleScreens::lightPalette());
        const QDate today(2026, 3, 14);
        FakeApp app(onboarded, Instant::fromDateTime(QDateTime(today, QTime(15, 40))));
        SampleScreens::generateWeek(app.stats, today, app.fake.mainLoop.now());
        app.startPresent();
        app.addCurrentTask(QStringLiteral("Review pull requests")); // some focus time, then not current
        app.work(90);
        app.addCurrentTask(QStringLiteral("Write the quarterly report"));
        app.todos.setStatus(app.addTask(QStringLiteral("Reply to emails")), TodoStatus::done);
        const ViewFactories factories = screenFactories(app.appState, app.fake.platform());
        QStringList found;
        if (screen == "panel") {
            TrayActions actions(app.appState, app.fake.desktop, {});
            MenuBarView panel(app.appState, app.timer(), actions);
            panel.setAttribute(Qt::WA_DeleteOnClose, false);
            panel.popUp(QRect(500, 2, 1, 1), QRect(0, 0, 1024, 28));
            found = unreadable(panel);
        } else if (screen == "menu") {
            TrayMenu tray(
                [&app] {
                    return MenuBarPanelModel::make(
                        ViewInputs::panel(app.appState));
                },
                [](MenuBarPanelModel::Action) {});
            found = unreadableEntries(tray.menu());
        } else if (screen == "onboarding") {
            for (const auto step :
                 {OnboardingStep::welcome, OnboardingStep::accessibility, OnboardingStep::intervals}) {
                OnboardingView onboarding({app.settings, app.appState, app.fake.platform()}, false, {});
                onboarding.showStep(step);
                found += unreadable(onboarding);
            }
        } else if (screen == "about") {
            AboutWindow about(factories.about);
            found = unreadable(about);
        } else {
            MainWindow window(app.appState, app.fake.platform(), factories);
            window.resize(900, 760);
            const auto section = std::find_if(kAllAppSections.begin(), kAllAppSections.end(),
                                              [&screen](AppSection s) { return rawValue(s) == screen; });
            app.appState.setSelectedSection(section == kAllAppSections.end() ? AppSection::focus : *section);
            if (screen == "Done")
                window.findChild<FocusTaskCard *>()->setShowingDone(true);
            found = unreadable(window);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(ContrastTest)
#include "tst_contrast.moc"
