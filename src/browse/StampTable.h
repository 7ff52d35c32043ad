#pragma once

#include <QList>
#include <QString>
#include <QTableView>

class UserDefaults;

// A table of stamps (a StampRowModel's columns, its card column hidden): columns resized, moved
// and hidden from the header's menu, their arrangement kept in the user defaults under the
// list's own key; a header click asks for a sort by that column, a second click for the other
// direction; a double click, Return or Enter opens a row.
class StampTable final : public QTableView
{
    Q_OBJECT

public:
    StampTable(UserDefaults& defaults, const QString& stateKey, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Shows the order without asking for it again.
    void showSortIndicator(int column, bool ascending);
    // The selected rows, top to bottom.
    QList<int> selectedRows() const;
    // The columns shown, in the order shown, without the picture.
    QList<int> shownTextColumns() const;
    // The header's menu of columns.
    void showColumnMenu(const QPoint& globalPosition);

Q_SIGNALS:
    void sortRequested(int column, bool ascending);
    void rowOpened(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void keepArrangement();
    void restoreArrangement();

    UserDefaults& m_defaults;
    QString m_stateKey;
    bool m_restoring = false;
};
