#include "browse/GroupValueModel.h"

#include "platform/gui/TextRowDelegate.h"

#include <QFont>
#include <QLocale>
#include <QSize>

GroupValueModel::GroupValueModel(std::function<Totals(const QString&)> totals, QObject* parent)
    : QAbstractListModel(parent), m_totals(std::move(totals))
{}

void GroupValueModel::setValues(const QStringList& values)
{
    beginResetModel();
    m_values = values;
    m_read = QList<std::optional<Totals>>(values.size());
    endResetModel();
}

void GroupValueModel::recount()
{
    m_read.fill(std::nullopt);
    if (!m_values.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_values.size()) - 1),
                           {CountRole, ValueRole, TotalsTextRole});
}

int GroupValueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_values.size());
}

const GroupValueModel::Totals& GroupValueModel::totalsOf(int row) const
{
    // The totals are a query of the store: once per row, not at every paint.
    std::optional<Totals>& read = m_read[row];
    if (!read)
        read = m_totals(m_values.at(row));
    return *read;
}

QVariant GroupValueModel::data(const QModelIndex& index, int role) const
{
    if (index.parent().isValid() || index.row() < 0 || index.row() >= m_values.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_values.at(index.row());
    case CountRole:
        return totalsOf(index.row()).stamps;
    case ValueRole:
        return totalsOf(index.row()).value;
    case TotalsTextRole: {
        const Totals& totals = totalsOf(index.row());
        const QLocale locale;
        // Records, as the count has always been: a stamp held in five copies is one stamp.
        const QString stamps = totals.stamps == 1
                                   ? tr("%1 stamp").arg(locale.toString(totals.stamps))
                                   : tr("%1 stamps").arg(locale.toString(totals.stamps));
        return tr("%1 — %2").arg(stamps, locale.toString(totals.value, 'f', 2));
    }
    case Qt::SizeHintRole:
        return QSize(0, TextRowDelegate::rowHeight(RowHeight, QFont()));
    default:
        return {};
    }
}
