#include "Extraction.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <algorithm>

namespace zotra {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const QString kInvalidMark = QStringLiteral("《VQC無効交信》");

// Records between two looks at the window (and at Command2).
constexpr qint32 kRecordsPerLook = 256;

// Appends a piece to a number: trim(text + " " + piece).
void AppendPiece(QString* text, const QString& piece) {
  if (piece.isEmpty()) return;
  *text = TrimBlanks(*text + QLatin1Char(' ') + piece);
}

// The word after the first blank of a text, up to the next blank.
QString SecondWord(const QString& text) {
  const int blank = text.indexOf(QLatin1Char(' '));
  if (blank < 0) return {};
  const int next = text.indexOf(QLatin1Char(' '), blank + 1);
  return next < 0 ? text.mid(blank + 1) : text.mid(blank + 1, next - blank - 1);
}

QString WithoutBlanks(QString text) {
  text.remove(QLatin1Char(' '));
  return text;
}

}  // namespace

// ---- the centimetre-band table ------------------------------------------------

void CentimetreBands::Load() {
  loaded_ = true;
  QStringList lines;
  present_ = FileExists(path_) && ReadLines(path_, &lines);
  for (const QString& line : lines) {
    const QStringList items = line.split(QLatin1Char(','));
    if (items.size() < 3) continue;
    rows_.append({ValInt(items.at(0)), ValInt(items.at(1)), ValInt(items.at(2))});
  }
}

bool CentimetreBands::Present() {
  if (!loaded_) Load();
  return present_;
}

QString CentimetreBands::BandOf(const QString& frequency) {
  if (!loaded_) Load();
  const double value = Val(frequency);
  for (const Row& row : rows_) {
    if (row.low <= value && value <= row.high) return QString::number(row.band);
  }
  return {};
}

// ---- the work line ----------------------------------------------------------------------

QString WorkLineText(const ExtractedQso& q) {
  const QString* fields[] = {nullptr,           &q.band,           &q.mode,        &q.date,
                             &q.time,           &q.call,           &q.sentNumber,  &q.sentRst,
                             &q.receivedNumber, &q.receivedRst,    &q.multipliers[0], &q.multipliers[1],
                             &q.multipliers[2], &q.points,         nullptr,        &q.note};
  QString line;
  line.reserve(160);
  for (int i = 0; i < 16; ++i) {
    if (i > 0) line += QLatin1Char(',');
    if (i == 0) {
      line += QLatin1Char('"') + QString::number(q.record) + QLatin1Char('"');
    } else if (!fields[i]) {
      line += QLatin1String("\"\"");
    } else {
      // Most fields hold nothing QuoteField would change: quoted as they are.
      const QString& f = *fields[i];
      const bool plain = std::none_of(f.cbegin(), f.cend(), [](QChar c) {
        return c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
      });
      if (plain) {
        line += QLatin1Char('"');
        line += f;
        line += QLatin1Char('"');
      } else {
        line += QuoteField(f);
      }
    }
  }
  return line;
}

// ---- helpers of the rules ---------------------------------------------------------------

QString CallWithoutDesignator(const QString& call) {
  if (!call.contains(QLatin1Char('/'))) return call;
  QString longest;
  for (const QString& part : call.split(QLatin1Char('/'))) {
    if (part.size() >= longest.size()) longest = part;
  }
  return longest;
}

QString WithoutQuotesAndCommas(const QString& text) {
  QString s = text;
  int i = 0;
  while (i < s.size()) {
    const QChar c = s.at(i);
    if (c != QLatin1Char('"') && c != QLatin1Char(',')) {
      ++i;
      continue;
    }
    if (i == 0 || i == s.size() - 1) {
      s.remove(i, 1);  // the next character takes its place (or the text ends)
    } else {
      s[i] = QLatin1Char(' ');
      ++i;
    }
  }
  return s;
}

QString RemarkPiece(const QString& remark, int width) {
  const QString text = TrimBlanks(remark);
  if (width != 0) return text.left(width);
  const int bar = text.indexOf(QLatin1Char('|'));
  return bar > 0 ? text.left(bar) : QString();
}

QString SatelliteName(const QString& remark) {
  const int first = remark.indexOf(QLatin1Char('%'));
  if (first < 0) return {};
  const int second = remark.indexOf(QLatin1Char('%'), first + 1);
  if (second < 0) return {};
  QString name = remark.mid(first + 1, second - first - 1);
  const int bracket = name.indexOf(QLatin1Char('('));
  if (bracket >= 0) name = name.left(bracket);
  return TrimBlanks(name);
}

