#include "LogbookRules.h"

#include "FuzzSupport.h"

#include "common/ListFile.h"

#include <memory>
#include <vector>

namespace zotra::fuzz {
namespace {

ExtractDefinition Contest(bool jst, const QStringList& multipliers) {
  ExtractDefinition d;
  d.status = ExtractDefinition::Status::Read;
  d.startKey = QStringLiteral("190001010000");
  d.endKey = QStringLiteral("209912312359");
  d.contestJst = jst;
  d.convertZone = true;
  for (const char* band : {"1.9", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144", "430", "1200", "2400",
                           "5600", "10125", "24000", "47000", "SAT"}) {
    d.bands.append({QString::fromLatin1(band), 1.5});
  }
  for (const char* mode : {"CW", "SSB", "FM", "AM", "RTTY", "FT8"}) d.modes.append({QString::fromLatin1(mode), 2});
  d.sent = {{QStringLiteral("HisRst"), 3}, {QStringLiteral("Rmk1"), 0}, {QStringLiteral("Rmk2"), 4},
            {QStringLiteral("M"), 1}};
  d.received = {{QStringLiteral("MyRst"), 3}, {QStringLiteral("Jcc"), 6},  {QStringLiteral("GL"), 6},
                {QStringLiteral("HisName"), 12}, {QStringLiteral("Qth"), 28}, {QStringLiteral("Rmk1"), 0}};
  d.sentRst = true;
  d.receivedRst = true;
  for (int i = 0; i < 3; ++i) d.multipliers[static_cast<std::size_t>(i)] = multipliers.value(i);
  d.editSkip = 1;
  d.editDrop = 2;
  d.dropInvalid = true;
  return d;
}

AreaTables Tables() {
  AreaTables t;
  t.AddMaster({QStringLiteral("1001"), QStringLiteral("千代田区"), QLatin1Char('6')});
  t.AddMaster({QStringLiteral("100101"), QStringLiteral("千代田区"), QLatin1Char('6')});
  t.AddMaster({QStringLiteral("1101"), QStringLiteral("横浜市"), QLatin1Char('4')});
  t.AddMaster({QStringLiteral("110101"), QStringLiteral("横浜市鶴見区"), QLatin1Char('6')});
  t.AddMaster({QStringLiteral("01001"), QStringLiteral("札幌市"), QLatin1Char('4')});
  t.AddMaster({QStringLiteral("10007"), QStringLiteral("小笠原村"), QLatin1Char('5')});
  t.AddMaster({QStringLiteral("10007A"), QStringLiteral("父島"), QLatin1Char('7')});
  t.AddHokkaido(QStringLiteral("0101"), QStringLiteral("106"));
  t.AddHokkaido(QStringLiteral("01001"), QStringLiteral("106"));
  return t;
}

ExtractOptions Options(AreaLevel key, AreaLevel other, int keyRegion, bool wards) {
  ExtractOptions o;
  o.editAreas = true;
  o.frequencyNote = true;
  o.area.keyRegion = keyRegion;
  o.area.groups[kKeyGroup] = {key, wards, wards, true};
  o.area.groups[kOtherGroup] = {other, !wards, false, !wards};
  o.area.hokkaido = wards ? HokkaidoChoice::Subprefecture : HokkaidoChoice::WholeHokkaido;
  o.area.qthFromAreaCode = !wards;
  return o;
}

struct Bench {
  std::vector<ExtractDefinition> contests;
  ModeAliases aliases = {{QStringLiteral("USB"), QStringLiteral("SSB")}, {QStringLiteral("LSB"), QStringLiteral("SSB")}};
  std::vector<ExtractOptions> options;
  AreaTables tables = Tables();
  std::unique_ptr<CentimetreBands> centimetre;
  SilentDialogs dialogs;

  Bench() {
    contests.push_back(Contest(true, {QStringLiteral("PFX"), QStringLiteral("SPACE"), QStringLiteral("JCC")}));
    contests.push_back(Contest(false, {QStringLiteral("LL"), QStringLiteral("EDIT"), QStringLiteral("DATE")}));
    contests.push_back(Contest(true, {QStringLiteral("GL"), QStringLiteral(""), QStringLiteral("QTH")}));
    options.push_back(Options(AreaLevel::Prefecture, AreaLevel::CityCounty, 10, true));
    options.push_back(Options(AreaLevel::Town, AreaLevel::Prefecture, 1, false));
    options.push_back(Options(AreaLevel::CityCounty, AreaLevel::Town, 0, true));
    WriteInput(QStringLiteral("centimetre-bands.txt"), QByteArray("10125,10000,10500\r\n24000,24000,24250\r\n"));
    centimetre = std::make_unique<CentimetreBands>(ScratchFolder() + QStringLiteral("/centimetre-bands.txt"));
  }
};

Bench& TheBench() {
  static Bench bench;
  return bench;
}

}  // namespace

void ApplyRecordRules(const QsoRecord& record, const RecordRules::BandLookup& bandOf) {
  Bench& b = TheBench();
  for (std::size_t i = 0; i < b.contests.size(); ++i) {
    RecordRules rules(b.contests[i], b.aliases, b.options[i], b.tables, *b.centimetre, b.dialogs);
    QsoRecord r = record;
    ExtractedQso q;
    constexpr auto kNoReason = static_cast<SkipReason>(kSkipReasons);
    SkipReason reason = kNoReason;
    const RecordRules::Outcome outcome = rules.Apply(r, bandOf, &q, &reason);
    FUZZ_CHECK((outcome == RecordRules::Outcome::Skipped) == (reason != kNoReason));
    if (outcome != RecordRules::Outcome::Kept) continue;
    // The line of "zotra.wk1": sixteen fields, whatever the record held.
    const QStringList fields = SplitListLine(WorkLineText(q));
    FUZZ_CHECK(fields.size() == 16);
    QString call = q.call;
    call.replace(QLatin1Char('"'), QChar(0xFF02));
    call.remove(QLatin1Char('\r'));
    call.remove(QLatin1Char('\n'));
    FUZZ_CHECK(fields.at(5) == call);
  }
}

}  // namespace zotra::fuzz
