// The contest definition: the one contest the suite works on. The definition
// editor is its only writer; every other program reads the keys it needs.
//
// The file is a list file (CP932, CR LF): each key is followed by its value
// fields; readers scan field by field and skip what they do not know.
#pragma once

#include <QList>
#include <QString>

namespace zotra {

inline const QString kDefinitionFormatVersion = QStringLiteral("Ver4.0");
inline const QString kDefinitionFileName = QStringLiteral("ZOTRAW.TST");

// Year (4 digits), month, day, hour, minute (2 digits each), as texts.
struct PeriodTime {
  QString year, month, day, hour, minute;
  // YYYYMMDDhhmm
  QString Key() const { return year + month + day + hour + minute; }
  bool operator==(const PeriodTime&) const = default;
};

struct NamedPoints {
  QString name;
  int points = 1;  // negative: the band is not taken part in, the mode not used
  bool operator==(const NamedPoints&) const = default;
};

struct NumberItem {
  QString item;    // "HisRst", "Rmk1", "Jcc", a fixed text, ...
  QString length;  // characters, as a decimal text
  bool operator==(const NumberItem&) const = default;
};

struct ContestDefinition {
  QString formatVersion = kDefinitionFormatVersion;
  QString myCall;
  QString contestName;
  PeriodTime start;
  PeriodTime end;
  QString timeBasis = QStringLiteral("Jst");  // "Jst" or "Utc"
  int convertOtherBasis = 0;                  // 1: convert QSO times of the other basis
  QList<NamedPoints> bands;                   // slot order, at most 20
  QList<NamedPoints> modes;                   // at most 6
  QString age;
  QString licenceDate;
  QList<NumberItem> sentItems = {{QStringLiteral("HisRst"), QStringLiteral("3")}};  // at most 4
  QList<NumberItem> receivedItems;            // at most 6
  QString multi1;                             // "", "Pfx", "LL", "Jcc", "GL", "Date", "Manual"
  QString multi2;                             // "", "Space", "Edit"
  QString multi2Front = QStringLiteral("0");  // with "Edit": characters removed from the front
  QString multi2Back = QStringLiteral("0");   // and from the back
  QString multi3;
  QString organiser;
  QString markMeaning;
  QString stationCoefficient;
  QString categoryCode, sectionName, eventName;
  QString postalCode, addressFirst, addressSecond, phone, name, mail;
  QString licenceClass, licensedPower;
  QString portablePlace, powerSource, rig1, rig2, opinion1, opinion2, opinion3, operators;
  int printClub = 0;
  QString clubNumber, clubName;
  QString powerKind = QStringLiteral("定格");     // "定格" (rated) or "実測" (measured)
  bool dropInvalid = false;                      // "[VQC]" "無効削除"
  QString jarlLog = QStringLiteral("Yes R2");    // "Yes R1", "Yes R2" or "No"
  QString jarlOrder = QStringLiteral("Time");    // "Time" or "Band"
  QString vqLog = QStringLiteral("Yes");         // "Yes" or "No"

  bool operator==(const ContestDefinition&) const = default;

  // The values the definition editor starts with before it reads a file.
  static ContestDefinition EditorDefaults();

  // Bands taken part in (points ≥ 0), in slot order.
  QList<NamedPoints> ActiveBands() const;
};

struct DefinitionReadResult {
  bool found = false;            // the file existed
  bool versionMismatch = false;  // "ZOTRAW" named another format; nothing after it was read
  bool pointsDistributed = false;  // some band or mode taken part in had points other than 1
};

// Reads the definition field by field into *definition, which keeps its values
// for every key the file does not hold (a missing file keeps them all).
DefinitionReadResult ReadDefinition(const QString& path, ContestDefinition* definition);

// The file text the writer produces (CR LF line ends).
QString DefinitionText(const ContestDefinition& definition);

// Writes the definition, replacing the file safely (temporary file, rename).
bool WriteDefinition(const ContestDefinition& definition, const QString& path);

// The canonical spelling of a multiplier kind read from a file ("jcc" →
// "Jcc"); the empty text for anything unknown. multiplier: 1, 2 or 3.
QString CanonicalMultiplierKind(int multiplier, const QString& kind);

}  // namespace zotra
