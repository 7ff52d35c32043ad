#include "stamps/ZoomViewController.h"

#include "app/Environment.h"
#include "app/SharedState.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/Alert.h"
#include "platform/gui/MessageCapability.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"

#include <QAction>
#include <QLabel>
#include <QLineF>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QTouchEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr qreal cellMargin = 20.0;
constexpr qreal cellSideDivisor = 1.1;
constexpr qreal cellTop = 10.0;
// One wheel notch with Ctrl held scales by this factor.
constexpr qreal wheelNotchScale = 1.25;
// Far past any useful zoom the cell's integer geometry would overflow; there it stops growing on
// screen (the transform itself stays exact).
constexpr qreal largestShownSide = 1 << 22;

// Draws its picture as large as fits inside its frame, keeping the proportions and always from the
// full-size picture, so a zoomed stamp shows its detail rather than an enlarged thumbnail.
class PictureLabel final : public QLabel
{
public:
    explicit PictureLabel(QWidget* parent) : QLabel(parent)
    {
        // Whatever the picture's size, the cell decides the label's.
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        // The frame only (QLabel would draw the picture unscaled); the picture is drawn below.
        QFrame::paintEvent(event); // NOLINT(bugprone-parent-virtual-call)
        const QPixmap picture = pixmap();
        if (picture.isNull())
            return;
        const QRect area = contentsRect();
        const QSize fitted = picture.size().scaled(area.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), fitted);
        target.moveCenter(area.center());
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, picture);
    }
};

} // namespace

ZoomCollectionViewCell::ZoomCollectionViewCell(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ZoomCollectionViewCell"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Styling::rowBorderWidth, Styling::rowBorderWidth,
                               Styling::rowBorderWidth, Styling::rowBorderWidth);
    ZoomImage = new PictureLabel(this);
    ZoomImage->setObjectName(QStringLiteral("ZoomImage"));
    layout->addWidget(ZoomImage);
}

ZoomViewController::ZoomViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("ZoomViewController"), parent), m_environment(environment)
{
    setTitle(tr("Zoom"));
    ShareButton = SymbolIcons::makeAction(QStringLiteral("square.and.arrow.up"), this);
    ShareButton->setObjectName(QStringLiteral("ShareButton"));
    connect(ShareButton, &QAction::triggered, this, &ZoomViewController::shareButtonClicked);
    addRightBarButtonItem(ShareButton);
}

void ZoomViewController::buildView(QWidget* view)
{
    m_screenView = view;
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    ZoomCollectionView = new QWidget(view);
    ZoomCollectionView->setObjectName(QStringLiteral("ZoomCollectionView"));
    layout->addWidget(ZoomCollectionView);
}

void ZoomViewController::viewDidLoad()
{
    for (int item = 0; item < numberOfItemsInSection(0); ++item)
        m_cell = cellForItemAtIndexPath(item);

    // The gestures belong to the whole screen, wherever the content has been moved to: touches
    // go to the view, pointer events are taken from the view and everything in it.
    view()->setAttribute(Qt::WA_AcceptTouchEvents);
    for (QWidget* widget : {view(), ZoomCollectionView, static_cast<QWidget*>(m_cell),
                            static_cast<QWidget*>(m_cell->ZoomImage)})
        widget->installEventFilter(this);
    layoutCell();
}

int ZoomViewController::numberOfItemsInSection(int section) const
{
    Q_UNUSED(section)
    return 1;
}

ZoomCollectionViewCell* ZoomViewController::cellForItemAtIndexPath(int item)
{
    Q_UNUSED(item)
    auto* cell = new ZoomCollectionViewCell(ZoomCollectionView);
    Styling::styleFramedPicture(cell);
    Styling::styleFramedPicture(cell->ZoomImage);
    const QImage& picture = m_environment.shared.selectedStamp.picture;
    if (!picture.isNull())
        cell->ZoomImage->setPixmap(QPixmap::fromImage(picture));
    return cell;
}

QSizeF ZoomViewController::itemSize() const
{
    // Follows the window's width, so a resized window keeps the picture fitting across.
    const qreal width = m_screenView ? m_screenView->width() : 0;
    const qreal side = std::max<qreal>(0, (width - cellMargin) / cellSideDivisor);
    return {side, side};
}

QRectF ZoomViewController::cellRectAtNormalSize() const
{
    const QSizeF size = itemSize();
    const qreal width = ZoomCollectionView ? ZoomCollectionView->width() : 0;
    return {QPointF((width - size.width()) / 2, cellTop), size};
}

