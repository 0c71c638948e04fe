#include "BandTotals.h"

#include "DefinitionEntries.h"
#include "common/NumberFormat.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"

#include <limits>

namespace zotra {
namespace {

constexpr qint64 kLargestCount = 32767;

const char* const kFixedLabels[] = {"1.9MHz", "3.5MHz", "7MHz",    "14MHz",   "21MHz",   "28MHz",  "50MHz",
                                    "144MHz", "430MHz", "1200MHz", "2400MHz", "5600MHz", "10.1GHz"};

}  // namespace

TotalsGrid::TotalsGrid() {
  const QStringList captions = {QString(), QStringLiteral("交信数"), QStringLiteral("得 点"),
                                QStringLiteral("ﾏﾙﾁ1"), QStringLiteral("ﾏﾙﾁ2"), QStringLiteral("ﾏﾙﾁ3")};
  for (int c = 0; c < kColumns; ++c) cells_[0][c] = captions.at(c);
  int row = kFirstBandRow;
  for (const char* label : kFixedLabels) cells_[row++][kLabel] = QString::fromLatin1(label);
  cells_[kTotalRow][kLabel] = QStringLiteral(" 合  計 ");
}

double TotalsGrid::Number(int row, int column) const { return Val(cells_[row][column]); }

QString BandLabel(const QString& band) {
  const QString b = TrimBlanks(band);
  if (Upper(b) == QLatin1String("SAT")) return b + QStringLiteral("   ");
  const double value = Val(b);
  if (value >= 10000) return FormatNumber(value / 1000, QStringLiteral("###.#")) + QStringLiteral("ＧHz");
  return b + QStringLiteral("ＭHz");
}

QString ColumnName(int column) {
  switch (column) {
    case TotalsGrid::kCount: return QStringLiteral("交信数");
    case TotalsGrid::kPoints: return QStringLiteral("得点");
    default: return QStringLiteral("マルチ") + QString::number(column - TotalsGrid::kMulti1 + 1);
  }
}

bool TotalsGrid::Place(const PointsRecord& record) {
  if (TrimBlanks(record.band).isEmpty()) return true;
  const QString label = BandLabel(record.band);
  const QString band = label.left(label.size() - 3);
  int target = -1;
  for (int row = kFirstBandRow; row <= kLastBandRow; ++row) {
    QString& cell = cells_[row][kLabel];
    if (cell.isEmpty()) {
      cell = label;
      target = row;
      break;
    }
    if (cell.left(cell.size() - 3) == band) {
      target = row;
      break;
    }
  }
  if (target < 0) return false;
  auto& cells = cells_[target];
  cells[kCount] = TrimBlanks(record.count);
  cells[kMulti1] = TrimBlanks(record.multi1);
  cells[kMulti1 + 1] = TrimBlanks(record.multi2);
  cells[kMulti1 + 2] = TrimBlanks(record.multi3);
  cells[kPoints] = TrimBlanks(record.points);
  return true;
}

QList<int> TotalsGrid::ComputeTotals() {
  QList<int> beyond;
  for (int column = kCount; column < kColumns; ++column) {
    qint64 sum = 0;
    for (int row = kFirstBandRow; row <= kLastBandRow; ++row) {
      // A band holds at most 32767; whatever a cell says is kept within
      // ±2^31 so that the sum can never wrap.
      sum += qBound<qint64>(-2147483647LL, qRound64(qBound(-3e9, Number(row, column), 3e9)), 2147483647LL);
    }
    cells_[kTotalRow][column] = sum > 0 ? QString::number(sum) : QString();
    if (sum > kLargestCount) beyond.append(column);
  }
  return beyond;
}

void TotalsGrid::BlankMultiplier(int multiplier) {
  if (multiplier < 1 || multiplier > 3) return;
  for (int row = kFirstBandRow; row <= kTotalRow; ++row) cells_[row][kMulti1 + multiplier - 1].clear();
}

QList<QStringList> TotalsGrid::Rows() const {
  QList<QStringList> rows;
  for (int row = kFirstBandRow; row <= kTotalRow; ++row) {
    QStringList cells;
    for (int column = 0; column < kColumns; ++column) cells.append(cells_[row][column]);
    rows.append(cells);
  }
  return rows;
}

std::optional<FixedDecimal> ComputeScore(const TotalsGrid& grid, ScoreMode mode, const QString& coefficientText) {
  const FixedDecimal one = FixedDecimal::FromUnits(FixedDecimal::kScale);
  std::optional<FixedDecimal> m = mode == ScoreMode::Multiplicative ? one : FixedDecimal();
  for (int column = TotalsGrid::kMulti1; column < TotalsGrid::kColumns; ++column) {
    const double v = grid.Number(TotalsGrid::kTotalRow, column);
    if (!(v > 0)) continue;
    const std::optional<FixedDecimal> value = FixedDecimal::FromDouble(v);
    if (!value) return std::nullopt;
    if (mode == ScoreMode::Additive) {
      m = m->Plus(*value);
    } else if (v > 1) {
      m = m->Times(*value);
    }
    if (!m) return std::nullopt;
  }
  // A contest without multipliers scores its points.
  if (m->IsZero()) m = one;
  const std::optional<FixedDecimal> points = FixedDecimal::FromDouble(grid.Number(TotalsGrid::kTotalRow, TotalsGrid::kPoints));
  if (!points) return std::nullopt;
  m = m->Times(*points);
  if (!m) return std::nullopt;
  const double c = Val(coefficientText);
  if (c != 0) {
    const std::optional<FixedDecimal> coefficient = FixedDecimal::FromDouble(c);
    if (!coefficient) return std::nullopt;
    m = m->Times(*coefficient);
  }
  return m;
}

QString ScoreText(const FixedDecimal& score) { return FormatNumber(score, QStringLiteral("##,###,###,###0")); }

QString ScoreOverflowMessage() {
  return QStringLiteral("総得点が大きすぎて計算できません") + QLatin1Char('\n') +
         QStringLiteral("（計算できるのは ") + FormatNumber(FixedDecimal::Max().Units() / FixedDecimal::kScale, QStringLiteral("#,##0")) +
         QStringLiteral(" までです）");
}

qint64 ScoreDigits(const QString& scoreText) {
  qint64 value = 0;
  for (QChar c : scoreText) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
    const int digit = c.unicode() - '0';
    if (value > (std::numeric_limits<qint64>::max() - digit) / 10) return std::numeric_limits<qint64>::max();
    value = value * 10 + digit;
  }
  return value;
}

