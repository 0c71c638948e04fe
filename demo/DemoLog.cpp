// zotra-demo-log: writes the demo station's logbook as an ADIF file, the same
// bytes on every run.
//   zotra-demo-log JCC-JCG.TSV HOKKAIDO.TSV OUT.adi
//
// The station JA1ZTR (Tokyo) keeps every QSO in its logbook: half a year of
// everyday operating (FT8, CW, SSB, FM on all bands, WARC included), the
// contest "ZOTRAデモコンテスト" of 2025-06-14 21:00 to 2025-06-15 20:59 JST,
// and two weeks after it. Times are UTC, as loggers keep them. The station
// worked carries its area code (city, ward, county, prefecture or Hokkaido
// subprefecture, whatever the operator logged) in CNTY; the received exchange
// (report and prefecture number) in SRX_STRING.
//
// The contest part is built so that its results can be worked out by hand:
//
// Stations. A pool of S = 976 = 16 × 61 stations. Station s belongs to the
// multiplier r = s mod 61: r 0–45 the prefectures 02 to 47, r 46 Ogasawara
// (48), r 47–60 the Hokkaido subprefectures 101 to 114. Its logged code is at
// the level (s / 61) mod 4: 0 a city, 1 a ward (else a county), 2 a county
// (else a city), 3 the prefecture or subprefecture number; station 46 logs
// Ogasawara's county code 10007. Every code converts to its multiplier at
// prefecture level with Hokkaido by subprefecture.
//
// Bands. Band b has n(b) "base" QSOs k = 0 … n(b) − 1 with the stations
// s(k) = (a(b) · k + c(b)) mod S, a(b) odd and not a multiple of 61: the
// stations of one band are all different, and any 61 consecutive k give all
// 61 multipliers, so band b has min(n(b), 61) multipliers.
//   n: 1.9 30, 3.5 260, 7 900, 14 420, 21 380, 28 160, 50 380, 144 260,
//      430 150, 1200 30, 10125 6, SAT 4.
// After base QSO k:
//   k mod 97 = 50: a duplicate, base QSO k − 10's station again in the same mode;
//   k mod 59 = 30: base QSO k − 20's station again in another mode (valid).
// Each band's QSOs follow one another in time through the band's hours; the
// first contest QSO is 7 MHz k = 0 at 21:00 JST, the last 7 MHz k = 899 at
// 20:59 JST. Besides them, during the contest: FT8 QSOs on 14 MHz, CW on
// 18 MHz (neither is in the contest), one QSO marked "《VQC無効交信》", and one
// QSO a minute before the start and one a minute after the end.
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr int kMultipliers = 61;
constexpr int kStations = 16 * kMultipliers;

struct Place {
  QString code, name;
};

// The codes of each multiplier, by level: 0 cities, 1 wards, 2 counties.
struct Codes {
  QMap<QString, std::array<QList<Place>, 3>> byMultiplier;
};

QStringList ReadLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "zotra-demo-log: cannot read %s\n", qPrintable(path));
    std::exit(1);
  }
  QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  lines.removeFirst();  // the heading
  return lines;
}

int LevelIndex(const QString& code) { return code.size() == 4 ? 0 : code.size() == 6 ? 1 : code.size() == 5 ? 2 : -1; }

Codes LoadCodes(const QString& jccPath, const QString& hokkaidoPath) {
  Codes codes;
  QMap<QString, QString> names;
  for (const QString& line : ReadLines(jccPath)) {
    const QStringList f = line.split(QLatin1Char('\t'));
    names.insert(f.at(0), f.at(1));
    const QString prefecture = f.at(0).left(2);
    const int level = LevelIndex(f.at(0));
    // Hokkaido goes by subprefecture below; 10007 is Ogasawara's own.
    if (level < 0 || prefecture == QLatin1String("01") || f.at(0) == QLatin1String("10007")) continue;
    codes.byMultiplier[prefecture][level] << Place{f.at(0), f.at(1)};
  }
  for (const QString& line : ReadLines(hokkaidoPath)) {
    const QStringList f = line.split(QLatin1Char('\t'));
    const int level = LevelIndex(f.at(0));
    if (level >= 0) codes.byMultiplier[f.at(1)][level] << Place{f.at(0), names.value(f.at(0), f.at(2))};
  }
  return codes;
}

