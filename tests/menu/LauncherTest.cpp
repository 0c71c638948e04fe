// The menu's start and its commands without the window: host logbook files,
// the library date check, starting programs, the editor, log folders, help.
#include "MenuFixture.h"
#include "common/Files.h"
#include "common/Text.h"
#include "common/ui/HelpWindow.h"
#include "menu/Launcher.h"
#include "menu/Platform.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

const QString kLogbookQuestion = QString::fromUtf8("MARQEN ﾌｧｲﾙが見つかりません\n探して指定しますか？");
const QString kMasterQuestion = QString::fromUtf8("MARQEN.Mst ﾌｧｲﾙが見つかりません\n探して指定しますか？");
const QString kDialogTitle = QString::fromUtf8("Marqen ﾌｧｲﾙを定義します");
const QString kLogbookFilter = "Marqen Ver4.x(*.DBS), Marqen Ver5.x(*.HDB)|*.DBS;*.HDB";

// The whole start: the environment file, then the rest.
bool StartMenu(MenuLauncher& menu) { return menu.ChooseEnvironment() && menu.Prepare(); }

QStringList Question(const QString& text, const QString& answer) {
  return {"message", "ZOTRAM", text, "Yes|No|Cancel", answer};
}

}  // namespace

TEST(MenuStart, BothHostFilesFound) {
  MenuFixture m;
  m.Environment();
  m.HostFiles();
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(menu.ChooseEnvironment());
  EXPECT_EQ(menu.EnvironmentName(), "MY.CFG");
  EXPECT_EQ(m.Setting("Cfg"), "MY.CFG");
  ASSERT_TRUE(menu.Prepare());
  EXPECT_TRUE(m.Dialogs().isEmpty());
  EXPECT_TRUE(menu.LogbookFound());
  EXPECT_TRUE(menu.MasterFound());
  EXPECT_TRUE(menu.DataStepsEnabled());
  EXPECT_FALSE(menu.SpreadsheetEnabled());  // no spreadsheet application here
  // The points file is created empty; the microwave table is derived.
  EXPECT_TRUE(m.t.Exists("ZOTRAPOI.dat"));
  EXPECT_EQ(m.t.ReadBytes("ZOTRAPOI.dat"), QByteArray());
  EXPECT_EQ(m.t.ReadBytes(U("センチメートル波.txt")), QByteArray("24000,24000,24250\r\n"));
  EXPECT_TRUE(m.Started().isEmpty());
}

TEST(MenuStart, NoEnvironmentFileEndsTheMenu) {
  MenuFixture m;
  MenuLauncher menu(m.frame, m.dialogs());
  EXPECT_FALSE(menu.ChooseEnvironment());
  ASSERT_EQ(m.Dialogs().size(), 1);
  EXPECT_EQ(m.Dialogs().first(),
            (QStringList{"message", "ZOTRAM",
                         U("環境ﾌｧｲﾙ ") + m.t.Path() + U("/ZOTRAW.CFG が見つからない為実行できません"), "OK", "OK"}));
  EXPECT_EQ(m.Setting("Cfg"), "<none>");
}

TEST(MenuStart, MissingLogbookAsksAndNoLeavesTheDataStepsOff) {
  MenuFixture m;
  m.Environment();
  m.HostFiles();
  WriteProfileString(m.Ini(), "ZOTRAM", "MARQEN", m.t.File("gone/MARQEN.HDB"));
  m.Answers({"No"});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(StartMenu(menu));
  EXPECT_EQ(m.Dialogs(), QList<QStringList>{Question(kLogbookQuestion, "No")});
  EXPECT_FALSE(menu.LogbookFound());
  EXPECT_TRUE(menu.MasterFound());
  EXPECT_FALSE(menu.DataStepsEnabled());
  EXPECT_EQ(m.Setting("MARQEN"), m.t.File("gone/MARQEN.HDB"));
}

TEST(MenuStart, CancelAtTheQuestionClosesTheMenu) {
  for (const bool logbook : {true, false}) {
    MenuFixture m;
    m.Environment();
    m.HostFiles();
    WriteProfileString(m.Ini(), "ZOTRAM", logbook ? "MARQEN" : "MST", "ERR");
    m.Answers({"Cancel"});
    MenuLauncher menu(m.frame, m.dialogs());
    ASSERT_TRUE(menu.ChooseEnvironment());
    EXPECT_FALSE(menu.Prepare());
    ASSERT_EQ(m.Dialogs().size(), 1);
    EXPECT_EQ(m.Dialogs().first(), Question(logbook ? kLogbookQuestion : kMasterQuestion, "Cancel"));
    // The menu ends before it checks anything else.
    EXPECT_FALSE(m.t.Exists("ZOTRAPOI.dat"));
  }
}