// ---- why a record is not taken ------------------------------------------------------

QString SkipReasonText(SkipReason reason) {
  switch (reason) {
    case SkipReason::OutsidePeriod: return U("期間外");
    case SkipReason::BandNotTaken: return U("参加バンド外");
    case SkipReason::ModeNotTaken: return U("参加モード外");
    case SkipReason::UnknownFrequency: return U("周波数不明");
    case SkipReason::OtherZone: return U("時刻の基準違い");
    case SkipReason::Unreadable: return U("読めない記録");
    case SkipReason::MarkedInvalid: return U("無効交信");
  }
  return {};
}

// ---- the record rules -----------------------------------------------------------------

RecordRules::RecordRules(const ExtractDefinition& definition, const ModeAliases& aliases,
                         const ExtractOptions& options, const AreaTables& tables, CentimetreBands& centimetre,
                         Dialogs& dialogs)
    : definition_(definition),
      aliases_(aliases),
      options_(options),
      centimetre_(centimetre),
      dialogs_(dialogs),
      converter_(tables, options.area, dialogs),
      start_(definition.startKey.toLongLong()),
      end_(definition.endKey.toLongLong()) {
  for (const NumberSlot& slot : definition.received) {
    const QString item = Upper(TrimBlanks(slot.item));
    if (item == QLatin1String("JCC")) convertJcc_ = true;
    if (item == QLatin1String("QTH")) convertQth_ = true;
  }
}

std::optional<SkipReason> RecordRules::ContestTime(const QsoRecord& record, QsoTime* time, QsoTime* logged) const {
  if (!ParseQsoTime(record[QsoField::Date], record[QsoField::Time], time)) return SkipReason::Unreadable;
  if (logged) *logged = *time;
  const char contestZone = definition_.contestJst ? 'J' : 'U';
  const bool otherZone = time->zone != contestZone;
  const qint64 key = otherZone ? ToZone(*time, definition_.contestJst).Number() : time->Number();
  if (key < start_ || key > end_) return SkipReason::OutsidePeriod;
  if (otherZone) {
    // A QSO of the period, logged in the other zone: taken only when converted.
    if (!definition_.convertZone) return SkipReason::OtherZone;
    *time = ToZone(*time, definition_.contestJst);
  }
  return std::nullopt;
}

const PointsSlot* RecordRules::Find(const QList<PointsSlot>& table, const QString& name) const {
  for (const PointsSlot& slot : table) {
    if (slot.name == name) return &slot;
  }
  return nullptr;
}

QString RecordRules::SentNumber(const QsoRecord& r) const {
  QString text;
  // The first item (the report) does not contribute.
  for (int i = 1; i < definition_.sent.size(); ++i) {
    const NumberSlot& slot = definition_.sent.at(i);
    const QString item = Upper(slot.item);
    if (item == QLatin1String("RMK1")) AppendPiece(&text, RemarkPiece(r[QsoField::Remarks1], slot.width));
    else if (item == QLatin1String("RMK2")) AppendPiece(&text, RemarkPiece(r[QsoField::Remarks2], slot.width));
    else if (TrimBlanks(item) != QLatin1String("HISRST")) AppendPiece(&text, slot.item);
  }
  return text;
}

QString RecordRules::ReceivedNumber(const QsoRecord& r) const {
  QString text;
  for (const NumberSlot& slot : definition_.received) {
    const QString item = Upper(TrimBlanks(slot.item));
    QString piece;
    if (item == QLatin1String("JCC")) piece = TrimBlanks(r[QsoField::AreaCode]).left(slot.width);
    else if (item == QLatin1String("GL")) piece = TrimBlanks(r[QsoField::GridLocator]).left(slot.width);
    else if (item == QLatin1String("QTH")) piece = TrimBlanks(r[QsoField::Qth]).left(slot.width);
    else if (item == QLatin1String("HISNAME")) piece = TrimBlanks(r[QsoField::Name]).left(slot.width);
    else if (item == QLatin1String("RMK1")) piece = RemarkPiece(r[QsoField::Remarks1], slot.width);
    else if (item == QLatin1String("RMK2")) piece = RemarkPiece(r[QsoField::Remarks2], slot.width);
    AppendPiece(&text, piece);
  }
  return text;
}

