// Text handling shared by every program: the Japanese code page (CP932) codec,
// byte lengths and fixed-width fields, the width conversions, and the few
// string helpers whose exact behaviour the files depend on (blank trimming,
// numeric value of a text, numbers with a leading blank).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zotra {

// ---- CP932 codec -----------------------------------------------------------

// Decodes CP932 bytes. A byte sequence that is not CP932 becomes U+FFFD;
// decoding never stops.
QString DecodeCp932(const QByteArray& bytes);

// Encodes to CP932. A character that CP932 cannot hold is written as "?";
// *lossy (when given) is set to true when that happened.
QByteArray EncodeCp932(const QString& text, bool* lossy = nullptr);

// True when every character of the text can be written in CP932.
bool IsCp932Encodable(const QString& text);

// Number of CP932 bytes of the text (a character CP932 cannot hold counts as
// the one byte of its "?").
int Cp932Length(const QString& text);

// Byte length of one UTF-16 unit in CP932: 1 for ASCII and half-width
// katakana, 2 for everything else that CP932 holds, 1 otherwise ("?").
int Cp932CharLength(QChar c);

// The longest leading part of the text that fits into maxBytes CP932 bytes,
// never cutting a double-byte character.
QString LeftBytes(const QString& text, int maxBytes);

enum class Align { Left, Right };

// A fixed-width field of exactly `bytes` CP932 bytes: the text padded with
// blanks (on the right when left-aligned, on the left when right-aligned),
// or cut to the width. A double-byte character that would straddle the end
// of the field is replaced by a blank, so the field keeps whole characters.
QString FixedField(const QString& text, int bytes, Align align = Align::Left);

// ---- Width conversions -----------------------------------------------------

// Full-width conversion: ASCII (blank included) and half-width katakana
// become full-width; a voicing mark joins the kana before it (ｶﾞ → ガ).
QString ToWide(const QString& text);

// Narrow conversion: full-width ASCII, the ideographic blank and full-width
// katakana become their half-width forms (ガ → ｶﾞ).
QString ToNarrow(const QString& text);

// Call-sign conversion for paper: every character that, upper-cased, is a
// letter A–Z, a digit or "/" becomes its full-width upper-case form; every
// other character stays as it is.
QString ToWideCallSign(const QString& text);

// Widens only the runs of half-width katakana (CP932 bytes 160 to 223),
// a run at a time so that voicing marks join; everything else is unchanged.
QString WidenHalfwidthKatakana(const QString& text);

// True for the half-width katakana and punctuation of CP932 (U+FF61–U+FF9F).
bool IsHalfwidthKatakana(QChar c);

// ---- String helpers ----------------------------------------------------------

inline constexpr QChar kIdeographicBlank = QChar(0x3000);

// Removes leading and trailing blanks (U+0020 only: tabs and the ideographic
// blank stay, as the files expect).
QString TrimBlanks(const QString& text);
QString TrimLeftBlanks(const QString& text);
QString TrimRightBlanks(const QString& text);

// Upper case as the files compare keys and call signs.
QString Upper(const QString& text);

// Numeric value of a text as a leading number: blanks, tabs and line feeds
// anywhere are ignored, an optional sign, digits with one decimal point and an
// optional exponent; reading stops at the first other character; no number
// gives 0. "&H" and "&O" prefixes give hexadecimal and octal values.
double Val(const QString& text);

// Val rounded to the nearest integer (halves to even), clamped to int.
int ValInt(const QString& text);

// A whole number as text with a leading blank when it is not negative
// (" 120", "-3"), the form the points file keeps.
QString StrNumber(qint64 value);

// Shortest decimal text of a value: no trailing zeros, no exponent, a leading
// zero before the point ("0.5", "1.9", "7", "10125").
QString ShortestDecimal(double value);

// Pads with blanks on the right (or the left) to `width` characters; longer
// text is returned unchanged.
QString PadRight(const QString& text, int width);
QString PadLeft(const QString& text, int width, QChar fill = QLatin1Char(' '));

// Splits lines at CR LF, LF or CR. A final line end does not add an empty line.
QStringList SplitLines(const QString& text);

// Removes CR, LF and NUL characters (values that must stay on one line).
QString OneLine(const QString& text);

}  // namespace zotra