QString MultiplierOf(int r) {
  if (r < 46) return QStringLiteral("%1").arg(r + 2, 2, 10, QLatin1Char('0'));
  if (r == 46) return QStringLiteral("48");
  return QString::number(101 + r - 47);
}

// The call area of a prefecture or subprefecture number.
int CallArea(const QString& multiplier) {
  const int n = multiplier.toInt();
  if (n >= 101 || n == 1) return 8;
  if (n >= 2 && n <= 7) return 7;
  if (n == 8 || n == 9) return 0;
  if (n >= 10 && n <= 17) return 1;
  if (n >= 18 && n <= 21) return 2;
  if (n >= 22 && n <= 27) return 3;
  if (n >= 28 && n <= 30) return 9;
  if (n >= 31 && n <= 35) return 4;
  if (n >= 36 && n <= 39) return 5;
  if (n >= 40 && n <= 47) return 6;
  return 1;  // Ogasawara
}

struct Station {
  QString call, code, place, multiplier, name;
};

QList<Station> MakeStations(const Codes& codes) {
  static const char* prefixes[] = {"JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK",
                                   "JL", "JM", "JN", "JO", "JP", "JQ", "JR", "JS"};
  static const char* names[] = {"Taro", "Hiro", "Ken", "Yoshi", "Masa", "Kazu", "Nobu", "Aki", "Toshi", "Yuki", "Mitsu"};
  QList<Station> stations;
  for (int s = 0; s < kStations; ++s) {
    Station st;
    const int r = s % kMultipliers;
    st.multiplier = MultiplierOf(r);
    const auto& byLevel = codes.byMultiplier.value(st.multiplier);
    // Level 0 city, 1 ward (else county), 2 county (else city), 3 the number.
    static const int tries[4][3] = {{0, 2, -1}, {1, 2, 0}, {2, 0, -1}, {-1, -1, -1}};
    const int level = s / kMultipliers % 4;
    for (int t : tries[level]) {
      if (t < 0 || byLevel[t].isEmpty()) continue;
      const Place& p = byLevel[t].at((s * 7 + 3) % byLevel[t].size());
      st.code = p.code;
      st.place = p.name;
      break;
    }
    if (st.code.isEmpty()) st.code = st.multiplier;
    if (s == 46) {
      st.code = QStringLiteral("10007");
      st.place = QStringLiteral("小笠原村");
    }
    const int v = s + 1000;
    QString suffix = QString(QChar('A' + v / 676 % 26)) + QChar('A' + v / 26 % 26) + QChar('A' + v % 26);
    if (s % 9 == 0) suffix = suffix.mid(1);
    const int area = CallArea(st.multiplier);
    const QString prefix = r == 46 ? QStringLiteral("JD") : QString::fromLatin1(prefixes[s * 5 % 16]);
    st.call = prefix + QString::number(area) + suffix;
    if (s % 23 == 5) st.call += QLatin1Char('/') + QString::number(area);
    if (s % 3 == 0) st.name = QString::fromLatin1(names[s % 11]);
    stations << st;
  }
  return stations;
}

// ---- one QSO of the ADIF file -------------------------------------------------

struct Qso {
  int minute = 0;      // minutes from 2025-01-01 00:00 UTC
  int second = 0;
  int order = 0;       // keeps QSOs of the same minute in a fixed order
  const Station* station = nullptr;
  QString frequency;   // MHz
  QString mode, submode;
  QString rstSent, rstReceived;
  QString satellite;
  QString comment, notes;
  bool contest = false;
};

constexpr int kMinutesPerDay = 1440;
// 2025-06-14 12:00 UTC (21:00 JST), minutes from 2025-01-01 00:00 UTC.
constexpr int kContestStart = (31 + 28 + 31 + 30 + 31 + 13) * kMinutesPerDay + 12 * 60;

QString DateOf(int minute) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int day = minute / kMinutesPerDay;
  int month = 0;
  while (day >= days[month]) day -= days[month++];
  return QStringLiteral("2025%1%2").arg(month + 1, 2, 10, QLatin1Char('0')).arg(day + 1, 2, 10, QLatin1Char('0'));
}

QString TimeOf(int minute, int second) {
  const int m = minute % kMinutesPerDay;
  return QStringLiteral("%1%2%3")
      .arg(m / 60, 2, 10, QLatin1Char('0'))
      .arg(m % 60, 2, 10, QLatin1Char('0'))
      .arg(second, 2, 10, QLatin1Char('0'));
}

