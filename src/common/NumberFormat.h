// Numbers formatted by a picture, as the documents write them: "###.#",
// "000000.0", "##,###,###,###0", "###,###,###,###", "######0", "#,##0".
//
//  - "0" is a digit that is always shown, "#" a digit shown only when it is
//    significant; an integer part longer than its placeholders is shown whole.
//  - A "," between the integer placeholders groups the integer digits by
//    thousands.
//  - "." is the decimal point, shown whenever the picture has one ("###.#"
//    gives "24." for 24); the fraction is rounded to as many digits as the
//    picture has placeholders after the point, halves away from zero, and
//    trailing zeros are dropped where the picture has "#".
//  - Characters before the first and after the last placeholder are copied.
//  - A negative number gets a leading "-" unless it rounds to zero.
//  - Every digit may be "#": zero with "###" gives the empty text.
#pragma once

#include <QString>

namespace zotra {

QString FormatNumber(double value, const QString& picture);
QString FormatNumber(qint64 value, const QString& picture);

// The same for a number given as plain decimal text ("-12.375", "7", ".5").
// Text that is not such a number formats as zero.
QString FormatDecimalText(const QString& decimal, const QString& picture);

}  // namespace zotra
