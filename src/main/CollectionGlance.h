#pragma once

#include <QWidget>

class ObjectContext;
class QLabel;
class QListWidget;
class Stamps;

// The collection at a glance, beside the main menu: the stamps held and their value, added up by
// the store, and the last five stamps added, newest first; activating one asks to open it.
class CollectionGlance final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RecentCount = 5;

    explicit CollectionGlance(QWidget* parent = nullptr);

    // Reads the figures and the recent stamps again. A store that cannot be read leaves the
    // figures saying so; the screens tell the collector.
    void refresh(ObjectContext& context);

    QListWidget* recentList() const { return m_recent; }
    QLabel* figures() const { return m_figures; }

Q_SIGNALS:
    void stampChosen(Stamps* stamp);

private:
    QLabel* m_figures;
    QListWidget* m_recent;
    QList<Stamps*> m_stamps;
};
