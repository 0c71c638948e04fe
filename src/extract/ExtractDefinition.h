// What the extraction takes from the contest definition: the period and its
// zone, the bands and modes with their points, the items of the sent and
// received numbers, the multiplier kinds and the invalid-QSO removal. The file
// is scanned field by field; every other key is read past with its values.
#pragma once

#include <QList>
#include <QString>

#include <array>

namespace zotra {

// A band or mode with its points ("SelFreq", "SelMode").
struct PointsSlot {
  QString name;
  double value = 0;
};

// One item of the sent or received number ("Send", "Rcv"), as written in the
// definition, with its width in characters.
struct NumberSlot {
  QString item;
  int width = 0;
};

inline constexpr int kExtractBandSlots = 20;
inline constexpr int kExtractModeSlots = 6;
inline constexpr int kExtractNumberSlots = 6;

struct ExtractDefinition {
  enum class Status {
    Read,
    Missing,       // "先にコンテストの条件を設定してください"
    WrongVersion,  // "コンテスト定義体のバージョンが違います"
    BadPeriod,     // "開始" or "終了" is no date and time, or the end lies before the start
  };
  Status status = Status::Missing;

  QString startKey;   // YYYYMMDDhhmm, the five items of "開始" joined (one-digit items padded)
  QString endKey;     // the same of "終了"
  QString startText;  // the items as written, "2025/6/14 21:0", for the message of a bad period
  QString endText;
  bool contestJst = false;   // "JstUtc" "Jst"
  bool convertZone = false;  // "JstUtc2" 1
  QList<PointsSlot> bands;   // "SelFreq" lines with a value of 0 or more, in file order
  QList<PointsSlot> modes;   // "SelMode" likewise
  QList<NumberSlot> sent;    // "Send" items in file order (the first does not contribute)
  QList<NumberSlot> received;  // "Rcv" items in file order
  bool sentRst = false;      // a "Send" item "HISRST" (any case)
  bool receivedRst = false;  // a "Rcv" item "MYRST" (any case)
  std::array<QString, 3> multipliers;  // "Multi1" to "Multi3", upper case
  int editSkip = 0;          // "Multi2" "EDIT": characters dropped at the front
  int editDrop = 0;          // and at the back
  bool dropInvalid = false;  // "[VQC]" "無効削除"
  bool anyBandLine = false;  // some "SelFreq" line, whatever its value

  // The message that ends the program for a status other than Read.
  QString StatusMessage() const;
};

ExtractDefinition ReadExtractDefinition(const QString& path);

// The key YYYYMMDDhhmm of the five items of "開始" or "終了": the year padded
// with zeros to four digits, the others to two (a hand-edited "6" is "06");
// empty when an item is no number or the key no date and time of the calendar.
QString PeriodKey(const QStringList& items);

}  // namespace zotra
