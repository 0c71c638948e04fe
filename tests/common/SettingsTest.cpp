#include "common/Dialogs.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::TempFolder;

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TEST(Settings, MissingFileOrKeyGivesTheDefault) {
  TempFolder t;
  Settings s(t.Path(), Program::Menu);
  EXPECT_EQ(s.ReadSetting("MARQEN", "ERR"), "ERR");
  EXPECT_FALSE(t.Exists("ZOTRAW.INI"));
  ASSERT_TRUE(s.WriteSetting("Ver", "7.3"));
  EXPECT_EQ(s.ReadSetting("MST", "ERR"), "ERR");
  EXPECT_EQ(s.ReadSetting("Ver", "ERR"), "7.3");
}

TEST(Settings, FileIsCp932WithCrLf) {
  TempFolder t;
  Settings menu(t.Path(), Program::Menu);
  Settings define(t.Path(), Program::Define);
  menu.WriteSetting("Cfg", "ZOTRAW.CFG");
  define.WriteSetting(U("得点配分"), U("設定"));
  menu.WriteSetting("Ver", "7.3");
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"),
            QByteArray("[ZOTRAM]\r\nCfg=ZOTRAW.CFG\r\nVer=7.3\r\n[ZOTRAS]\r\n") +
                EncodeCp932(U("得点配分=設定\r\n")));
}

TEST(Settings, ValuesAreCutTo127BytesAndNeverHalfACharacter) {
  TempFolder t;
  Settings s(t.Path(), Program::Menu);
  s.WriteSetting("A", QString(200, 'x'));
  EXPECT_EQ(s.ReadSetting("A"), QString(127, 'x'));
  s.WriteSetting("A", QString(128, 'y'));
  EXPECT_EQ(s.ReadSetting("A").size(), 127);
  s.WriteSetting("A", QString(127, 'z'));
  EXPECT_EQ(s.ReadSetting("A"), QString(127, 'z'));
  // 64 double-byte characters are 128 bytes: 63 whole ones survive.
  s.WriteSetting("B", QString(64, QChar(0x3042)));
  EXPECT_EQ(s.ReadSetting("B"), QString(63, QChar(0x3042)));
  s.WriteSetting("C", QStringLiteral("x") + QString(64, QChar(0x3042)));
  EXPECT_EQ(s.ReadSetting("C"), QStringLiteral("x") + QString(63, QChar(0x3042)));
  // The default goes through the same buffer.
  EXPECT_EQ(s.ReadSetting("none", QString(130, 'd')).size(), 127);
}

TEST(Settings, KeysCompareWithoutCase) {
  TempFolder t;
  Settings menu(t.Path(), Program::Menu);
  menu.WriteSetting("Cfg", "MY.CFG");
  // The definition editor reads "CFG" from the menu's section.
  EXPECT_EQ(Settings(t.Path(), Program::Define).ReadSetting("CFG"), "MY.CFG");
  menu.WriteSetting("CFG", "MYTST.CFG");
  EXPECT_EQ(menu.ReadSetting("cfg"), "MYTST.CFG");
  EXPECT_EQ(t.ReadCp932("ZOTRAW.INI").count("=") , 1);
}

TEST(Settings, EveryProgramReadsAndWritesThroughTheRoutingTable) {
  TempFolder t;
  const QStringList shared = {"CFG", "TST", "MARQEN", "MST", "EDITOR", "Other"};
  // Each section holds the key with the section's name as the value.
  for (const char* section : {"ZOTRAM", "ZOTRAS", "ZOTRAH", "ZOTRAC", "ZOTRAL", "ZOTRAT"}) {
    for (const QString& key : shared) WriteProfileString(t.File("ZOTRAW.INI"), section, key, section);
  }
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", U("電子ログのみ"), "YES");
  struct Row {
    Program program;
    QStringList fromMenu;
  };
  const QList<Row> rows = {
      {Program::Menu, shared},
      {Program::Define, {"CFG", "TST"}},
      {Program::Extract, {"CFG", "TST", "MARQEN", "MST"}},
      {Program::Check, {"CFG", "TST", "MARQEN"}},
      {Program::Log, {"CFG", "TST", "MARQEN"}},
      {Program::Summary, {"CFG", "TST", "MARQEN", "EDITOR"}},
  };
  for (const Row& row : rows) {
    Settings s(t.Path(), row.program);
    for (const QString& key : shared) {
      const QString expected = row.fromMenu.contains(key) ? "ZOTRAM" : ProgramName(row.program);
      EXPECT_EQ(s.ReadSetting(key.toLower(), "none"), expected) << ProgramName(row.program).toStdString() << " " << key.toStdString();
    }
  }
  EXPECT_EQ(Settings(t.Path(), Program::Summary).ReadSetting(U("電子ログのみ"), "NO"), "YES");
  EXPECT_EQ(Settings(t.Path(), Program::Log).ReadSetting(U("電子ログのみ"), "NO"), "YES");
  EXPECT_EQ(Settings(t.Path(), Program::Check).ReadSetting(U("電子ログのみ"), "NO"), "NO");

  // Writes: the definition editor sends "CFG" and "TST" to the menu's section;
  // every other write goes to the program's own section.
  EXPECT_EQ(SettingsSectionForWrite(Program::Define, "Tst"), "ZOTRAM");
  EXPECT_EQ(SettingsSectionForWrite(Program::Define, "Cfg"), "ZOTRAM");
  EXPECT_EQ(SettingsSectionForWrite(Program::Define, "FormTop"), "ZOTRAS");
  EXPECT_EQ(SettingsSectionForWrite(Program::Extract, "CFG"), "ZOTRAH");
  EXPECT_EQ(SettingsSectionForWrite(Program::Summary, "EDITOR"), "ZOTRAT");
  EXPECT_EQ(SettingsSectionForWrite(Program::Menu, "FormTop"), "ZOTRAM");
  Settings(t.Path(), Program::Define).WriteSetting("Tst", "ZOTRAW.TST");
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "TST", ""), "ZOTRAW.TST");
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAS", "TST", ""), "ZOTRAS");
}

