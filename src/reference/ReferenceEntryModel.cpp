#include "reference/ReferenceEntryModel.h"

#include "store/ManagedObject.h"

#include <QSize>

void ReferenceEntryModel::setEntries(const QList<ManagedObject*>& entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int ReferenceEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant ReferenceEntryModel::data(const QModelIndex& index, int role) const
{
    if (index.parent().isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_entries.at(index.row())->value(0);
    if (role == Qt::SizeHintRole)
        return QSize(0, RowHeight);
    return {};
}
