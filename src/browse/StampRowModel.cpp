#include "browse/StampRowModel.h"

#include "browse/StampColumns.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>

namespace {

// Enough for a few screens of rows; older pictures are decoded again if scrolled back to.
constexpr int DecodedPicturesKept = 300;

} // namespace

StampRowModel::StampRowModel(const Pictures& pictures, Formatter formatter, Shape shape,
                             QObject* parent)
    : QAbstractTableModel(parent), m_pictures(pictures), m_formatter(std::move(formatter)),
      m_shape(shape), m_decoded(DecodedPicturesKept), m_thumbnails(DecodedPicturesKept)
{}

void StampRowModel::setStamps(const FetchedRows& stamps)
{
    if (stamps.sameRows(m_stamps)) {
        m_stamps = stamps;
        reload();
        return;
    }
    beginResetModel();
    m_stamps = stamps;
    m_decoded.clear();
    m_thumbnails.clear();
    endResetModel();
}

void StampRowModel::removeStampAt(int row)
{
    if (row < 0 || row >= m_stamps.size())
        return;
    beginRemoveRows({}, row, row);
    const Stamps* stamp = m_stamps.at<Stamps>(row);
    m_decoded.remove(stamp);
    m_thumbnails.remove(stamp);
    m_stamps.removeAt(row);
    endRemoveRows();
}

void StampRowModel::removeStampsAt(const QList<int>& rows)
{
    // From the bottom up, a run of neighbouring rows at a time, so the rows above stay in place.
    for (qsizetype end = rows.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && rows.at(start - 1) == rows.at(start) - 1)
            --start;
        const int first = rows.at(start);
        const int last = rows.at(end - 1);
        end = start;
        if (first < 0 || last >= m_stamps.size())
            continue;
        beginRemoveRows({}, first, last);
        for (int row = last; row >= first; --row) {
            const Stamps* stamp = m_stamps.at<Stamps>(row);
            m_decoded.remove(stamp);
            m_thumbnails.remove(stamp);
            m_stamps.removeAt(row);
        }
        endRemoveRows();
    }
}

void StampRowModel::reload()
{
    m_decoded.clear();
    m_thumbnails.clear();
    if (!m_stamps.isEmpty())
        rowsChanged(0, int(m_stamps.size()) - 1);
}

void StampRowModel::rowsChanged(int first, int last)
{
    Q_EMIT dataChanged(index(first, 0), index(last, StampColumns::Count - 1));
}

int StampRowModel::rowHeight(const QFont& font) const
{
    QFont bold = font;
    bold.setBold(true);
    const int lines = QFontMetrics(bold).height() +
                      std::max(0, m_shape.lineCount - 1) * QFontMetrics(font).height();
    return std::max(m_shape.rowHeight, lines + 2 * RowMargin);
}

void StampRowModel::refreshStamp(const Stamps* stamp)
{
    const qsizetype row = m_stamps.indexOf(stamp);
    if (row < 0)
        return;
    m_decoded.remove(stamp);
    m_thumbnails.remove(stamp);
    rowsChanged(int(row), int(row));
}

int StampRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_stamps.size());
}

int StampRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : StampColumns::Count;
}

QVariant StampRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return StampColumns::title(section);
    if (role == Qt::TextAlignmentRole && StampColumns::isNumber(section))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant StampRowModel::data(const QModelIndex& index, int role) const
{
    if (index.parent().isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    // A row's size needs no record: asking it of every row makes none.
    if (role == Qt::SizeHintRole)
        return index.column() == StampColumns::Card ? QVariant(QSize(0, rowHeight(QFont())))
                                                    : QVariant();
    if (index.column() != StampColumns::Card && role == Qt::TextAlignmentRole)
        return int((StampColumns::isNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    const Stamps* stamp = stampAt(index.row());
    if (!stamp)
        return {};
    if (index.column() == StampColumns::Picture && role == Qt::DecorationRole)
        return decoded(m_thumbnails, index.row(), ThumbnailSize,
                       qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    if (index.column() != StampColumns::Card) {
        return role == Qt::DisplayRole || role == Qt::ToolTipRole
                   ? QVariant(StampColumns::text(*stamp, index.column()))
                   : QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
    case Label2Role:
    case Label3Role:
    case Label4Role: {
        const RowTexts texts = m_formatter(*stamp);
        return texts[role == Qt::DisplayRole ? 0 : role - Label2Role + 1];
    }
    case LabelsRole: {
        const RowTexts texts = m_formatter(*stamp);
        return QStringList(texts.cbegin(), texts.cbegin() + m_shape.lineCount);
    }
    case Qt::DecorationRole:
        return picture(index.row(), qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    default:
        return {};
    }
}

QImage StampRowModel::picture(int row, qreal devicePixelRatio) const
{
    return decoded(m_decoded, row, m_shape.pictureSize, devicePixelRatio);
}

QImage StampRowModel::decoded(QCache<const Stamps*, Decoded>& cache, int row, QSize size,
                              qreal devicePixelRatio) const
{
    const Stamps* stamp = stampAt(row);
    if (!stamp)
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // A stamp without a picture stays without one at any ratio.
    if (const Decoded* kept = cache.object(stamp);
        kept && (kept->image.isNull() || kept->ratio == ratio))
        return kept->image;
    QImage image;
    if (const std::optional<QByteArray> bytes = stamp->stampImage()) {
        // As many pixels as the screen shows in the picture's place, so it is sharp there.
        const QSize pixels = (QSizeF(size) * ratio).toSize();
        image = m_pictures.decodeScaled(*bytes, pixels);
        image.setDevicePixelRatio(ratio);
    }
    // The bytes are not needed once the row's picture is made.
    const_cast<Stamps*>(stamp)->releaseAttribute(QStringLiteral("stampImage"));
    cache.insert(stamp, new Decoded{image, ratio});
    return image;
}