QString RecordRules::Multiplier(int slot, const QsoRecord& r, const QString& call, const QsoTime& time,
                                const QString& receivedNumber, const QString& receivedRst) const {
  const QString& kind = definition_.multipliers[static_cast<std::size_t>(slot)];
  if (kind.isEmpty()) return {};
  // The received number as the "Space" and "Edit" kinds see it: the report in
  // front when the report belongs to it.
  auto exchange = [&] {
    return definition_.receivedRst ? receivedRst + QLatin1Char(' ') + receivedNumber : receivedNumber;
  };
  if (kind == QLatin1String("PFX")) return CallWithoutDesignator(call).left(3);
  if (kind == QLatin1String("LL")) return CallWithoutDesignator(call).right(1);
  if (kind == QLatin1String("JCC")) {
    // The code without the text behind it ("1001 M" counts as "1001", like
    // "1001 H"); a town counts as its county.
    QString code = TrimBlanks(r[QsoField::AreaCode]);
    const int blank = code.indexOf(QLatin1Char(' '));
    if (blank >= 0) code.truncate(blank);
    if (code.size() == 6 && !code.at(5).isDigit()) code.chop(1);
    return code;
  }
  if (kind == QLatin1String("QTH")) return TrimBlanks(r[QsoField::Qth]);
  if (kind == QLatin1String("GL")) return TrimBlanks(r[QsoField::GridLocator]);
  if (kind == QLatin1String("NAME")) return r[QsoField::Name];
  if (kind == QLatin1String("SPACE")) return SecondWord(exchange());
  if (kind == QLatin1String("DATE")) return time.Date().mid(5);
  if (kind == QLatin1String("EDIT")) {
    QString s = TrimBlanks(exchange());
    if (definition_.editSkip > 0) s = TrimBlanks(s.mid(definition_.editSkip));
    if (definition_.editDrop < s.size()) s = TrimBlanks(s.left(s.size() - definition_.editDrop));
    return s;
  }
  return {};
}

RecordRules::Outcome RecordRules::Apply(QsoRecord& r, const BandLookup& bandOf, ExtractedQso* out,
                                        SkipReason* reason) {
  // 1, 2: the zone and the period (both ends inclusive).
  QsoTime time;
  if (const std::optional<SkipReason> notContest = ContestTime(r, &time)) {
    if (reason) *reason = *notContest;
    return Outcome::Skipped;
  }
  return Apply(r, time, bandOf, out, reason);
}

