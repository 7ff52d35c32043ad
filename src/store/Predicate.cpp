#include "store/Predicate.h"

#include <QRegularExpression>

Predicate Predicate::format(const QString& format, const QVariantList& arguments)
{
    static const QRegularExpression equality(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*==?\s*%@\s*$)"));
    Predicate predicate;
    const QRegularExpressionMatch match = equality.match(format);
    if (!match.hasMatch()) {
        predicate.m_error = QStringLiteral("Unsupported predicate format \"%1\"").arg(format);
    } else if (arguments.size() != 1) {
        predicate.m_error = QStringLiteral("Predicate \"%1\" takes one argument, %2 given")
                                .arg(format)
                                .arg(arguments.size());
    } else {
        predicate.m_comparisons.append({match.captured(1), arguments.first()});
    }
    return predicate;
}

Predicate Predicate::andPredicate(const QList<Predicate>& parts)
{
    Predicate predicate;
    for (const Predicate& part : parts) {
        if (!part.isValid()) {
            predicate.m_error = part.errorString();
            predicate.m_comparisons.clear();
            break;
        }
        predicate.m_comparisons.append(part.comparisons());
    }
    return predicate;
}
