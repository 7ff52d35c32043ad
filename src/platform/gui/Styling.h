#pragma once

#include <QColor>
#include <QString>

class QAbstractButton;
class QPainter;
class QStyleOptionViewItem;
class QAbstractItemView;
class QWidget;

// The look the screens set in code (rounded, outlined buttons, fields and rows), written as Qt
// style sheets in one place so every screen looks the same.
namespace Styling {

inline constexpr int buttonCornerRadius = 10;
inline constexpr int buttonBorderWidth = 2;
inline constexpr int fieldCornerRadius = 5;
inline constexpr int fieldBorderWidth = 1;
// The outline of the input that has the keyboard (a button's is one wider than its border).
inline constexpr int focusBorderWidth = 2;
inline constexpr int rowCornerRadius = 10;
inline constexpr int rowBorderWidth = 2;

// Hue 0.5, saturation 0.06, brightness 0.96: a very light grey-cyan.
QColor rowBackgroundColor();

QString buttonStyleSheet();
QString textFieldStyleSheet();
QString textViewStyleSheet();
QString tableRowStyleSheet();

// Each adds its rules to the widget's own style sheet (keeping what is there).
void styleButton(QAbstractButton* button);
void styleTextField(QWidget* field);   // QLineEdit and the like
void styleTextView(QWidget* textView); // QTextEdit, QPlainTextEdit
void styleTableRows(QAbstractItemView* table);

// Dark when the widget's window colour (the application's, without a widget) is dark.
// The light rounded row with a black border that every table of the application shows.
void paintRowFrame(QPainter* painter, const QStyleOptionViewItem& option);

bool isDarkStyle(const QWidget* widget);

} // namespace Styling