// A frequency of the band in the mode's part of it.
QString FrequencyOf(const QString& band, const QString& mode, int k) {
  struct Segment {
    const char* band;
    double cw, phone, ft8, step;
  };
  static const Segment segments[] = {
      {"1.9", 1.810, 1.810, 1.908, 0.0005},      {"3.5", 3.510, 3.535, 3.573, 0.001},
      {"7", 7.005, 7.060, 7.041, 0.002},         {"10", 10.110, 10.110, 10.136, 0.002},
      {"14", 14.010, 14.180, 14.074, 0.002},     {"18", 18.075, 18.130, 18.100, 0.002},
      {"21", 21.010, 21.200, 21.074, 0.002},     {"24", 24.895, 24.940, 24.915, 0.002},
      {"28", 28.010, 28.500, 28.074, 0.003},     {"50", 50.050, 50.200, 50.313, 0.005},
      {"144", 144.050, 144.200, 144.460, 0.005}, {"430", 430.050, 430.200, 430.200, 0.005},
      {"1200", 1294.050, 1294.200, 1294.200, 0.010}, {"10125", 10240.050, 10240.100, 10240.100, 0.010},
  };
  for (const Segment& s : segments) {
    if (band != QLatin1String(s.band)) continue;
    double f = (mode == QLatin1String("CW") ? s.cw : s.phone) + (k * 7 % 12) * s.step;
    if (mode == QLatin1String("FM")) {
      if (band == QLatin1String("144")) f = 145.600 + (k % 8) * 0.02;
      else if (band == QLatin1String("430")) f = 433.500 + (k % 8) * 0.02;
      else if (band == QLatin1String("1200")) f = 1294.500 + (k % 4) * 0.02;
    }
    if (mode == QLatin1String("FT8")) f = s.ft8;
    return QString::number(f, 'f', 4);
  }
  return {};
}

QString Report(const QString& mode, int k) {
  if (mode == QLatin1String("FT8")) return QStringLiteral("-%1").arg(k % 18 + 2, 2, 10, QLatin1Char('0'));
  const bool phone = mode != QLatin1String("CW");
  const bool weak = k % 17 == 5;
  return phone ? (weak ? QStringLiteral("57") : QStringLiteral("59")) : (weak ? QStringLiteral("579") : QStringLiteral("599"));
}

// ---- the contest ----------------------------------------------------------------------

struct Band {
  const char* name;
  int qsos;          // n(b), the base QSOs
  int a, c;          // s(k) = (a k + c) mod S
  int first, last;   // the band's hours: minutes from the contest's start
};

const Band kBands[] = {
    {"1.9", 30, 701, 11, 1, 300},    {"3.5", 260, 419, 257, 2, 480},  {"7", 900, 125, 4, 0, 1439},
    {"14", 420, 337, 91, 540, 1260}, {"21", 380, 593, 402, 660, 1200}, {"28", 160, 811, 77, 780, 1080},
    {"50", 380, 215, 630, 600, 1438}, {"144", 260, 947, 300, 600, 1437}, {"430", 150, 53, 519, 605, 1400},
    {"1200", 30, 457, 808, 900, 1200}, {"10125", 6, 29, 150, 1000, 1100}, {"SAT", 4, 233, 700, 720, 740},
};

// The mode of base QSO k; phone on the low bands is logged as LSB now and then.
void BaseMode(const QString& band, int k, QString* mode, QString* submode) {
  const bool hf = band == QLatin1String("1.9") || band == QLatin1String("3.5") || band == QLatin1String("7") ||
                  band == QLatin1String("14") || band == QLatin1String("21") || band == QLatin1String("28");
  submode->clear();
  if (band == QLatin1String("1.9")) {
    *mode = QStringLiteral("CW");  // no phone on 1.9 MHz in Japan
  } else if (hf) {
    if (k % 4 != 3) {
      *mode = QStringLiteral("CW");
    } else if (band == QLatin1String("3.5") || band == QLatin1String("7")) {
      *mode = k % 8 == 7 ? QStringLiteral("LSB") : QStringLiteral("SSB");
      if (*mode == QLatin1String("SSB")) *submode = QStringLiteral("LSB");
    } else {
      *mode = QStringLiteral("SSB");
      *submode = QStringLiteral("USB");
    }
  } else if (band == QLatin1String("50")) {
    *mode = k % 3 == 0 ? QStringLiteral("CW") : QStringLiteral("SSB");
  } else if (band == QLatin1String("144") || band == QLatin1String("430")) {
    *mode = k % 3 == 0 ? QStringLiteral("CW") : k % 3 == 1 ? QStringLiteral("SSB") : QStringLiteral("FM");
  } else if (band == QLatin1String("1200")) {
    *mode = k % 2 == 0 ? QStringLiteral("CW") : QStringLiteral("FM");
  } else if (band == QLatin1String("SAT")) {
    *mode = QStringLiteral("FM");
  } else {
    *mode = QStringLiteral("CW");
  }
}

