#include "platform/gui/Styling.h"

#include "platform/core/Console.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionViewItem>
#include <QWidget>

namespace Styling {

namespace {

void append(QWidget* widget, const QString& sheet, const char* what)
{
    if (!widget) {
        Console::printLine(QStringLiteral("Styling: no %1 to style").arg(QLatin1String(what)));
        return;
    }
    const QString current = widget->styleSheet();
    if (current.contains(sheet))
        return; // styled already: a second copy would only grow the sheet
    widget->setStyleSheet(current.isEmpty() ? sheet : current + QLatin1Char('\n') + sheet);
}

} // namespace

QColor rowBackgroundColor()
{
    return QColor::fromHsvF(0.5f, 0.06f, 0.96f);
}

// The input or button that has the keyboard is outlined in the highlight colour, wider: the
// padding gives back what the border takes, so nothing moves.
QString buttonStyleSheet()
{
    return QStringLiteral("QAbstractButton { border: %1px solid black; border-radius: %2px; "
                          "padding: 4px 10px; }"
                          "\nQAbstractButton:focus { border: %3px solid palette(highlight); "
                          "padding: 3px 9px; }")
        .arg(buttonBorderWidth)
        .arg(buttonCornerRadius)
        .arg(focusBorderWidth + 1);
}

QString textFieldStyleSheet()
{
    return QStringLiteral("QLineEdit, QComboBox, QAbstractSpinBox { border: %1px solid gray; "
                          "border-radius: %2px; padding: 2px 4px; }"
                          "\nQLineEdit:focus, QComboBox:focus, QAbstractSpinBox:focus { border: "
                          "%3px solid palette(highlight); padding: 1px 3px; }")
        .arg(fieldBorderWidth)
        .arg(fieldCornerRadius)
        .arg(focusBorderWidth);
}

QString textViewStyleSheet()
{
    // A text view keeps its frame's width when the focus comes and goes: the padding makes the
    // difference.
    return QStringLiteral("QTextEdit, QPlainTextEdit { border: %1px solid gray; "
                          "border-radius: %2px; padding: 1px; }"
                          "\nQTextEdit:focus, QPlainTextEdit:focus { border: %3px solid "
                          "palette(highlight); padding: 0px; }")
        .arg(fieldBorderWidth)
        .arg(fieldCornerRadius)
        .arg(focusBorderWidth);
}

QString tableRowStyleSheet()
{
    // The row background is light in either style, so its text stays dark.
    return QStringLiteral("QAbstractItemView::item { border: %1px solid black; border-radius: "
                          "%2px; background-color: %3; color: black; margin: 2px; padding: 4px; }"
                          "\nQAbstractItemView::item:selected { background-color: palette("
                          "highlight); color: palette(highlighted-text); }")
        .arg(rowBorderWidth)
        .arg(rowCornerRadius)
        .arg(rowBackgroundColor().name());
}

void styleButton(QAbstractButton* button)
{
    append(button, buttonStyleSheet(), "button");
}

void styleTextField(QWidget* field)
{
    append(field, textFieldStyleSheet(), "text field");
}

void styleTextView(QWidget* textView)
{
    append(textView, textViewStyleSheet(), "text view");
}

void styleTableRows(QAbstractItemView* table)
{
    append(table, tableRowStyleSheet(), "table");
}

void paintRowFrame(QPainter* painter, const QStyleOptionViewItem& option)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(option.rect).adjusted(2, 2, -2, -2);
    QPainterPath path;
    path.addRoundedRect(frame, rowCornerRadius, rowCornerRadius);
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillPath(path, selected ? option.palette.highlight().color().lighter(160)
                                     : rowBackgroundColor());
    painter->setPen(QPen(Qt::black, rowBorderWidth));
    painter->drawPath(path);
    painter->restore();
}

bool isDarkStyle(const QWidget* widget)
{
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

} // namespace Styling
