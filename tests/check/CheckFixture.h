// A program folder for the sort-and-check step: the environment, settings and
// definition files it needs, and work files written from UTF-8 lines.
#pragma once

#include "common/Dialogs.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "support/TestSupport.h"

#include <QStringList>

namespace zotra::test {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A "zotra.wk1" line: record number, band, mode, date, time, call, sent
// number, sent RST, received number, received RST, multipliers, points, "",
// note.
inline QString Wk1(const QString& record, const QString& band, const QString& mode, const QString& date,
                   const QString& time, const QString& call, const QString& sent = "13M",
                   const QString& sentRst = "599", const QString& received = "10M",
                   const QString& receivedRst = "599", const QString& multi1 = "JA1", const QString& note = "") {
  QStringList fields = {record,   band,        mode,   date, time, call, sent, sentRst,
                        received, receivedRst, multi1, "",   "",   "1",  "",   note};
  for (QString& f : fields) f = '"' + f + '"';
  return fields.join(',');
}

// A "zotra.wk2" QSO line: the first six fields, sent and received, the rest.
inline QString Wk2(const QString& record, const QString& band, const QString& mode, const QString& date,
                   const QString& time, const QString& call, const QString& sent = "599 13M",
                   const QString& received = "599 10M") {
  QStringList fields = {record, band, mode, date, time, call, sent, received, "JA1", "", "", "1", "", ""};
  for (QString& f : fields) f = '"' + f + '"';
  return fields.join(',');
}

class CheckFolder {
 public:
  CheckFolder() {
    t.WriteCp932("ZOTRAW.CFG", CrLf({"$7", "%CW"}));
    WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
  }

  TempFolder t;
  QString Folder() const { return t.Path(); }

  // A definition with these "SelFreq" lines (band, points).
  void Definition(const QList<QPair<QString, int>>& bands = {{"3.5", 1}, {"7", 1}, {"14", -1}, {"10125", 1},
                                                              {"24000", 1}, {"SAT", 1}},
                  const QString& call = "JA1ZZZ", const QString& name = "ALL JA1") const {
    QStringList lines = {U("\"ZOTRAW\",\"Ver4.0\""),
                         U("\"[ZOTRA ｺﾝﾃｽﾄ　定義ﾌｧｲﾙ]\""),
                         "\"MyCall\",\"" + call + "\"",
                         U("\"[ｺﾝﾃｽﾄ情報]\""),
                         "\"ContestName\",\"" + name + "\"",
                         U("\"開始\",\"2024\",\"06\",\"01\",\"21\",\"00\""),
                         U("\"終了\",\"2024\",\"06\",\"02\",\"21\",\"00\""),
                         U("\"[参加周波数]\"")};
    for (const auto& b : bands) lines << "\"SelFreq\",\"" + b.first + "\"," + QString::number(b.second);
    t.WriteCp932("ZOTRAW.TST", CrLf(lines));
  }
  void Extract(const QStringList& lines, const QString& name = "zotra.wk1") const { t.WriteCp932(name, CrLf(lines)); }
  void Selection(const QString& selection, const QStringList& lines, const QString& name = "zotra.wk2") const {
    t.WriteCp932(name, CrLf(QStringList{'"' + selection + '"'} + lines));
  }
  QByteArray Bytes(const QString& name) const { return t.ReadBytes(name); }
  QString Setting(const QString& section, const QString& key) const {
    return ReadProfileString(t.File("ZOTRAW.INI"), section, key, "<none>");
  }
};

// The expected bytes of a file: CP932 lines, each ended by CR LF.
inline QByteArray Cp932Lines(const QStringList& lines) { return EncodeCp932(CrLf(lines)); }

}  // namespace zotra::test
