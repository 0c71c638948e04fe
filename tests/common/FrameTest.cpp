#include "common/Dialogs.h"
#include "common/Frame.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::DialogFields;
using zotra::test::TempFolder;

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TEST(StationFolder, OneSideOfTheSlash) {
  EXPECT_EQ(StationFolderName("JA1ABC/1"), "JA1ABC");
  EXPECT_EQ(StationFolderName("KH0/JA1ABC"), "JA1ABC");  // "/" at 4 of 10
  EXPECT_EQ(StationFolderName("JA1ABC"), "JA1ABC");
  EXPECT_EQ(StationFolderName(U("ｊａ１ａｂｃ／ｐ")), "JA1ABC");
  EXPECT_EQ(StationFolderName(" ja1abc "), "JA1ABC");
  EXPECT_EQ(StationFolderName("AB/CD"), "AB");  // "/" at 3 of 5: not in the first half
  EXPECT_EQ(StationFolderName("A/BC"), "BC");   // "/" at 2 of 4
  EXPECT_EQ(StationFolderName(""), "");
}

TEST(StationFolder, ANameThatCouldLeaveTheProgramFolderIsRefused) {
  TempFolder t;
  ASSERT_TRUE(QDir(t.Path()).mkdir("ja1abc_jarl"));
  EXPECT_EQ(StationFolderPath(t.Path(), "JA1ABC/1"), t.File("JA1ABC"));
  EXPECT_EQ(StationFolderPath(t.Path(), "JA1ABC/1", "_JARL"), t.File("ja1abc_jarl"));  // matched without case
  EXPECT_EQ(StationFolderProblem("KH0/JA1ABC"), "");
  for (const char* call : {"A/../../EVIL", "..", "A/..", "...", "KH0/JA1ABC/P", "A/B:C", "JA1\\ABC", "/", " "}) {
    EXPECT_EQ(StationFolderPath(t.Path(), call), "") << call;
    EXPECT_NE(StationFolderProblem(call), "") << call;
  }
  EXPECT_EQ(StationFolderProblem("/"), U("コールサイン / からは局のフォルダが作れません\nフォルダ名が空になります\n"
                                         "コンテストの設定でコールサインを直してください"));
}

TEST(StartCheck, EachProgramHasItsRuleAndWords) {
  TempFolder t;
  struct Row {
    Program program;
    QString commandLine;
    bool accepted;
    QString message;
  };
  const QList<Row> rows = {
      {Program::Menu, "", true, ""},
      {Program::Define, "", false, U("必ずメニュープログラムから起動してください")},
      {Program::Define, "/", true, ""},
      {Program::Extract, "/A", false, U("必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")},
      {Program::Extract, "/AB", true, ""},
      {Program::Check, "", false, U("必ず ﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")},
      {Program::Check, "ZOTRAL12", true, ""},
      {Program::Log, "", false, U("必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")},
      {Program::Log, "120", true, ""},
      {Program::Summary, "", false, U("必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")},
  };
  for (const Row& row : rows) {
    ScriptedDialogs d({}, {});
    const Frame frame(row.program, t.Path(), row.commandLine);
    EXPECT_EQ(frame.CheckStartedFromMenu(d), row.accepted) << ProgramName(row.program).toStdString();
    if (row.accepted) {
      EXPECT_TRUE(d.Records().isEmpty());
    } else {
      ASSERT_EQ(d.Records().size(), 1);
      EXPECT_EQ(DialogFields(d.Records().first()).at(2), row.message);
      EXPECT_EQ(DialogFields(d.Records().first()).at(1), ProgramName(row.program));
    }
  }
}

TEST(StartCheck, EnvironmentAndDefinitionFiles) {
  TempFolder t;
  const Frame define(Program::Define, t.Path(), "/MY.CFG");
  ScriptedDialogs d({}, {});
  // No "CFG" setting: the path is the bare program folder, which is no file.
  EXPECT_EQ(define.LocateEnvironmentFile(d), QString());
  EXPECT_EQ(DialogFields(d.Records().at(0)).at(2), U("環境ファイル ") + define.Folder() + U(" が見つかりません"));
  define.WriteSetting("Cfg", "my.cfg");
  EXPECT_EQ(define.LocateEnvironmentFile(d), QString());
  EXPECT_EQ(DialogFields(d.Records().at(1)).at(2), U("環境ファイル ") + define.Folder() + "my.cfg" + U(" が見つかりません"));
  t.WriteBytes("MY.CFG", "$7\r\n");
  EXPECT_EQ(define.LocateEnvironmentFile(d), t.File("MY.CFG"));

  EXPECT_EQ(define.LocateDefinitionFile(), t.File("ZOTRAW.TST"));
  EXPECT_EQ(Frame(Program::Log, t.Path(), "1").LocateDefinitionFile("non"), t.File("non"));
  define.WriteSetting("Tst", "OTHER.TST");
  EXPECT_EQ(define.LocateDefinitionFile(), t.File("OTHER.TST"));
}

TEST(StartCheck, ExtractionTakesTheEnvironmentFromItsCommandLine) {
  TempFolder t;
  const Frame extract(Program::Extract, t.Path(), "/MY.CFG");
  ScriptedDialogs d({}, {});
  EXPECT_EQ(extract.LocateEnvironmentFile(d), QString());
  EXPECT_EQ(DialogFields(d.Records().at(0)).at(2),
            U("環境ﾌｧｲﾙ ") + extract.Folder() + "MY.CFG" + U(" が見つからない為実行できません"));
  EXPECT_EQ(DialogFields(d.Records().at(0)).at(1), "ZOTRAH");
  t.WriteBytes("MY.CFG", "$7\r\n");
  EXPECT_EQ(extract.LocateEnvironmentFile(d), t.File("MY.CFG"));
}

TEST(StartingPrograms, RecordedUnderTheStartLog) {
  TempFolder t;
  qputenv("ZOTRA_START_LOG", t.File("started.log").toUtf8());
  EXPECT_TRUE(Frame(Program::Define, t.Path(), "/MY.CFG").StartMenu());
  EXPECT_TRUE(Frame(Program::Extract, t.Path(), "/MY.CFG").StartMenu());
  EXPECT_TRUE(Frame(Program::Summary, t.Path(), "/MY.CFG").StartMenu());
  EXPECT_TRUE(Frame(Program::Log, t.Path(), "12").StartProgram(Program::Check, {"ZOTRAL12"}));
  qunsetenv("ZOTRA_START_LOG");
  QFile f(t.File("started.log"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString menu = t.File("zotram");
  EXPECT_EQ(QString::fromUtf8(f.readAll()),
            menu + "\n" + menu + "\t/\n" + menu + "\t/MY.CFG\n" + t.File("zotrac") + "\tZOTRAL12\n");
}

TEST(Programs, NamesAndKeys) {
  Program p;
  EXPECT_TRUE(ProgramFromName("zotral.exe", &p));
  EXPECT_EQ(p, Program::Log);
  EXPECT_TRUE(ProgramFromName("ZOTRAS", &p));
  EXPECT_EQ(p, Program::Define);
  EXPECT_FALSE(ProgramFromName("ZOTRAX", &p));
  EXPECT_EQ(MainWindowPositionKeys(Program::Define).top, "FormTop");
  EXPECT_EQ(MainWindowPositionKeys(Program::Summary).left, "Form1Left");
  EXPECT_EQ(ProgramVersion(), "7.3");
}
