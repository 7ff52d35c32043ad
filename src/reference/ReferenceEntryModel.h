#pragma once

#include <QAbstractListModel>

class ManagedObject;

// The rows of a reference list browser: each entry's text, or nothing when it has none.
class ReferenceEntryModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 50;

    using QAbstractListModel::QAbstractListModel;

    void setEntries(const QList<ManagedObject*>& entries);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<ManagedObject*> m_entries;
};
