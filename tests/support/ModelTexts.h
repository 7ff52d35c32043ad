#pragma once

#include <QAbstractItemModel>
#include <QRegularExpression>
#include <QStringList>

// The texts a list shows in one role, top to bottom, as a collector reads them.
inline QStringList column(const QAbstractItemModel* model, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->data(model->index(row, 0), role).toString();
    return texts;
}

// The denominations a report's text lists, in its order.
inline QStringList denominationsIn(const QString& report)
{
    QStringList found;
    static const QRegularExpression line(QStringLiteral("Denomination: (\\w+)"));
    for (const QRegularExpressionMatch& match : line.globalMatch(report))
        found << match.captured(1);
    return found;
}