TotalsDefinition ReadTotalsDefinition(const DefinitionEntries& definition) {
  TotalsDefinition d;
  d.coefficient = definition.Value(QStringLiteral("[*点数]"));
  for (int i = 0; i < 3; ++i) {
    const QString key = QStringLiteral("MULTI") + QString::number(i + 1);
    d.multiplierUnused[i] = definition.Has(key) && definition.Value(key).isEmpty();
  }
  return d;
}

TotalsLoad LoadTotals(const QString& folder, const QString& definitionPath, Dialogs& dialogs) {
  bool written = false;
  const QList<PointsRecord> sorted = SortPointsFile(folder, &written);
  const QString sortedPath = ResolveInFolder(folder, kSortedPointsFileName);
  if (!written) dialogs.Tell(sortedPath + QStringLiteral(" に書き込めません"));

  TotalsLoad load;
  // The grid is filled from the sorted copy as written; when it could not be
  // written, from the sorted records themselves.
  for (const PointsRecord& r : written ? ReadSortedPointsFile(sortedPath) : sorted) load.grid.Place(r);
  const QList<int> beyond = load.grid.ComputeTotals();

  const TotalsDefinition definition = ReadTotalsDefinition(DefinitionEntries::FromFile(definitionPath));
  load.coefficient = definition.coefficient;
  for (int i = 0; i < 3; ++i) {
    if (definition.multiplierUnused[i]) load.grid.BlankMultiplier(i + 1);
  }
  for (int column : beyond) {
    if (load.grid.Cell(TotalsGrid::kTotalRow, column).isEmpty()) continue;
    dialogs.Tell(ColumnName(column) + QStringLiteral("の合計が ") + QString::number(kLargestCount) +
                 QStringLiteral(" を超えています") + QLatin1Char('\n') +
                 QStringLiteral("合計欄には正しい合計を表示しています。提出先の制限を確認してください"));
  }
  return load;
}

TotalsSnapshot ComputeTotals(const QString& folder, const QString& definitionPath, ScoreMode mode,
                             const std::optional<QString>& coefficient, Dialogs& dialogs) {
  TotalsLoad load = LoadTotals(folder, definitionPath, dialogs);
  TotalsSnapshot snapshot{load.grid, coefficient.value_or(load.coefficient), {}};
  const std::optional<FixedDecimal> score = ComputeScore(snapshot.grid, mode, snapshot.coefficientText);
  if (score) {
    snapshot.scoreText = ScoreText(*score);
  } else {
    dialogs.Tell(ScoreOverflowMessage());
  }
  return snapshot;
}

}  // namespace zotra