QTransform ZoomViewController::contentTransform() const
{
    // Scaled about the picture's own centre, so it grows and shrinks where the collector is
    // looking instead of sliding off the screen.
    const QPointF centre = cellRectAtNormalSize().center();
    return QTransform::fromTranslate(-centre.x(), -centre.y()) *
           QTransform::fromScale(m_scale, m_scale) *
           QTransform::fromTranslate(centre.x() + m_offset.x(), centre.y() + m_offset.y());
}

void ZoomViewController::layoutCell()
{
    if (!m_cell)
        return;
    const QRectF shown = contentTransform().mapRect(cellRectAtNormalSize());
    if (shown.width() > largestShownSide || std::abs(shown.left()) > largestShownSide ||
        std::abs(shown.top()) > largestShownSide)
        return;
    m_cell->setGeometry(shown.toAlignedRect());
}

void ZoomViewController::pinchedView(qreal scale)
{
    m_scale *= scale;
    layoutCell();
}

void ZoomViewController::draggedView(QPointF translation)
{
    m_offset += translation;
    layoutCell();
}

void ZoomViewController::shareButtonClicked()
{
    if (!m_environment.services.messages.canSendText()) {
        AlertPresenter& alerts = m_environment.services.alerts;
        m_environment.services.mainQueue.async(this, [&alerts] {
            alerts.present(Alert::withOk(tr("Can't Send Text Message"),
                                         tr("Your device is not able to send text "
                                            "messages.")));
        });
        return;
    }
    const QImage& picture = m_environment.shared.selectedStamp.picture;
    if (picture.isNull()) {
        // A sheet with nothing in it would offer hand-overs that cannot do anything.
        m_environment.services.alerts.present(
            Alert::withOk(tr("No Picture"), tr("There is no picture to share.")));
        return;
    }
    ShareRequest request;
    request.items = {ShareItem::fromPicture(picture)};
    request.sourceView = view();
    m_environment.services.shareSheet.present(request);
}

bool ZoomViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (isViewLoaded()) {
        if (watched == ZoomCollectionView && event->type() == QEvent::Resize)
            layoutCell();
        if (handleGestureEvent(event))
            return true;
    }
    return ViewController::eventFilter(watched, event);
}

bool ZoomViewController::handleGestureEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        handleTouch(static_cast<QTouchEvent*>(event));
        return true;
    case QEvent::NativeGesture: {
        // A touchpad pinch: value() is the change of scale since the previous event.
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture)
            return false;
        pinchedView(1.0 + gesture->value());
        return true;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
            return false;
        pinchedView(std::pow(wheelNotchScale, wheel->angleDelta().y() / 120.0));
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = true;
        m_lastDragPosition = mouse->globalPosition();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragging || !(mouse->buttons() & Qt::LeftButton))
            return false;
        const QPointF position = mouse->globalPosition();
        draggedView(position - m_lastDragPosition);
        m_lastDragPosition = position;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !m_dragging)
            return false;
        m_dragging = false;
        return true;
    }
    default:
        return false;
    }
}

void ZoomViewController::handleTouch(QTouchEvent* touch)
{
    // Two fingers scale by the change of their distance, one finger moves the content. The change
    // is measured against the positions kept here rather than each point's lastPosition(), which
    // Qt's own pinch recogniser relies on and which repeats the last step when the fingers lift.
    std::map<int, QPointF> touches;
    if (touch->type() != QEvent::TouchEnd && touch->type() != QEvent::TouchCancel) {
        for (const QEventPoint& point : touch->points()) {
            if (point.state() != QEventPoint::State::Released)
                touches.emplace(point.id(), point.globalPosition());
        }
    }
    const auto sameFingers = [&] {
        return touches.size() == m_touches.size() &&
               std::equal(touches.begin(), touches.end(), m_touches.begin(),
                          [](const auto& a, const auto& b) { return a.first == b.first; });
    };
    const auto spread = [](const std::map<int, QPointF>& points) {
        return QLineF(points.begin()->second, std::next(points.begin())->second).length();
    };
    if (touches.size() == 2 && sameFingers()) {
        const qreal before = spread(m_touches);
        const qreal after = spread(touches);
        if (before > 0 && after > 0 && after != before)
            pinchedView(after / before);
    } else if (touches.size() == 1 && sameFingers()) {
        const QPointF moved = touches.begin()->second - m_touches.begin()->second;
        if (!moved.isNull())
            draggedView(moved);
    }
    m_touches = std::move(touches);
    touch->accept();
}
