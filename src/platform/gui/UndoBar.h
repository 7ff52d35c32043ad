#pragma once

#include <QFrame>
#include <functional>

class MainQueue;
class QAction;
class QLabel;
class QPushButton;

// The bar along the bottom of a window that says what was just deleted and offers to put it
// back, with its "Undo" button or Ctrl+Z, for about ten seconds. One bar per window, laid over
// the window's bottom edge so that no screen has to make room for it; a newer offer replaces the
// one showing.
class UndoBar final : public QFrame
{
    Q_OBJECT

public:
    static constexpr double ShownSeconds = 10;

    // The bar of the window holding `widget`, made the first time it is asked for.
    static UndoBar* forWindow(QWidget* widget);
    // The bar of the window holding `widget`; null while it has none.
    static UndoBar* findForWindow(const QWidget* widget);

    // Shows `text` and offers `undo` until ShownSeconds have passed on `queue`, the collector
    // undoes, or a newer offer comes.
    void offer(const QString& text, std::function<void()> undo, MainQueue& queue);
    bool isOffering() const { return bool(m_undo); }

    QLabel* label() const { return m_label; }
    QPushButton* undoButton() const { return m_button; }
    // Ctrl+Z; it only acts while the bar shows.
    QAction* undoAction() const { return m_action; }

public Q_SLOTS:
    // Runs the offered undo, once, and hides the bar.
    void undo();
    // Hides the bar; its undo is no longer offered.
    void dismiss();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit UndoBar(QWidget* window);
    void place();

    QLabel* m_label;
    QPushButton* m_button;
    QAction* m_action;
    std::function<void()> m_undo;
    // Which offer is showing, so that the timeout of an older one leaves a newer one alone.
    quint64 m_offer = 0;
};
