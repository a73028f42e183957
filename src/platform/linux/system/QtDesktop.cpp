#include "QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

int QtDesktop::runModalAlert(const AlertRequest &request)
{
    QMessageBox box;
    box.setIcon(request.warningStyle ? QMessageBox::Warning : QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("Pelmix"));
    box.setText(request.messageText);
    box.setInformativeText(request.informativeText);
    QList<QAbstractButton *> buttons;
    for (const QString &title : request.buttons)
        buttons.append(box.addButton(title, buttons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    box.exec();
    const auto index = buttons.indexOf(box.clickedButton());
    return kFirstButton + static_cast<int>(index < 0 ? buttons.size() - 1 : index);
}

void QtDesktop::openUrl(const QUrl &url) { QDesktopServices::openUrl(url); }

std::optional<QString> QtDesktop::askSaveFileName(const QString &title, const QString &suggestedName,
                                                  const QStringList &filters)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen =
        QFileDialog::getSaveFileName(nullptr, title, QDir(folder).filePath(suggestedName), filters.join(";;"));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

void QtDesktop::activateIgnoringOtherApps()
{
    if (m_activationHandler)
        m_activationHandler();
}

void QtDesktop::terminate() { QCoreApplication::quit(); }

void QtDesktop::setActivationHandler(std::function<void()> handler) { m_activationHandler = std::move(handler); }
