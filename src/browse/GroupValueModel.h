#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

// The rows of a group summary: a key value with its record count and value, read together when
// the row is first shown and kept until the values or the stamps change.
class GroupValueModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    // What one group holds: its records (not copies) and their value x quantity.
    struct Totals
    {
        qint64 stamps = 0;
        double value = 0.0;
    };
    enum Role
    {
        CountRole = Qt::UserRole + 1, // the record count
        ValueRole,                    // the value of the group's copies
        TotalsTextRole,               // both, as the row shows them: "288 stamps — 6,392.60"
    };
    // The usual height; taller when the font needs it.
    static constexpr int RowHeight = 80;

    GroupValueModel(std::function<Totals(const QString&)> totals, QObject* parent = nullptr);

    void setValues(const QStringList& values);
    // The stamps may have changed: each row's totals are read again when it next shows.
    void recount();
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const Totals& totalsOf(int row) const;

    std::function<Totals(const QString&)> m_totals;
    QStringList m_values;
    // By row; empty while not read yet.
    mutable QList<std::optional<Totals>> m_read;
};
