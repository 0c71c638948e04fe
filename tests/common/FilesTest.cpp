#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::TempFolder;

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TEST(FileTests, FileExistsOnlyForReadableFiles) {
  TempFolder t;
  t.WriteBytes("a.txt", "x");
  QDir(t.Path()).mkdir("sub");
  EXPECT_TRUE(FileExists(t.File("a.txt")));
  EXPECT_FALSE(FileExists(t.File("b.txt")));
  EXPECT_FALSE(FileExists(t.File("sub")));
  EXPECT_FALSE(FileExists(QString()));
}

TEST(FileTests, FolderTests) {
  TempFolder t;
  t.WriteBytes("a.txt", "x");
  EXPECT_FALSE(FolderExists(t.File("a.txt")));
  EXPECT_TRUE(FolderExists(t.Path()));
  EXPECT_TRUE(FolderExists(t.Path() + "/"));
  EXPECT_FALSE(FolderExists(t.File("missing")));

  // A new folder: created, true. An existing one: untouched, false.
  EXPECT_TRUE(EnsureFolder(t.File("JA1ABC")));
  EXPECT_TRUE(FolderExists(t.File("JA1ABC")));
  t.WriteBytes("JA1ABC/keep.txt", "keep");
  EXPECT_FALSE(EnsureFolder(t.File("JA1ABC")));
  EXPECT_EQ(t.ReadBytes("JA1ABC/keep.txt"), QByteArray("keep"));
  // A trailing separator names the folder without it.
  EXPECT_TRUE(EnsureFolder(t.File("JA1ABC_JARL") + "/"));
  EXPECT_TRUE(FolderExists(t.File("JA1ABC_JARL")));

  EXPECT_FALSE(FolderFound(QString()));
  EXPECT_TRUE(FolderFound(t.File("JA1ABC")));
  EXPECT_TRUE(FolderFound(t.File("a.txt")));
  EXPECT_FALSE(FolderFound(t.File("nothing")));
}

TEST(FileNames, OneFileWhateverTheSpelling) {
  TempFolder t;
  t.WriteBytes("ZOTRApoi.dat", "p");
  t.WriteBytes("JARL.Txt", "j");
  t.WriteBytes("LogData/JARL.Txt", "l");
  EXPECT_EQ(ResolveInFolder(t.Path(), "ZOTRAPOI.DAT"), t.File("ZOTRApoi.dat"));
  EXPECT_EQ(ResolveInFolder(t.Path(), "ZOTRAPOI.dat"), t.File("ZOTRApoi.dat"));
  EXPECT_EQ(ResolveInFolder(t.Path(), "jarl.txt"), t.File("JARL.Txt"));
  EXPECT_EQ(ResolveInFolder(t.Path(), "logdata/JARL.TXT"), t.File("LogData/JARL.Txt"));
  EXPECT_EQ(ResolveInFolder(t.Path(), "logdata\\JARL.TXT"), t.File("LogData/JARL.Txt"));
  // A file that does not exist takes the spelling of its writer.
  EXPECT_EQ(ResolveInFolder(t.Path(), "zotra.wk2"), t.File("zotra.wk2"));
  EXPECT_EQ(ResolvePath(t.File("ZOTRAPOI.DAT")), t.File("ZOTRApoi.dat"));
  EXPECT_TRUE(DeleteFile(t.File("zotrapoi.DAT")));
  EXPECT_FALSE(t.Exists("ZOTRApoi.dat"));
  EXPECT_TRUE(DeleteFile(t.File("never-there")));
}

TEST(FileNames, PatternDeletesIgnoreCase) {
  TempFolder t;
  for (const char* name : {"ALL.SVE", "7.sve", "144.Sve", "7.svex", "3.MHz", "7.mhz", "a.JARL", "HED.JARL", "keep.txt"}) {
    t.WriteBytes(name, "x");
  }
  EXPECT_EQ(DeleteMatching(t.Path(), "*.sve"), 3);
  EXPECT_EQ(DeleteMatching(t.Path(), "*.MHz"), 2);
  EXPECT_EQ(DeleteMatching(t.Path(), "*.JARL"), 2);
  EXPECT_EQ(t.Entries(), (QStringList{"7.svex", "keep.txt"}));
}

TEST(TextFiles, WrittenAsCp932WithCrLf) {
  TempFolder t;
  ASSERT_TRUE(WriteLines(t.File("a.txt"), {U("JA1ABC"), U("東京"), QString()}));
  EXPECT_EQ(t.ReadBytes("a.txt"), QByteArray("JA1ABC\r\n\x93\x8C\x8B\x9E\r\n\r\n"));
  QStringList lines;
  ASSERT_TRUE(ReadLines(t.File("a.txt"), &lines));
  EXPECT_EQ(lines, (QStringList{U("JA1ABC"), U("東京"), QString()}));
  EXPECT_FALSE(ReadLines(t.File("missing.txt"), &lines));
  EXPECT_TRUE(lines.isEmpty());
}

TEST(TextFiles, SafeWriteReplacesWholeAndLeavesNoTemporaryFile) {
  TempFolder t;
  t.WriteBytes("ZOTRAW.TST", "old contents that are longer");
  ASSERT_TRUE(WriteText(t.File("ZOTRAW.TST"), U("new\r\n"), WriteMode::Safe));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.TST"), QByteArray("new\r\n"));
  EXPECT_EQ(t.Entries(), QStringList{"ZOTRAW.TST"});
  // A folder that does not exist: the write fails and says so.
  EXPECT_FALSE(WriteText(t.File("no/such/file.txt"), U("x"), WriteMode::Safe));
}

TEST(TextFiles, LostCharactersAreToldOncePerFile) {
  TempFolder t;
  ScriptedDialogs dialogs({}, {});
  ASSERT_TRUE(WriteLines(t.File("log.txt"), {U("JA1ABC 😀"), U("한국")}, WriteMode::Plain, &dialogs));
  EXPECT_EQ(t.ReadBytes("log.txt"), QByteArray("JA1ABC ?\r\n??\r\n"));
  ASSERT_EQ(dialogs.Records().size(), 1);
  EXPECT_TRUE(dialogs.Records().first().contains(U("log.txt")));

  LineWriter w;
  ASSERT_TRUE(w.Open(t.File("w.txt"), &dialogs));
  w.WriteLine(U("😀"));
  w.WriteLine(U("ok"));
  w.WriteLine(U("😀"));
  ASSERT_TRUE(w.Close());
  EXPECT_EQ(t.ReadBytes("w.txt"), QByteArray("?\r\nok\r\n?\r\n"));
  EXPECT_EQ(dialogs.Records().size(), 2);
}

TEST(TextFiles, LineWriterKeepsWhatWasWrittenAndAppends) {
  TempFolder t;
  {
    LineWriter w;
    ASSERT_TRUE(w.Open(t.File("zotra.wk1")));
    w.WriteLine(U("\"1\",\"7\""));
  }  // closed by its destructor, as when a run is cut short
  EXPECT_EQ(t.ReadBytes("zotra.wk1"), QByteArray("\"1\",\"7\"\r\n"));
  LineWriter a;
  ASSERT_TRUE(a.OpenAppend(t.File("zotra.wk1")));
  a.Write(U("x"));
  a.Close();
  EXPECT_EQ(t.ReadBytes("zotra.wk1"), QByteArray("\"1\",\"7\"\r\nx"));
  LineWriter bad;
  EXPECT_FALSE(bad.Open(t.File("missing/folder/x")));
  EXPECT_FALSE(bad.WriteLine(U("x")));
}
