#include "ElectronicLog.h"

#include "BandTotals.h"
#include "SummaryOutputs.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "ContestName.h"

#include <algorithm>

namespace zotra {
namespace {

// The longest line of a fitted tag, in CP932 bytes.
constexpr int kFittedLineBytes = 72;
// How much of a log line the time order keeps, and how much of it orders.
constexpr int kSortedLineLength = 80;
constexpr int kSortKeyLength = 20;

QString Wide(const QString& text) { return WidenHalfwidthKatakana(text); }

bool StartsWithDigit(const QString& line) {
  return !line.isEmpty() && line.at(0) >= QLatin1Char('0') && line.at(0) <= QLatin1Char('9');
}

// The oath of the summary sheet, with the sponsor's name.
QString Oath(const QString& sponsor) {
  return QStringLiteral("私は、") + Wide(sponsor) + QStringLiteral(" 制定のコンテスト規約及び電波法令にしたがい") +
         QStringLiteral("運用した結果、ここに提出するサマリーシートおよびログシートなどが") +
         QStringLiteral("事実と相違ないものであることを、私の名誉において誓います。");
}

// The score lines of R1.0: one per band with a value, then the total line.
QStringList ScoreLines(const OutputData& data) {
  QStringList lines;
  qint64 count = 0;
  qint64 points = 0;
  qint64 multipliers = 0;
  for (const QString& band : ElectronicLogBands(1)) {
    const BandValues v = LookUpBand(data.points, band);
    if (!v.AnyValue()) continue;
    lines << QStringLiteral("<SCORE BAND=") + ScoreBandLabel(band) + QLatin1Char('>') + TrimBlanks(v.record.count) +
                 QLatin1Char(',') + TrimBlanks(v.record.points) + QLatin1Char(',') + v.MultiplierSumText() +
                 QStringLiteral("</SCORE>");
    count += v.count;
    points += v.points;
    multipliers += v.MultiplierSum();
  }
  lines << QStringLiteral("<SCORE BAND=TOTAL>") + QString::number(count) + QLatin1Char(',') + QString::number(points) +
               QLatin1Char(',') + QString::number(multipliers) + QStringLiteral("</SCORE>");
  return lines;
}

}  // namespace

const QStringList& ElectronicLogBands(int version) {
  static const QStringList r21 = {"1.9", "3.5", "7",    "14",   "21", "28", "50", "144",   "430",
                                  "1200", "2400", "5600", "10", "18", "24", "10125", "SAT"};
  static const QStringList r10 = {"1.9",  "3.5", "7",  "14", "21",    "28",    "50",    "144",   "430", "1200",
                                  "2400", "5600", "10", "18", "24", "10125", "10000", "24000", "47000", "SAT"};
  return version == 1 ? r10 : r21;
}

QString TagLine(const QString& tag, const QString& value) {
  return QLatin1Char('<') + tag + QLatin1Char('>') + value + QStringLiteral("</") + tag + QLatin1Char('>');
}

QStringList FittedTagLines(const QString& tag, const QString& value) {
  const QString line = TagLine(tag, value);
  if (Cp932Length(line) <= kFittedLineBytes) return {line};
  return {QLatin1Char('<') + tag + QLatin1Char('>') + value, QStringLiteral("</") + tag + QLatin1Char('>')};
}

QString ElectronicContestName(const QString& contestName) {
  return Wide(ContestNameWithoutWord(contestName)) + QStringLiteral(" コンテスト");
}

QString CommentsValue(const OutputData& data) {
  const QString third = data.commentOverride.isEmpty() ? data.Value(QStringLiteral("[IK3]")) : data.commentOverride;
  const QString firstTwo =
      TrimBlanks(TrimBlanks(data.Value(QStringLiteral("[IK1]"))) + QLatin1Char(' ') +
                 TrimBlanks(data.Value(QStringLiteral("[IK2]"))));
  return firstTwo + QLatin1Char(' ') + third;
}

QString ScoreBandLabel(const QString& band) {
  if (band.size() == 5) {
    if (band.startsWith(QLatin1String("10"))) return QStringLiteral("10.1GHz");
    if (band.startsWith(QLatin1String("24"))) return QStringLiteral("24GHz");
    if (band.startsWith(QLatin1String("47"))) return QStringLiteral("47GHz");
    return band;
  }
  if (band.size() == 6) return band.startsWith(QLatin1String("135")) ? QStringLiteral("135GHz") : band;
  return band + QStringLiteral("MHz");
}

QStringList ElectronicSummaryLines(const OutputData& data, int version) {
  const bool r10 = version == 1;
  QStringList out;
  auto plain = [&](const char* tag, const QString& value) { out << TagLine(QString::fromLatin1(tag), value); };
  auto fitted = [&](const char* tag, const QString& value) { out << FittedTagLines(QString::fromLatin1(tag), value); };
  auto plainWhenSet = [&](const char* tag, const QString& value) {
    if (!value.isEmpty()) plain(tag, value);
  };
  auto fittedWhenSet = [&](const char* tag, const QString& value) {
    if (!value.isEmpty()) fitted(tag, value);
  };
  auto value = [&](const char* key, int n = 1) { return data.Value(QString::fromUtf8(key), n); };

  out << (r10 ? QStringLiteral("<SUMMARYSHEET VERSION=R1.0>") : QStringLiteral("<SUMMARYSHEET VERSION=R2.1>"));
  fitted("CONTESTNAME", ElectronicContestName(value("CONTESTNAME")));
  plain("CATEGORYCODE", value("[参加部門]"));
  if (r10) fitted("CATEGORYNAME", Wide(value("[参加部門]", 2)) + QLatin1Char(' ') + Wide(value("[参加部門]", 3)));
  plain("CALLSIGN", value("MYCALL"));
  plainWhenSet(r10 ? "OPCALLSIGN" : "MULTIOPLIST", value("[OPE]"));
  if (r10) out << ScoreLines(data);
  plainWhenSet("FDCOEFF", data.coefficientText);
  plain("TOTALSCORE", QString::number(ScoreDigits(data.scoreText)));
  fitted("ADDRESS", value("[〒]") + QLatin1Char(' ') + Wide(value("[住所]")) + QLatin1Char(' ') +
                        Wide(value("[住所]", 2)));
  plain("TEL", value("[電話]"));
  plain("NAME", Wide(value("[氏名]")));
  plain("EMAIL", value("[E-MAIL]"));
  if (r10) fitted("LICENSECLASS", Wide(value("[資格]")));
  plain("POWER", value("[資格]", 2));
  if (r10) plain("POWERTYPE", value("[出力]") + QStringLiteral("出力"));
  fittedWhenSet("OPPLACE", Wide(value("[移動先]")));
  fittedWhenSet("POWERSUPPLY", Wide(value("[電源]")));
  if (r10) {
    fitted("EQUIPMENT", Wide(value("[RIG1]") + QLatin1Char(' ') + value("[RIG2]")));
  } else {
    fittedWhenSet("LICENSEDATE", value("[局免許年月日]"));
    fittedWhenSet("AGE", value("[年齢]"));
  }
  const QString comments = CommentsValue(data);
  if (!TrimBlanks(comments).isEmpty()) fitted("COMMENTS", Wide(comments));
  if (data.club) {
    plain("REGCLUBNUMBER", value("[C-NO]"));
    if (r10) plain("REGCLUBNAME", Wide(value("[C-NAME]")));
  }
  fitted("OATH", Oath(value("[主催者]")));
  plain("DATE", JapaneseDate(data.today));
  plain("SIGNATURE", value("[氏名]"));
  out << QStringLiteral("</SUMMARYSHEET>");
  return out;
}

QStringList LinesInTimeOrder(const QStringList& lines) {
  struct Keyed {
    QString key;
    QString line;
  };
  QList<Keyed> keyed;
  keyed.reserve(lines.size());
  for (const QString& l : lines) {
    const QString line = l.left(kSortedLineLength);
    keyed.append({PadRight(line.left(kSortKeyLength), kSortKeyLength), line});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  QStringList sorted;
  sorted.reserve(keyed.size());
  for (const Keyed& k : keyed) {
    if (StartsWithDigit(k.line)) sorted.append(k.line);
  }
  return sorted;
}

QStringList ElectronicLogPart(const QString& folder, const OutputData& data, int version, bool* found) {
  QStringList header;
  const bool hasHeader = ReadLines(ResolveInFolder(folder, QStringLiteral("HED.JARL")), &header);
  bool anyBand = false;
  const QStringList bandLines =
      CollectBandLogs(folder, ElectronicLogBands(version), data.points, QStringLiteral(".JARL"), &anyBand);
  *found = hasHeader || anyBand;
  if (Upper(TrimBlanks(data.Value(QStringLiteral("[JARLFORMAT]")))) == QLatin1String("BAND")) {
    return header + bandLines;
  }
  // The QSO lines of all bands in time order after the header; the headings
  // of the header itself do not begin with a digit and so stand only once.
  return header + LinesInTimeOrder(header + bandLines);
}

QString LogSheetLine() { return QStringLiteral("<LOGSHEET TYPE=ZOTRA" ZOTRA_FULL_VERSION ">"); }

QString ElectronicLogFileName(const OutputData& data) {
  return SafeFileName(data.Value(QStringLiteral("開始")) + QLatin1Char('_') + data.Value(QStringLiteral("CONTESTNAME")) +
                      QStringLiteral(".txt"));
}

QStringList ElectronicLogLines(const QString& folder, const OutputData& data, int version, bool* withoutLog) {
  QStringList lines = ElectronicSummaryLines(data, version);
  bool found = false;
  const QStringList log = ElectronicLogPart(folder, data, version, &found);
  *withoutLog = !found;
  if (found) {
    lines << LogSheetLine();
    lines += log;
    lines << QStringLiteral("</LOGSHEET>");
  }
  return lines;
}

QString WriteElectronicLog(const OutputContext& context, int version) {
  const QString folder = context.frame.Folder();
  const OutputData data = ReadOutputData(context);
  // A call sign that gives no station folder: nothing written (the print
  // job says why).
  const QString station = StationFolderPath(folder, data.Value(QStringLiteral("MYCALL")), QStringLiteral("_JARL"));
  if (station.isEmpty()) return {};
  bool withoutLog = false;
  const QStringList lines = ElectronicLogLines(folder, data, version, &withoutLog);
  if (withoutLog) {
    context.dialogs.Tell(QStringLiteral("ログシートの印刷を行わない場合\n正しい電子ログファイルは作成されません"));
  }
  const QString path = WriteFinishedFile(station, ElectronicLogFileName(data), lines, context.dialogs);
  DeleteWorkingFiles(folder);
  return path;
}

}  // namespace zotra
