#include "JsonArrayAppend.h"

#include "storage/FileReplacement.h"

#include <QFile>

namespace {

constexpr qint64 kCopyPiece = 256 * 1024;
// Other tools may end the file with a newline or indent the closing bracket; not with more.
constexpr qint64 kTailLimit = 4096;

bool isJsonSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Where the array's closing bracket is, and whether anything comes before it.
struct ArrayEnd {
    qint64 closingBracket = -1;
    bool empty = false;
};

ArrayEnd findArrayEnd(QFile &file)
{
    const qint64 tailStart = qMax<qint64>(0, file.size() - kTailLimit);
    if (!file.seek(tailStart))
        return {};
    const QByteArray tail = file.read(kTailLimit);
    qsizetype at = tail.size() - 1;
    while (at >= 0 && isJsonSpace(tail[at]))
        --at;
    if (at < 0 || tail[at] != ']')
        return {};
    ArrayEnd end{tailStart + at, false};
    qsizetype before = at - 1;
    while (before >= 0 && isJsonSpace(tail[before]))
        --before;
    if (before < 0 && tailStart > 0)
        return {};
    end.empty = before < 0 || tail[before] == '[';
    return end;
}

bool copyStart(QFile &file, qint64 length, QIODevice &out, QString &error)
{
    if (!file.seek(0)) {
        error = file.errorString();
        return false;
    }
    QByteArray piece;
    for (qint64 done = 0; done < length;) {
        piece = file.read(qMin(kCopyPiece, length - done));
        if (piece.isEmpty()) {
            error = file.errorString();
            return false;
        }
        if (!writeFully(out, piece.constData(), piece.size(), error))
            return false;
        done += piece.size();
    }
    return true;
}

} // namespace

bool appendToJsonArray(const QString &path, const QByteArray &members, QIODevice &out, QString &error)
{
    QFile file(path);
    if (!file.exists())
        return writeFully(out, "[", 1, error) && writeFully(out, members.constData(), members.size(), error) &&
               writeFully(out, "]", 1, error);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const ArrayEnd end = findArrayEnd(file);
    if (end.closingBracket < 0) {
        error = QStringLiteral("it no longer ends as a list of records");
        return false;
    }
    if (!copyStart(file, end.closingBracket, out, error))
        return false;
    if (members.isEmpty())
        return writeFully(out, "]", 1, error);
    return (end.empty || writeFully(out, ",", 1, error)) &&
           writeFully(out, members.constData(), members.size(), error) && writeFully(out, "]", 1, error);
}
