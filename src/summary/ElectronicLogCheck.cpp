#include "ElectronicLogCheck.h"

#include "common/Text.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QTime>

namespace zotra {
namespace {

// The control tags of R2.1; R1.0 has those it abolished instead of the three
// it added.
const QStringList kTags21 = {"CONTESTNAME", "CATEGORYCODE", "CALLSIGN",    "OPCALLSIGN", "MULTIOPLIST", "FDCOEFF",
                             "TOTALSCORE",  "REGCLUBNUMBER", "ADDRESS",    "TEL",        "NAME",        "EMAIL",
                             "POWER",       "OPPLACE",      "POWERSUPPLY", "LICENSEDATE", "AGE",        "COMMENTS",
                             "OATH",        "DATE",         "SIGNATURE"};
const QStringList kAbolished = {"CATEGORYNAME", "SCORE", "POWERTYPE", "EQUIPMENT", "LICENSECLASS", "REGCLUBNAME"};
const QStringList kAdded21 = {"MULTIOPLIST", "LICENSEDATE", "AGE"};
const QStringList kRequired = {"CONTESTNAME", "CATEGORYCODE", "CALLSIGN", "TOTALSCORE", "ADDRESS", "NAME",
                               "EMAIL",       "POWER",        "OATH",     "DATE",       "SIGNATURE"};

// The whole text matches the pattern. Each pattern is compiled once: a log
// of tens of thousands of QSO lines is read with a few patterns a line.
bool Matches(const QString& text, const char* pattern) {
  static QHash<const char*, QRegularExpression> compiled;
  auto it = compiled.constFind(pattern);
  if (it == compiled.constEnd()) {
    it = compiled.insert(pattern, QRegularExpression(QRegularExpression::anchoredPattern(QString::fromUtf8(pattern))));
  }
  return it->match(text).hasMatch();
}

bool IsAscii(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() > 0x7e) return false;
  }
  return true;
}

QString Tag(const QString& name) { return QLatin1Char('<') + name + QLatin1Char('>'); }

class Checker {
 public:
  explicit Checker(const ElectronicLogCheck& check) : check_(check) {
    versionText_ = check.version == 1 ? QStringLiteral("R1.0") : QStringLiteral("R2.1");
  }

  QStringList Run(const QByteArray& file) {
    const QList<QString> lines = SplitCrLf(file);
    enum class State { Start, Summary, BetweenParts, Log, End } state = State::Start;
    QString openTag;
    QString value;
    for (int i = 0; i < lines.size(); ++i) {
      line_ = i + 1;
      const QString& line = lines.at(i);
      switch (state) {
        case State::Start:
          if (line != QStringLiteral("<SUMMARYSHEET VERSION=") + versionText_ + QLatin1Char('>')) {
            Complain(QStringLiteral("ファイルが <SUMMARYSHEET VERSION=") + versionText_ + QStringLiteral("> で始まっていません"));
          }
          state = State::Summary;
          break;
        case State::Summary:
          if (!openTag.isEmpty()) {
            value += QLatin1Char('\n');
            if (TakeClosing(line, openTag, &value)) openTag.clear();
          } else if (line == QLatin1String("</SUMMARYSHEET>")) {
            state = State::BetweenParts;
          } else {
            openTag = Opening(line, &value);
          }
          break;
        case State::BetweenParts:
          if (TrimBlanks(line).isEmpty()) break;
          if (!Matches(line, "<LOGSHEET TYPE=[^<>]+>")) {
            Complain(QStringLiteral("サマリーシートの後に <LOGSHEET TYPE=...> がありません"));
          }
          state = State::Log;
          break;
        case State::Log:
          if (line == QLatin1String("</LOGSHEET>")) {
            state = State::End;
          } else {
            LogLine(line);
          }
          break;
        case State::End:
          if (!TrimBlanks(line).isEmpty()) Complain(QStringLiteral("</LOGSHEET> の後に文字があります"));
          break;
      }
    }
    line_ = 0;
    if (!openTag.isEmpty()) Complain(Tag(openTag) + QStringLiteral(" が閉じられていません"));
    if (state != State::End) Complain(QStringLiteral("ファイルが </LOGSHEET> で終わっていません"));
    SummaryValues();
    if (qsoLines_ == 0) Complain(QStringLiteral("ログシートに交信がありません"));
    if (check_.qsoCount && *check_.qsoCount != qsoLines_) {
      Complain(QStringLiteral("ログシートの交信 %1 件が サマリーの交信数 %2 と合いません").arg(qsoLines_).arg(*check_.qsoCount));
    }
    if (totalScoreCount_ && *totalScoreCount_ != qsoLines_) {
      Complain(QStringLiteral("ログシートの交信 %1 件が <SCORE BAND=TOTAL> の交信数 %2 と合いません")
                   .arg(qsoLines_)
                   .arg(*totalScoreCount_));
    }
    return complaints_;
  }

