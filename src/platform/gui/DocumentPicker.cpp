#include "platform/gui/DocumentPicker.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The folder a dialog opens in: the last one chosen, else the pictures folder, else home.
QString startFolder(const QString& lastFolder)
{
    QString folder = lastFolder;
    if (!QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return folder;
}

// "png" of "PNG picture (*.png)": the ending of the filter's first pattern, if it has one.
QString endingOf(const QString& nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^\\s)*?]+)"));
    return pattern.match(nameFilter).captured(1);
}

// Calls done once with the chosen path when the dialog closes, whether it was accepted,
// cancelled or closed, and remembers the folder; then opens it.
void answerOnce(QFileDialog* dialog, const std::shared_ptr<QString>& lastFolder,
                std::function<void(const QString& path)> done)
{
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [lastFolder, dialog, done = std::move(done)](int result) {
                         QString path;
                         if (result == QDialog::Accepted)
                             path = dialog->selectedFiles().value(0);
                         if (!path.isEmpty())
                             *lastFolder = QFileInfo(path).absolutePath();
                         done(path);
                     });
    dialog->open();
}

} // namespace

void FileDialogDocumentPicker::pickFile(QWidget* parent, const QString& title,
                                        const QStringList& nameFilters,
                                        std::function<void(const QString& path)> done)
{
    openDialog(parent, title, nameFilters, std::move(done));
}

void FileDialogDocumentPicker::pickFileIn(QWidget* parent, const QString& title,
                                          const QString& folder, const QStringList& nameFilters,
                                          std::function<void(const QString& path)> done)
{
    openDialog(parent, title, nameFilters, std::move(done), folder);
}

void FileDialogDocumentPicker::pickFileToSave(QWidget* parent, const QString& title,
                                              const QString& suggestedName,
                                              const QStringList& nameFilters,
                                              std::function<void(const QString& path)> done)
{
    openSaveDialog(parent, title, suggestedName, nameFilters, std::move(done));
}

QFileDialog* FileDialogDocumentPicker::openDialog(QWidget* parent, const QString& title,
                                                  const QStringList& nameFilters,
                                                  std::function<void(const QString& path)> done,
                                                  const QString& folder)
{
    auto* dialog = new QFileDialog(parent, title,
                                   QFileInfo(folder).isDir() ? folder : startFolder(*m_lastFolder));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (!nameFilters.isEmpty())
        dialog->setNameFilters(nameFilters);
    answerOnce(dialog, m_lastFolder, std::move(done));
    return dialog;
}

QFileDialog* FileDialogDocumentPicker::openSaveDialog(QWidget* parent, const QString& title,
                                                      const QString& suggestedName,
                                                      const QStringList& nameFilters,
                                                      std::function<void(const QString& path)> done)
{
    auto* dialog = new QFileDialog(parent, title, startFolder(*m_lastFolder));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    if (!nameFilters.isEmpty()) {
        dialog->setNameFilters(nameFilters);
        dialog->selectNameFilter(nameFilters.first());
        dialog->setDefaultSuffix(endingOf(nameFilters.first()));
        // A name typed without an ending is written in the kind of file the collector chose.
        QObject::connect(
            dialog, &QFileDialog::filterSelected, dialog,
            [dialog](const QString& filter) { dialog->setDefaultSuffix(endingOf(filter)); });
    }
    dialog->selectFile(suggestedName);
    answerOnce(dialog, m_lastFolder, std::move(done));
    return dialog;
}
