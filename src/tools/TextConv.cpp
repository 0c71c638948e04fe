// Build tool: turns a UTF-8 text file with LF line ends (as the sources keep
// the shipped data) into the suite's form, CP932 with CR LF.
//   zotra-textconv IN OUT
#include "common/Files.h"
#include "common/Text.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 3) {
    std::fputs("usage: zotra-textconv IN OUT\n", stderr);
    return 2;
  }
  QFile in(args.at(1));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "zotra-textconv: cannot read %s\n", qPrintable(args.at(1)));
    return 1;
  }
  const QString text = QString::fromUtf8(in.readAll());
  bool lossy = false;
  const QStringList lines = zotra::SplitLines(text);
  QString out;
  for (const QString& line : lines) out += line + QLatin1String("\r\n");
  const QByteArray bytes = zotra::EncodeCp932(out, &lossy);
  if (lossy) {
    std::fprintf(stderr, "zotra-textconv: %s holds characters outside CP932\n", qPrintable(args.at(1)));
    return 1;
  }
  if (!zotra::WriteBytes(args.at(2), bytes, zotra::WriteMode::Safe)) {
    std::fprintf(stderr, "zotra-textconv: cannot write %s\n", qPrintable(args.at(2)));
    return 1;
  }
  return 0;
}
