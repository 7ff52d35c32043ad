#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QPushButton;

// A row of joined, mutually exclusive buttons, one per segment in order; at most one is selected.
// The selected segment is filled with the tint colour, the others are outlined in it. Each segment
// takes the keyboard focus; the arrow keys move the selection, as in a group of radio buttons.
class SegmentedControl final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int selectedSegmentIndex READ selectedSegmentIndex WRITE setSelectedSegmentIndex
                   NOTIFY valueChanged)

public:
    static constexpr int noSegment = -1;

    explicit SegmentedControl(const QStringList& titles, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(SegmentedControl)

    int numberOfSegments() const { return static_cast<int>(m_segments.size()); }
    // Empty (and a console line) for a segment that is not there.
    QString titleForSegment(int segment) const;
    // The segment's button (its objectName is "Segment" and the index); null when not there.
    QAbstractButton* buttonForSegment(int segment) const;

    // noSegment while none is selected (as at first).
    int selectedSegmentIndex() const { return m_selected; }
    // Emits valueChanged when the selection changes; noSegment clears it. Out of range: a console
    // line, and the selection stays.
    void setSelectedSegmentIndex(int segment);

    // The palette's highlight colour until set.
    QColor tintColor() const { return m_tint; }
    void setTintColor(const QColor& color);

Q_SIGNALS:
    // Once per change, whether by code, mouse or keyboard.
    void valueChanged(int selectedSegmentIndex);

private:
    void segmentToggled(int segment, bool checked);
    void applyStyle();

    QButtonGroup* m_group = nullptr;
    QList<QPushButton*> m_segments;
    QColor m_tint;
    int m_selected = noSegment;
};
