#include "DataNoticeBar.h"

#include "storage/DataFile.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DataNoticeBar::DataNoticeBar(const DataFile &file, Notices notices, QWidget *parent)
    : QWidget(parent),
      m_notices(std::move(notices)),
      m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("dataNotices"));
    m_column->setContentsMargins(0, 0, 0, 8);
    connect(&file, &DataFile::problemsChanged, this, &DataNoticeBar::refresh);
    refresh();
}

void DataNoticeBar::refresh()
{
    const QList<DataNotice> notices = m_notices();
    while (QLayoutItem *item = m_column->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const DataNotice &notice : notices) {
        auto *row = new QWidget(this);
        auto *layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(10);
        layout->addWidget(new SymbolLabel(QStringLiteral("exclamationmark.circle.fill"), 18, ColorRole::orange, row), 0,
                          Qt::AlignTop);
        auto *text = new QLabel(
            QStringLiteral("<b>%1</b><br>%2").arg(notice.title.toHtmlEscaped(), notice.body.toHtmlEscaped()), row);
        text->setWordWrap(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setFont(Fonts::system(13));
        layout->addWidget(text, 1);
        auto *open = new QPushButton(QStringLiteral("Open Folder"), row);
        connect(open, &QPushButton::clicked, this,
                [this, folder = notice.folder] { emit openFolderRequested(folder); });
        layout->addWidget(open, 0, Qt::AlignTop);
        m_column->addWidget(row);
    }
    setVisible(!notices.isEmpty());
}
