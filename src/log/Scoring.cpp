#include "Scoring.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <QFileInfo>
#include <QSet>

#include <deque>
#include <limits>
#include <vector>

namespace zotra {

// ---- multiplier arrangement ----------------------------------------------------

namespace {

QStringView TrimmedBlanks(QStringView v) {
  while (!v.isEmpty() && v.front() == QLatin1Char(' ')) v = v.mid(1);
  while (!v.isEmpty() && v.back() == QLatin1Char(' ')) v.chop(1);
  return v;
}

}  // namespace

int ArrangeMultipliers(QsoTable* table, const LogDefinition& definition) {
  const int count = table->RowCount();
  int changed = 0;
  std::vector<qint64> number(static_cast<size_t>(count) + 1);
  for (int r = 1; r <= count; ++r) number[static_cast<size_t>(r)] = table->Number(r);

  for (int i = 1; i <= 3; ++i) {
    if (!definition.MultiplierUsed(i)) continue;
    const int c = col::kMulti1 + i - 1;
    // The values as views of the cells; a value whose inner ideographic blank
    // goes is joined into a text of its own.
    std::vector<QStringView> value(static_cast<size_t>(count) + 1);
    std::deque<QString> joined;
    QSet<QStringView> taken;
    taken.reserve(count);
    for (int r = 1; r <= count; ++r) {
      const qint64 n = number[static_cast<size_t>(r)];
      QStringView v = TrimmedBlanks(table->Field(r, c));
      if (n == 0) {
        v = {};
        if (table->Field(r, col::kPoints) != u"0") {
          table->SetCell(r, col::kPoints, QStringLiteral("0"));
          ++changed;
        }
      }
      // Only the first ideographic blank goes, wherever it stands.
      const qsizetype blank = v.indexOf(kIdeographicBlank);
      if (blank < 0) {
        // none
      } else if (blank == 0) {
        v = v.mid(1);
      } else if (blank == v.size() - 1) {
        v.chop(1);
      } else {
        joined.push_back(v.left(blank).toString().append(v.mid(blank + 1)));
        v = joined.back();
      }
      v = TrimmedBlanks(v);
      // A number compares greater than "0" as a text exactly when it is
      // positive: only such QSOs keep a value or lose it to an earlier one.
      if (n > 0 && !v.isEmpty()) {
        if (taken.contains(v)) {
          v = {};
        } else {
          taken.insert(v);
        }
      }
      value[static_cast<size_t>(r)] = v;
    }
    for (int r = 1; r <= count; ++r) {
      const QStringView v = value[static_cast<size_t>(r)];
      if (table->Field(r, c) != v) {
        table->SetCell(r, c, v.toString());
        ++changed;
      }
    }
  }
  return changed;
}

// ---- totals ------------------------------------------------------------------------

void OutputTotals::Add(const QsoTable& table, int row, const LogDefinition& definition) {
  if (!table.IsValid(row)) return;
  ++qsos;
  for (int i = 1; i <= 3; ++i) {
    if (definition.MultiplierUsed(i) && !table.Field(row, col::kMulti1 + i - 1).isEmpty()) {
      ++multipliers[static_cast<size_t>(i - 1)];
    }
  }
  // A damaged cell can hold any number: the sum saturates instead of
  // wrapping, and Overflows() tells the user.
  if (__builtin_add_overflow(points, table.Points(row), &points)) {
    points = table.Points(row) < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
  }
}

bool OutputTotals::Overflows() const {
  auto out = [](qint64 v) { return v > kMaxQsoCount || v < -kMaxQsoCount - 1; };
  return out(qsos) || out(multipliers[0]) || out(multipliers[1]) || out(multipliers[2]) || out(points);
}

OutputTotals TotalsOf(const QsoTable& table, const LogDefinition& definition) {
  OutputTotals totals;
  for (int r = 1; r <= table.RowCount(); ++r) totals.Add(table, r, definition);
  return totals;
}

// ---- points file -----------------------------------------------------------------

QList<PointsRecord> ParsePointsFile(const QString& text) {
  QList<PointsRecord> records;
  for (const QString& line : SplitLines(text)) {
    if (line.isEmpty() || line == QStringLiteral("\x1a")) continue;
    const QStringList f = SplitListLine(line);
    if (f.isEmpty()) continue;
    records << PointsRecord{f.value(0), f.value(1), f.value(2), f.value(3), f.value(4), f.value(5)};
  }
  return records;
}

QString PointsFileText(const QList<PointsRecord>& records) {
  ListWriter writer;
  for (const PointsRecord& r : records) {
    if (r.band.isEmpty()) continue;
    writer.Text(r.band).Text(r.qsos).Text(r.multi1).Text(r.multi2).Text(r.multi3).Text(r.points).EndRecord();
  }
  return writer.Result();
}

PointsRecord MakePointsRecord(const QString& band, const OutputTotals& totals, const LogDefinition& definition,
                              bool pointsPrinted) {
  auto multi = [&](int i) {
    return StrNumber(definition.MultiplierUsed(i) ? totals.multipliers[static_cast<size_t>(i - 1)] : 0);
  };
  return {band, StrNumber(totals.qsos), multi(1), multi(2), multi(3),
          pointsPrinted ? StrNumber(totals.points) : QString()};
}

PointsFileOutcome UpdatePointsFile(const QString& path, const QString& bandSelection, const OutputTotals& totals,
                                   const LogDefinition& definition, bool pointsPrinted, Dialogs& dialogs) {
  QString text;
  // A missing file reads as empty and is created; one that is there but
  // cannot be read is left alone, or the other bands' records would be lost.
  if (!ReadText(path, &text) && QFileInfo::exists(path)) {
    dialogs.Tell(QStringLiteral("得点ファイル %1 を読めません\n他のバンドの記録を消さないよう 書き込みませんでした").arg(path),
                 {}, Icon::Critical);
    return PointsFileOutcome::Failed;
  }
  QList<PointsRecord> old = ParsePointsFile(text);
  const int recordsRead = old.size();
  for (PointsRecord& r : old) {
    if (r.band == bandSelection) r.band.clear();  // replaced by the new record
  }
  if (Upper(bandSelection) == QLatin1String("ALL")) return PointsFileOutcome::LeftAsIs;

  if (totals.Overflows()) {
    dialogs.Tell(QStringLiteral("集計値が %1 を超えています（交信数 %2、ﾏﾙﾁ1 %3、ﾏﾙﾁ2 %4、ﾏﾙﾁ3 %5、得点 %6）\n"
                                "得点ファイルには正しい値をそのまま書き込みます")
                     .arg(kMaxQsoCount)
                     .arg(totals.qsos)
                     .arg(totals.multipliers[0])
                     .arg(totals.multipliers[1])
                     .arg(totals.multipliers[2])
                     .arg(totals.points),
                 {}, Icon::Warning);
  }
  if (recordsRead > kPointsFileRecords) {
    dialogs.Tell(QStringLiteral("得点ファイル %1 には %2 件の記録があり、%3 件を超えています\n"
                                "どの記録も消さずに書き直します")
                     .arg(path)
                     .arg(recordsRead)
                     .arg(kPointsFileRecords),
                 {}, Icon::Warning);
  }
  QList<PointsRecord> records;
  records << MakePointsRecord(bandSelection, totals, definition, pointsPrinted);
  records << old;
  if (!WriteText(path, PointsFileText(records), WriteMode::Safe, &dialogs)) {
    dialogs.Tell(QStringLiteral("得点ファイル %1 に書き込めません").arg(path), {}, Icon::Critical);
    return PointsFileOutcome::Failed;
  }
  return PointsFileOutcome::Written;
}

PointsFileOutcome UpdatePointsFile(const Frame& frame, const LogSession& session, const OutputTotals& totals,
                                   bool pointsPrinted, Dialogs& dialogs) {
  return UpdatePointsFile(frame.Path(kPointsFileName), session.BandSelection(), totals, session.definition,
                          pointsPrinted, dialogs);
}

}  // namespace zotra
