#include "EditorModel.h"

#include "common/Text.h"
#include "menu/Environment.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace zotra {

// ---- band and mode slots ------------------------------------------------------

EditorSlots::EditorSlots() : bands_(kEditorBandSlots), modes_(kEditorModeSlots) {}

EditorSlots EditorSlots::FromPlan(const BandPlan& plan) {
  EditorSlots result;
  for (int i = 0; i < plan.bands.size() && i < kEditorBandSlots; ++i) {
    result.bands_[i].name = plan.bands.at(i).name;
    result.bands_[i].extra = plan.bands.at(i).extra;
  }
  for (int i = 0; i < plan.modes.size() && i < kEditorModeSlots; ++i) result.modes_[i].name = plan.modes.at(i);
  return result;
}

void EditorSlots::SetBand(int slot, bool taken) {
  if (slot < 0 || slot >= bands_.size()) return;
  bands_[slot].taken = taken;
  bands_[slot].points = taken ? 1 : -1;
}

bool EditorSlots::SetMode(int slot, bool used) {
  if (slot < 0 || slot >= modes_.size()) return false;
  if (used && modes_.at(slot).name.isEmpty()) return false;
  modes_[slot].used = used;
  modes_[slot].points = used ? 1 : 0;
  return true;
}

void EditorSlots::OnePointEach() {
  for (BandSlot& b : bands_) {
    if (b.taken) b.points = 1;
  }
  for (ModeSlot& m : modes_) {
    if (m.used) m.points = 1;
  }
}

int EditorSlots::TakenBandCount() const {
  int n = 0;
  for (const BandSlot& b : bands_) n += (!b.name.isEmpty() && b.taken) ? 1 : 0;
  return n;
}

int EditorSlots::TakenExtraCount() const {
  int n = 0;
  for (const BandSlot& b : bands_) n += (!b.name.isEmpty() && b.taken && b.extra) ? 1 : 0;
  return n;
}

bool EditorSlots::ExtraLimitReached(int slot) const {
  if (slot < 0 || slot >= bands_.size() || !bands_.at(slot).extra || bands_.at(slot).taken) return false;
  return TakenExtraCount() >= kMaxExtraBands;
}

bool EditorSlots::ApplyDefinition(const ContestDefinition& d) {
  bool distributed = false;
  for (const NamedPoints& band : d.bands) {
    const QString name = TrimBlanks(band.name);
    for (BandSlot& slot : bands_) {
      if (slot.name.isEmpty() || TrimBlanks(slot.name) != name) continue;
      slot.taken = band.points >= 0;
      slot.points = slot.taken ? band.points : -1;
      if (band.points == 0 || band.points > 1) distributed = true;
      break;
    }
  }
  for (ModeSlot& slot : modes_) {
    slot.used = false;
    slot.points = 0;
  }
  for (const NamedPoints& mode : d.modes) {
    const QString name = TrimBlanks(mode.name);
    for (ModeSlot& slot : modes_) {
      if (slot.name.isEmpty() || TrimBlanks(slot.name) != name) continue;
      slot.used = mode.points >= 0;
      slot.points = qMax(mode.points, 0);
      if (mode.points == 0 || mode.points > 1) distributed = true;
      break;
    }
  }
  return distributed;
}

void EditorSlots::FillDefinition(ContestDefinition* d) const {
  d->bands.clear();
  for (const BandSlot& b : bands_) {
    if (TrimBlanks(b.name).isEmpty()) continue;
    d->bands.append({b.name, b.taken ? qMax(b.points, 0) : -1});
  }
  d->modes.clear();
  for (const ModeSlot& m : modes_) {
    if (TrimBlanks(m.name).isEmpty()) continue;
    d->modes.append({m.name, m.used ? qMax(m.points, 0) : -1});
  }
}

// ---- contest numbers ----------------------------------------------------------

QString NumberCaption(const QList<NumberItem>& items) {
  QStringList parts;
  for (const NumberItem& i : items) parts << i.item + QLatin1Char('(') + i.length + QLatin1Char(')');
  return parts.join(QLatin1Char(' '));
}

SentNumber::SentNumber() : items_{{QStringLiteral("HisRst"), QStringLiteral("3")}} {}

bool SentNumber::IsRemark(const QString& item) {
  return item == QLatin1String("Rmk1") || item == QLatin1String("Rmk2");
}

void SentNumber::SetFixedText(const QString& text) {
  const QString fixed = TrimBlanks(text);
  for (int i = 1; i < items_.size(); ++i) {
    if (IsRemark(items_.at(i).item)) continue;
    if (fixed.isEmpty()) items_.removeAt(i);
    else items_[i] = {fixed, QString::number(fixed.size())};
    return;
  }
  if (!fixed.isEmpty()) items_.append({fixed, QString::number(fixed.size())});
}

QString SentNumber::FixedText() const {
  for (int i = 1; i < items_.size(); ++i) {
    if (!IsRemark(items_.at(i).item)) return items_.at(i).item;
  }
  return {};
}

void SentNumber::SetRemark(const QString& item, bool on) {
  for (int i = 1; i < items_.size(); ++i) {
    if (items_.at(i).item != item) continue;
    if (!on) items_.removeAt(i);
    else items_[i].length = QStringLiteral("0");
    return;
  }
  if (on) items_.append({item, QStringLiteral("0")});
}

bool SentNumber::HasRemark(const QString& item) const {
  for (int i = 1; i < items_.size(); ++i) {
    if (items_.at(i).item == item) return true;
  }
  return false;
}

