#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// A fetch condition: the AND of equality tests between an attribute and a value. Made from the
// formats the screens use, "key = %@", "key == %@" or "key=%@" (one and the same test), and
// combined with andPredicate. A format that is not of that form gives an invalid predicate, and a
// fetch with it fails with errorString().
class Predicate
{
public:
    struct Comparison
    {
        QString key;
        // An invalid value stands for "absent"; texts, numbers and number texts are compared as
        // described in ObjectContext.
        QVariant value;
    };

    Predicate() = default;
    static Predicate format(const QString& format, const QVariantList& arguments);
    static Predicate format(const QString& format, const QVariant& argument)
    {
        return Predicate::format(format, QVariantList{argument});
    }
    static Predicate andPredicate(const QList<Predicate>& parts);

    bool isValid() const { return m_error.isEmpty(); }
    const QString& errorString() const { return m_error; }
    // Empty for a predicate that every object meets.
    const QList<Comparison>& comparisons() const { return m_comparisons; }

private:
    QList<Comparison> m_comparisons;
    QString m_error;
};

// How the texts of a sort key are ordered: by code point, as SQLite's binary collation does, or
// as catalogues order Scott numbers (CatalogueOrder).
enum class TextOrdering
{
    CodePoint,
    Catalogue
};

struct SortDescriptor
{
    QString key;
    bool ascending = true;
    TextOrdering ordering = TextOrdering::CodePoint;
};

struct FetchRequest
{
    QString entityName;
    Predicate predicate;
    // The first descriptor is the most significant; none means the order of insertion.
    QList<SortDescriptor> sortDescriptors;
};
