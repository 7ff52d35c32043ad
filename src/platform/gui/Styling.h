#pragma once

#include <QColor>
#include <QString>

class QAbstractButton;
class QApplication;
class QLabel;
class QPainter;
class QPalette;
class QStyleOptionViewItem;
class QWidget;

// The look of every screen: one application style sheet whose rules are keyed by a widget's
// "look" property and take their colours from the palette, so a dark desktop theme gets
// outlines it can show. Screens only say what a widget is (an outlined button, a field, a
// framed picture); the rules live here.
namespace Styling {

inline constexpr int buttonCornerRadius = 10;
inline constexpr int buttonBorderWidth = 2;
inline constexpr int fieldCornerRadius = 5;
inline constexpr int fieldBorderWidth = 1;
// The outline of the input that has the keyboard (a button's is one wider than its border).
inline constexpr int focusBorderWidth = 2;
inline constexpr int rowCornerRadius = 10;
inline constexpr int rowBorderWidth = 2;

// The property the application style sheet selects on, and its values.
inline constexpr char LookProperty[] = "look";
namespace Look {
inline constexpr char OutlinedButton[] = "outlinedButton";
inline constexpr char TextField[] = "textField";
inline constexpr char TextView[] = "textView";
inline constexpr char Picture[] = "picture";             // framed like a field
inline constexpr char FramedPicture[] = "framedPicture"; // framed like a row
inline constexpr char RequiredLabel[] = "requiredLabel";
} // namespace Look

// A button's fill that says whether it can be used yet: grey until there is something to act
// on, cyan when there is. Without one the button keeps the style's own background.
enum class Fill
{
    None,
    Waiting,
    Ready
};

QString applicationStyleSheet();
// Sets the sheet on the application, keeping any sheet given on its command line (-stylesheet).
void installApplicationStyleSheet(QApplication& application);

// Each gives the widget its look; widgets without a screen to style them keep Qt's own.
void styleButton(QAbstractButton* button);
void styleTextField(QWidget* field);   // QLineEdit and the like
void styleTextView(QWidget* textView); // QTextEdit, QPlainTextEdit
void stylePicture(QWidget* picture);
void styleFramedPicture(QWidget* picture);
void styleRequiredLabel(QLabel* label);
void setFill(QAbstractButton* button, Fill fill);

// The light rounded card every table row is drawn on, in either style. Hue 0.5, saturation
// 0.06, brightness 0.96 when not selected: a very light grey-cyan.
QColor rowBackgroundColor();
// The colour for text, symbols and the outline of a row: of the palette's text and base colours
// the one that stands out on the row's background, so a dark theme's light text does not
// vanish on a light row.
QColor rowInkColor(const QStyleOptionViewItem& option);
void paintRowFrame(QPainter* painter, const QStyleOptionViewItem& option);

} // namespace Styling
