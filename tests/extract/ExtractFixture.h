// A program folder ready for the extraction: settings naming the logbook and
// the master file, the environment file, the definition, the libraries where
// the real layout has them (marqen50.dll beside the database, mqdll2vb.dll
// beside the program), and logbooks written by the stand-in's writer.
#pragma once

#include "extract/Extraction.h"
#include "hostlog/SampleLogbook.h"

#include "common/Dialogs.h"
#include "common/Settings.h"

#include <QDir>

namespace zotra::test {

// One QSO of a test logbook, by field.
struct Q {
  QString call, date, time, his = QStringLiteral("599"), my = QStringLiteral("599"), freq = QStringLiteral("7.025"),
                                mode = QStringLiteral("CW"), area, gl, name, qth, r1, r2;

  marqen::QsoEntry Entry() const {
    marqen::QsoEntry e;
    auto& f = e.fields;
    f[marqen::kCallField] = call;
    f[marqen::kDateField] = date;
    f[marqen::kTimeField] = time;
    f[marqen::kHisRstField] = his;
    f[marqen::kMyRstField] = my;
    f[marqen::kFrequencyField] = freq;
    f[marqen::kModeField] = mode;
    f[marqen::kAreaField] = area;
    f[marqen::kGridField] = gl;
    f[marqen::kNameField] = name;
    f[marqen::kQthField] = qth;
    f[marqen::kRemarks1Field] = r1;
    f[marqen::kRemarks2Field] = r2;
    return e;
  }
};

// The definition lines every test starts from: a JST contest of 2025-06-07
// 21:00 to 2025-06-08 20:59 with conversion on; bands 7 and 144, CW and SSB,
// the report both ways, no multiplier.
inline QStringList BaseDefinition() {
  return {
      U8("\"ZOTRAW\",\"Ver4.0\""),
      U8("\"[ZOTRA ｺﾝﾃｽﾄ　定義ﾌｧｲﾙ]\""),
      U8("\"MyCall\",\"JA1ZTR\""),
      U8("\"ContestName\",\"テストコンテスト\""),
      U8("\"開始\",\"2025\",\"06\",\"07\",\"21\",\"00\""),
      U8("\"終了\",\"2025\",\"06\",\"08\",\"20\",\"59\""),
      U8("\"JstUtc\",\"Jst\""),
      U8("\"JstUtc2\",1"),
      U8("\"[参加周波数]\""),
      U8("\"SelFreq\",\"7\",1"),
      U8("\"SelFreq\",\"144\",1"),
      U8("\"[参加ﾓｰﾄﾞ]\""),
      U8("\"SelMode\",\"CW\",1"),
      U8("\"SelMode\",\"SSB\",1"),
      U8("\"[送信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]\""),
      U8("\"Send\",\"HisRst\",\"3\""),
      U8("\"[受信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]\""),
      U8("\"Rcv\",\"MyRst\",\"3\""),
      U8("\"[マルチプライヤー]\""),
      U8("\"Multi1\",\"\""),
      U8("\"Multi2\",\"\""),
      U8("\"Multi3\",\"\""),
      U8("\"[マルチプライヤー終了]\""),
      U8("\"[VQC]\",\"\""),
  };
}

// Replaces the lines that start with `start` by the given lines, at the
// place of the first.
inline QStringList Replace(QStringList lines, const QString& start, const QStringList& with) {
  int at = -1;
  for (int i = lines.size() - 1; i >= 0; --i) {
    if (lines.at(i).startsWith(start)) {
      lines.removeAt(i);
      at = i;
    }
  }
  if (at < 0) at = lines.size();
  for (int i = with.size() - 1; i >= 0; --i) lines.insert(at, with.at(i));
  return lines;
}

class ExtractFolder {
 public:
  ExtractFolder() {
    CopyBuilt(program, "mqdll2vb.dll");
    CopyBuilt(logbook, "marqen50.dll");
    program.WriteBytes("MARQEN.MST", FileBytes(BuiltProgram("MARQEN.MST")));
    program.WriteBytes("hokkaido.txt", FileBytes(BuiltProgram("hokkaido.txt")));
    WriteProfileString(program.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
    WriteProfileString(program.File("ZOTRAW.INI"), "ZOTRAM", "MARQEN", Hdb());
    WriteProfileString(program.File("ZOTRAW.INI"), "ZOTRAM", "MST", program.File("MARQEN.MST"));
    Environment({"$7", "$144", "$1200", "$10125,10000,10250", "$SAT", "%CW", "%SSB,LSB,USB", "%FM"});
    Definition(BaseDefinition());
    Logbook({});
  }

  QString Hdb() const { return logbook.File("MARQEN.HDB"); }
  void Environment(const QStringList& lines) const {
    program.WriteCp932("ZOTRAW.CFG", CrLf(lines));
    QStringList table;
    for (const QString& l : lines) {
      if (l.startsWith('$') && l.count(',') == 2) table << l.mid(1);
    }
    if (table.isEmpty()) QFile::remove(program.File(U8("センチメートル波.txt")));
    else program.WriteCp932(U8("センチメートル波.txt"), CrLf(table));
  }
  void Definition(const QStringList& lines) const { program.WriteCp932("ZOTRAW.TST", CrLf(lines)); }
  void Logbook(const QList<Q>& qsos) const {
    QList<marqen::QsoEntry> entries;
    for (int i = 0; i < qsos.size(); ++i) {
      marqen::QsoEntry e = qsos.at(i).Entry();
      e.fields[0] = QString::number(i + 1);
      entries << e;
    }
    WriteHdb(Hdb(), entries);
  }
  // The lines of "zotra.wk1", decoded, without their CR LF.
  QStringList WorkLines() const {
    QStringList lines = program.ReadCp932("zotra.wk1").split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  TempFolder program;
  TempFolder logbook;
};

}  // namespace zotra::test
