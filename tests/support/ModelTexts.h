#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// The texts a list shows in one role, top to bottom, as a collector reads them.
inline QStringList column(const QAbstractItemModel* model, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->data(model->index(row, 0), role).toString();
    return texts;
}