QString OtherMode(const QString& mode) { return mode == QLatin1String("CW") ? QStringLiteral("SSB") : QStringLiteral("CW"); }

void AddContest(const QList<Station>& stations, QList<Qso>* qsos) {
  int bandIndex = 0;
  for (const Band& b : kBands) {
    const QString band = QString::fromLatin1(b.name);
    // The band's QSOs in time order: base QSOs with the extra ones after them.
    struct Entry {
      int k;          // the base QSO whose station is worked
      bool base, duplicate;
    };
    QList<Entry> sequence;
    for (int k = 0; k < b.qsos; ++k) {
      sequence << Entry{k, true, false};
      if (k % 97 == 50) sequence << Entry{k - 10, false, true};
      if (k % 59 == 30) sequence << Entry{k - 20, false, false};
    }
    const int count = sequence.size();
    for (int pos = 0; pos < count; ++pos) {
      const Entry& e = sequence.at(pos);
      Qso q;
      q.contest = true;
      q.station = &stations.at((b.a * e.k + b.c) % kStations);
      const int span = b.last - b.first;
      q.minute = kContestStart + b.first + (count > 1 ? pos * span / (count - 1) : 0);
      q.second = (pos * 37 + bandIndex * 11) % 60;
      q.order = bandIndex * 10000 + pos;
      BaseMode(band, e.k, &q.mode, &q.submode);
      if (!e.base && !e.duplicate) {
        q.mode = OtherMode(q.mode == QLatin1String("LSB") ? QStringLiteral("SSB") : q.mode);
        q.submode.clear();
      }
      if (band == QLatin1String("SAT")) {
        q.frequency = QStringLiteral("%1").arg(145.850 + e.k * 0.03, 0, 'f', 3);
        q.satellite = e.k % 2 == 0 ? QStringLiteral("SO-50") : QStringLiteral("AO-91");
      } else {
        q.frequency = FrequencyOf(band, q.mode == QLatin1String("LSB") ? QStringLiteral("SSB") : q.mode, pos);
      }
      q.rstSent = Report(q.mode, pos + 3);
      q.rstReceived = Report(q.mode, pos);
      qsos->append(q);
    }
    ++bandIndex;
  }
}

