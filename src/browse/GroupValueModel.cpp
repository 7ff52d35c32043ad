#include "browse/GroupValueModel.h"

#include <QSize>

GroupValueModel::GroupValueModel(std::function<qint64(const QString&)> count, QObject* parent)
    : QAbstractListModel(parent), m_count(std::move(count))
{}

void GroupValueModel::setValues(const QStringList& values)
{
    beginResetModel();
    m_values = values;
    endResetModel();
}

int GroupValueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_values.size());
}

QVariant GroupValueModel::data(const QModelIndex& index, int role) const
{
    if (index.parent().isValid() || index.row() < 0 || index.row() >= m_values.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_values.at(index.row());
    case CountRole:
        // Not cached: the count always shows the store as it is now.
        return m_count(m_values.at(index.row()));
    case Qt::SizeHintRole:
        return QSize(0, RowHeight);
    default:
        return {};
    }
}