TEST(MenuStart, YesOpensTheFileDialogUntilAFittingFileIsChosen) {
  MenuFixture m;
  m.Environment();
  m.t.WriteBytes("notes.txt", "x");
  m.t.WriteBytes("logs/marqen.hdb", "db");
  m.t.WriteBytes("logs/MARQEN.MST", "mst");
  m.Answers({"Yes", m.t.File("notes.txt"), m.t.File("logs/missing.hdb"), m.t.File("logs/marqen.hdb"), "Yes",
             m.t.File("logs/marqen.hdb"), m.t.File("logs/MARQEN.MST")});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(StartMenu(menu));
  const QString start = HostLogbookStartFolder() + "|MARQEN.HDB";
  const QList<QStringList> expected = {
      Question(kLogbookQuestion, "Yes"),
      {"open", kDialogTitle, start, kLogbookFilter, m.t.File("notes.txt")},
      {"open", kDialogTitle, start, kLogbookFilter, m.t.File("logs/missing.hdb")},
      // A lower-case ending is accepted: endings are compared upper-cased.
      {"open", kDialogTitle, start, kLogbookFilter, m.t.File("logs/marqen.hdb")},
      Question(kMasterQuestion, "Yes"),
      {"open", kDialogTitle, HostLogbookStartFolder() + "|MARQEN.MST", "Marqen (*.MST)|*.MST",
       m.t.File("logs/marqen.hdb")},
      {"open", kDialogTitle, HostLogbookStartFolder() + "|MARQEN.MST", "Marqen (*.MST)|*.MST",
       m.t.File("logs/MARQEN.MST")},
  };
  EXPECT_EQ(m.Dialogs(), expected);
  EXPECT_EQ(m.Setting("MARQEN"), m.t.File("logs/marqen.hdb"));
  EXPECT_EQ(m.Setting("MST"), m.t.File("logs/MARQEN.MST"));
  EXPECT_TRUE(menu.DataStepsEnabled());
}

TEST(MenuStart, FileDialogCancelledLeavesTheFileNotFound) {
  MenuFixture m;
  m.Environment();
  m.Answers({"Yes", "Cancel", "No"});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(StartMenu(menu));
  EXPECT_EQ(m.Dialogs().size(), 3);
  EXPECT_FALSE(menu.LogbookFound());
  EXPECT_FALSE(menu.MasterFound());
  EXPECT_EQ(m.Setting("MARQEN"), "<none>");
}

TEST(MenuStart, PathsThatAreNoReadableFileCountAsNotFound) {
  QStringList paths = {"", "ERR", "Z:\\marqen\\MARQEN.HDB", "/no/such/drive/MARQEN.HDB"};
  for (const QString& path : paths) {
    MenuFixture m;
    m.Environment();
    m.HostFiles();
    WriteProfileString(m.Ini(), "ZOTRAM", "MARQEN", path);
    m.Answers({"No"});
    MenuLauncher menu(m.frame, m.dialogs());
    ASSERT_TRUE(StartMenu(menu));
    EXPECT_FALSE(menu.LogbookFound()) << path.toStdString();
  }
  {  // a folder
    MenuFixture m;
    m.Environment();
    m.HostFiles();
    WriteProfileString(m.Ini(), "ZOTRAM", "MARQEN", m.t.File("marqen"));
    m.Answers({"No"});
    MenuLauncher menu(m.frame, m.dialogs());
    ASSERT_TRUE(StartMenu(menu));
    EXPECT_FALSE(menu.LogbookFound());
  }
  if (getuid() != 0) {  // an unreadable file (root reads every file)
    MenuFixture m;
    m.Environment();
    m.HostFiles();
    QFile::setPermissions(m.t.File("marqen/MARQEN.HDB"), QFileDevice::Permissions());
    m.Answers({"No"});
    MenuLauncher menu(m.frame, m.dialogs());
    ASSERT_TRUE(StartMenu(menu));
    EXPECT_FALSE(menu.LogbookFound());
  }
}

