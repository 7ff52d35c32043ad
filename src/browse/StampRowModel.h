#pragma once

#include "store/FetchedRows.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QImage>
#include <array>
#include <functional>

class Pictures;
class QFont;
class Stamps;

// The rows of a list of stamps: in the first column a card of a picture and up to four labels per
// stamp, in the others the columns of a table (StampColumns). Only the rows on screen are asked
// for, so only their records are made (a batch at a time), and a row's picture is decoded at the
// size it is shown, once, when it first shows.
class StampRowModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Qt::DisplayRole is the first label; Qt::DecorationRole the picture; LabelsRole all four
    // labels at once, as a row is painted.
    enum Role
    {
        Label2Role = Qt::UserRole + 1,
        Label3Role,
        Label4Role,
        LabelsRole
    };
    using RowTexts = std::array<QString, 4>;
    using Formatter = std::function<RowTexts(const Stamps&)>;

    // How tall a row is, how large its picture and how many of the labels it shows.
    struct Shape
    {
        int rowHeight;
        QSize pictureSize;
        int lineCount;
    };
    // The stamp list's and the breakdowns' rows.
    static constexpr Shape ListShape{100, {90, 90}, 4};
    // Around the picture and the labels of a row.
    static constexpr int RowMargin = 6;
    // The picture column of a table.
    static constexpr QSize ThumbnailSize{48, 48};

    StampRowModel(const Pictures& pictures, Formatter formatter, Shape shape = ListShape,
                  QObject* parent = nullptr);

    const Shape& shape() const { return m_shape; }

    // The same stamps in the same order are shown again in place, keeping the scroll position
    // and the selection; other stamps replace the rows.
    void setStamps(const FetchedRows& stamps);
    const FetchedRows& stamps() const { return m_stamps; }
    Stamps* stampAt(int row) const { return m_stamps.at<Stamps>(row); }
    void removeStampAt(int row);
    // Several rows at once, given top to bottom.
    void removeStampsAt(const QList<int>& rows);
    // Shows the same stamps again with their current values and pictures.
    void reload();
    // Shows one stamp's row again with its current values and picture.
    void refreshStamp(const Stamps* stamp);

    // The shape's row height, or more when the labels in `font` need more.
    int rowHeight(const QFont& font) const;
    // The row's picture decoded for a screen of that device pixel ratio: the shape's picture
    // size in pixels of that screen, the image's ratio set so it paints at the shape's size.
    // DecorationRole gives it for the application's ratio.
    QImage picture(int row, qreal devicePixelRatio) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Decoded
    {
        QImage image;
        qreal ratio;
    };

    const Pictures& m_pictures;
    Formatter m_formatter;
    Shape m_shape;
    FetchedRows m_stamps;
    // The picture decoded at `size`, through `cache`.
    QImage decoded(QCache<const Stamps*, Decoded>& cache, int row, QSize size, qreal ratio) const;
    void rowsChanged(int first, int last);

    mutable QCache<const Stamps*, Decoded> m_decoded;
    mutable QCache<const Stamps*, Decoded> m_thumbnails;
};
