#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <functional>

// The rows of a group summary: a key value and, read when the row is shown, its record count.
class GroupValueModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        CountRole = Qt::UserRole + 1
    };
    static constexpr int RowHeight = 80;

    GroupValueModel(std::function<qint64(const QString&)> count, QObject* parent = nullptr);

    void setValues(const QStringList& values);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::function<qint64(const QString&)> m_count;
    QStringList m_values;
};
