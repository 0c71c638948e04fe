#include "Environment.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <QFileInfo>

namespace zotra {
namespace {

// Band values above this (MHz) are microwave bands that need a range.
constexpr double kMicrowaveFloor = 10100;
// Microwave band lines and "$SAT" lines the suite can hold.
constexpr int kExtraLineLimit = 4;
// A faulty line is quoted in its message up to this many characters, so that
// a runaway line cannot fill the screen.
constexpr int kQuotedLineLimit = 200;

QString QuotedLine(const QString& line) {
  if (line.size() <= kQuotedLineLimit) return line;
  return line.left(kQuotedLineLimit) + QStringLiteral("…");
}

QString FaultyLineMessage(const QString& line, const QString& reason) {
  return QStringLiteral("ファイルの 下記の行の記述が不正です\n") + QuotedLine(line) + QLatin1Char('\n') + reason +
         QStringLiteral("\n修正後このプログラムを再起動してください");
}

// The order of a three-item band line: 0 when low <= band <= high and low < high.
int RangeCode(const QStringList& items) {
  const double band = Val(items.at(0));
  const double low = Val(items.at(1));
  const double high = Val(items.at(2));
  int code = 0;
  if (band < low) code += 1;
  if (band > high) code += 2;
  if (low >= high) code += 4;
  return code;
}

QStringList EnvironmentLines(const QString& path, bool* readable) {
  QStringList lines;
  const bool ok = ReadLines(path, &lines);
  if (readable) *readable = ok;
  return lines;
}

}  // namespace

QStringList EnvironmentFileNames() {
  return {QStringLiteral("MY.CFG"), QStringLiteral("MYTST.CFG"), QStringLiteral("ZOTRAW.CFG")};
}

QString ChooseEnvironmentFile(const QString& folder) {
  for (const QString& name : EnvironmentFileNames()) {
    if (FileExists(ResolveInFolder(folder, name))) return name;
  }
  return {};
}

QString MissingEnvironmentMessage(const QString& folder) {
  return QStringLiteral("環境ﾌｧｲﾙ ") + WithSeparator(folder) + QStringLiteral("ZOTRAW.CFG") +
         QStringLiteral(" が見つからない為実行できません");
}

QString MicrowaveTableName() { return QStringLiteral("センチメートル波.txt"); }

EnvironmentCheckResult CheckEnvironmentFile(const QString& environmentPath, const QString& folder,
                                            Dialogs& dialogs) {
  EnvironmentCheckResult result;
  const QStringList lines = EnvironmentLines(environmentPath, &result.readable);
  auto tell = [&](const QString& text) {
    dialogs.Tell(text);
    ++result.messages;
  };

  QStringList table;
  int extraLines = 0;
  bool extraLimitTold = false;
  for (const QString& line : lines) {
    if (line.size() <= 1 || line.at(0) != QLatin1Char('$')) continue;
    const QStringList items = line.mid(1).split(QLatin1Char(','));
    if (Val(items.at(0)) > kMicrowaveFloor) ++extraLines;

    if (line.startsWith(QLatin1String("$SAT"))) {
      if (line == QLatin1String("$SAT")) {
        ++extraLines;
      } else {
        tell(QStringLiteral("環境ファイルの $SAT 行の記述が不正です\n修正が必要です\n"
                            "Option の 環境ファイルの編集で修正可能です"));
      }
    } else if (items.size() == 3) {
      const int code = RangeCode(items);
      if (code == 0) {
        table << line.mid(1);
      } else {
        tell(FaultyLineMessage(line, QStringLiteral("修正が必要です,数値の大小関係 Code=") + QString::number(code)));
      }
    } else if (items.size() != 1) {
      tell(FaultyLineMessage(line, QStringLiteral("修正が必要です,項目数がおかしいです ") +
                                       QString::number(items.size() - 1)));
    }

    // Told once, however many lines follow.
    if (extraLines > kExtraLineLimit && !extraLimitTold) {
      extraLimitTold = true;
      tell(QStringLiteral("環境ファイルの 10.1GHz 超え周波数設定データと SAT 設定行 4行を超えています\n"
                          "修正が必要です\nZORAW.cgf ファイルです"));
    }
  }

  const QString tablePath = ResolveInFolder(folder, MicrowaveTableName());
  if (table.isEmpty()) {
    DeleteFile(tablePath);
  } else if (WriteLines(tablePath, table, WriteMode::Plain, &dialogs)) {
    result.tableLines = table.size();
  } else {
    tell(QStringLiteral("ファイル ") + tablePath + QStringLiteral(" に書き込めません"));
  }
  return result;
}

QStringList StandardBandNames() {
  return {QStringLiteral("1.9"),  QStringLiteral("3.5"),  QStringLiteral("7"),    QStringLiteral("14"),
          QStringLiteral("21"),   QStringLiteral("28"),   QStringLiteral("50"),   QStringLiteral("144"),
          QStringLiteral("430"),  QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("5600"),
          QStringLiteral("10125")};
}

bool IsStandardBand(const QString& name) { return StandardBandNames().contains(TrimBlanks(name)); }

BandPlan ReadBandPlan(const QString& environmentPath) {
  BandPlan plan;
  const QStringList lines = EnvironmentLines(environmentPath, &plan.found);
  for (const QString& line : lines) {
    // Only a line's first field names a slot: a comment line that happens to
    // hold ",$7" stays a comment.
    ListReader reader(line);
    QString field;
    if (!reader.Next(&field) || field.size() <= 1) continue;
    QString name = field.mid(1);
    if (field.at(0) == QLatin1Char('$')) {
      // A quoted line keeps its commas: only its first item names the band.
      const QStringList items = field.split(QLatin1Char(','));
      if (items.size() == 3) name = items.at(0).mid(1);
      if (name.isEmpty() || plan.bands.size() >= kBandSlots) continue;
      plan.bands.append({name, !IsStandardBand(name)});
    } else if (field.at(0) == QLatin1Char('%')) {
      if (plan.modes.size() >= kModeSlots) continue;
      plan.modes.append(name);
    }
  }
  return plan;
}

ModeAliases ReadModeAliases(const QString& environmentPath) {
  ModeAliases aliases;
  for (const QString& line : EnvironmentLines(environmentPath, nullptr)) {
    if (!line.startsWith(QLatin1Char('%'))) continue;
    const QStringList items = Upper(line.mid(1)).split(QLatin1Char(','));
    const QString mode = TrimBlanks(items.at(0));
    for (int i = 1; i < items.size(); ++i) {
      // An empty item ("%SSB,,USB") would turn every QSO without a mode into this one.
      const QString alias = TrimBlanks(items.at(i));
      if (!alias.isEmpty()) aliases.append({alias, mode});
    }
  }
  return aliases;
}

QString ApplyModeAlias(const ModeAliases& aliases, const QString& mode) {
  const QString key = Upper(TrimBlanks(mode));
  for (const auto& [alias, target] : aliases) {
    if (alias == key) return target;
  }
  return mode;
}

QString ReadRequiredLibraryDate(const QString& environmentPath) {
  QString date = QString::fromLatin1(kDefaultLibraryDate);
  for (const QString& line : EnvironmentLines(environmentPath, nullptr)) {
    if (line.size() == 11 && line.at(0) == QLatin1Char('&')) date = line.mid(1, 10);
  }
  return date;
}

}  // namespace zotra
