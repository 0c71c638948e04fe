#include "PointsFile.h"

#include "check/WorkFiles.h"
#include "common/NumberFormat.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <algorithm>

namespace zotra {
namespace {

const QString kSatellite = QStringLiteral("SAT");
const QString kSatelliteKey = QStringLiteral("999999.9");
// The bands from here up are one row of the totals ("10.1GHz").
constexpr double kMergedBandsFrom = 10100;

bool IsSatellite(const QString& band) { return Upper(TrimBlanks(band)) == kSatellite; }

PointsRecord RecordOf(const QStringList& fields) {
  auto field = [&](int i) { return i < fields.size() ? fields.at(i) : QString(); };
  return {field(0), field(1), field(2), field(3), field(4), field(5)};
}

// The numbers of a merged row are written as plain decimals.
QString Sum(const QString& a, const QString& b) { return ShortestDecimal(Val(a) + Val(b)); }

}  // namespace

QList<PointsRecord> ReadPointsFile(const QString& path, bool* found) {
  QStringList lines;
  const bool read = ReadLines(path, &lines);
  if (found) *found = read;
  QList<PointsRecord> records;
  // One record per line, as the log program writes it: a line with a field
  // too few or too many spoils that line only, never the bands after it.
  for (const QString& line : lines) {
    if (TrimBlanks(line).isEmpty()) continue;
    records.append(RecordOf(SplitListLine(line)));
  }
  return records;
}

QString BandSortKey(const QString& band) {
  if (IsSatellite(band)) return kSatelliteKey;
  return FormatNumber(Val(band), QStringLiteral("000000.0"));
}

bool IsBand(const QString& band) { return IsSatellite(band) || Val(band) > 0; }

QStringList SortedBands(const QStringList& bands) {
  QStringList sorted;
  for (const QString& band : bands) {
    if (!sorted.contains(band)) sorted.append(band);
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const QString& a, const QString& b) { return BandSortKey(a) < BandSortKey(b); });
  return sorted;
}

QString BandCaption(const QString& band) { return IsSatellite(band) ? kSatellite : band + QStringLiteral("MHz"); }

QStringList UnprocessedBands(const QString& folder) {
  QStringList extracted;
  QStringList lines;
  ReadLines(ResolveInFolder(folder, kExtractFileName), &lines);
  for (const QString& line : lines) {
    if (TrimBlanks(line).isEmpty()) continue;
    const QString band = TrimBlanks(ExtractBand(line));
    if (IsBand(band) && !extracted.contains(band)) extracted.append(band);
  }
  if (extracted.isEmpty()) return {};
  QStringList processed;
  for (const PointsRecord& r : ReadPointsFile(ResolveInFolder(folder, kPointsFileName))) {
    processed.append(Upper(TrimBlanks(r.band)));
  }
  if (processed.contains(kAllBands)) return {};
  QStringList missing;
  for (const QString& band : extracted) {
    if (!processed.contains(Upper(band))) missing.append(band);
  }
  return SortedBands(missing);
}

QStringList UnprocessedBandLines(const QStringList& bands) {
  QStringList lines;
  for (const QString& band : bands) lines.append(BandCaption(band) + QStringLiteral(" が未処理です"));
  return lines;
}

QString UnprocessedBandsQuestion(const QStringList& bands, const QString& action) {
  return UnprocessedBandLines(bands).join(QLatin1Char('\n')) +
         QStringLiteral("\n\n抽出した交信があるのに ログの処理で得点ファイルに書き込まれていないバンドです\nこのまま") +
         action + QStringLiteral("しますか？");
}

QList<PointsRecord> SortPointsRecords(const QList<PointsRecord>& records) {
  struct Row {
    QString key;
    PointsRecord record;
  };
  QList<Row> rows;
  for (const PointsRecord& r : records) {
    if (!IsBand(r.band)) continue;
    rows.append({BandSortKey(r.band), r});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });

  // 10 GHz (key 010000.0) stays a row of its own; 10.1 GHz and everything
  // above become one row under the key of the lowest of them.
  int anchor = -1;
  for (int i = 0; i < rows.size(); ++i) {
    if (rows.at(i).key == kSatelliteKey || Val(rows.at(i).key) < kMergedBandsFrom) continue;
    if (anchor < 0) {
      anchor = i;
      continue;
    }
    PointsRecord& a = rows[anchor].record;
    const PointsRecord& r = rows.at(i).record;
    a.count = Sum(a.count, r.count);
    a.multi1 = Sum(a.multi1, r.multi1);
    a.multi2 = Sum(a.multi2, r.multi2);
    a.multi3 = Sum(a.multi3, r.multi3);
    a.points = Sum(a.points, r.points);
    rows[i].key.clear();
  }

  QList<PointsRecord> sorted;
  for (const Row& row : rows) {
    if (row.key.isEmpty() || !(Val(row.record.count) > 0)) continue;
    PointsRecord r = row.record;
    r.band = row.key == kSatelliteKey ? kSatellite : ShortestDecimal(Val(row.key));
    sorted.append(r);
  }
  return sorted;
}

QString SortedPointsText(const QList<PointsRecord>& sorted) {
  ListWriter writer;
  for (const PointsRecord& r : sorted) {
    writer.Text(r.band).Text(r.count).Text(r.multi1).Text(r.multi2).Text(r.multi3).Text(r.points).EndRecord();
  }
  return writer.Result();
}

QList<PointsRecord> SortPointsFile(const QString& folder, bool* written) {
  const QList<PointsRecord> sorted = SortPointsRecords(ReadPointsFile(ResolveInFolder(folder, kPointsFileName)));
  const bool ok = WriteText(ResolveInFolder(folder, kSortedPointsFileName), SortedPointsText(sorted), WriteMode::Safe);
  if (written) *written = ok;
  return sorted;
}

QList<PointsRecord> ReadSortedPointsFile(const QString& path) {
  ListReader reader = ListReader::FromFile(path);
  QList<PointsRecord> records;
  QStringList fields;
  QString field;
  while (reader.Next(&field)) {
    fields.append(field);
    if (fields.size() == 6) {
      records.append(RecordOf(fields));
      fields.clear();
    }
  }
  return records;
}

}  // namespace zotra
