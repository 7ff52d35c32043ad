#include "browse/GroupValueModel.h"

#include "platform/gui/TextRowDelegate.h"

#include <QFont>
#include <QSize>

GroupValueModel::GroupValueModel(std::function<qint64(const QString&)> count, QObject* parent)
    : QAbstractListModel(parent), m_count(std::move(count))
{}

void GroupValueModel::setValues(const QStringList& values)
{
    beginResetModel();
    m_values = values;
    m_counts = QList<qint64>(values.size(), -1);
    endResetModel();
}

void GroupValueModel::recount()
{
    m_counts.fill(-1);
    if (!m_values.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_values.size()) - 1), {CountRole});
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
    case CountRole: {
        // A count is a query of the store: once per row, not at every paint.
        qint64& count = m_counts[index.row()];
        if (count < 0)
            count = m_count(m_values.at(index.row()));
        return count;
    }
    case Qt::SizeHintRole:
        return QSize(0, TextRowDelegate::rowHeight(RowHeight, QFont()));
    default:
        return {};
    }
}
