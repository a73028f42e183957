#include "CommandLine.h"

#include "export/HistoryExport.h"

#include <QCommandLineParser>

namespace {

QString helpText(QCommandLineParser &parser)
{
    QString text = parser.helpText();
    text.replace(text.left(text.indexOf(QLatin1Char('\n'))), QStringLiteral("Usage: pelmix [options] [command]"));
    return text +
           QStringLiteral("\nCommands:\n"
                          "  (none)     Start Pelmix, or show the one already running.\n"
                          "  status     How the running Pelmix stands (--json for status bars, --follow for a line\n"
                          "             at each change).\n"
                          "  break      Take the break now.\n"
                          "  snooze     Hold the reminders for MINUTES (1 to 240; 30 when left out).\n"
                          "  show       Open a section: focus, stats, settings or about.\n"
                          "  quit       Quit the running Pelmix, recording the open session.\n"
                          "  export     Write the session history (or, with --tasks, the tasks) as CSV or JSON.\n"
                          "             Reads the data files; Pelmix need not be running.\n");
}

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral("Usage: pelmix [--help] [--version]\n"
                          "       pelmix status [--json] [--follow] | break | snooze [MINUTES] | show SECTION | quit\n"
                          "       pelmix export [--format csv|json] [--tasks] [--from DATE] [--to DATE] "
                          "[--output FILE]\n");
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Pelmix, a break reminder that counts only the time you work."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("export: csv (the default) or json."),
                                    QStringLiteral("format"), QStringLiteral("csv"));
    const QCommandLineOption tasks(QStringLiteral("tasks"), QStringLiteral("export: the tasks and their focus time."));
    const QCommandLineOption from(
        QStringLiteral("from"), QStringLiteral("export: sessions from this day (YYYY-MM-DD)."), QStringLiteral("date"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("export: sessions up to this day (YYYY-MM-DD)."),
                                QStringLiteral("date"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("status: one JSON object, as waybar reads."));
    const QCommandLineOption follow(QStringLiteral("follow"), QStringLiteral("status: a new line at each change."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("export: write to this file instead of standard output."),
                                    QStringLiteral("file"));
    parser.addOptions({help, version, format, tasks, from, to, output, json, follow});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("status, break, snooze [MINUTES], show SECTION, quit, export, or none."));

    CommandLine result;
    const auto fail = [&result](const QString &message, Action action = Action::usageError) {
        result.action = action;
        result.message = message;
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.action = Action::help;
        result.message = helpText(parser);
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Action::version;
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        for (const auto *exportOnly : {&format, &tasks, &from, &to, &output, &json, &follow}) {
            if (parser.isSet(*exportOnly))
                return fail(QStringLiteral("--%1 belongs to a command").arg(exportOnly->names().constLast()));
        }
        return result;
    }
    const QString name = positional.first();
    static const QStringList clientCommands{QStringLiteral("status"), QStringLiteral("break"), QStringLiteral("snooze"),
                                            QStringLiteral("show"), QStringLiteral("quit")};
    if (clientCommands.contains(name)) {
        const qsizetype arguments = name == QLatin1String("show") ? 1 : name == QLatin1String("snooze") ? -1 : 0;
        if ((arguments >= 0 && positional.size() != arguments + 1) || positional.size() > 2)
            return fail(QStringLiteral("%1 takes %2").arg(name, arguments == 1 ? "a section" : "no such argument"));
        for (const auto *exportOnly : {&format, &tasks, &from, &to, &output}) {
            if (parser.isSet(*exportOnly))
                return fail(QStringLiteral("--%1 belongs to export").arg(exportOnly->names().constLast()));
        }
        if (name != QLatin1String("status") && (parser.isSet(json) || parser.isSet(follow)))
            return fail(QStringLiteral("--json and --follow belong to status"));
        result.action = Action::client;
        result.client = name;
        result.json = parser.isSet(json);
        result.follow = parser.isSet(follow);
        if (name == QLatin1String("show"))
            result.section = positional.at(1);
        if (name == QLatin1String("snooze") && positional.size() == 2) {
            bool number = false;
            result.minutes = positional.at(1).toInt(&number);
            if (!number || result.minutes < 1 || result.minutes > 240)
                return fail(QStringLiteral("snooze takes 1 to 240 minutes"), Action::badValue);
        }
        return result;
    }
    if (positional.size() > 1 || name != QLatin1String("export"))
        return fail(QStringLiteral("unknown command: %1").arg(positional.join(QLatin1Char(' '))));
    if (parser.isSet(json) || parser.isSet(follow))
        return fail(QStringLiteral("--json and --follow belong to status"));

    result.action = Action::exportData;
    result.format = parser.value(format);
    if (!HistoryExport::formatNamed(result.format))
        return fail(QStringLiteral("unknown format: %1 (csv or json)").arg(result.format), Action::badValue);
    result.tasks = parser.isSet(tasks);
    result.output = parser.value(output);
    for (const auto &[option, target] : {std::pair{&from, &result.from}, std::pair{&to, &result.to}}) {
        if (!parser.isSet(*option))
            continue;
        const QDate day = QDate::fromString(parser.value(*option), Qt::ISODate);
        if (!day.isValid())
            return fail(QStringLiteral("not a date: %1 (YYYY-MM-DD)").arg(parser.value(*option)), Action::badValue);
        *target = day;
    }
    return result;
}