TEST(MenuStart, LaterChoiceIsTestedAtOnce) {
  MenuFixture m;
  m.Environment();
  m.HostFiles();
  WriteProfileString(m.Ini(), "ZOTRAM", "MARQEN", m.t.File("old/MARQEN.DBS"));
  m.Answers({"No", m.t.File("marqen/MARQEN.HDB"), m.t.File("marqen/MARQEN.MST")});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(StartMenu(menu));
  ASSERT_FALSE(menu.DataStepsEnabled());

  EXPECT_EQ(menu.LocateHostFile(HostFile::Logbook, false), Located::Found);
  EXPECT_EQ(menu.LocateHostFile(HostFile::Master, false), Located::Found);
  // From the menu the dialog opens at once, on the file set so far (its
  // folder, when that is gone, gives way to the usual start folder).
  const QList<QStringList> dialogs = m.Dialogs();
  ASSERT_EQ(dialogs.size(), 3);
  EXPECT_EQ(dialogs.at(1).at(2), HostLogbookStartFolder() + "|MARQEN.DBS");
  EXPECT_EQ(dialogs.at(2).at(2), m.t.File("marqen") + "|MARQEN.MST");
  EXPECT_EQ(m.Setting("MARQEN"), m.t.File("marqen/MARQEN.HDB"));
  EXPECT_TRUE(menu.LogbookFound());
  EXPECT_TRUE(menu.DataStepsEnabled());
  EXPECT_EQ(menu.DataStepsOffReason(), QString());
  // A file that has gone since counts as not found at the next choice, even a cancelled one.
  QFile::remove(m.t.File("marqen/MARQEN.MST"));
  m.Answers({"Cancel"});
  EXPECT_EQ(menu.LocateHostFile(HostFile::Logbook, false), Located::Found);
  EXPECT_FALSE(menu.DataStepsEnabled());
  EXPECT_TRUE(menu.DataStepsOffReason().startsWith(U("MARQEN のマスターファイル (.MST) が見つからない")));
}

TEST(MenuStart, PathTooLongForTheSettingsIsRefused) {
  MenuFixture m;
  m.Environment();
  const QString deep = "marqen/" + QString(120, 'x');
  m.t.WriteBytes(deep + "/MARQEN.HDB", "db");
  m.Answers({m.t.File(deep + "/MARQEN.HDB"), "Cancel"});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(menu.ChooseEnvironment());
  EXPECT_EQ(menu.LocateHostFile(HostFile::Logbook, false), Located::NotFound);
  const QList<QStringList> dialogs = m.Dialogs();
  ASSERT_EQ(dialogs.size(), 3);
  EXPECT_TRUE(dialogs.at(1).at(2).startsWith(U("ファイルのパスが長すぎて設定に保存できません\n")));
  EXPECT_EQ(dialogs.at(2).at(0), "open");
  EXPECT_EQ(m.Setting("MARQEN"), "<none>");
}

TEST(MenuStart, SettingsMigration) {
  {
    MenuFixture m;
    WriteProfileString(m.Ini(), "ZOTRAM", "Ver", "4.1");
    MenuLauncher(m.frame, m.dialogs()).MigrateSettings();
    EXPECT_EQ(m.Setting("Tst"), "ZOTRAW.TST");
    EXPECT_EQ(m.Setting("Ver"), "7.3");
  }
  {
    MenuFixture m;
    WriteProfileString(m.Ini(), "ZOTRAM", "Ver", "7.2");
    WriteProfileString(m.Ini(), "ZOTRAM", "Tst", "OTHER.TST");
    MenuLauncher(m.frame, m.dialogs()).MigrateSettings();
    EXPECT_EQ(m.Setting("Tst"), "OTHER.TST");
    EXPECT_EQ(m.Setting("Ver"), "7.3");
  }
}

TEST(MenuStart, PointsFileKeptWhenPresent) {
  MenuFixture m;
  m.Environment();
  m.HostFiles();
  m.t.WriteBytes("zotrapoi.DAT", "\"7\",1,2\r\n");
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(StartMenu(menu));
  EXPECT_EQ(m.t.ReadBytes("zotrapoi.DAT"), QByteArray("\"7\",1,2\r\n"));
  EXPECT_FALSE(m.t.Exists("ZOTRAPOI.dat"));
}

