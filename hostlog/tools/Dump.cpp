// marqen-dump: prints a logbook's records, either generation, one line per
// record: the seventeen field texts (fields 0 to 16 as MqwString gives them)
// separated by tabs, in UTF-8.
//   marqen-dump FILE      (FILE: a ".HDB" database, or the "DBS" file of a Ver4 pair)
// The current database is read through the libraries: marqen50.dll beside the
// database when there is one there, else the one beside this tool, and
// mqdll2vb.dll beside this tool.
#include "extract/HostLibrary.h"
#include "extract/Logbook.h"
#include "extract/Ver4Logbook.h"

#include "common/Files.h"
#include "common/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void Report(const QString& text) {
  std::fputs((QStringLiteral("marqen-dump: ") + text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

void PrintRecord(const QStringList& fields) {
  QString line = fields.join(QLatin1Char('\t'));
  line += QLatin1Char('\n');
  const QByteArray bytes = line.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

// A field text on its tab-separated line: tabs and line breaks become blanks.
QString Cell(QString text) {
  for (QChar& c : text) {
    if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
  }
  return text;
}

int DumpCurrent(const QString& path) {
  const QString base = path.left(path.size() - 4);
  const QString tools = QCoreApplication::applicationDirPath();
  QString marqen50 = zotra::ResolveInFolder(QFileInfo(path).absolutePath(), QStringLiteral("marqen50.dll"));
  if (!zotra::FileExists(marqen50)) marqen50 = QDir(tools).filePath(QStringLiteral("marqen50.dll"));
  const QString mqdll2vb = QDir(tools).filePath(QStringLiteral("mqdll2vb.dll"));
  zotra::HostLibrary library;
  QString failed;
  if (!library.Load(marqen50, mqdll2vb, &failed)) {
    Report(U("ライブラリを読み込めません: ") + failed);
    return 1;
  }
  qint32 count = 0;
  {
    QFile f(zotra::ResolvePath(path));
    const QByteArray header = f.open(QIODevice::ReadOnly) ? f.read(16) : QByteArray();
    if (header.size() < 16) {
      Report(U("データベースの先頭 16 バイトが読めません: ") + path);
      return 1;
    }
    const auto* h = reinterpret_cast<const unsigned char*>(header.constData());
    count = static_cast<qint32>(h[8] | (h[9] << 8) | (h[10] << 16));
  }
  if (library.Open(zotra::EncodeCp932(base)) != 0) {
    Report(U("MARQEN Open 失敗: ") + path);
    return 1;
  }
  int status = 0;
  for (qint32 n = 1; n <= count; ++n) {
    const int state = library.Read(n);
    if (state == zotra::HostLibrary::kNoSuchRecord) {
      Report(U("記録 %1 から先が読めません (見出しの件数 %2 件、ファイルが途中で切れています)").arg(n).arg(count));
      status = 1;
      break;
    }
    if (state == zotra::HostLibrary::kDamaged) {
      Report(U("記録 %1 は壊れています").arg(n));
      status = 1;
      continue;
    }
    QStringList fields;
    for (int i = 0; i < zotra::kQsoFieldCount; ++i) {
      int length = 0;
      const char* bytes = library.Field(i, &length);
      fields << Cell(zotra::TrimBlanks(zotra::DecodeCp932(QByteArray(bytes, length))));
    }
    PrintRecord(fields);
  }
  library.Close();
  return status;
}

int DumpVer4(const QString& path) {
  QString base = path.left(path.size() - 3);
  if (!base.endsWith(QLatin1Char('.'))) base += QDir::separator() + QStringLiteral("MARQEN.");
  zotra::Ver4Logbook logbook;
  const QString dbs = zotra::ResolvePath(base + QLatin1String("DBS"));
  const QString dbr = zotra::ResolvePath(base + QLatin1String("DBR"));
  if (!logbook.Open(dbs, dbr)) {
    Report(U("Ver4 のデータベースとして読めません: ") + dbs);
    return 1;
  }
  int status = 0;
  qint32 count = logbook.HeaderCount();
  if (logbook.RecordsInFile() < count) {
    Report(U("見出しの件数 %1 件のうち、ファイルにあるのは %2 件です").arg(count).arg(logbook.RecordsInFile()));
    count = logbook.RecordsInFile();
    status = 1;
  }
  for (qint32 n = 1; n <= count; ++n) {
    zotra::QsoRecord record;
    const zotra::Ver4Logbook::ReadResult r = logbook.Read(n, &record);
    if (r.damage != zotra::Ver4Logbook::Damage::None) {
      Report(U("記録 %1 は壊れています").arg(n));
      status = 1;
    }
    if (!r.read) continue;
    if (!r.guessedBand.isEmpty()) Report(U("記録 %1 の周波数が読めません (%2 MHz とします)").arg(n).arg(r.guessedBand));
    QStringList fields;
    for (const QString& f : record.fields) fields << Cell(f);
    PrintRecord(fields);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 2) {
    std::fputs("usage: marqen-dump FILE   (a .HDB database or the .DBS file of a Ver4 pair)\n", stderr);
    return 2;
  }
  const QString path = args.at(1);
  return zotra::ModeOfPath(path) == zotra::LogbookMode::New ? DumpCurrent(path) : DumpVer4(path);
}
