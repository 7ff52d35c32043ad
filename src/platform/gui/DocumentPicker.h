#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

// Lets the collector choose an existing file, without blocking the screen that asked.
class DocumentPicker
{
public:
    virtual ~DocumentPicker() = default;

    // nameFilters as Qt writes them ("Pictures (*.png *.jpg)"). done is called once, with the
    // chosen local file's path or an empty text when the collector cancelled.
    virtual void pickFile(QWidget* parent, const QString& title, const QStringList& nameFilters,
                          std::function<void(const QString& path)> done) = 0;
    // As pickFile, opening in `folder` (where the files to choose from are kept) instead.
    virtual void pickFileIn(QWidget* parent, const QString& title, const QString& folder,
                            const QStringList& nameFilters,
                            std::function<void(const QString& path)> done) = 0;
    // Lets the collector name a file to write, suggestedName offered. nameFilters as above, each
    // with one ending: a name typed without an ending gets the chosen filter's. done is called
    // once, with the path or an empty text when the collector cancelled.
    virtual void pickFileToSave(QWidget* parent, const QString& title, const QString& suggestedName,
                                const QStringList& nameFilters,
                                std::function<void(const QString& path)> done) = 0;
};

// A file dialog, window-modal over parent. The next dialog opens in the folder of the last file
// chosen, to open or to save.
class FileDialogDocumentPicker final : public DocumentPicker
{
public:
    void pickFile(QWidget* parent, const QString& title, const QStringList& nameFilters,
                  std::function<void(const QString& path)> done) override;
    void pickFileIn(QWidget* parent, const QString& title, const QString& folder,
                    const QStringList& nameFilters,
                    std::function<void(const QString& path)> done) override;

    void pickFileToSave(QWidget* parent, const QString& title, const QString& suggestedName,
                        const QStringList& nameFilters,
                        std::function<void(const QString& path)> done) override;

    // The dialog pickFile shows (pickFileIn, given its folder), opened, and deleted once closed.
    QFileDialog* openDialog(QWidget* parent, const QString& title, const QStringList& nameFilters,
                            std::function<void(const QString& path)> done,
                            const QString& folder = QString());
    // The dialog pickFileToSave shows, likewise.
    QFileDialog* openSaveDialog(QWidget* parent, const QString& title, const QString& suggestedName,
                                const QStringList& nameFilters,
                                std::function<void(const QString& path)> done);

private:
    // Shared with the open dialogs, which may outlive the picker.
    std::shared_ptr<QString> m_lastFolder = std::make_shared<QString>();
};
