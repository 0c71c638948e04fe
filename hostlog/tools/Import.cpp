// marqen-import: turns an ADIF file into a logbook of the host logbook.
//   marqen-import [--ver4] [--zone U|J] [--area-field NAME] IN.adi OUT.HDB
// OUT ending in ".HDB" gives the current database (and with --ver4 also the
// Ver4 pair OUT-stem.DBS / .DBR); OUT ending in ".DBS" gives only the pair.
// Every record that had to be skipped or changed is reported on standard
// error; the count of written QSOs on standard output.
#include "Adif.h"
#include "LogbookFiles.h"

#include "common/Files.h"
#include "common/Text.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void Report(const QString& text) {
  std::fputs((QStringLiteral("marqen-import: ") + text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

int Usage() {
  std::fputs("usage: marqen-import [--ver4] [--zone U|J] [--area-field NAME] IN.adi OUT.HDB\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  bool ver4 = false;
  marqen::ImportOptions options;
  QStringList files;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args.at(i);
    if (a == QLatin1String("--ver4")) {
      ver4 = true;
    } else if (a == QLatin1String("--zone") && i + 1 < args.size()) {
      const QString zone = zotra::Upper(args.at(++i));
      if (zone != QLatin1String("U") && zone != QLatin1String("J")) return Usage();
      options.zone = zone.at(0);
    } else if (a == QLatin1String("--area-field") && i + 1 < args.size()) {
      options.areaField = args.at(++i);
    } else if (a.startsWith(QLatin1String("--"))) {
      return Usage();
    } else {
      files << a;
    }
  }
  if (files.size() != 2) return Usage();
  const QString in = files.at(0);
  const QString out = files.at(1);
  const QString ending = zotra::Upper(out.right(4));
  const bool writeHdb = ending == QLatin1String(".HDB");
  if (!writeHdb && ending != QLatin1String(".DBS")) {
    Report(U("出力ファイルの名前は .HDB か .DBS で終わるものにしてください: ") + out);
    return 2;
  }
  ver4 = ver4 || !writeHdb;

  QByteArray bytes;
  if (!zotra::ReadBytes(in, &bytes)) {
    Report(U("ADIF ファイルが読めません: ") + in);
    return 1;
  }
  const marqen::AdifFile adif = marqen::ParseAdif(bytes);
  for (const QString& problem : adif.problems) Report(problem);

  marqen::HdbWriter hdb;
  marqen::Ver4Writer old;
  if (writeHdb && !hdb.Open(out)) {
    Report(U("書き込めません: ") + out);
    return 1;
  }
  const QString base = out.left(out.size() - 3);
  if (ver4 && !old.Open(base)) {
    Report(U("書き込めません: ") + base + QLatin1String("DBS"));
    return 1;
  }
  int skipped = 0;
  for (const marqen::AdifRecord& record : adif.records) {
    marqen::QsoEntry entry;
    QString reason;
    QStringList entryNotes;
    if (!marqen::EntryFromAdif(record, options, &entry, &reason, &entryNotes)) {
      Report(U("記録 %1: 読み飛ばしました (%2)").arg(record.number).arg(reason));
      ++skipped;
      continue;
    }
    const qint32 number = writeHdb ? hdb.Count() + 1 : old.Count() + 1;
    entry.fields[marqen::kNumberField] = QString::number(number);
    QList<marqen::WriteNote> notes;
    QList<marqen::WriteNote> oldNotes;
    if (!(writeHdb ? hdb.Add(entry, &notes) : old.Add(entry, &oldNotes))) {
      Report(U("記録 %1: 書き込めません (件数が多すぎるか書き込みエラー)").arg(record.number));
      ++skipped;
      continue;
    }
    // The pair beside the database: a record it cannot take stays in the database.
    if (writeHdb && ver4 && !old.Add(entry, &oldNotes)) {
      Report(U("記録 %1: Ver4 ファイルには書けません").arg(record.number));
    }
    const QString who = U("記録 %1 (%2): ").arg(record.number).arg(entry.fields[marqen::kCallField]);
    for (const QString& n : entryNotes) Report(who + n);
    for (const marqen::WriteNote& n : notes) Report(who + n.text);
    for (const marqen::WriteNote& n : oldNotes) Report(who + U("Ver4: ") + n.text);
  }
  const qint32 count = writeHdb ? hdb.Count() : old.Count();
  const bool closed = (!writeHdb || hdb.Close()) && (!ver4 || old.Close());
  if (!closed) {
    Report(U("書き込みを終えられません: ") + out);
    return 1;
  }
  const QString summary = U("%1 件の交信を %2 に書きました (読み飛ばし %3 件)\n")
                              .arg(count)
                              .arg(writeHdb ? out : base + QLatin1String("DBS"))
                              .arg(skipped);
  std::fputs(summary.toUtf8().constData(), stdout);
  return 0;
}