RecordRules::Outcome RecordRules::Apply(QsoRecord& r, const QsoTime& time, const BandLookup& bandOf,
                                        ExtractedQso* out, SkipReason* reason) {
  const auto skip = [reason](SkipReason why) {
    if (reason) *reason = why;
    return Outcome::Skipped;
  };

  // 3: the area code and the QTH brought to the contest's level.
  if (options_.editAreas && (convertJcc_ || convertQth_)) {
    converter_.BeginRecord(TrimBlanks(r[QsoField::CallSign]) + QStringLiteral("  ") + time.Date() +
                           QLatin1Char(' ') + time.Time() + U(" (交信番号 %1)").arg(r.number));
    if (convertJcc_) r[QsoField::AreaCode] = converter_.ConvertAreaCode(r[QsoField::AreaCode]);
    if (convertQth_) r[QsoField::Qth] = converter_.ConvertQth(r[QsoField::Qth], r[QsoField::AreaCode]);
    if (converter_.ErrorNumber() != 0) {
      const QString text = U("交信番号:") + QString::number(r.number) + QLatin1Char('\n') + U("CallSing:") +
                           r[QsoField::CallSign] + QLatin1Char('\n') + converter_.ErrorMessage() +
                           QLatin1Char('\n') + converter_.ErrorCode();
      if (dialogs_.Ask(text, Buttons::OkCancel, U("変換エラー発生"), Icon::Warning) == Button::Cancel) {
        return Outcome::Cancelled;
      }
    }
  }

  // 4, 5: free texts half-width and upper case, without quotes and commas.
  for (QsoField f : {QsoField::Remarks1, QsoField::Remarks2, QsoField::Name}) r[f] = Upper(ToNarrow(r[f]));
  for (QsoField f : {QsoField::Remarks1, QsoField::Remarks2, QsoField::Name, QsoField::Qth}) {
    r[f] = WithoutQuotesAndCommas(r[f]);
  }

  // 6: the mode, through its alias, and its points.
  const QString mode = TrimBlanks(ApplyModeAlias(aliases_, r[QsoField::Mode]));
  const PointsSlot* modeSlot = Find(definition_.modes, mode);
  if (!modeSlot) return skip(SkipReason::ModeNotTaken);

  // 7: the band and its points.
  const FrequencyBand found = bandOf(r[QsoField::Frequency], r.number);
  QString band = found.unknownCode ? centimetre_.BandOf(r[QsoField::Frequency]) : found.band;
  band = TrimBlanks(band);
  if (band.isEmpty()) return skip(SkipReason::UnknownFrequency);
  const PointsSlot* bandSlot = Find(definition_.bands, band);
  if (!bandSlot) return skip(SkipReason::BandNotTaken);

  // 8: a QSO the logbook's contest check marked invalid.
  if (definition_.dropInvalid &&
      (r[QsoField::Remarks2].contains(kInvalidMark) || r[QsoField::Remarks1].contains(kInvalidMark))) {
    return skip(SkipReason::MarkedInvalid);
  }

  ExtractedQso& q = *out;
  q = ExtractedQso{};
  q.record = r.number;
  q.mode = mode;
  q.date = time.Date();
  q.time = time.Time();
  // 9 to 12: the numbers and the reports.
  q.sentNumber = SentNumber(r);
  if (definition_.sentRst) q.sentRst = r[QsoField::HisRst];
  q.receivedNumber = ReceivedNumber(r);
  if (definition_.receivedRst) q.receivedRst = r[QsoField::MyRst];
  // 14 (before 13, which takes the call as it is written): no blank anywhere.
  q.call = WithoutBlanks(TrimBlanks(r[QsoField::CallSign]));
  // 13: the multipliers.
  for (int m = 0; m < 3; ++m) {
    q.multipliers[static_cast<std::size_t>(m)] = Multiplier(m, r, q.call, time, q.receivedNumber, q.receivedRst);
  }
  // 15: the satellite's name.
  if (band == QLatin1String("SAT")) {
    q.note = SatelliteName(r[QsoField::Remarks1]);
    if (q.note.isEmpty()) q.note = SatelliteName(r[QsoField::Remarks2]);
  }
  // 17: every band above 10100 MHz is one band; the frequency may go to the note.
  q.band = band;
  if (Val(band) > 10100) {
    q.band = kMicrowaveWorkBand;
    if (options_.frequencyNote) q.note = r[QsoField::Frequency];
  }
  q.points = ShortestDecimal(modeSlot->value * bandSlot->value);
  return Outcome::Kept;
}

// ---- a whole run ------------------------------------------------------------------------

