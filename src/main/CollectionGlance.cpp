#include "main/CollectionGlance.h"

#include "platform/core/CurrencyText.h"
#include "stamps/StampName.h"
#include "store/Entities.h"
#include "store/FetchedRows.h"
#include "store/ObjectContext.h"
#include "valuation/CollectionValue.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QVBoxLayout>

CollectionGlance::CollectionGlance(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CollectionGlance"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(tr("Your Collection"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("GlanceFiguresLabel"));
    m_figures->setTextFormat(Qt::PlainText);
    layout->addWidget(m_figures);
    auto* recentHeading = new QLabel(tr("Added last"), this);
    recentHeading->setFont(bold);
    layout->addWidget(recentHeading);
    m_recent = new QListWidget(this);
    m_recent->setObjectName(QStringLiteral("RecentStampsList"));
    m_recent->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_recent->setTextElideMode(Qt::ElideRight);
    recentHeading->setBuddy(m_recent);
    connect(m_recent, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = m_recent->row(item);
        if (row >= 0 && row < m_stamps.size())
            Q_EMIT stampChosen(m_stamps.at(row));
    });
    // As tall as its five rows, not the whole window.
    const int rowHeight = m_recent->fontMetrics().height() + 6;
    m_recent->setMaximumHeight(rowHeight * RecentCount + 2 * m_recent->frameWidth() + 4);
    layout->addWidget(m_recent);
    layout->addStretch(1);
}

void CollectionGlance::refresh(ObjectContext& context)
{
    m_recent->clear();
    m_stamps.clear();
    const StoreResult<CollectionValue> totals = CollectionValue::of(context);
    // In the order of insertion: the last rows are the stamps added last.
    StoreResult<FetchedRows> rows =
        totals ? context.fetchRows({QString::fromLatin1(Stamps::EntityName), {}, {}})
               : StoreResult<FetchedRows>(Failure{totals.error()});
    if (!rows) {
        m_figures->setText(
            tr("The collection could not be read: %1").arg(rows.error().description));
        return;
    }
    m_figures->setText(
        tr("%1 stamps held, worth %2")
            .arg(QLocale().toString(totals->stampsHeld), currencyText(totals->value)));
    for (qsizetype row = rows->size() - 1; row >= 0 && m_stamps.size() < RecentCount; --row) {
        if (Stamps* stamp = rows->at<Stamps>(row)) {
            m_stamps.append(stamp);
            const QString name = StampName::of(*stamp);
            m_recent->addItem(name.isEmpty() ? tr("A stamp without a name") : name);
        }
    }
    if (m_stamps.isEmpty())
        m_recent->addItem(tr("No stamps yet"));
}
