#include "JarlChecker.h"

#include "common/Text.h"

#include <QDate>
#include <QMap>
#include <QRegularExpression>
#include <QTime>

namespace zotra::test {
namespace {

// The control tags of R2.1 and those it requires.
const QStringList kTags = {"CONTESTNAME", "CATEGORYCODE", "CALLSIGN", "OPCALLSIGN", "MULTIOPLIST", "FDCOEFF",
                           "TOTALSCORE",  "REGCLUBNUMBER", "ADDRESS", "TEL",        "NAME",        "EMAIL",
                           "POWER",       "OPPLACE",       "POWERSUPPLY", "LICENSEDATE", "AGE", "COMMENTS",
                           "OATH",        "DATE",          "SIGNATURE"};
const QStringList kRequired = {"CONTESTNAME", "CATEGORYCODE", "CALLSIGN", "TOTALSCORE", "ADDRESS", "NAME",
                               "EMAIL",       "POWER",        "OATH",     "DATE",       "SIGNATURE"};
// R1.0 tags that R2.1 abolished.
const QStringList kAbolished = {"CATEGORYNAME", "SCORE", "POWERTYPE", "EQUIPMENT", "LICENSECLASS", "REGCLUBNAME"};

bool Matches(const QString& text, const char* pattern) {
  return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromUtf8(pattern))).match(text).hasMatch();
}

bool IsAscii(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() > 0x7e) return false;
  }
  return true;
}

