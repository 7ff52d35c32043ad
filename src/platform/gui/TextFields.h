#pragma once

class QLineEdit;

// The single-line inputs that show and edit a collector's stored texts.
namespace TextFields {

// Lets the field hold a text of any length. A QLineEdit keeps 32767 characters by default and its
// setText cuts a longer text without a word, so a long imported text would be saved cut.
void holdAnyLength(QLineEdit* field);

} // namespace TextFields
