// zotra-bench-table: runs every benchmark program (bench_*) of a folder with
// JSON output and prints one table: each figure, its target (bench/targets.txt)
// and whether it is met. The table is Markdown, so it can go into the README
// as it is printed.
//   zotra-bench-table [--targets FILE] BENCH-FOLDER
// The status is 1 when a benchmark fails or a target is missed (a target
// whose benchmark did not run counts as missed).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QLocale>
#include <QSet>
#include <QProcess>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

struct Target {
  QString program, benchmark, figure, comparison, what;
  double limit = 0;
};

void Print(const QString& text) { std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout); }
void Complain(const QString& text) { std::fputs((QStringLiteral("zotra-bench-table: ") + text + QLatin1Char('\n')).toUtf8().constData(), stderr); }

QList<Target> ReadTargets(const QString& path) {
  QFile f(path);
  QList<Target> targets;
  if (!f.open(QIODevice::ReadOnly)) {
    Complain(QStringLiteral("cannot read ") + path);
    return targets;
  }
  for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
    if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList f = line.split(QLatin1Char('\t'));
    if (f.size() < 5) {
      Complain(QStringLiteral("a target line needs five fields: ") + line);
      continue;
    }
    Target t{f.at(0), f.at(1), f.at(2), {}, f.at(4)};
    QString limit = f.at(3);
    for (const char* c : {"<=", ">=", "<"}) {
      if (limit.startsWith(QLatin1String(c))) {
        t.comparison = QLatin1String(c);
        limit = limit.mid(t.comparison.size());
        break;
      }
    }
    t.limit = limit.toDouble();
    targets << t;
  }
  return targets;
}

// Milliseconds of a time in the benchmark's unit.
double Milliseconds(double value, const QString& unit) {
  if (unit == QLatin1String("ns")) return value / 1e6;
  if (unit == QLatin1String("us")) return value / 1e3;
  if (unit == QLatin1String("s")) return value * 1e3;
  return value;
}

QString Number(double v) {
  if (std::fabs(v) >= 1000 || v == std::floor(v)) {
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);  // with the group separator
    return grouped.toString(static_cast<qlonglong>(std::llround(v)));
  }
  if (std::fabs(v) >= 10) return QString::number(v, 'f', 1);
  return QString::number(v, 'f', 2);
}

// The benchmark's name without the options a run adds ("/iterations:3",
// "/real_time"), as targets name it.
QString BaseName(const QString& name) {
  QStringList parts = name.split(QLatin1Char('/'));
  for (int i = parts.size() - 1; i > 0; --i) {
    if (parts.at(i).contains(QLatin1Char(':')) || parts.at(i).endsWith(QLatin1String("_time"))) parts.removeAt(i);
  }
  return parts.join(QLatin1Char('/'));
}

QString Figure(double v, const QString& figure) {
  if (figure == QLatin1String("real_time")) return Number(v) + QStringLiteral(" ms");
  if (figure.endsWith(QLatin1String("_per_second")) || figure.endsWith(QLatin1String("_per_s"))) {
    return Number(v) + QStringLiteral("/s");
  }
  if (figure.endsWith(QLatin1String("_kb"))) return Number(v) + QStringLiteral(" kB");
  return Number(v);
}

bool Met(double v, const Target& t) {
  if (t.comparison == QLatin1String("<")) return v < t.limit;
  if (t.comparison == QLatin1String("<=")) return v <= t.limit;
  return v >= t.limit;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  QString targetsPath = QStringLiteral(ZOTRA_BENCH_TARGETS);
  if (args.size() == 3 && args.first() == QLatin1String("--targets")) {
    targetsPath = args.at(1);
    args = args.mid(2);
  }
  if (args.size() != 1) {
    std::fputs("usage: zotra-bench-table [--targets FILE] BENCH-FOLDER\n", stderr);
    return 2;
  }
  const QList<Target> targets = ReadTargets(targetsPath);
  const QDir folder(args.first());
  const QStringList programs = folder.entryList({QStringLiteral("bench_*")}, QDir::Files | QDir::Executable, QDir::Name);
  if (programs.isEmpty()) {
    Complain(QStringLiteral("no benchmark programs in ") + folder.path());
    return 1;
  }

  QStringList rows;
  bool allMet = true;
  QSet<int> seen;  // the targets whose benchmark ran
  for (const QString& program : programs) {
    std::fprintf(stderr, "running %s ...\n", qPrintable(program));
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(folder.filePath(program), {QStringLiteral("--benchmark_format=json")});
    process.waitForFinished(-1);
    const QJsonDocument json = QJsonDocument::fromJson(process.readAllStandardOutput());
    if (process.exitCode() != 0 || !json.isObject()) {
      Complain(program + QStringLiteral(" failed: ") + QString::fromUtf8(process.readAllStandardError()));
      rows << QStringLiteral("| %1 | (failed) | | | **no** |").arg(program);
      allMet = false;
      continue;
    }
    for (const QJsonValue& value : json.object().value(QStringLiteral("benchmarks")).toArray()) {
      const QJsonObject b = value.toObject();
      const QString name = BaseName(b.value(QStringLiteral("name")).toString());
      const QString label = program + QLatin1Char(' ') + name;
      if (b.value(QStringLiteral("error_occurred")).toBool()) {
        rows << QStringLiteral("| %1 | %2 | | | **no** |").arg(label, b.value(QStringLiteral("error_message")).toString());
        allMet = false;
        continue;
      }
      const double ms = Milliseconds(b.value(QStringLiteral("real_time")).toDouble(), b.value(QStringLiteral("time_unit")).toString());
      bool targeted = false;
      for (int i = 0; i < targets.size(); ++i) {
        const Target& t = targets.at(i);
        if (t.program != program || t.benchmark != name) continue;
        targeted = true;
        seen.insert(i);
        const double v = t.figure == QLatin1String("real_time") ? ms : b.value(t.figure).toDouble(NAN);
        const bool met = !std::isnan(v) && Met(v, t);
        allMet = allMet && met;
        rows << QStringLiteral("| %1 | %2 | %3 | %4 %5 | %6 |")
                    .arg(label, t.what, Figure(v, t.figure), t.comparison, Figure(t.limit, t.figure),
                         met ? QStringLiteral("yes") : QStringLiteral("**no**"));
      }
      if (!targeted) rows << QStringLiteral("| %1 | | %2 | | |").arg(label, Figure(ms, QStringLiteral("real_time")));
    }
  }
  for (int i = 0; i < targets.size(); ++i) {
    if (seen.contains(i)) continue;
    const Target& t = targets.at(i);
    rows << QStringLiteral("| %1 %2 | %3 | (not run) | %4 %5 | **no** |")
                .arg(t.program, t.benchmark, t.what, t.comparison, Figure(t.limit, t.figure));
    allMet = false;
  }
  Print(QStringLiteral("| benchmark | what | figure | target | met |"));
  Print(QStringLiteral("|---|---|---:|---:|---|"));
  for (const QString& row : rows) Print(row);
  return allMet ? 0 : 1;
}
