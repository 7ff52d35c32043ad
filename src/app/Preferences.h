#pragma once

#include "store/Predicate.h"

#include <QString>

class UserDefaults;

// The collector's choices of the Settings screen, kept in the user defaults beside the store.
// Each default keeps Vellora as it always was.
class Preferences final
{
public:
    explicit Preferences(UserDefaults& defaults) : m_defaults(defaults) {}

    // Scott numbers as catalogues order them ("1, 1A, 2, 10") instead of by code point
    // ("1, 10, 1A, 2"), wherever stamps or their numbers are sorted by Scott number.
    bool catalogueScottOrder() const;
    void setCatalogueScottOrder(bool on);

    // How many backups of the store an import keeps, counting the one it makes.
    static constexpr int DefaultBackupsKept = 5;
    static constexpr int FewestBackupsKept = 1;
    static constexpr int MostBackupsKept = 100;
    int backupsKept() const;
    void setBackupsKept(int count);

    // Sorting by `key` the way the collector chose: the Scott number in catalogue order when
    // that is on, everything else as always.
    SortDescriptor sortBy(const QString& key, bool ascending) const;
    // Whether `a` sorts before `b`, two values of `key` as texts.
    bool textLessThan(const QString& key, const QString& a, const QString& b) const;

    // Lists of stamps as a table of columns or as cards; automatically a table where the list
    // is at least TableWidth wide.
    enum class ListLayout
    {
        Automatic,
        Table,
        Cards
    };
    static constexpr int TableWidth = 900;
    ListLayout listLayout() const;
    void setListLayout(ListLayout layout);
    bool showsTable(int listWidth) const;

private:
    bool catalogueOrderFor(const QString& key) const;

    UserDefaults& m_defaults;
};
