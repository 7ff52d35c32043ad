#include "reference/ReferenceEntryModel.h"

#include "platform/gui/TextRowDelegate.h"
#include "store/ManagedObject.h"

#include <QFont>
#include <QSize>

void ReferenceEntryModel::setEntries(const QList<ManagedObject*>& entries)
{
    if (entries == m_entries) {
        if (!m_entries.isEmpty())
            Q_EMIT dataChanged(index(0), index(int(m_entries.size()) - 1));
        return;
    }
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

void ReferenceEntryModel::removeEntryAt(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
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
        return QSize(0, TextRowDelegate::rowHeight(RowHeight, QFont()));
    return {};
}
