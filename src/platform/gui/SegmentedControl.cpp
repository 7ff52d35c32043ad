#include "platform/gui/SegmentedControl.h"

#include "platform/core/Console.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>

namespace {
constexpr int cornerRadius = 6;
}

SegmentedControl::SegmentedControl(const QStringList& titles, QWidget* parent)
    : QWidget(parent), m_group(new QButtonGroup(this)), m_tint(palette().color(QPalette::Highlight))
{
    setObjectName(QStringLiteral("SegmentedControl"));
    if (titles.isEmpty())
        Console::printLine(QStringLiteral("SegmentedControl: made without segments"));
    m_group->setExclusive(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const QString& title : titles) {
        auto* segment = new QPushButton(title, this);
        segment->setObjectName(QStringLiteral("Segment%1").arg(m_segments.size()));
        segment->setCheckable(true);
        segment->setAutoDefault(false);
        segment->setFocusPolicy(Qt::StrongFocus);
        m_group->addButton(segment, static_cast<int>(m_segments.size()));
        layout->addWidget(segment);
        m_segments.append(segment);
    }
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    connect(m_group, &QButtonGroup::idToggled, this, &SegmentedControl::segmentToggled);
    applyStyle();
}

QString SegmentedControl::titleForSegment(int segment) const
{
    if (QAbstractButton* button = buttonForSegment(segment))
        return button->text();
    Console::printLine(QStringLiteral("%1: no segment %2 (there are %3)")
                           .arg(objectName())
                           .arg(segment)
                           .arg(numberOfSegments()));
    return {};
}

QAbstractButton* SegmentedControl::buttonForSegment(int segment) const
{
    return segment >= 0 && segment < m_segments.size() ? m_segments.at(segment) : nullptr;
}

void SegmentedControl::setSelectedSegmentIndex(int segment)
{
    if (segment == m_selected)
        return;
    if (segment == noSegment) {
        // An exclusive group keeps one button checked; it lets go only while not exclusive.
        m_group->setExclusive(false);
        m_segments.at(m_selected)->setChecked(false);
        m_group->setExclusive(true);
        return; // segmentToggled() has reported it
    }
    QAbstractButton* button = buttonForSegment(segment);
    if (!button) {
        Console::printLine(QStringLiteral("%1: no segment %2 to select (there are %3)")
                               .arg(objectName())
                               .arg(segment)
                               .arg(numberOfSegments()));
        return;
    }
    button->setChecked(true); // segmentToggled() reports it
}

void SegmentedControl::segmentToggled(int segment, bool checked)
{
    // The group unchecks the old segment first; only the segment now checked (or none) counts.
    if (checked)
        m_selected = segment;
    else if (segment == m_selected)
        m_selected = noSegment;
    else
        return;
    if (!checked && m_group->checkedId() >= 0)
        return; // another segment took over: its own toggle reports the change
    Q_EMIT valueChanged(m_selected);
}

void SegmentedControl::setTintColor(const QColor& color)
{
    if (!color.isValid()) {
        Console::printLine(QStringLiteral("%1: not a colour for the tint; kept %2")
                               .arg(objectName(), m_tint.name()));
        return;
    }
    m_tint = color;
    applyStyle();
}

void SegmentedControl::applyStyle()
{
    // Text on the filled segment stays readable whatever the tint.
    const QColor onTint = m_tint.lightnessF() > 0.6 ? QColor(Qt::black) : QColor(Qt::white);
    const QString tint = m_tint.name(QColor::HexArgb);
    for (qsizetype i = 0; i < m_segments.size(); ++i) {
        const bool first = i == 0;
        const bool last = i == m_segments.size() - 1;
        // Neighbours share one border line: every segment but the first drops its left one.
        const QString sheet =
            QStringLiteral(
                "QPushButton { color: %1; background-color: transparent; border: 1px solid %1; "
                "%2 padding: 4px 10px; border-top-left-radius: %3px; "
                "border-bottom-left-radius: %3px; border-top-right-radius: %4px; "
                "border-bottom-right-radius: %4px; }\n"
                "QPushButton:checked { color: %5; background-color: %1; }\n"
                // The focus shows as a thicker outline, the padding giving back what it takes.
                "QPushButton:focus { border-width: 2px; padding: 3px 9px; }")
                .arg(tint, first ? QString() : QStringLiteral("border-left: none;"))
                .arg(first ? cornerRadius : 0)
                .arg(last ? cornerRadius : 0)
                .arg(onTint.name());
        m_segments.at(i)->setStyleSheet(sheet);
    }
}
