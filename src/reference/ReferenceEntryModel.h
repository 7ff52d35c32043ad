#pragma once

#include <QAbstractListModel>

class ManagedObject;

// The rows of a reference list browser: each entry's text, or nothing when it has none.
class ReferenceEntryModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    // The usual height; taller when the font needs it.
    static constexpr int RowHeight = 50;

    using QAbstractListModel::QAbstractListModel;

    // The same entries in the same order are shown again in place, keeping the scroll position
    // and the selection; other entries replace the rows.
    void setEntries(const QList<ManagedObject*>& entries);
    const QList<ManagedObject*>& entries() const { return m_entries; }
    void removeEntryAt(int row);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<ManagedObject*> m_entries;
};