 private:
  void Complain(const QString& what) {
    complaints_ << (line_ > 0 ? QStringLiteral("%1 行目: ").arg(line_) : QString()) + what;
  }

  // The lines of the file; every line must end with CR LF and be CP932.
  QList<QString> SplitCrLf(const QByteArray& file) {
    QList<QString> lines;
    qsizetype at = 0;
    int number = 1;
    while (at < file.size()) {
      qsizetype end = file.indexOf("\r\n", at);
      line_ = number;
      if (end < 0) {
        Complain(QStringLiteral("最後の行に CR LF がありません"));
        end = file.size();
      }
      const QByteArray bytes = file.mid(at, end - at);
      if (bytes.contains('\r') || bytes.contains('\n')) Complain(QStringLiteral("CR LF でない改行があります"));
      const QString text = DecodeCp932(bytes);
      if (text.contains(QChar(0xFFFD)) || EncodeCp932(text) != bytes) {
        Complain(QStringLiteral("日本語の文字コード（シフトJIS）でないバイトがあります"));
      }
      lines << text;
      at = end + 2;
      ++number;
    }
    return lines;
  }

  bool IsTagOfVersion(const QString& tag) const {
    if (check_.version == 1) return (kTags21.contains(tag) && !kAdded21.contains(tag)) || kAbolished.contains(tag);
    return kTags21.contains(tag);
  }

  // An opening tag at the start of a line; the tag's name, or empty when the
  // line closes it too (its value in *value) or is no tag.
  QString Opening(const QString& line, QString* value) {
    static const QRegularExpression kOpening(QStringLiteral("^<([A-Z]+)( [^<>]*)?>"));
    const QRegularExpressionMatch m = kOpening.match(line);
    if (!m.hasMatch()) {
      Complain(QStringLiteral("サマリーシートの行が制御タグではありません: ") + line);
      return {};
    }
    const QString tag = m.captured(1);
    const bool score = check_.version == 1 && tag == QLatin1String("SCORE");
    if (!IsTagOfVersion(tag)) {
      Complain(Tag(tag) + QStringLiteral(" は ") + versionText_ + QStringLiteral(" のタグではありません") +
               (check_.version == 2 && kAbolished.contains(tag) ? QStringLiteral("（廃止されたタグです）") : QString()));
    } else if (!m.captured(2).isEmpty() && !score) {
      Complain(Tag(tag) + QStringLiteral(" には属性を付けられません"));
    }
    if (seen_.contains(tag) && !score) Complain(Tag(tag) + QStringLiteral(" が 2 回あります"));
    *value = line.mid(m.capturedLength());
    if (!TakeClosing(QString(), tag, value)) return tag;
    if (score && m.captured(2) == QLatin1String(" BAND=TOTAL")) {
      bool ok = false;
      const qint64 count = value->section(QLatin1Char(','), 0, 0).toLongLong(&ok);
      if (ok) totalScoreCount_ = count;
    }
    return {};
  }

  // Looks for the closing tag in the text gathered so far plus the line;
  // true when found (it must end its line).
  bool TakeClosing(const QString& line, const QString& tag, QString* value) {
    *value += line;
    const QString closing = QStringLiteral("</") + tag + QLatin1Char('>');
    const qsizetype at = value->indexOf(closing);
    if (at < 0) {
      if (value->contains(QLatin1String("</"))) Complain(Tag(tag) + QStringLiteral(" の閉じタグが合いません"));
      return false;
    }
    if (at + closing.size() != value->size()) Complain(closing + QStringLiteral(" の後に文字があります"));
    value->truncate(at);
    if (value->contains(QLatin1Char('<')) || value->contains(QLatin1Char('>'))) {
      Complain(Tag(tag) + QStringLiteral(" の中にタグがあります"));
    }
    seen_[tag] = *value;
    return true;
  }

