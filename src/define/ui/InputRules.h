// How the definition editor's fields take their input: the period fields
// (digits typed over the old ones, on to the next field when one is full,
// arrow keys between fields, zeros added on leaving), digit-only fields,
// upper case, and the yellow background of the field that has the focus.
#pragma once

#include <QColor>
#include <QList>
#include <QObject>

class QLineEdit;
class QWidget;

namespace zotra {

// Colour 14 of the 16-colour palette: the background of the focused field.
inline const QColor kFocusColour{255, 255, 0};
// Colour 9 of the 16-colour palette: the bands outside the standard list.
inline const QColor kExtraBandColour{0, 0, 255};

// Digits only: a typed character that is not a digit is dropped, a typed
// digit replaces the character after the caret; Home, End, Delete, the
// arrows and Ctrl+A keep working. With backspace false, Backspace is dropped
// too (Tab always moves on).
void MakeDigitField(QLineEdit* field, int maxLength, bool backspace);

// The ten period fields (year, month, day, hour, minute of the start, then
// of the end): entering a field selects its text, so the first digit typed
// replaces it; digits and Backspace typed over the old ones; a full field
// moves the focus on (after the last to `after`); Left/Up and Right/Down go
// to the neighbouring field; Home, End, Delete and Ctrl+A work in the field;
// on leaving, a year is cut or padded with zeros to 4 characters, the other
// fields to 2.
void MakePeriodFields(const QList<QLineEdit*>& fields, QWidget* after);

// Lower-case letters a–z typed (or pasted) become upper case, the caret
// staying where it was. allLetters: every letter, not only a–z.
void MakeUpperCaseField(QLineEdit* field, bool allLetters);

// The field (an edit field or an editable combo box) gets the focus colour
// while it has the focus.
void UseFocusColour(QWidget* field);
// The same for every edit field under root (those there now).
void UseFocusColourUnder(QWidget* root);

}  // namespace zotra
