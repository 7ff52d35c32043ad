#include "platform/gui/DocumentPicker.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

void FileDialogDocumentPicker::pickFile(QWidget* parent, const QString& title,
                                        const QStringList& nameFilters,
                                        std::function<void(const QString& path)> done)
{
    openDialog(parent, title, nameFilters, std::move(done));
}

QFileDialog* FileDialogDocumentPicker::openDialog(QWidget* parent, const QString& title,
                                                  const QStringList& nameFilters,
                                                  std::function<void(const QString& path)> done)
{
    QString folder = *m_lastFolder;
    if (!QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    auto* dialog = new QFileDialog(parent, title, folder);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (!nameFilters.isEmpty())
        dialog->setNameFilters(nameFilters);

    // finished comes once, whether the dialog was accepted, cancelled or closed.
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [lastFolder = m_lastFolder, dialog, done = std::move(done)](int result) {
                         QString path;
                         if (result == QDialog::Accepted)
                             path = dialog->selectedFiles().value(0);
                         if (!path.isEmpty())
                             *lastFolder = QFileInfo(path).absolutePath();
                         done(path);
                     });
    dialog->open();
    return dialog;
}
