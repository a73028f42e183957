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
                          "  export     Write the session history (or, with --tasks, the tasks) as CSV or JSON.\n"
                          "             Reads the data files; Pelmix need not be running.\n");
}

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral("Usage: pelmix [--help] [--version]\n"
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
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("export: write to this file instead of standard output."),
                                    QStringLiteral("file"));
    parser.addOptions({help, version, format, tasks, from, to, output});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("export, or none."));

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
        for (const auto *exportOnly : {&format, &tasks, &from, &to, &output}) {
            if (parser.isSet(*exportOnly))
                return fail(QStringLiteral("--%1 belongs to a command").arg(exportOnly->names().constLast()));
        }
        return result;
    }
    if (positional.size() > 1 || positional.first() != QLatin1String("export"))
        return fail(QStringLiteral("unknown command: %1").arg(positional.join(QLatin1Char(' '))));

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
