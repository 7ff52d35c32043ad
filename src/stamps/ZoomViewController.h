#pragma once

#include "platform/gui/ViewController.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>
#include <QWidget>
#include <map>

class QAction;
class QLabel;
class QTouchEvent;
struct Environment;

// The one cell of the zoom screen: the stamp's picture in a rounded, outlined frame.
class ZoomCollectionViewCell final : public QWidget
{
    Q_OBJECT

public:
    explicit ZoomCollectionViewCell(QWidget* parent = nullptr);

    QLabel* ZoomImage = nullptr;
};

// The selected stamp's picture, large: pinch (or Ctrl + wheel) to scale it, drag to move it, and
// share it. Scale and position accumulate without limits until the screen is left.
class ZoomViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit ZoomViewController(Environment& environment, QObject* parent = nullptr);

    // Stands for the collection view: it holds the one cell, which it places by contentTransform().
    QWidget* ZoomCollectionView = nullptr;
    QAction* ShareButton = nullptr;

    void viewDidLoad() override;

    int numberOfItemsInSection(int section) const;
    // Makes and fills the cell of the item (there is only one).
    ZoomCollectionViewCell* cellForItemAtIndexPath(int item);
    ZoomCollectionViewCell* cell() const { return m_cell; }

    // A square of side (width of the screen's view - 20) / 1.1: the cell's size before zooming.
    QSizeF itemSize() const;
    qreal contentScale() const { return m_scale; }
    QPointF contentOffset() const { return m_offset; }
    // Maps the cell's place at normal size to where it is shown, both in ZoomCollectionView's
    // coordinates: scaled about the cell's centre, then moved by the offset.
    QTransform contentTransform() const;

public Q_SLOTS:
    // Multiplies the shown scale by `scale`: each call applies the change since the last one.
    void pinchedView(qreal scale);
    // Moves the shown content by `translation`, in the screen's own (unscaled) pixels.
    void draggedView(QPointF translation);
    void shareButtonClicked();

protected:
    void buildView(QWidget* view) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Pinch (touch, touchpad, Ctrl + wheel) and drag (touch, mouse); true when the event is used.
    bool handleGestureEvent(QEvent* event);
    void handleTouch(QTouchEvent* touch);
    // Top-centred in ZoomCollectionView, of itemSize().
    QRectF cellRectAtNormalSize() const;
    void layoutCell();

    Environment& m_environment;
    QWidget* m_screenView = nullptr; // view(), which is not callable from const members
    ZoomCollectionViewCell* m_cell = nullptr;
    qreal m_scale = 1.0;
    QPointF m_offset;
    bool m_dragging = false;
    QPointF m_lastDragPosition;
    std::map<int, QPointF> m_touches; // the fingers down, by id, at the last touch event
};
