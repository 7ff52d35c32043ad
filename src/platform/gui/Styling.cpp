#include "platform/gui/Styling.h"

#include "platform/core/Console.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QWidget>

namespace Styling {

namespace {

// The first line of the sheet, so installing twice does not add it twice.
const QString SheetMark = QStringLiteral("/* Vellora */");

QString lookSelector(const char* widgets, const char* look, const char* state = "")
{
    QStringList selectors;
    for (const QString& widget : QString::fromLatin1(widgets).split(QLatin1Char(',')))
        selectors << QStringLiteral("%1[%2=\"%3\"]%4")
                         .arg(widget.trimmed(), QLatin1String(LookProperty), QLatin1String(look),
                              QLatin1String(state));
    return selectors.join(QStringLiteral(", "));
}

// A property set after the widget was polished only shows once the style polishes it again.
void setLook(QWidget* widget, const char* look, const char* what)
{
    if (!widget) {
        Console::printLine(QStringLiteral("Styling: no %1 to style").arg(QLatin1String(what)));
        return;
    }
    if (widget->property(LookProperty).toString() == QLatin1String(look))
        return;
    widget->setProperty(LookProperty, QLatin1String(look));
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

} // namespace

QString applicationStyleSheet()
{
    QStringList rules{SheetMark};
    // Outlines are drawn in the window's text colour: black on a light theme, light on a dark
    // one. The input or button that has the keyboard is outlined in the highlight colour, wider:
    // the padding gives back what the border takes, so nothing moves.
    rules << lookSelector("QAbstractButton", Look::OutlinedButton) +
                 QStringLiteral(" { border: %1px solid palette(window-text); border-radius: %2px; "
                                "padding: 4px 10px; }")
                     .arg(buttonBorderWidth)
                     .arg(buttonCornerRadius);
    rules << lookSelector("QAbstractButton", Look::OutlinedButton, ":disabled") +
                 QStringLiteral(" { color: palette(mid); }");
    rules << lookSelector("QAbstractButton", Look::OutlinedButton, ":focus") +
                 QStringLiteral(" { border: %1px solid palette(highlight); padding: 3px 9px; }")
                     .arg(focusBorderWidth + 1);
    rules << QStringLiteral("QAbstractButton[fill=\"waiting\"] { background-color: grey; }");
    rules << QStringLiteral(
        "QAbstractButton[fill=\"ready\"] { background-color: cyan; color: black; }");

    rules << lookSelector("QLineEdit, QComboBox, QAbstractSpinBox", Look::TextField) +
                 QStringLiteral(" { border: %1px solid palette(mid); border-radius: %2px; "
                                "padding: 2px 4px; }")
                     .arg(fieldBorderWidth)
                     .arg(fieldCornerRadius);
    rules << lookSelector("QLineEdit, QComboBox, QAbstractSpinBox", Look::TextField, ":focus") +
                 QStringLiteral(" { border: %1px solid palette(highlight); padding: 1px 3px; }")
                     .arg(focusBorderWidth);
    // A text view keeps its frame's width when the focus comes and goes: the padding makes the
    // difference.
    rules << lookSelector("QTextEdit, QPlainTextEdit", Look::TextView) +
                 QStringLiteral(" { border: %1px solid palette(mid); border-radius: %2px; "
                                "padding: 1px; }")
                     .arg(fieldBorderWidth)
                     .arg(fieldCornerRadius);
    rules << lookSelector("QTextEdit, QPlainTextEdit", Look::TextView, ":focus") +
                 QStringLiteral(" { border: %1px solid palette(highlight); padding: 0px; }")
                     .arg(focusBorderWidth);

    rules << lookSelector("QWidget", Look::Picture) +
                 QStringLiteral(" { border: %1px solid palette(mid); border-radius: %2px; }")
                     .arg(fieldBorderWidth)
                     .arg(fieldCornerRadius);
    rules << lookSelector("QWidget", Look::FramedPicture) +
                 QStringLiteral(
                     " { border: %1px solid palette(window-text); border-radius: %2px; }")
                     .arg(rowBorderWidth)
                     .arg(rowCornerRadius);
    rules << lookSelector("QLabel", Look::RequiredLabel) + QStringLiteral(" { color: red; }");
    return rules.join(QLatin1Char('\n'));
}

void installApplicationStyleSheet(QApplication& application)
{
    const QString current = application.styleSheet();
    if (current.contains(SheetMark))
        return;
    application.setStyleSheet(current.isEmpty()
                                  ? applicationStyleSheet()
                                  : applicationStyleSheet() + QLatin1Char('\n') + current);
}

void styleButton(QAbstractButton* button)
{
    setLook(button, Look::OutlinedButton, "button");
}

void styleTextField(QWidget* field)
{
    setLook(field, Look::TextField, "text field");
}

void styleTextView(QWidget* textView)
{
    setLook(textView, Look::TextView, "text view");
}

void stylePicture(QWidget* picture)
{
    setLook(picture, Look::Picture, "picture");
}

void styleFramedPicture(QWidget* picture)
{
    setLook(picture, Look::FramedPicture, "picture");
}

void styleRequiredLabel(QLabel* label)
{
    setLook(label, Look::RequiredLabel, "label");
}

void setFill(QAbstractButton* button, Fill fill)
{
    if (!button) {
        Console::printLine(QStringLiteral("Styling: no button to fill"));
        return;
    }
    const QVariant value = fill == Fill::Waiting ? QVariant(QStringLiteral("waiting"))
                           : fill == Fill::Ready ? QVariant(QStringLiteral("ready"))
                                                 : QVariant();
    button->setProperty("fill", value);
    button->style()->unpolish(button);
    button->style()->polish(button);
}

QColor rowBackgroundColor()
{
    return QColor::fromHsvF(0.5f, 0.06f, 0.96f);
}

namespace {

QColor rowFill(const QStyleOptionViewItem& option)
{
    return option.state & QStyle::State_Selected ? option.palette.highlight().color().lighter(160)
                                                 : rowBackgroundColor();
}

} // namespace

QColor rowInkColor(const QStyleOptionViewItem& option)
{
    const qreal fill = rowFill(option).lightnessF();
    const QColor text = option.palette.color(QPalette::Text);
    const QColor base = option.palette.color(QPalette::Base);
    return qAbs(text.lightnessF() - fill) >= qAbs(base.lightnessF() - fill) ? text : base;
}

void paintRowFrame(QPainter* painter, const QStyleOptionViewItem& option)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(option.rect).adjusted(2, 2, -2, -2);
    QPainterPath path;
    path.addRoundedRect(frame, rowCornerRadius, rowCornerRadius);
    painter->fillPath(path, rowFill(option));
    painter->setPen(QPen(rowInkColor(option), rowBorderWidth));
    painter->drawPath(path);
    painter->restore();
}

} // namespace Styling
