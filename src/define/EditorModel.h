// The definition editor's working state without its widgets: the band and
// mode slots of the environment file with their points, the parts of the sent
// and received contest numbers, and the small rules the window applies to
// them. The window shows this state and maps it to and from the definition.
#pragma once

#include "define/ContestDefinition.h"

#include <QChar>
#include <QList>
#include <QString>

namespace zotra {

struct BandPlan;

inline constexpr int kEditorBandSlots = 20;
inline constexpr int kEditorModeSlots = 6;
// Extra bands (shown in blue) that may be taken part in at once.
inline constexpr int kMaxExtraBands = 4;
// The received number holds at most this many parts (the definition file's limit).
inline constexpr int kMaxReceivedParts = 6;

struct BandSlot {
  QString name;        // empty: the slot is not used by the environment file
  bool extra = false;  // not a standard band: shown in blue
  bool taken = false;  // taken part in
  int points = -1;     // 1 unless set otherwise; -1 when not taken part in
};

struct ModeSlot {
  QString name;
  bool used = false;
  int points = 0;  // 0 when not used
};

// The band and mode slots: always 20 band slots and 6 mode slots, named in
// the environment file's order.
class EditorSlots {
 public:
  EditorSlots();
  static EditorSlots FromPlan(const BandPlan& plan);

  QList<BandSlot>& bands() { return bands_; }
  const QList<BandSlot>& bands() const { return bands_; }
  QList<ModeSlot>& modes() { return modes_; }
  const QList<ModeSlot>& modes() const { return modes_; }

  // A band box clicked: checked gives 1 point, unchecked -1.
  void SetBand(int slot, bool taken);
  // A mode box clicked: checked gives 1 point, unchecked 0. A slot without a
  // name cannot be used (false).
  bool SetMode(int slot, bool used);
  // "全交信一点": every band taken part in and every mode used gets 1.
  void OnePointEach();

  int TakenBandCount() const;
  int TakenExtraCount() const;
  // True when checking this slot would take part in a fifth extra band.
  bool ExtraLimitReached(int slot) const;

  // Loads the bands and modes of a definition: each band is looked up by
  // name among all twenty slots (points >= 0: taken part in, with those
  // points); every mode slot is first unused, and a mode with points >= 0 is
  // used. Returns true when some band or mode that was found has points other
  // than 1 (points differ by band and mode, and a 0 is shown in the points
  // window rather than hidden behind "全交信一点").
  bool ApplyDefinition(const ContestDefinition& definition);
  // The bands (every named slot: its points, or -1) and modes (every named
  // slot: its points when used, else -1) of the definition.
  void FillDefinition(ContestDefinition* definition) const;

 private:
  QList<BandSlot> bands_;
  QList<ModeSlot> modes_;
};

// The sent contest number: the report first ("HisRst", "3"), then a fixed
// text and the remark fields in the order they were switched on.
class SentNumber {
 public:
  SentNumber();
  // The fixed text (trimmed) becomes an item with its number of characters;
  // an empty text removes it.
  void SetFixedText(const QString& text);
  QString FixedText() const;
  // "Rmk1" or "Rmk2" on (length "0") or off.
  void SetRemark(const QString& item, bool on);
  bool HasRemark(const QString& item) const;
  void SetLength(const QString& item, const QString& length);
  QString LengthOf(const QString& item) const;

  const QList<NumberItem>& Items() const { return items_; }
  void SetItems(const QList<NumberItem>& items);
  // "HisRst(3) Rmk1(0)".
  QString Caption() const;

 private:
  static bool IsRemark(const QString& item);
  QList<NumberItem> items_;
};

// The received contest number: "MyRst" first when switched on, then the
// other parts in the order they were switched on.
class ReceivedNumber {
 public:
  // The received items and the length each starts with.
  static QString DefaultLength(const QString& item);

  void SetMyRst(bool on) { myRst_ = on; }
  bool MyRst() const { return myRst_; }
  // Switches a part ("Jcc", "GL", "HisName", "Qth", "Rmk1", "Rmk2") on with
  // its default length, or off (compared upper-cased). False when switching
  // on would make more parts than the file can hold.
  bool SetItem(const QString& item, bool on);
  bool Has(const QString& item) const;
  void SetLength(const QString& item, const QString& length);
  QString LengthOf(const QString& item) const;
  int PartCount() const { return int(rows_.size()) + (myRst_ ? 1 : 0); }

  // Every part, "MyRst" first.
  QList<NumberItem> Items() const;
  void SetItems(const QList<NumberItem>& items);
  QString Caption() const;

 private:
  int IndexOf(const QString& item) const;
  bool myRst_ = false;
  QList<NumberItem> rows_;
};

// The caption of a number's parts: item + "(" + length + ")" joined by blanks.
QString NumberCaption(const QList<NumberItem>& items);

// The last of the characters that do not belong in a contest name (checked
// in the order \ / > , * $ . " : ?); a null character when there is none.
QChar UnsuitableContestNameCharacter(const QString& name);
QString UnsuitableContestNameMessage(QChar c);

// More than one band with the operating-day multiplier as the first or the
// third multiplier: the summary sheet would add the days of every band.
bool NeedsDateMultiplierWarning(int takenBands, const QString& multi1, const QString& multi3);

// The contest period as the operator typed it: null when the period is a
// real one (every field a valid date and time, the end not before the
// start); else the message that says what is wrong.
QString PeriodProblem(const PeriodTime& start, const PeriodTime& end);

// True for a text of the digits 0–9 only (not empty).
bool IsDigits(const QString& text);

// A period field left by the operator: the year cut to 4 characters and
// padded with leading zeros to 4, the other fields to 2.
QString PadPeriodField(const QString& text, int width);

}  // namespace zotra