class Checker {
 public:
  explicit Checker(const JarlCheckOptions& options) : options_(options) {}

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
          if (line != QLatin1String("<SUMMARYSHEET VERSION=R2.1>")) Complain("the file does not begin with <SUMMARYSHEET VERSION=R2.1>");
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
          if (!Matches(line, "<LOGSHEET TYPE=[^<>]+>")) Complain("no <LOGSHEET TYPE=...> after the summary sheet");
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
          if (!TrimBlanks(line).isEmpty()) Complain("text after </LOGSHEET>");
          break;
      }
    }
    line_ = 0;
    if (!openTag.isEmpty()) Complain("<" + openTag + "> is never closed");
    if (state != State::End) Complain("the file does not end with </LOGSHEET>");
    SummaryValues();
    if (qsoLines_ == 0) Complain("the log sheet holds no QSO");
    return complaints_;
  }

 private:
  void Complain(const QString& what) {
    complaints_ << (line_ > 0 ? QStringLiteral("line %1: ").arg(line_) : QString()) + what;
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
        Complain("the last line has no CR LF");
        end = file.size();
      }
      const QByteArray bytes = file.mid(at, end - at);
      if (bytes.contains('\r') || bytes.contains('\n')) Complain("a line end that is not CR LF");
      const QString text = DecodeCp932(bytes);
      if (text.contains(QChar(0xFFFD)) || EncodeCp932(text) != bytes) Complain("bytes that are not CP932");
      lines << text;
      at = end + 2;
      ++number;
    }
    return lines;
  }

  // An opening tag at the start of a line; the tag's name, or empty when the
  // line closes it too (its value in *value) or is no tag.
  QString Opening(const QString& line, QString* value) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^<([A-Z]+)( [^<>]*)?>")).match(line);
    if (!m.hasMatch()) {
      Complain("a line of the summary sheet that is no control tag: " + line);
      return {};
    }
    const QString tag = m.captured(1);
    if (kAbolished.contains(tag)) Complain("<" + tag + "> is not an R2.1 tag (abolished)");
    else if (!kTags.contains(tag)) Complain("<" + tag + "> is not an R2.1 tag");
    if (!m.captured(2).isEmpty() && !kAbolished.contains(tag)) Complain("<" + tag + "> takes no attribute");
    if (seen_.contains(tag) && tag != QLatin1String("SCORE")) Complain("<" + tag + "> stands twice");
    *value = line.mid(m.capturedLength());
    return TakeClosing(QString(), tag, value) ? QString() : tag;
  }

  // Looks for the closing tag in the text gathered so far plus the line;
  // true when found (it must end its line).
  bool TakeClosing(const QString& line, const QString& tag, QString* value) {
    *value += line;
    const QString closing = "</" + tag + ">";
    const qsizetype at = value->indexOf(closing);
    if (at < 0) {
      if (value->contains(QLatin1String("</"))) Complain("a closing tag that does not match <" + tag + ">");
      return false;
    }
    if (at + closing.size() != value->size()) Complain("text after " + closing);
    value->truncate(at);
    if (value->contains(QLatin1Char('<')) || value->contains(QLatin1Char('>'))) Complain("a tag inside <" + tag + ">");
    seen_[tag] = *value;
    return true;
  }

  void SummaryValues() {
    for (const QString& tag : kRequired) {
      if (!seen_.contains(tag)) {
        Complain("<" + tag + "> is missing");
      } else if (TrimBlanks(QString(seen_[tag]).remove(QLatin1Char('\n'))).isEmpty()) {
        Complain("<" + tag + "> is empty");
      }
    }
    auto check = [&](const char* tag, const char* pattern, const char* what) {
      const QString t = QString::fromLatin1(tag);
      if (seen_.contains(t) && !seen_[t].isEmpty() && !Matches(seen_[t], pattern)) {
        Complain("<" + t + "> " + QString::fromLatin1(what) + ": " + seen_[t]);
      }
    };
    check("CALLSIGN", "[A-Z0-9]+(/[A-Z0-9]+)*", "is no call sign in half-width capitals");
    check("TOTALSCORE", "[0-9]+", "is no number");
    check("FDCOEFF", "[0-9]+(\\.[0-9]+)?", "is no number");
    check("POWER", "[0-9]+(\\.[0-9]+)?", "is no power in watts");
    check("EMAIL", "[!-~]+@[!-~]+\\.[!-~]+", "is no mail address");
    check("DATE", "[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日", "is no date");
    check("AGE", "[0-9]{1,3}", "is no age");
    check("LICENSEDATE", "[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日", "is no date");
    check("MULTIOPLIST", "[A-Z0-9/]+([ ,]+[A-Z0-9/]+)*", "is no list of call signs");
  }

  void LogLine(const QString& line) {
    if (line.isEmpty() || !line.at(0).isDigit()) {
      // Headings of the columns and their rules are allowed; nothing else.
      if (!line.startsWith(QLatin1String("DATE")) && !Matches(line, "[- ]*")) Complain("a log line that is no QSO: " + line);
      return;
    }
    ++qsoLines_;
    if (!IsAscii(line)) Complain("a QSO line with characters that are not half-width");
    const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (f.size() < 9 || f.size() > 11) {
      Complain(QStringLiteral("a QSO line of %1 columns instead of 9 to 11: ").arg(f.size()) + line);
      return;
    }
    const QDate date = QDate::fromString(f[0], QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(f[1], QStringLiteral("HH:mm"));
    if (!date.isValid()) Complain("a QSO date that is not YYYY-MM-DD: " + f[0]);
    if (!time.isValid()) Complain("a QSO time that is not HH:MM: " + f[1]);
    if (!Matches(f[2], "[0-9]+(\\.[0-9]+)?")) Complain("a band that is no frequency in MHz: " + f[2]);
    if (!Matches(f[3], "[A-Z0-9]+")) Complain("a mode that is no mode: " + f[3]);
    if (!Matches(f[4], "[A-Z0-9]+(/[A-Z0-9]+)*") || !f[4].contains(QRegularExpression("[0-9]")))
      Complain("a call sign that is no call sign: " + f[4]);
    if (!Matches(f[5], "[1-5][1-9][1-9]?")) Complain("a sent report that is no RS(T): " + f[5]);
    if (!Matches(f[6], "[0-9A-Z]+")) Complain("a sent number with other than digits and capitals: " + f[6]);
    if (!Matches(f[7], "[1-5][1-9][1-9]?")) Complain("a received report that is no RS(T): " + f[7]);
    if (!Matches(f[8], "[0-9A-Z]+")) Complain("a received number with other than digits and capitals: " + f[8]);
    if (f.size() > 10 && !Matches(f[10], "[0-9]+")) Complain("points that are no number: " + f[10]);
    const QDateTime at(date, time);
    if (options_.timeOrder && last_.isValid() && at < last_) Complain("a QSO before the one above it");
    last_ = at;
  }

  JarlCheckOptions options_;
  QStringList complaints_;
  QMap<QString, QString> seen_;
  int line_ = 0;
  int qsoLines_ = 0;
  QDateTime last_;
};

}  // namespace

QStringList CheckJarlR21(const QByteArray& file, const JarlCheckOptions& options) {
  return Checker(options).Run(file);
}

}  // namespace zotra::test
