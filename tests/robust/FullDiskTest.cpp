// A real full disk: a small file system of its own (a tmpfs mounted in a
// private namespace, where the machine allows one) filled up to the last
// byte; the settings, the definition, the points file and a band's log files
// are then written by the programs themselves. Each write fails, is told, and
// leaves the file as it was.
#include "FaultSupport.h"

#include "define/ContestDefinition.h"
#include "summary/OutputFixture.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

const char kScript[] = R"(set -u
disk=$1; out=$2; batch=$3; writer=$4
mount -t tmpfs -o size=256k tmpfs "$disk" || exit 3
cp "$out"/seed/* "$disk"/
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
dd if=/dev/zero of="$disk/filler2" bs=1 2>/dev/null
"$batch" --folder "$disk" setting ZOTRAM Cfg ZOTRAW.CFG; echo "setting $?" >> "$out/status"
"$batch" --folder "$disk" definition in.tst ZOTRAW.TST; echo "definition $?" >> "$out/status"
"$writer" points "$disk" 2>> "$out/writer.log"; echo "points $?" >> "$out/status"
"$batch" --folder "$disk" log --files-only > /dev/null; echo "log $?" >> "$out/status"
mkdir -p "$out/after"
cp "$disk/ZOTRAW.INI" "$disk/ZOTRAW.TST" "$disk/ZOTRAPOI.DAT" "$disk/7.JARL" "$disk/7.MHz" "$out/after/"
ls -A "$disk" > "$out/entries"
)";

bool PrivateMountsAllowed() {
  return QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("-Urm"), QStringLiteral("true")}) == 0;
}

TEST(FullDisk, WritesFailToldAndTheFilesStay) {
  if (!PrivateMountsAllowed()) GTEST_SKIP() << "no private mount namespace on this machine";
  TempFolder t;
  const QByteArray settings = EncodeCp932(CrLf({"[ZOTRAM]", "Cfg=MY.CFG", "Tst=ZOTRAW.TST"}));
  const QByteArray definition = EncodeCp932(DefinitionText(SampleDefinition()));
  const QByteArray points = EncodeCp932(CrLf({PointsLine("3.5", 10, 5, 0, 0, 10)}));
  t.WriteBytes("seed/ZOTRAW.INI", settings);
  t.WriteBytes("seed/ZOTRAW.TST", definition);
  t.WriteBytes("seed/ZOTRAPOI.DAT", points);
  ContestDefinition changed = SampleDefinition();
  changed.myCall = "JA1ZZZ";
  t.WriteBytes("seed/in.tst", EncodeCp932(DefinitionText(changed)));
  // The log program's earlier files of band 7, and its work file.
  t.WriteBytes("seed/7.JARL", "earlier 7.JARL\r\n");
  t.WriteBytes("seed/7.MHz", "earlier 7.MHz\r\n");
  t.WriteCp932("seed/zotra.wk2",
               CrLf({"\"7\"", "\"1\",\"7\",\"CW\",\"2024/06/15\",\"21:00\",\"JA1AAA\",\"599 13M\",\"599 1001M\",\"1001\",\"\",\"\",\"1\",\"\",\"\""}));
  t.WriteBytes("script.sh", kScript);
  QDir().mkpath(t.File("disk"));

  QProcess shell;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("ZOTRA_DIALOG_LOG", t.File("dialogs.log"));
  shell.setProcessEnvironment(env);
  shell.start("unshare", {"-Urm", "sh", t.File("script.sh"), t.File("disk"), t.Path(), BuiltProgram("zotra-batch"),
                          ROBUST_WRITER});
  ASSERT_TRUE(shell.waitForFinished(180000));
  if (shell.exitCode() == 3) GTEST_SKIP() << "no tmpfs in a private namespace here";
  ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();

  EXPECT_EQ(t.ReadBytes("status"), QByteArray("setting 1\ndefinition 1\npoints 1\nlog 1\n"));
  EXPECT_EQ(t.ReadBytes("after/ZOTRAW.INI"), settings);
  EXPECT_EQ(t.ReadBytes("after/ZOTRAW.TST"), definition);
  EXPECT_EQ(t.ReadBytes("after/ZOTRAPOI.DAT"), points);
  EXPECT_EQ(t.ReadBytes("after/7.JARL"), QByteArray("earlier 7.JARL\r\n"));
  EXPECT_EQ(t.ReadBytes("after/7.MHz"), QByteArray("earlier 7.MHz\r\n"));
  // No temporary file stays behind on the full disk.
  EXPECT_EQ(t.ReadBytes("entries"),
            QByteArray("7.JARL\n7.MHz\nZOTRAPOI.DAT\nZOTRAW.INI\nZOTRAW.TST\nfiller\nfiller2\nin.tst\nzotra.wk2\n"));
  const QString disk = t.File("disk");
  QStringList texts;
  for (const QString& line : QString::fromUtf8(t.ReadBytes("dialogs.log")).split('\n', Qt::SkipEmptyParts)) {
    texts << DialogFields(line).value(2);
  }
  EXPECT_EQ(texts, (QStringList{U("設定ファイル ") + disk + U("/ZOTRAW.INI に書き込めません\n以前の設定はそのまま残っています"),
                                U("定義ファイルに書き込めません: ") + disk + "/ZOTRAW.TST",
                                U("ファイル ") + disk + U("/TempP.tmp に書き込めません（No space left on device）\n"
                                                           "ログの出力を中止しました。前回のログファイルと得点ファイルはそのままです")}));
  EXPECT_TRUE(t.ReadBytes("writer.log").contains((U("得点ファイル ") + disk + U("/ZOTRAPOI.DAT に書き込めません")).toUtf8()))
      << t.ReadBytes("writer.log").toStdString();
}

}  // namespace
}  // namespace zotra::test
