// A program folder for zotrat: points files, contest definitions written by
// the definition's own writer, the settings, and the scripted dialogs.
#pragma once

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Settings.h"
#include "define/ContestDefinition.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zotra::test {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A points-file line as the log program writes it: "7"," 120"," 25"," 0"," 0"," 240".
inline QString PointsLine(const QString& band, int count, int m1, int m2, int m3, int points) {
  auto n = [](int v) { return QStringLiteral("\"%1%2\"").arg(v < 0 ? "" : " ").arg(v); };
  return "\"" + band + "\"," + n(count) + "," + n(m1) + "," + n(m2) + "," + n(m3) + "," + n(points);
}

// The contest of most tests: one multiplier (JCC), the personal data filled in.
inline ContestDefinition SampleDefinition() {
  ContestDefinition d;
  d.myCall = "JA1ZLO/1";
  d.contestName = U("ALL JA1 コンテスト");
  d.start = {"2024", "06", "15", "21", "00"};
  d.end = {"2024", "06", "16", "21", "00"};
  d.bands = {{"7", 1}, {"14", 1}};
  d.modes = {{"CW", 1}};
  d.multi1 = "Jcc";
  d.organiser = "JARL";
  d.markMeaning = U("↑フィールドデーコンテストの場合は、局数係数を記入");
  d.categoryCode = "C1MA";
  d.sectionName = U("電信部門");
  d.eventName = U("シングルオペ オールバンド");
  d.postalCode = "170-8073";
  d.addressFirst = U("東京都豊島区巣鴨1-14-2");
  d.addressSecond = U("JARL会館");
  d.phone = "03-5395-3106";
  d.name = U("日本 太郎");
  d.mail = "ja1zlo@example.jp";
  d.licenceClass = U("第一級アマチュア無線技士");
  d.licensedPower = "100";
  d.portablePlace = U("千葉県館山市");
  d.powerSource = U("発動発電機");
  d.rig1 = "IC-7610 100W";
  d.rig2 = "IC-9700";
  d.opinion1 = U("楽しいコンテストでした。");
  d.opinion2 = U("コンディションが良かった");
  d.opinion3 = U("また参加します");
  d.printClub = 1;
  d.clubNumber = "10-1-1";
  d.clubName = U("JARL東京クラブ");
  d.powerKind = U("定格");
  d.jarlLog = "Yes R2";
  d.vqLog = "Yes";
  return d;
}

// A temporary program folder with the settings zotrat starts from.
class SummaryFolder {
 public:
  SummaryFolder() {
    t.WriteCp932("ZOTRAW.CFG", "$7\r\n%CW\r\n");
    WriteProfileString(Ini(), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
  }

  TempFolder t;
  Frame frame{Program::Summary, t.Path(), "/ZOTRAW.CFG"};

  QString Ini() const { return t.File("ZOTRAW.INI"); }
  void Points(const QStringList& lines, const QString& name = "ZOTRAPOI.DAT") const {
    t.WriteCp932(name, CrLf(lines));
  }
  void Definition(const ContestDefinition& d = SampleDefinition()) const {
    ASSERT_TRUE(WriteDefinition(d, t.File("ZOTRAW.TST")));
  }
  QString Setting(const QString& key, const QString& section = "ZOTRAT") const {
    return ReadProfileString(Ini(), section, key, "<none>");
  }
};

// Scripted dialogs whose records a test reads.
class RecordedDialogs : public ScriptedDialogs {
 public:
  explicit RecordedDialogs(const QStringList& answers = {}) : ScriptedDialogs(QString(), answers) {
    SetDefaultTitle("ZOTRAT");
  }
  QList<QStringList> Messages() const {
    QList<QStringList> out;
    for (const QString& r : Records()) out << DialogFields(r);
    return out;
  }
  QStringList Texts() const {
    QStringList out;
    for (const QStringList& f : Messages()) out << f.value(2);
    return out;
  }
};

}  // namespace zotra::test
