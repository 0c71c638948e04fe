// The data selection: rows whose received exchange holds a text, or whose
// worked call sign has a given shape (triple, sandwich, two-letter call).
#pragma once

#include "QsoTable.h"

#include <QString>

#include <vector>

namespace zotra {

enum class CallShape { None, Triple, Sandwich, TwoLetter };

// The shape of a call sign, judged on its part before the first "/": five
// characters make a two-letter call ("JA1AB"); of six characters, the fourth
// equal to the sixth makes a sandwich ("JA1ABA"), and the fifth equal to them
// as well a triple ("JA1AAA").
CallShape CallShapeOf(const QString& callSign);

// Text: a text in the received exchange; CallText: a text in the call sign.
enum class SelectionRule { Text, CallText, Triple, Sandwich, TwoLetter };

// The search text as the selection uses it: upper case, blanks around removed.
QString SearchText(const QString& input);

// Which rows (index row − 1) the rule selects: with Text, the rows whose
// received exchange contains the text (compared with case); with CallText,
// the rows whose call sign, upper-cased, contains it; otherwise the rows whose
// call sign has the rule's shape.
std::vector<bool> SelectRows(const QsoTable& table, SelectionRule rule, const QString& text = {});

// The column a rule looks at: the received exchange or the call sign.
int SelectionColumn(SelectionRule rule);

// The message after a selection of that many rows.
QString SelectionReport(int selected);

}  // namespace zotra
