#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <functional>

// The rows of a group summary: a key value and its record count, counted when the row is first
// shown and kept until the values or the stamps change.
class GroupValueModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        CountRole = Qt::UserRole + 1
    };
    // The usual height; taller when the font needs it.
    static constexpr int RowHeight = 80;

    GroupValueModel(std::function<qint64(const QString&)> count, QObject* parent = nullptr);

    void setValues(const QStringList& values);
    // The stamps may have changed: each count is read again when its row next shows.
    void recount();
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::function<qint64(const QString&)> m_count;
    QStringList m_values;
    // By row; -1 while not counted yet.
    mutable QList<qint64> m_counts;
};
