#pragma once

#include "platform/gui/DocumentPicker.h"

#include <QList>

// Stands in for the file dialogs, to open and to save: answers at once with the file a test chose,
// or a cancel, and keeps what each dialog was asked to show.
class ScriptedDocumentPicker final : public DocumentPicker
{
public:
    // Answers with the next file, then goes back to cancelling.
    void pickFile(QWidget*, const QString& title, const QStringList& nameFilters,
                  std::function<void(const QString& path)> done) override
    {
        m_titles.append(title);
        m_nameFilters.append(nameFilters);
        const QString path = m_nextFile;
        m_nextFile.clear();
        done(path);
    }

    // Answers as pickFile does, and keeps the folder it was to open in.
    void pickFileIn(QWidget* parent, const QString& title, const QString& folder,
                    const QStringList& nameFilters,
                    std::function<void(const QString& path)> done) override
    {
        m_folders.append(folder);
        pickFile(parent, title, nameFilters, std::move(done));
    }

    // Answers as pickFile does, from the same next file.
    void pickFileToSave(QWidget* parent, const QString& title, const QString& suggestedName,
                        const QStringList& nameFilters,
                        std::function<void(const QString& path)> done) override
    {
        m_suggestedNames.append(suggestedName);
        pickFile(parent, title, nameFilters, std::move(done));
    }

    void setNextFile(const QString& path) { m_nextFile = path; }
    void setNextCancel() { m_nextFile.clear(); }

    int pickCount() const { return static_cast<int>(m_titles.size()); }
    const QStringList& titles() const { return m_titles; }
    // The name filters of each dialog, oldest first.
    const QList<QStringList>& nameFilters() const { return m_nameFilters; }
    // The names offered by each dialog to save, oldest first.
    const QStringList& suggestedNames() const { return m_suggestedNames; }
    // The folders that dialogs opening in a given folder were to open in, oldest first.
    const QStringList& folders() const { return m_folders; }

private:
    QString m_nextFile;
    QStringList m_titles;
    QList<QStringList> m_nameFilters;
    QStringList m_suggestedNames;
    QStringList m_folders;
};