TEST(Settings, WritingKeepsEveryOtherLine) {
  TempFolder t;
  const QString before = U("; 設定ファイル\r\n[ZOTRAM]\r\nCfg=MY.CFG\r\n; a comment\r\nVer=4.1\r\n\r\n"
                           "[ZOTRAC]\r\nOption=1\r\nForm1Top=100\r\n");
  t.WriteCp932("ZOTRAW.INI", before);
  Settings menu(t.Path(), Program::Menu);
  menu.WriteSetting("Ver", "7.3");
  menu.WriteSetting("Tst", "ZOTRAW.TST");
  Settings(t.Path(), Program::Check).WriteSetting("Form2Top", "50");
  Settings(t.Path(), Program::Log).WriteSetting(U("行間"), "5");
  EXPECT_EQ(t.ReadCp932("ZOTRAW.INI"),
            U("; 設定ファイル\r\n[ZOTRAM]\r\nCfg=MY.CFG\r\n; a comment\r\nVer=7.3\r\nTst=ZOTRAW.TST\r\n\r\n"
              "[ZOTRAC]\r\nOption=1\r\nForm1Top=100\r\nForm2Top=50\r\n[ZOTRAL]\r\n行間=5\r\n"));
}

TEST(Settings, ALineBreakInAValueCannotAddKeys) {
  TempFolder t;
  Settings menu(t.Path(), Program::Menu);
  menu.WriteSetting("Cfg", "MY.CFG");
  menu.WriteSetting("EDITOR", "vi\r\n[ZOTRAM]\r\nCfg=EVIL.CFG\nMARQEN=x");
  EXPECT_EQ(menu.ReadSetting("Cfg"), "MY.CFG");
  EXPECT_EQ(menu.ReadSetting("MARQEN", "ERR"), "ERR");
  EXPECT_EQ(menu.ReadSetting("EDITOR"), "vi[ZOTRAM]Cfg=EVIL.CFGMARQEN=x");
}

TEST(Settings, GarbledFileGivesDefaultsAndCanBeWritten) {
  TempFolder t;
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919 + 13) % 256));
  t.WriteBytes("ZOTRAW.INI", garbage);
  Settings s(t.Path(), Program::Log);
  EXPECT_EQ(s.ReadSetting("Form1Top", "12"), "12");
  EXPECT_TRUE(s.WriteSetting("Form1Top", "34"));
  EXPECT_EQ(s.ReadSetting("Form1Top", "12"), "34");
  // Spaces around keys and values are not part of them.
  t.WriteCp932("ZOTRAW.INI", U(" [ ZOTRAL ] \r\n  Form1Left =  56  \r\nnoequals\r\n=x\r\n"));
  EXPECT_EQ(s.ReadSetting("Form1Left", "0"), "56");
}

TEST(Settings, AWriteTouchesOnlyItsOwnLine) {
  TempFolder t;
  // Another program's line holds bytes that are no CP932 (UTF-8 Hangul, a
  // lone lead byte), and the menu's section ends its lines with LF alone.
  const QByteArray hangul = QString::fromUtf8("한국").toUtf8();
  t.WriteBytes("ZOTRAW.INI", "[ZOTRAH]\r\nMemo=" + hangul + "\r\n; \x81\r\n[ZOTRAM]\nVer=4.1\nCfg=MY.CFG");
  Settings menu(t.Path(), Program::Menu);
  ASSERT_TRUE(menu.WriteSetting("Ver", "7.3"));
  ASSERT_TRUE(menu.WriteSetting("Tst", "ZOTRAW.TST"));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"),
            "[ZOTRAH]\r\nMemo=" + hangul + "\r\n; \x81\r\n[ZOTRAM]\nVer=7.3\nCfg=MY.CFG\r\nTst=ZOTRAW.TST\r\n");

  // A value in double quotes reads back without them.
  ASSERT_TRUE(menu.WriteSetting("EDITOR", "\"/usr/bin/mousepad\""));
  EXPECT_EQ(menu.ReadSetting("EDITOR"), "/usr/bin/mousepad");
  EXPECT_EQ(menu.ReadSetting("Ver"), "7.3");

  // A value CP932 cannot hold is refused, not stored as "?".
  const QByteArray before = t.ReadBytes("ZOTRAW.INI");
  ScriptedDialogs told("", {});
  SetCurrentDialogs(&told);
  EXPECT_FALSE(menu.WriteSetting("MARQEN", U("/home/op/한국/MARQEN.HDB")));
  SetCurrentDialogs(nullptr);
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), before);
  ASSERT_EQ(told.Records().size(), 1);
  EXPECT_EQ(zotra::test::DialogFields(told.Records().first()).at(2),
            U("設定 MARQEN の値 /home/op/한국/MARQEN.HDB には 日本語の文字コード（シフトJIS）で書けない文字があるので 保存できません\n"
              "日本語と英数字だけの名前を選んでください"));
}