ExtractResult RunExtraction(const ExtractInput& input, Dialogs& dialogs, ExtractObserver* observer,
                            const std::function<void(const QString&, bool)>& databaseLabel) {
  ExtractResult result;
  Logbook book(dialogs);
  const Logbook::OpenResult opened = book.Open(input.databasePath, input.programFolder);
  if (databaseLabel) databaseLabel(book.DatabaseLabel(), book.DatabaseLabelWarning());
  if (opened == Logbook::OpenResult::Fatal) {
    result.status = ExtractResult::Status::Fatal;
    return result;
  }

  const QString workPath = ResolveInFolder(input.programFolder, kExtractFileName);
  LineWriter out;
  if (!out.Open(workPath, &dialogs)) {
    dialogs.Tell(U("作業ファイルを作成できません\n") + workPath, {}, Icon::Critical);
    result.status = ExtractResult::Status::WriteFailed;
    return result;
  }

  AreaTables noTables;
  CentimetreBands centimetre(ResolveInFolder(input.programFolder, MicrowaveTableName()));
  RecordRules rules(input.definition, input.aliases, input.options, input.tables ? *input.tables : noTables,
                    centimetre, dialogs);
  const auto bandOf = [&book](const QString& frequency, qint32 record) {
    return book.BandOfFrequency(frequency, record);
  };

  ExtractProgress progress;
  progress.lastRecord = book.RecordCount();
  result.lastRecord = book.RecordCount();
  const auto look = [&] { return !observer || observer->Progress(progress); };
  const auto stop = [&](ExtractResult::Status status) {
    out.Close();
    result.status = status;
    result.kept = progress.kept;
    return result;
  };

  // Every record, whatever the order the logbook holds them in. The date and
  // time come first; the rest of a record is read only when it is the contest's.
  QsoRecord record;
  ExtractedQso qso;
  QsoTime logged, first, last;  // the logbook's first and last QSO in time, as logged
  bool anyTime = false;
  const auto count = [&result](SkipReason reason) { ++result.skipped[static_cast<std::size_t>(reason)]; };
  progress.record = 1;
  if (!look()) return stop(ExtractResult::Status::Stopped);
  for (qint32 n = 1; n <= book.RecordCount(); ++n) {
    progress.record = n;
    if (n % kRecordsPerLook == 0 && !look()) return stop(ExtractResult::Status::Stopped);
    if (!book.ReadTime(n, &record)) {
      count(SkipReason::Unreadable);
      continue;
    }
    QsoTime time;
    const std::optional<SkipReason> notContest = rules.ContestTime(record, &time, &logged);
    if (notContest != SkipReason::Unreadable) {
      if (!anyTime || logged.Number() < first.Number()) first = logged;
      if (!anyTime || logged.Number() > last.Number()) last = logged;
      anyTime = true;
    }
    if (notContest) {
      count(*notContest);
      continue;
    }
    if (!book.ReadRest(&record)) {
      count(SkipReason::Unreadable);
      continue;
    }
    SkipReason reason = SkipReason::Unreadable;
    const RecordRules::Outcome outcome = rules.Apply(record, time, bandOf, &qso, &reason);
    if (outcome == RecordRules::Outcome::Cancelled) return stop(ExtractResult::Status::Stopped);
    if (outcome != RecordRules::Outcome::Kept) {
      count(reason);
      continue;
    }
    if (!out.WriteLine(WorkLineText(qso))) {
      out.Close();
      dialogs.Tell(U("作業ファイルに書き込めません\n") + workPath, {}, Icon::Critical);
      result.status = ExtractResult::Status::WriteFailed;
      result.kept = progress.kept;
      return result;
    }
    ++progress.kept;
    progress.lastDate = qso.date + QLatin1Char(' ') + qso.time;
    progress.lastCall = qso.call;
  }
  if (anyTime) {
    result.firstDate = first.Date();
    result.lastDate = last.Date();
  }

  if (!out.Close()) {
    dialogs.Tell(U("作業ファイルに書き込めません\n") + workPath, {}, Icon::Critical);
    result.status = ExtractResult::Status::WriteFailed;
  }
  book.Close();
  progress.phase = ExtractProgress::Phase::Finished;
  if (observer) observer->Progress(progress);
  result.kept = progress.kept;
  return result;
}

// ---- the account of a run -----------------------------------------------------------------

namespace {

QString SkipLine(const ExtractResult& result, SkipReason reason) {
  return SkipReasonText(reason) + QLatin1Char(' ') + QString::number(result.Skipped(reason)) + U(" 件");
}

}  // namespace

QStringList SkipLines(const ExtractResult& result) {
  QStringList lines;
  for (int i = 0; i < kSkipReasons; ++i) {
    const auto reason = static_cast<SkipReason>(i);
    if (result.Skipped(reason) > 0) lines << SkipLine(result, reason);
  }
  return lines;
}

QString ExtractAccount(const ExtractResult& result, const ExtractDefinition& definition) {
  const auto keyText = [](const QString& key) {
    return key.left(4) + QLatin1Char('/') + key.mid(4, 2) + QLatin1Char('/') + key.mid(6, 2) + QLatin1Char(' ') +
           key.mid(8, 2) + QLatin1Char(':') + key.mid(10, 2);
  };
  const QString zone = definition.contestJst ? QStringLiteral("JST") : QStringLiteral("UTC");
  QStringList lines;
  if (result.kept == 0) lines << U("コンテストの交信が見つかりませんでした");
  if (result.lastRecord == 0) lines << U("ログから読める記録がありません");
  lines << U("取り込んだ交信 %1 件").arg(result.kept);
  if (!SkipLines(result).isEmpty()) lines << QString() << U("取り込まなかった記録");
  for (int i = 0; i < kSkipReasons; ++i) {
    const auto reason = static_cast<SkipReason>(i);
    if (result.Skipped(reason) == 0) continue;
    lines << SkipLine(result, reason);
    if (reason == SkipReason::OutsidePeriod) {
      lines << U("　コンテストの期間 %1 〜 %2 (%3)").arg(keyText(definition.startKey), keyText(definition.endKey), zone);
      if (!result.firstDate.isEmpty()) {
        lines << U("　ログにある交信 %1 〜 %2").arg(result.firstDate, result.lastDate);
      }
    } else if (reason == SkipReason::OtherZone) {
      lines << (definition.contestJst ? U("　UTC で記録した交信です (コンテストの条件の Utc=>Jst で取り込めます)")
                                      : U("　JST で記録した交信です (コンテストの条件の Jst=>Utc で取り込めます)"));
    }
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace zotra
