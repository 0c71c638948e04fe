// Build tool: the shipped master file "MARQEN.MST" and "hokkaido.txt" from the
// public area-number lists (UTF-8, tab-separated).
//   marqen-mkdata jcc-jcg.tsv hokkaido.tsv OUT.MST OUT-hokkaido.txt
#include "LogbookFiles.h"

#include "common/Files.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

bool ReadUtf8(const QString& path, QString* text) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  *text = QString::fromUtf8(f.readAll());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 5) {
    std::fputs("usage: marqen-mkdata jcc-jcg.tsv hokkaido.tsv OUT.MST OUT-hokkaido.txt\n", stderr);
    return 2;
  }
  QString areas, hokkaido;
  if (!ReadUtf8(args.at(1), &areas) || !ReadUtf8(args.at(2), &hokkaido)) {
    std::fputs("marqen-mkdata: cannot read the lists\n", stderr);
    return 1;
  }
  QStringList problems;
  const QList<marqen::MasterRecord> records = marqen::MasterRecordsFromList(areas, &problems);
  const QStringList lines = marqen::HokkaidoLinesFromList(hokkaido, &problems);
  for (const QString& p : problems) std::fprintf(stderr, "marqen-mkdata: %s\n", p.toUtf8().constData());
  if (!problems.isEmpty()) return 1;
  if (!marqen::WriteMaster(args.at(3), records, marqen::MasterVersion::Records56CodeFirst)) {
    std::fprintf(stderr, "marqen-mkdata: cannot write %s\n", qPrintable(args.at(3)));
    return 1;
  }
  if (!zotra::WriteLines(args.at(4), lines)) {
    std::fprintf(stderr, "marqen-mkdata: cannot write %s\n", qPrintable(args.at(4)));
    return 1;
  }
  return 0;
}
