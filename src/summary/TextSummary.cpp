#include "TextSummary.h"

#include "BandTotals.h"
#include "common/NumberFormat.h"
#include "FixedDecimal.h"
#include "SummaryOutputs.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "ContestName.h"

namespace zotra {
namespace {

constexpr int kLabelWidth = 10;
constexpr int kNumberWidth = 7;

// The WARC bands, left out of the table when they have no value.
bool IsWarcBand(const QString& band) {
  return band == QLatin1String("10") || band == QLatin1String("18") || band == QLatin1String("24");
}

QString Numbers(const QString& count, const QString& points, const QString& multipliers) {
  return PadLeft(count, kNumberWidth) + PadLeft(points, kNumberWidth) + PadLeft(multipliers, kNumberWidth);
}

}  // namespace

const QStringList& TextSummaryBands() {
  static const QStringList bands = {"1.9",  "3.5",  "7",  "14", "21", "28", "50",    "144", "430",
                                    "1200", "2400", "5600", "10", "18", "24", "10125", "SAT"};
  return bands;
}

QString TextBandLabel(const QString& band) {
  QString label = band + QStringLiteral(" MHz  ");
  if (band.size() == 5) {
    if (band.startsWith(QLatin1String("10"))) label = QStringLiteral("10.1 GHz  ");
    if (band.startsWith(QLatin1String("24"))) label = QStringLiteral("24 GHz  ");
    if (band.startsWith(QLatin1String("47"))) label = QStringLiteral("47 GHz  ");
  } else if (band.size() == 6 && band.startsWith(QLatin1String("135"))) {
    label = QStringLiteral("135 GHz  ");
  }
  return PadLeft(label, kLabelWidth);
}

QStringList TextSummaryLines(const OutputData& data) {
  auto value = [&](const char* key, int n = 1) { return data.Value(QString::fromUtf8(key), n); };
  QStringList out;
  out << QStringLiteral("サマリー") << QString();
  out << ContestNameWithoutWord(value("CONTESTNAME")) + QStringLiteral(" コンテスト") << QString();
  out << QStringLiteral("参加部門： ") + value("[参加部門]") + QLatin1Char(' ') + value("[参加部門]", 2) +
             QLatin1Char(' ') + value("[参加部門]", 3)
      << QString();
  out << QStringLiteral("コールサイン： ") + value("MYCALL") << QString();
  if (!value("[OPE]").isEmpty()) out << QStringLiteral("オペレータ： ") + value("[OPE]") << QString();

  out << QStringLiteral("バンド       局数   得点 マルチ");
  qint64 count = 0;
  qint64 points = 0;
  qint64 multipliers = 0;
  for (const QString& band : TextSummaryBands()) {
    const BandValues v = LookUpBand(data.points, band);
    if (!v.AnyValue() && IsWarcBand(band)) continue;
    out << TextBandLabel(band) + Numbers(v.record.count, v.record.points, v.MultiplierSumText());
    count += v.count;
    points += v.points;
    multipliers += v.MultiplierSum();
  }
  QString total = QStringLiteral("  Point   ") +
                  Numbers(QString::number(count), QString::number(points), QString::number(multipliers));
  if (!data.coefficientText.isEmpty()) total += QStringLiteral("    局係数 : ") + data.coefficientText;
  out << total << QString();
  out << QStringLiteral("      合計得点   ") + FormatNumber(ScoreDigits(data.scoreText), QStringLiteral("#,###,###,##0"));
  out << QString() << QString();

  out << QStringLiteral("住所： ") + value("[〒]") + QLatin1Char(' ') + value("[住所]") + QLatin1Char(' ') +
             value("[住所]", 2);
  if (!value("[電話]").isEmpty()) out << QStringLiteral("電話番号： ") + value("[電話]");
  out << QStringLiteral("氏名： ") + value("[氏名]");
  if (!value("[E-MAIL]").isEmpty()) out << QStringLiteral("E-Mail： ") + value("[E-MAIL]");
  out << QStringLiteral("無線従事者の資格： ") + value("[資格]");
  out << QStringLiteral("コンテスト中使用した最大空中線電力： ") + value("[資格]", 2) + QStringLiteral(" W");
  out << value("[出力]") + QStringLiteral("出力");
  if (!value("[移動先]").isEmpty()) {
    out << QStringLiteral("運用場所： ") + value("[移動先]");
    out << QStringLiteral("使用電源： ") + value("[電源]");
  }
  if (data.club) {
    out << QStringLiteral("登録クラブ番号： ") + value("[C-NO]");
    out << QStringLiteral("登録クラブ名： ") + value("[C-NAME]");
  }
  const QStringList comments = {value("[IK1]"), value("[IK2]"),
                                data.commentOverride.isEmpty() ? value("[IK3]") : data.commentOverride};
  if (!TrimBlanks(comments.join(QString())).isEmpty()) {
    out << QStringLiteral("意見");
    for (const QString& c : comments) {
      if (!TrimBlanks(c).isEmpty()) out << c;
    }
    out << QString();
  }
  out << QString();
  out << QStringLiteral("私は、") + value("[主催者]") + QStringLiteral(" 制定のコンテスト規約及び電波法令にしたがい");
  out << QStringLiteral("運用した結果、ここに提出するサマリーシートおよびログシートなどが");
  out << QStringLiteral("事実と相違ないものであることを、私の名誉において誓います。");
  out << QString();
  out << SlashDate(data.today) + QStringLiteral("      氏名： ") + value("[氏名]");
  out << QString() << QString();
  return out;
}

QString TextSummaryFileName(const OutputData& data) {
  return SafeFileName(data.Value(QStringLiteral("開始")) + QLatin1Char('_') +
                      ContestNameWithoutWord(data.Value(QStringLiteral("CONTESTNAME"))) + QStringLiteral(".Txt"));
}

QStringList TextSummaryFileLines(const QString& folder, const OutputData& data) {
  return TextSummaryLines(data) + CollectBandLogs(folder, TextSummaryBands(), data.points, QStringLiteral(".MHz"));
}

QString WriteTextSummary(const OutputContext& context) {
  const QString folder = context.frame.Folder();
  const OutputData data = ReadOutputData(context);
  // A call sign that gives no station folder: nothing written (the print
  // job says why).
  const QString station = StationFolderPath(folder, data.Value(QStringLiteral("MYCALL")));
  if (station.isEmpty()) return {};
  const QStringList lines = TextSummaryFileLines(folder, data);
  const QString path = WriteFinishedFile(station, TextSummaryFileName(data), lines, context.dialogs);
  DeleteWorkingFiles(folder);
  return path;
}

}  // namespace zotra
