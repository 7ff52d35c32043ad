#include "browse/StampRowModel.h"

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
    : QAbstractListModel(parent), m_pictures(pictures), m_formatter(std::move(formatter)),
      m_shape(shape), m_decoded(DecodedPicturesKept)
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
    endResetModel();
}

void StampRowModel::removeStampAt(int row)
{
    if (row < 0 || row >= m_stamps.size())
        return;
    beginRemoveRows({}, row, row);
    m_decoded.remove(m_stamps.at<Stamps>(row));
    m_stamps.removeAt(row);
    endRemoveRows();
}

void StampRowModel::reload()
{
    m_decoded.clear();
    if (!m_stamps.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_stamps.size()) - 1));
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
    const QModelIndex changed = index(int(row));
    Q_EMIT dataChanged(changed, changed);
}

int StampRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_stamps.size());
}

QVariant StampRowModel::data(const QModelIndex& index, int role) const
{
    if (index.parent().isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    // A row's size needs no record: asking it of every row makes none.
    if (role == Qt::SizeHintRole)
        return QSize(0, rowHeight(QFont()));
    const Stamps* stamp = stampAt(index.row());
    if (!stamp)
        return {};
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
    const Stamps* stamp = stampAt(row);
    if (!stamp)
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // A stamp without a picture stays without one at any ratio.
    if (const Decoded* decoded = m_decoded.object(stamp);
        decoded && (decoded->image.isNull() || decoded->ratio == ratio))
        return decoded->image;
    QImage image;
    if (const std::optional<QByteArray> bytes = stamp->stampImage()) {
        // As many pixels as the screen shows in the picture's place, so it is sharp there.
        const QSize pixels = (QSizeF(m_shape.pictureSize) * ratio).toSize();
        image = m_pictures.decodeScaled(*bytes, pixels);
        image.setDevicePixelRatio(ratio);
    }
    // The bytes are not needed once the row's picture is made.
    const_cast<Stamps*>(stamp)->releaseAttribute(QStringLiteral("stampImage"));
    m_decoded.insert(stamp, new Decoded{image, ratio});
    return image;
}
