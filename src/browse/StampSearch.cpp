#include "browse/StampSearch.h"

#include "store/NumberText.h"
#include "store/ObjectContext.h"

namespace {

bool ignoresCase(StampSearch::Attribute attribute)
{
    return attribute == StampSearch::Attribute::Denomination ||
           attribute == StampSearch::Attribute::ScottNumber;
}

} // namespace

QString StampSearch::key(Attribute attribute)
{
    switch (attribute) {
    case Attribute::Denomination:
        return QStringLiteral("denomination");
    case Attribute::Year:
        return QStringLiteral("yearOfIssue");
    case Attribute::ScottNumber:
        return QStringLiteral("scottNumber");
    case Attribute::Value:
        return QStringLiteral("value");
    }
    return {};
}

QString StampSearch::searchedText(Attribute attribute, const QVariant& value)
{
    switch (attribute) {
    // An absent or empty text holds no search text: it never matches.
    case Attribute::Denomination:
    case Attribute::ScottNumber:
        return value.isValid() ? value.toString().toLower() : QString();
    case Attribute::Year:
        return QString::number(value.toInt());
    case Attribute::Value:
        return NumberText::floatText(value.toFloat());
    }
    return {};
}

bool StampSearch::indexes(const FetchedRows& rows, int column, Attribute attribute) const
{
    return rows.sharesFetchWith(m_indexed) && column == m_column && attribute == m_attribute &&
           rows.context()->changeCount() == m_indexedAtChange;
}

void StampSearch::index(const FetchedRows& rows, int column, Attribute attribute)
{
    m_indexed = rows;
    m_column = column;
    m_attribute = attribute;
    m_indexedAtChange = rows.context() ? rows.context()->changeCount() : 0;
    m_texts.clear();
    m_offsets.assign(1, 0);
    const qsizetype places = rows.fetchSize();
    m_offsets.reserve(size_t(places) + 1);
    for (qint32 place = 0; place < places; ++place) {
        // The current value of a row changed since the fetch, the fetched one of the others.
        m_texts += searchedText(attribute, rows.valueAt(place, column));
        m_offsets.push_back(m_texts.size());
    }
    m_searched = {};
}

QStringView StampSearch::textAt(qint32 place) const
{
    const auto first = m_offsets[size_t(place)];
    return QStringView(m_texts).mid(first, m_offsets[size_t(place) + 1] - first);
}

FetchedRows StampSearch::matching(const FetchedRows& rows, int column, Attribute attribute,
                                  const QString& text)
{
    if (rows.isEmpty())
        return rows;
    if (!indexes(rows, column, attribute))
        index(rows, column, attribute);
    const QString wanted = ignoresCase(attribute) ? text.toLower() : text;
    // Every row that contains the longer text contains the shorter one: only the previous
    // matches need a look.
    const bool extends =
        !m_searchedText.isEmpty() && wanted.contains(m_searchedText) && m_searched.sameRows(rows);
    const FetchedRows& candidates = extends ? m_result : rows;
    std::vector<qsizetype> matches;
    for (qsizetype row = 0; row < candidates.size(); ++row) {
        if (textAt(candidates.placeOf(row)).contains(wanted))
            matches.push_back(row);
    }
    m_searched = rows;
    m_searchedText = wanted;
    m_result = candidates.subset(matches);
    return m_result;
}