TEST(MenuStart, StationFolders) {
  struct Row {
    const char* definition;  // nullptr: no definition file
    QStringList folders;
    bool jarl;
    bool vq;
  };
  const QList<Row> rows = {
      {nullptr, {"JA1ABC", "JA1ABC_JARL"}, false, false},
      {"\"Version\",\"7.3\"\r\n\"ContestName\",\"X\"\r\n", {"JA1ABC", "JA1ABC_JARL"}, false, false},
      {"\"MyCall\",\"\"\r\n", {"JA1ABC", "JA1ABC_JARL"}, false, false},
      {"\"MyCall\",\"JA1ABC\"\r\n", {"JA1ABC", "JA1ABC_JARL"}, true, true},
      {"\"MYCALL\",\"JA1ABC\"\r\n", {"JA1ABC_JARL"}, true, false},
      {"\"mycall\",\"JA1ABC\"\r\n", {"JA1ABC"}, false, true},
      // The editor makes the folders from the normalised call sign.
      {"\"MyCall\",\"ja1abc/1\"\r\n", {"JA1ABC", "JA1ABC_JARL"}, true, true},
      {"\"MyCall\",\"..\"\r\n", {"JA1ABC"}, false, false},
  };
  for (const Row& row : rows) {
    MenuFixture m;
    m.Environment();
    m.HostFiles();
    if (row.definition) m.t.WriteCp932("ZOTRAW.TST", row.definition);
    for (const QString& f : row.folders) QDir(m.t.Path()).mkdir(f);
    MenuLauncher menu(m.frame, m.dialogs());
    ASSERT_TRUE(StartMenu(menu));
    const std::string what = row.definition ? row.definition : "(none)";
    EXPECT_EQ(menu.JarlFolderFound(), row.jarl) << what;
    EXPECT_EQ(menu.VqFolderFound(), row.vq) << what;
    if (row.jarl) {
      EXPECT_EQ(menu.JarlFolder(), m.t.File("JA1ABC_JARL"));
    }
  }
}

TEST(LibraryCheck, RequiredDateAndTheLibraryBesideTheLogbook) {
  MenuFixture m;
  m.Environment({"$7", "%CW"});
  m.HostFiles();
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(menu.ChooseEnvironment());

  LibraryCheck check = menu.CheckLibrary();
  EXPECT_EQ(check.state, LibraryState::Missing);
  EXPECT_EQ(check.required, "2020/01/01");

  // The library is found whatever the spelling of its name.
  m.t.WriteBytes("marqen/marqen50.dll", "lib");
  check = menu.CheckLibrary();
  EXPECT_EQ(check.state, LibraryState::Current);
  EXPECT_EQ(check.path, m.t.File("marqen/marqen50.dll"));
  EXPECT_EQ(check.date, QDate::currentDate().toString("yyyy/MM/dd"));

  m.Environment({"$7", "&2999/12/31", "&2024/4/1"});
  check = menu.CheckLibrary();
  EXPECT_EQ(check.state, LibraryState::Old);
  EXPECT_EQ(check.required, "2999/12/31");

  // No logbook location: no folder to look in.
  WriteProfileString(m.Ini(), "ZOTRAM", "MARQEN", "ERR");
  EXPECT_EQ(menu.CheckLibrary().state, LibraryState::Missing);
  m.t.WriteBytes("Marqen50.dll", "lib");
  EXPECT_EQ(menu.CheckLibrary().state, LibraryState::Missing);
}

TEST(LibraryCheck, CreationDate) {
  TempFolder t;
  t.WriteBytes("a.dll", "x");
  EXPECT_EQ(FileCreationDate(t.File("a.dll")), QDate::currentDate().toString("yyyy/MM/dd"));
  EXPECT_EQ(FileCreationDate(t.File("none.dll")), QString());
  // Without a birth time the modification time counts; with one it wins.
  QFile f(t.File("a.dll"));
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2019, 5, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
  f.close();
  const QString date = FileCreationDate(t.File("a.dll"));
  if (QFileInfo(t.File("a.dll")).birthTime().isValid()) {
    EXPECT_EQ(date, QDate::currentDate().toString("yyyy/MM/dd"));
  } else {
    EXPECT_EQ(date, "2019/05/01");
  }
}

TEST(MenuCommands, StartingAStepPassesTheEnvironmentFile) {
  MenuFixture m;
  m.Environment({"$7"}, "mytst.cfg");
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(menu.ChooseEnvironment());
  EXPECT_TRUE(menu.StartStep(Program::Extract));
  EXPECT_TRUE(menu.StartStep(Program::Summary));
  EXPECT_EQ(m.Started(), (QStringList{m.t.File("zotrah") + "\t/MYTST.CFG", m.t.File("zotrat") + "\t/MYTST.CFG"}));
}

TEST(MenuCommands, AProgramThatCannotStartIsTold) {
  MenuFixture m;
  m.Environment();
  qunsetenv("ZOTRA_START_LOG");
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(menu.ChooseEnvironment());
  EXPECT_FALSE(menu.StartStep(Program::Check));
  ASSERT_EQ(m.Dialogs().size(), 1);
  EXPECT_EQ(m.Dialogs().first().at(2), U("プログラム ") + m.t.File("zotrac") + U(" を起動できません"));
}

