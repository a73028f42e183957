#pragma once

#include "storage/DataNotice.h"

#include <QWidget>

#include <functional>

class DataFile;
class QVBoxLayout;

// The notices about a data file on the screen that shows its content: what went wrong, where
// the file is, and "Open Folder". Hidden while all is well.
class DataNoticeBar : public QWidget {
    Q_OBJECT
public:
    using Notices = std::function<QList<DataNotice>()>;

    DataNoticeBar(const DataFile &file, Notices notices, QWidget *parent = nullptr);

signals:
    void openFolderRequested(const QString &folder);

private:
    void refresh();

    Notices m_notices;
    QVBoxLayout *m_column;
};
