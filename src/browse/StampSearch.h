#pragma once

#include "store/FetchedRows.h"

#include <QString>
#include <vector>

// The search of a list of stamps: plain substring containment of the search text in one
// attribute. The searched text of every row is built once per fetch, from the value the fetch
// carried, and kept in one compact buffer, so a keystroke reads no record objects.
class StampSearch
{
public:
    enum class Attribute
    {
        // Case-insensitive; a stamp without a denomination never matches.
        Denomination,
        // In the year as a plain decimal integer (1962, 0, -5).
        Year,
        // Case-insensitive; a stamp without a Scott number, or with an empty one, never matches.
        ScottNumber,
        // In the value's float text (12.5, 3.0, 1e-05).
        Value,
    };
    // The attribute's name in the store: the key the fetch carries for the search.
    static QString key(Attribute attribute);
    // The text a stored value of the attribute is searched in.
    static QString searchedText(Attribute attribute, const QVariant& value);

    // The rows of `rows` whose attribute (carried at `column` by their fetch) contains `text`, in
    // their order. A text that extends the previous search of the same list filters the previous
    // result instead of the whole list.
    FetchedRows matching(const FetchedRows& rows, int column, Attribute attribute,
                         const QString& text);

private:
    // Whether the texts are those of `rows`' fetch, attribute and column.
    bool indexes(const FetchedRows& rows, int column, Attribute attribute) const;
    void index(const FetchedRows& rows, int column, Attribute attribute);
    QStringView textAt(qint32 position) const;

    FetchedRows m_indexed;
    int m_column = -1;
    Attribute m_attribute = Attribute::Denomination;
    // Every row's text one after the other, by position in the fetch.
    QString m_texts;
    std::vector<qsizetype> m_offsets;
    quint64 m_indexedAtChange = 0;

    // The previous search: the list searched, the text and its result.
    FetchedRows m_searched;
    QString m_searchedText;
    FetchedRows m_result;
};