// Everyday operating: days before and after the contest, and the QSOs of the
// contest's hours that are not the contest's.
void AddEveryday(const QList<Station>& stations, QList<Qso>* qsos) {
  static const char* bands[] = {"7", "14", "21", "10", "18", "3.5", "144", "430", "50", "28", "24", "7"};
  auto add = [&](int minute, int i, const QString& band, const QString& mode) {
    Qso q;
    q.minute = minute;
    q.second = i * 13 % 60;
    q.order = 200000 + i;
    q.station = &stations.at((i * 31 + 5) % kStations);
    q.mode = mode;
    q.frequency = FrequencyOf(band, mode, i);
    q.rstSent = Report(mode, i + 1);
    q.rstReceived = Report(mode, i);
    qsos->append(q);
  };
  // 1,200 QSOs from 2025-01-04 to 2025-06-13, 80 from 2025-06-16 to 06-29.
  const int january4 = 3 * kMinutesPerDay;
  const int before = kContestStart - 12 * 60 - january4;  // up to 2025-06-14 00:00 UTC
  for (int i = 0; i < 1200; ++i) {
    const int day = i * (before / kMinutesPerDay) / 1200;
    const int minute = january4 + day * kMinutesPerDay + (i * 53 + 600) % kMinutesPerDay;
    const QString band = QString::fromLatin1(bands[i % 12]);
    const QString mode = band == QLatin1String("144") || band == QLatin1String("430") ? QStringLiteral("FM")
                         : i % 2 == 0 ? QStringLiteral("FT8")
                         : i % 3 == 0 && band != QLatin1String("10") ? QStringLiteral("SSB") : QStringLiteral("CW");
    add(minute, i, band, mode);
  }
  const int june16 = kContestStart + 36 * 60;
  for (int i = 0; i < 80; ++i) {
    add(june16 + i * 14 / 80 * kMinutesPerDay + (i * 71 + 30) % kMinutesPerDay, 1200 + i,
        QString::fromLatin1(bands[i % 12]), i % 2 == 0 ? QStringLiteral("FT8") : QStringLiteral("CW"));
  }
  // During the contest, outside it: FT8 on 14 MHz and CW on 18 MHz.
  for (int i = 0; i < 12; ++i) add(kContestStart + 600 + i * 41, 1300 + i, QStringLiteral("14"), QStringLiteral("FT8"));
  for (int i = 0; i < 2; ++i) add(kContestStart + 700 + i * 90, 1320 + i, QStringLiteral("18"), QStringLiteral("CW"));
  // A minute before the start and a minute after the end.
  add(kContestStart - 1, 1330, QStringLiteral("7"), QStringLiteral("CW"));
  add(kContestStart + kMinutesPerDay, 1331, QStringLiteral("7"), QStringLiteral("CW"));
  // A contest QSO the host logbook's contest check found invalid.
  add(kContestStart + 333, 1332, QStringLiteral("7"), QStringLiteral("CW"));
  qsos->last().notes = QStringLiteral("《VQC無効交信》");
}

// ---- ADIF ------------------------------------------------------------------------------

QString Field(const char* name, const QString& value) {
  if (value.isEmpty()) return {};
  return QStringLiteral("<%1:%2>%3 ").arg(QString::fromLatin1(name)).arg(value.toUtf8().size()).arg(value);
}

QString Record(const Qso& q) {
  const Station& st = *q.station;
  QString r;
  r += Field("CALL", st.call);
  r += Field("QSO_DATE", DateOf(q.minute));
  r += Field("TIME_ON", TimeOf(q.minute, q.second));
  r += Field("FREQ", q.frequency);
  r += Field("MODE", q.mode);
  r += Field("SUBMODE", q.submode);
  r += Field("RST_SENT", q.rstSent);
  r += Field("RST_RCVD", q.rstReceived);
  if (q.contest) {
    r += Field("STX_STRING", q.rstSent + QStringLiteral(" 10"));
    r += Field("SRX_STRING", q.rstReceived + QLatin1Char(' ') + st.multiplier);
    r += Field("CONTEST_ID", QStringLiteral("ZOTRA-DEMO"));
  }
  r += Field("CNTY", st.code);
  r += Field("QTH", st.place);
  r += Field("NAME", st.name);
  if (!q.satellite.isEmpty()) {
    r += Field("PROP_MODE", QStringLiteral("SAT"));
    r += Field("SAT_NAME", q.satellite);
  }
  r += Field("COMMENT", q.comment);
  r += Field("NOTES", q.notes);
  r += Field("OPERATOR", QStringLiteral("JA1ZTR"));
  return r + QStringLiteral("<EOR>\n");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 4) {
    std::fputs("usage: zotra-demo-log JCC-JCG.TSV HOKKAIDO.TSV OUT.adi\n", stderr);
    return 2;
  }
  const QList<Station> stations = MakeStations(LoadCodes(args.at(1), args.at(2)));
  QList<Qso> qsos;
  AddEveryday(stations, &qsos);
  AddContest(stations, &qsos);
  std::stable_sort(qsos.begin(), qsos.end(), [](const Qso& x, const Qso& y) {
    return x.minute != y.minute ? x.minute < y.minute : x.order < y.order;
  });

  QString text = QStringLiteral(
      "ZOTRA demo station JA1ZTR: everyday operating and the ZOTRAデモコンテスト of 2025-06-14/15.\n"
      "<ADIF_VER:5>3.1.4 <PROGRAMID:14>zotra-demo-log <EOH>\n");
  for (const Qso& q : qsos) text += Record(q);
  QFile out(args.at(3));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0) {
    std::fprintf(stderr, "zotra-demo-log: cannot write %s\n", qPrintable(args.at(3)));
    return 1;
  }
  std::printf("%lld\n", static_cast<long long>(qsos.size()));
  return 0;
}
