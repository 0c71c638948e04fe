#include "ContestDefinition.h"

#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

namespace zotra {
namespace {

constexpr int kMaxBands = 20;
constexpr int kMaxModes = 6;
constexpr int kMaxSentItems = 4;  // the report and three more
constexpr int kMaxReceivedItems = 6;

const QString kTitle = QStringLiteral("[ZOTRA ｺﾝﾃｽﾄ") + QChar(0x3000) + QStringLiteral("定義ﾌｧｲﾙ]");

// Received items and the length each gets when the file names none.
const QStringList kReceivedKinds = {QStringLiteral("MyRst"), QStringLiteral("Jcc"),  QStringLiteral("GL"),
                                    QStringLiteral("HisName"), QStringLiteral("Qth"), QStringLiteral("Rmk1"),
                                    QStringLiteral("Rmk2")};

// Puts the item in place of one of the same name, or appends it.
void SetItem(QList<NumberItem>* items, const NumberItem& item, int limit, bool atFront = false) {
  for (NumberItem& existing : *items) {
    if (existing.item == item.item) {
      existing = item;
      return;
    }
  }
  if (items->size() >= limit) return;
  if (atFront) items->prepend(item);
  else items->append(item);
}

bool IsSentRemark(const QString& item) {
  return item == QLatin1String("Rmk1") || item == QLatin1String("Rmk2");
}

}  // namespace

ContestDefinition ContestDefinition::EditorDefaults() {
  ContestDefinition d;
  d.start = {QStringLiteral("1998"), QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("09"),
             QStringLiteral("00")};
  d.end = {QStringLiteral("1998"), QStringLiteral("01"), QStringLiteral("03"), QStringLiteral("20"),
           QStringLiteral("59")};
  d.organiser = QStringLiteral("JARL");
  d.markMeaning = QStringLiteral("↑フィールドデーコンテストの場合は、局種係数を記入");
  d.licenceClass = QStringLiteral("第四級アマチュア無線技士");
  d.licensedPower = QStringLiteral("10");
  return d;
}

QList<NamedPoints> ContestDefinition::ActiveBands() const {
  QList<NamedPoints> active;
  for (const NamedPoints& b : bands) {
    if (b.points >= 0) active << b;
  }
  return active;
}

QString CanonicalMultiplierKind(int multiplier, const QString& kind) {
  const QString k = Upper(kind);
  const QStringList kinds = multiplier == 2
                                ? QStringList{QStringLiteral("Space"), QStringLiteral("Edit")}
                                : QStringList{QStringLiteral("Pfx"), QStringLiteral("LL"), QStringLiteral("Jcc"),
                                              QStringLiteral("GL"), QStringLiteral("Date"), QStringLiteral("Manual")};
  for (const QString& c : kinds) {
    if (k == Upper(c)) return c;
  }
  return {};
}

DefinitionReadResult ReadDefinition(const QString& path, ContestDefinition* d) {
  DefinitionReadResult result;
  if (!FileExists(path)) return result;
  result.found = true;
  ListReader in = ListReader::FromFile(path);

  auto one = [&in] { return in.NextField(); };
  auto period = [&in](PeriodTime* t) {
    t->year = in.NextField();
    t->month = in.NextField();
    t->day = in.NextField();
    t->hour = in.NextField();
    t->minute = in.NextField();
  };

  QString key;
  while (in.Next(&key)) {
    if (key == QLatin1String("ZOTRAW")) {
      d->formatVersion = one();
      if (d->formatVersion != kDefinitionFormatVersion) {
        result.versionMismatch = true;
        break;
      }
    } else if (key == QLatin1String("MyCall")) {
      d->myCall = one();
    } else if (key == QLatin1String("ContestName")) {
      d->contestName = one();
    } else if (key == QLatin1String("JstUtc")) {
      d->timeBasis = one() == QLatin1String("Jst") ? QStringLiteral("Jst") : QStringLiteral("Utc");
    } else if (key == QLatin1String("JstUtc2")) {
      d->convertOtherBasis = ValInt(one());
    } else if (key == QStringLiteral("開始")) {
      period(&d->start);
    } else if (key == QStringLiteral("終了")) {
      period(&d->end);
    } else if (key == QStringLiteral("[参加周波数]")) {
      d->bands.clear();
    } else if (key == QLatin1String("SelFreq")) {
      const QString band = one();
      const int points = ValInt(one());
      if (points == 0 || points > 1) result.pointsDistributed = true;
      if (d->bands.size() < kMaxBands) d->bands.append({band, points >= 0 ? points : -1});
    } else if (key == QStringLiteral("[参加ﾓｰﾄﾞ]")) {
      d->modes.clear();
    } else if (key == QLatin1String("SelMode")) {
      const QString mode = one();
      const int points = ValInt(one());
      if (points == 0 || points > 1) result.pointsDistributed = true;
      // A mode at 0 points is used: its QSOs are kept and count nothing.
      if (d->modes.size() < kMaxModes) d->modes.append({mode, points >= 0 ? points : -1});
    } else if (key == QStringLiteral("[年齢]")) {
      d->age = one();
    } else if (key == QStringLiteral("[局免許年月日]")) {
      d->licenceDate = one();
    } else if (key == QStringLiteral("[送信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]")) {
      d->sentItems = {{QStringLiteral("HisRst"), QStringLiteral("3")}};
    } else if (key == QLatin1String("Send")) {
      const QString item = one();
      const QString length = one();
      if (item == QLatin1String("HisRst")) continue;
      if (IsSentRemark(item)) {
        SetItem(&d->sentItems, {item, length}, kMaxSentItems);
      } else if (!item.isEmpty()) {
        // One fixed text: a later one takes the place of an earlier one.
        bool replaced = false;
        for (int i = 1; i < d->sentItems.size(); ++i) {
          if (!IsSentRemark(d->sentItems.at(i).item)) {
            d->sentItems[i] = {item, QString::number(item.size())};
            replaced = true;
            break;
          }
        }
        if (!replaced && d->sentItems.size() < kMaxSentItems) {
          d->sentItems.append({item, QString::number(item.size())});
        }
      }
    } else if (key == QStringLiteral("[受信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]")) {
      d->receivedItems.clear();
    } else if (key == QLatin1String("Rcv")) {
      const QString item = one();
      const QString length = one();
      if (item == QLatin1String("MyRst")) {
        SetItem(&d->receivedItems, {item, QStringLiteral("3")}, kMaxReceivedItems, true);
      } else if (kReceivedKinds.contains(item)) {
        SetItem(&d->receivedItems, {item, length}, kMaxReceivedItems);
      }
    } else if (key == QLatin1String("Multi1")) {
      d->multi1 = CanonicalMultiplierKind(1, one());
    } else if (key == QLatin1String("Multi2")) {
      d->multi2 = CanonicalMultiplierKind(2, one());
      if (d->multi2 == QLatin1String("Edit")) {
        d->multi2Front = one();
        d->multi2Back = one();
      }
    } else if (key == QLatin1String("Multi3")) {
      d->multi3 = CanonicalMultiplierKind(3, one());
    } else if (key == QStringLiteral("[主催者]")) {
      d->organiser = one();
    } else if (key == QStringLiteral("[*内容]")) {
      d->markMeaning = one();
    } else if (key == QStringLiteral("[*点数]")) {
      d->stationCoefficient = one();
    } else if (key == QStringLiteral("[参加部門]")) {
      d->categoryCode = one();
      d->sectionName = one();
      d->eventName = one();
    } else if (key == QStringLiteral("[〒]")) {
      d->postalCode = one();
    } else if (key == QStringLiteral("[住所]")) {
      d->addressFirst = one();
      d->addressSecond = one();
    } else if (key == QStringLiteral("[電話]")) {
      d->phone = one();
    } else if (key == QStringLiteral("[氏名]")) {
      d->name = one();
    } else if (key == QLatin1String("[E-mail]")) {
      d->mail = one();
    } else if (key == QStringLiteral("[資格]")) {
      d->licenceClass = one();
      d->licensedPower = one();
    } else if (key == QStringLiteral("[移動先]")) {
      d->portablePlace = one();
    } else if (key == QStringLiteral("[電源]")) {
      d->powerSource = one();
    } else if (key == QLatin1String("[Rig1]")) {
      d->rig1 = one();
    } else if (key == QLatin1String("[Rig2]")) {
      d->rig2 = one();
    } else if (key == QLatin1String("[Ik1]")) {
      d->opinion1 = one();
    } else if (key == QLatin1String("[Ik2]")) {
      d->opinion2 = one();
    } else if (key == QLatin1String("[Ik3]")) {
      d->opinion3 = one();
    } else if (key == QLatin1String("[Ope]")) {
      d->operators = one();
    } else if (key == QLatin1String("[C-Print]")) {
      d->printClub = ValInt(one());
    } else if (key == QLatin1String("[C-no]")) {
      d->clubNumber = one();
    } else if (key == QLatin1String("[C-name]")) {
      d->clubName = one();
    } else if (key == QStringLiteral("[出力]")) {
      d->powerKind = one() == QStringLiteral("定格") ? QStringLiteral("定格") : QStringLiteral("実測");
    } else if (key == QLatin1String("[VQC]")) {
      d->dropInvalid = one() == QStringLiteral("無効削除");
    } else if (key == QStringLiteral("[JARL電子ログ]")) {
      const QString v = Upper(one());
      d->jarlLog = v == QLatin1String("YES R1")                              ? QStringLiteral("Yes R1")
                   : (v == QLatin1String("YES R2") || v == QLatin1String("YES")) ? QStringLiteral("Yes R2")
                                                                               : QStringLiteral("No");
    } else if (key == QLatin1String("[JARLFormat]")) {
      d->jarlOrder = Upper(one()) == QLatin1String("TIME") ? QStringLiteral("Time") : QStringLiteral("Band");
    } else if (key == QStringLiteral("[VQ電子ログ]")) {
      d->vqLog = Upper(one()) == QLatin1String("YES") ? QStringLiteral("Yes") : QStringLiteral("No");
    }
  }
  return result;
}

QString DefinitionText(const ContestDefinition& d) {
  ListWriter w;
  auto heading = [&w](const QString& text) { w.Text(text).EndRecord(); };
  // A heading and its value on the next line, written only when the value
  // (trimmed) is not empty.
  auto headedWhenSet = [&w](const QString& head, const QString& value) {
    if (TrimBlanks(value).isEmpty()) return;
    w.Text(head).EndRecord();
    w.Text(value).EndRecord();
  };
  auto headed = [&w](const QString& head, const QString& value) {
    w.Text(head).EndRecord();
    w.Text(value).EndRecord();
  };
  auto period = [&w](const QString& key, const PeriodTime& t) {
    w.Text(key).Text(t.year).Text(t.month).Text(t.day).Text(t.hour).Text(t.minute).EndRecord();
  };

  w.Text(QStringLiteral("ZOTRAW")).Text(kDefinitionFormatVersion).EndRecord();
  heading(kTitle);
  w.Text(QStringLiteral("MyCall")).Text(d.myCall).EndRecord();
  heading(QStringLiteral("[ｺﾝﾃｽﾄ情報]"));
  w.Text(QStringLiteral("ContestName")).Text(d.contestName).EndRecord();
  period(QStringLiteral("開始"), d.start);
  period(QStringLiteral("終了"), d.end);
  w.Text(QStringLiteral("JstUtc"))
      .Text(d.timeBasis == QLatin1String("Jst") ? QStringLiteral("Jst") : QStringLiteral("Utc"))
      .EndRecord();
  w.Text(QStringLiteral("JstUtc2")).Number(d.convertOtherBasis).EndRecord();

  heading(QStringLiteral("[参加周波数]"));
  for (int i = 0; i < d.bands.size() && i < kMaxBands; ++i) {
    const QString band = TrimBlanks(d.bands.at(i).name);
    if (band.isEmpty()) continue;
    w.Text(QStringLiteral("SelFreq")).Text(band).Number(d.bands.at(i).points >= 0 ? d.bands.at(i).points : -1).EndRecord();
  }
  heading(QStringLiteral("[参加ﾓｰﾄﾞ]"));
  for (int i = 0; i < d.modes.size() && i < kMaxModes; ++i) {
    const QString mode = TrimBlanks(d.modes.at(i).name);
    if (mode.isEmpty() || d.modes.at(i).points < 0) continue;
    w.Text(QStringLiteral("SelMode")).Text(mode).Number(d.modes.at(i).points).EndRecord();
  }

  headed(QStringLiteral("[年齢]"), d.age);
  headed(QStringLiteral("[局免許年月日]"), d.licenceDate);

  heading(QStringLiteral("[送信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]"));
  w.Text(QStringLiteral("Send")).Text(QStringLiteral("HisRst")).Text(QStringLiteral("3")).EndRecord();
  for (int i = 1; i < d.sentItems.size() && i < kMaxSentItems; ++i) {
    const QString item = TrimBlanks(d.sentItems.at(i).item);
    if (item.isEmpty()) continue;
    // A fixed text's length is its own number of characters, as written.
    const QString length = IsSentRemark(item) ? TrimBlanks(d.sentItems.at(i).length) : QString::number(item.size());
    w.Text(QStringLiteral("Send")).Text(item).Text(length).EndRecord();
  }
  heading(QStringLiteral("[受信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]"));
  for (int i = 0; i < d.receivedItems.size() && i < kMaxReceivedItems; ++i) {
    const QString item = TrimBlanks(d.receivedItems.at(i).item);
    if (item.isEmpty()) continue;
    w.Text(QStringLiteral("Rcv")).Text(item).Text(TrimBlanks(d.receivedItems.at(i).length)).EndRecord();
  }

  heading(QStringLiteral("[マルチプライヤー]"));
  w.Text(QStringLiteral("Multi1")).Text(d.multi1).EndRecord();
  w.Text(QStringLiteral("Multi2")).Text(d.multi2).EndRecord();
  if (d.multi2 == QLatin1String("Edit")) {
    w.Text(TrimBlanks(d.multi2Front)).Text(TrimBlanks(d.multi2Back)).EndRecord();
  }
  w.Text(QStringLiteral("Multi3")).Text(d.multi3).EndRecord();
  heading(QStringLiteral("[マルチプライヤー終了]"));

  headedWhenSet(QStringLiteral("[主催者]"), TrimBlanks(d.organiser));
  headedWhenSet(QStringLiteral("[*内容]"), TrimBlanks(d.markMeaning));
  headedWhenSet(QStringLiteral("[*点数]"), TrimBlanks(d.stationCoefficient));
  heading(QStringLiteral("[参加部門]"));
  w.Text(TrimBlanks(d.categoryCode)).Text(TrimBlanks(d.sectionName)).Text(TrimBlanks(d.eventName)).EndRecord();
  headedWhenSet(QStringLiteral("[〒]"), d.postalCode);
  heading(QStringLiteral("[住所]"));
  w.Text(TrimBlanks(d.addressFirst)).Text(TrimBlanks(d.addressSecond)).EndRecord();
  headedWhenSet(QStringLiteral("[電話]"), d.phone);
  headedWhenSet(QStringLiteral("[氏名]"), d.name);
  headedWhenSet(QStringLiteral("[E-mail]"), d.mail);
  heading(QStringLiteral("[資格]"));
  w.Text(d.licenceClass).Text(d.licensedPower).EndRecord();
  headedWhenSet(QStringLiteral("[移動先]"), d.portablePlace);
  headedWhenSet(QStringLiteral("[電源]"), d.powerSource);
  headedWhenSet(QStringLiteral("[Rig1]"), d.rig1);
  headedWhenSet(QStringLiteral("[Rig2]"), d.rig2);
  headed(QStringLiteral("[Ik1]"), d.opinion1);
  headed(QStringLiteral("[Ik2]"), d.opinion2);
  headed(QStringLiteral("[Ik3]"), d.opinion3);
  headedWhenSet(QStringLiteral("[Ope]"), d.operators);
  w.Text(QStringLiteral("[C-Print]")).EndRecord();
  w.Number(d.printClub).EndRecord();
  headedWhenSet(QStringLiteral("[C-no]"), d.clubNumber);
  headedWhenSet(QStringLiteral("[C-name]"), d.clubName);
  headed(QStringLiteral("[出力]"), d.powerKind == QStringLiteral("定格") ? QStringLiteral("定格") : QStringLiteral("実測"));
  headed(QStringLiteral("[VQC]"), d.dropInvalid ? QStringLiteral("無効削除") : QString());
  headed(QStringLiteral("[JARL電子ログ]"), d.jarlLog);
  headed(QStringLiteral("[JARLFormat]"), d.jarlOrder);
  headed(QStringLiteral("[VQ電子ログ]"), d.vqLog);
  return w.Result();
}

bool WriteDefinition(const ContestDefinition& definition, const QString& path) {
  return WriteText(path, DefinitionText(definition), WriteMode::Safe);
}

}  // namespace zotra