void SentNumber::SetLength(const QString& item, const QString& length) {
  for (int i = 1; i < items_.size(); ++i) {
    if (items_.at(i).item == item) items_[i].length = length;
  }
}

QString SentNumber::LengthOf(const QString& item) const {
  for (const NumberItem& i : items_) {
    if (i.item == item) return i.length;
  }
  return {};
}

void SentNumber::SetItems(const QList<NumberItem>& items) {
  items_ = {{QStringLiteral("HisRst"), QStringLiteral("3")}};
  for (const NumberItem& i : items) {
    if (i.item == QLatin1String("HisRst") || TrimBlanks(i.item).isEmpty()) continue;
    items_.append(i);
  }
}

QString SentNumber::Caption() const { return NumberCaption(items_); }

QString ReceivedNumber::DefaultLength(const QString& item) {
  const QString k = Upper(item);
  if (k == QLatin1String("MYRST")) return QStringLiteral("3");
  if (k == QLatin1String("JCC") || k == QLatin1String("GL")) return QStringLiteral("6");
  if (k == QLatin1String("HISNAME")) return QStringLiteral("12");
  if (k == QLatin1String("QTH")) return QStringLiteral("28");
  return QStringLiteral("0");
}

int ReceivedNumber::IndexOf(const QString& item) const {
  const QString k = Upper(item);
  for (int i = 0; i < rows_.size(); ++i) {
    if (Upper(rows_.at(i).item) == k) return i;
  }
  return -1;
}

bool ReceivedNumber::SetItem(const QString& item, bool on) {
  const int at = IndexOf(item);
  if (!on) {
    if (at >= 0) rows_.removeAt(at);
    return true;
  }
  if (at >= 0) {
    rows_[at].length = DefaultLength(item);
    return true;
  }
  if (PartCount() >= kMaxReceivedParts) return false;
  rows_.append({item, DefaultLength(item)});
  return true;
}

bool ReceivedNumber::Has(const QString& item) const { return IndexOf(item) >= 0; }

void ReceivedNumber::SetLength(const QString& item, const QString& length) {
  const int at = IndexOf(item);
  if (at >= 0) rows_[at].length = length;
}

QString ReceivedNumber::LengthOf(const QString& item) const {
  const int at = IndexOf(item);
  return at >= 0 ? rows_.at(at).length : QString();
}

QList<NumberItem> ReceivedNumber::Items() const {
  QList<NumberItem> items;
  if (myRst_) items.append({QStringLiteral("MyRst"), QStringLiteral("3")});
  items += rows_;
  return items;
}

void ReceivedNumber::SetItems(const QList<NumberItem>& items) {
  myRst_ = false;
  rows_.clear();
  for (const NumberItem& i : items) {
    if (i.item == QLatin1String("MyRst")) myRst_ = true;
    else if (!TrimBlanks(i.item).isEmpty() && IndexOf(i.item) < 0) rows_.append(i);
  }
}

QString ReceivedNumber::Caption() const { return NumberCaption(Items()); }

// ---- contest name, period, date multiplier --------------------------------------

QChar UnsuitableContestNameCharacter(const QString& name) {
  static const QString kUnsuitable = QStringLiteral("\\/>,*$.\":?");
  QChar found;
  for (const QChar c : kUnsuitable) {
    if (name.contains(c)) found = c;
  }
  return found;
}

QString UnsuitableContestNameMessage(QChar c) {
  return QStringLiteral("コンテスト名に 不適切な文字 【 ") + c + QStringLiteral(" 】 が見つかりました\n") +
         QStringLiteral("その文字が必要な場合は 全角に変換してご利用ください");
}

bool NeedsDateMultiplierWarning(int takenBands, const QString& multi1, const QString& multi3) {
  return takenBands > 1 && (multi1 == QLatin1String("Date") || multi3 == QLatin1String("Date"));
}

bool IsDigits(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

namespace {

bool PeriodDateTime(const PeriodTime& t, QDateTime* out) {
  for (const QString* f : {&t.year, &t.month, &t.day, &t.hour, &t.minute}) {
    if (!IsDigits(*f)) return false;
  }
  const QDate date(t.year.toInt(), t.month.toInt(), t.day.toInt());
  const QTime time(t.hour.toInt(), t.minute.toInt());
  if (!date.isValid() || !time.isValid()) return false;
  *out = QDateTime(date, time, Qt::UTC);
  return true;
}

}  // namespace

QString PeriodProblem(const PeriodTime& start, const PeriodTime& end) {
  QDateTime from, to;
  if (!PeriodDateTime(start, &from)) {
    return QStringLiteral("コンテスト期間の 開始 日時が正しくありません\n") + start.year + QLatin1Char('/') +
           start.month + QLatin1Char('/') + start.day + QLatin1Char(' ') + start.hour + QLatin1Char(':') +
           start.minute;
  }
  if (!PeriodDateTime(end, &to)) {
    return QStringLiteral("コンテスト期間の 終了 日時が正しくありません\n") + end.year + QLatin1Char('/') +
           end.month + QLatin1Char('/') + end.day + QLatin1Char(' ') + end.hour + QLatin1Char(':') + end.minute;
  }
  if (to < from) return QStringLiteral("コンテスト期間の 終了 が 開始 より前になっています");
  return {};
}

QString PadPeriodField(const QString& text, int width) {
  return PadLeft(text.left(width), width, QLatin1Char('0'));
}

}  // namespace zotra
