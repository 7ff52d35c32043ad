#include "platform/gui/UndoBar.h"

#include "platform/core/MainQueue.h"
#include "platform/gui/WindowKeys.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <utility>

namespace {

constexpr int Margin = 8;

} // namespace

UndoBar::UndoBar(QWidget* window) : QFrame(window)
{
    setObjectName(QStringLiteral("UndoBar"));
    setFrameShape(QFrame::StyledPanel);
    // The colours of a tooltip: set apart from any screen below, in light and dark themes alike.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);

    auto* layout = new QHBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("UndoLabel"));
    m_label->setForegroundRole(QPalette::ToolTipText);
    m_label->setTextFormat(Qt::PlainText);
    layout->addWidget(m_label, 1);

    m_action = new QAction(tr("Undo"), this);
    m_action->setObjectName(QStringLiteral("UndoAction"));
    // Only while the bar shows: a hidden widget's shortcuts do not fire. A main window whose
    // Edit menu has Undo triggers the bar from there.
    if (!WindowKeys::taken(QKeySequence(QKeySequence::Undo)))
        m_action->setShortcut(QKeySequence::Undo);
    m_action->setShortcutContext(Qt::WindowShortcut);
    // Nothing to undo until something is offered.
    m_action->setEnabled(false);
    addAction(m_action);
    connect(m_action, &QAction::triggered, this, &UndoBar::undo);

    m_button = new QPushButton(tr("Undo"), this);
    m_button->setObjectName(QStringLiteral("UndoButton"));
    m_button->setToolTip(
        tr("Undo (%1)").arg(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText)));
    // A click leaves the focus where it was, on the list the row went from.
    m_button->setFocusPolicy(Qt::TabFocus);
    connect(m_button, &QPushButton::clicked, this, &UndoBar::undo);
    layout->addWidget(m_button);

    hide();
    window->installEventFilter(this);
}

UndoBar* UndoBar::findForWindow(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    return widget->window()->findChild<UndoBar*>(QStringLiteral("UndoBar"),
                                                 Qt::FindDirectChildrenOnly);
}

UndoBar* UndoBar::forWindow(QWidget* widget)
{
    if (UndoBar* bar = findForWindow(widget))
        return bar;
    return new UndoBar(widget->window());
}

void UndoBar::offer(const QString& text, std::function<void()> undo, MainQueue& queue)
{
    m_undo = std::move(undo);
    const quint64 offer = ++m_offer;
    m_label->setText(text);
    m_action->setEnabled(true);
    place();
    show();
    raise();
    queue.asyncAfter(ShownSeconds, [bar = QPointer<UndoBar>(this), offer] {
        if (bar && bar->m_offer == offer)
            bar->dismiss();
    });
}

void UndoBar::undo()
{
    if (!m_undo)
        return;
    // Taken first: what the undo does (an alert, a new offer) must not run it twice.
    const std::function<void()> undo = std::exchange(m_undo, {});
    dismiss();
    undo();
}

void UndoBar::dismiss()
{
    m_undo = {};
    m_action->setEnabled(false);
    hide();
}

bool UndoBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QFrame::eventFilter(watched, event);
}

void UndoBar::place()
{
    const QWidget* window = parentWidget();
    const int width = std::max(0, window->width() - 2 * Margin);
    const int height = sizeHint().height();
    setGeometry(Margin, std::max(0, window->height() - height - Margin), width, height);
}