  void SummaryValues() {
    for (const QString& tag : kRequired) {
      if (!seen_.contains(tag)) {
        Complain(Tag(tag) + QStringLiteral(" がありません"));
      } else if (TrimBlanks(QString(seen_[tag]).remove(QLatin1Char('\n'))).isEmpty()) {
        Complain(Tag(tag) + QStringLiteral(" が空です"));
      }
    }
    auto check = [&](const char* tag, const char* pattern, const char* what) {
      const QString t = QString::fromLatin1(tag);
      if (seen_.contains(t) && !seen_[t].isEmpty() && !Matches(seen_[t], pattern)) {
        Complain(Tag(t) + QStringLiteral(" が") + QString::fromUtf8(what) + QStringLiteral("ではありません: ") + seen_[t]);
      }
    };
    check("CALLSIGN", "[A-Z0-9]+(/[A-Z0-9]+)*", "半角大文字のコールサイン");
    check("OPCALLSIGN", "[A-Z0-9]+(/[A-Z0-9]+)*", "半角大文字のコールサイン");
    check("TOTALSCORE", "[0-9]+", "数字");
    check("FDCOEFF", "[0-9]+(\\.[0-9]+)?", "数値");
    check("POWER", "[0-9]+(\\.[0-9]+)?", "ワット数");
    check("EMAIL", "[!-~]+@[!-~]+\\.[!-~]+", "メールアドレス");
    check("DATE", "[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日", "日付");
    check("AGE", "[0-9]{1,3}", "年齢");
    check("LICENSEDATE", "[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日", "日付");
    check("MULTIOPLIST", "[A-Z0-9/]+([ ,]+[A-Z0-9/]+)*", "コールサインの並び");
  }

  void LogLine(const QString& line) {
    if (line.isEmpty() || !line.at(0).isDigit()) {
      // Headings of the columns and their rules are allowed; nothing else.
      if (!line.startsWith(QLatin1String("DATE")) && !Matches(line, "[- ]*")) {
        Complain(QStringLiteral("交信の行ではありません: ") + line);
      }
      return;
    }
    ++qsoLines_;
    if (!IsAscii(line)) Complain(QStringLiteral("半角でない文字がある交信の行です: ") + line);
    const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (f.size() < 9 || f.size() > 11) {
      Complain(QStringLiteral("交信の行の列が %1 個です（9～11 個のはずです）: ").arg(f.size()) + line);
      return;
    }
    auto column = [&](int i, const char* pattern, const char* fault) {
      if (!Matches(f[i], pattern)) Complain(QString::fromUtf8(fault) + f[i]);
    };
    const QDate date = QDate::fromString(f[0], QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(f[1], QStringLiteral("HH:mm"));
    if (!date.isValid()) Complain(QStringLiteral("日付が YYYY-MM-DD ではありません: ") + f[0]);
    if (!time.isValid()) Complain(QStringLiteral("時刻が HH:MM ではありません: ") + f[1]);
    // The log program writes satellite QSOs with "SAT" for their band.
    column(2, "[0-9]+(\\.[0-9]+)?|SAT", "バンドが MHz の周波数ではありません: ");
    column(3, "[A-Z0-9]+", "モードに英大文字と数字以外があります: ");
    if (!Matches(f[4], "[A-Z0-9]+(/[A-Z0-9]+)*") || !Matches(f[4], ".*[0-9].*")) {
      Complain(QStringLiteral("コールサインではありません: ") + f[4]);
    }
    column(5, "[1-5][1-9][1-9]?", "送信 RS(T) ではありません: ");
    column(6, "[0-9A-Z]+", "送信ナンバーに英大文字と数字以外があります: ");
    column(7, "[1-5][1-9][1-9]?", "受信 RS(T) ではありません: ");
    column(8, "[0-9A-Z]+", "受信ナンバーに英大文字と数字以外があります: ");
    if (f.size() > 10) column(10, "[0-9]+", "得点が数字ではありません: ");
    const QDateTime at(date, time);
    if (check_.timeOrder && last_.isValid() && at < last_) Complain(QStringLiteral("上の行より前の日時の交信です"));
    last_ = at;
  }

  ElectronicLogCheck check_;
  QString versionText_;
  QStringList complaints_;
  QMap<QString, QString> seen_;
  int line_ = 0;
  qint64 qsoLines_ = 0;
  std::optional<qint64> totalScoreCount_;
  QDateTime last_;
};

}  // namespace

QStringList CheckElectronicLog(const QByteArray& file, const ElectronicLogCheck& check) {
  return Checker(check).Run(file);
}

QStringList ElectronicLogFaultLines(const QString& path, const QStringList& faults, int shown) {
  QStringList lines{QStringLiteral("電子ログ ") + QDir::toNativeSeparators(path) +
                    QStringLiteral(" を読み直すと 次の問題がありました")};
  lines += faults.mid(0, shown);
  if (faults.size() > shown) lines << QStringLiteral("ほかに %1 件あります").arg(faults.size() - shown);
  return lines;
}

}  // namespace zotra