TEST(MenuCommands, EditorChoiceAndEditing) {
  MenuFixture m;
  m.Environment();
  m.t.WriteBytes("bin/myedit", "#!/bin/sh\n");
  m.Answers({" " + m.t.File("bin/myedit") + " ", "Cancel"});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(menu.ChooseEnvironment());

  // No editor set: notepad by name, which on this desktop is its own editor.
  EXPECT_EQ(menu.Editor(), EditorProgram("notepad.exe"));
  EXPECT_EQ(EditorProgram("NOTEPAD.EXE"), DesktopTextEditor());
  EXPECT_EQ(EditorProgram("/usr/bin/kate"), "/usr/bin/kate");

  menu.ChooseEditor();
  EXPECT_EQ(m.Setting("EDITOR"), m.t.File("bin/myedit"));
  EXPECT_EQ(m.Dialogs().at(0).at(1), U("エディタを設定します"));
  EXPECT_EQ(m.Dialogs().at(0).at(3), ExecutableFilter());
  menu.ChooseEditor();  // cancelled: unchanged
  EXPECT_EQ(m.Setting("EDITOR"), m.t.File("bin/myedit"));

  EXPECT_TRUE(menu.EditEnvironmentFile());
  EXPECT_EQ(m.Started(), QStringList{m.t.File("bin/myedit") + "\t" + m.t.File("MY.CFG")});

  menu.ResetEditor();
  EXPECT_EQ(m.Setting("EDITOR"), "NOTEPAD.EXE");
}

TEST(MenuCommands, LogFilesOpenWithTheEditor) {
  MenuFixture m;
  m.Environment();
  m.HostFiles();
  m.t.WriteCp932("ZOTRAW.TST", "\"MyCall\",\"JA1ABC\"\r\n");
  m.t.WriteBytes("JA1ABC_JARL/JA1ABC.txt", "log");
  QDir(m.t.Path()).mkdir("JA1ABC");
  WriteProfileString(m.Ini(), "ZOTRAM", "EDITOR", "myedit");
  m.Answers({m.t.File("JA1ABC_JARL/JA1ABC.txt"), "Cancel"});
  MenuLauncher menu(m.frame, m.dialogs());
  ASSERT_TRUE(StartMenu(menu));
  EXPECT_TRUE(menu.ShowLogFile(true));
  EXPECT_FALSE(menu.ShowLogFile(false));
  const QString filter = U("すべてのファイル (*.*)|*.*|テキスト ファイル (*.txt)|*.txt|");
  const QList<QStringList> dialogs = m.Dialogs();
  ASSERT_EQ(dialogs.size(), 2);
  EXPECT_EQ(dialogs.at(0).mid(2, 2), (QStringList{m.t.File("JA1ABC_JARL") + "|", filter}));
  EXPECT_EQ(dialogs.at(1).mid(2, 2), (QStringList{m.t.File("JA1ABC") + "|", filter}));
  EXPECT_EQ(m.Started(), QStringList{"myedit\t" + m.t.File("JA1ABC_JARL/JA1ABC.txt")});
}

// Every program's help page and the short guide ship in the encoding they
// declare, each with a picture, and every page, anchor and picture they name
// ships with them.
TEST(MenuCommands, HelpPagesShip) {
  const QRegularExpression reference(R"((?:src|href)="([^"#:]*)(?:#([^"]*))?")");
  for (const char* stem : {"zotram", "zotras", "zotrah", "zotrac", "zotral", "zotrat", "kantan"}) {
    const QString page = HelpPagePath(QFileInfo(BuiltProgram("zotram")).path(), stem);
    QByteArray bytes;
    ASSERT_TRUE(ReadBytes(page, &bytes)) << stem;
    EXPECT_TRUE(bytes.contains("<meta charset=\"Shift_JIS\">")) << stem;
    const QString text = ReadHelpPage(page);
    EXPECT_EQ(text.count(QChar(0xFFFD)), 0) << stem;
    EXPECT_TRUE(text.contains("<img src=")) << stem;
    for (const QRegularExpressionMatch& m : reference.globalMatch(text)) {
      const QString target = m.captured(1).isEmpty() ? page : BuiltProgram(m.captured(1));
      EXPECT_TRUE(FileExists(target)) << stem << " names " << m.captured(1).toStdString();
      if (!m.captured(2).isEmpty()) {
        EXPECT_TRUE(ReadHelpPage(target).contains("name=\"" + m.captured(2) + "\"")) << stem << " #" << m.captured(2).toStdString();
      }
    }
  }
}
