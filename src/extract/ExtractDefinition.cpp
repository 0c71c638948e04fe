#include "ExtractDefinition.h"

#include "QsoTime.h"

#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <QHash>

namespace zotra {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Keys of other readers and how many value fields follow each. They are read
// past whole, so that a free text (a contest name, an opinion line) that
// happens to read "Send" or "[VQC]" is never taken for a key.
const QHash<QString, int>& KeysReadPast() {
  static const QHash<QString, int> keys = {
      {QStringLiteral("MyCall"), 1},   {QStringLiteral("ContestName"), 1}, {U("[年齢]"), 1},
      {U("[局免許年月日]"), 1},         {U("[主催者]"), 1},                 {U("[*内容]"), 1},
      {U("[*点数]"), 1},                {U("[参加部門]"), 3},               {U("[〒]"), 1},
      {U("[住所]"), 2},                 {U("[電話]"), 1},                   {U("[氏名]"), 1},
      {QStringLiteral("[E-mail]"), 1}, {U("[資格]"), 2},                   {U("[移動先]"), 1},
      {U("[電源]"), 1},                 {QStringLiteral("[Rig1]"), 1},     {QStringLiteral("[Rig2]"), 1},
      {QStringLiteral("[Ik1]"), 1},    {QStringLiteral("[Ik2]"), 1},      {QStringLiteral("[Ik3]"), 1},
      {QStringLiteral("[Ope]"), 1},    {QStringLiteral("[C-Print]"), 1},  {QStringLiteral("[C-no]"), 1},
      {QStringLiteral("[C-name]"), 1}, {U("[出力]"), 1},                   {U("[JARL電子ログ]"), 1},
      {QStringLiteral("[JARLFormat]"), 1}, {U("[VQ電子ログ]"), 1},
  };
  return keys;
}

int Width(const QString& text) { return qMax(0, ValInt(text)); }

// "2025/6/14 21:0": the items of a period as the file holds them.
QString PeriodText(const QStringList& items) {
  QStringList t = items;
  while (t.size() < 5) t << QString();
  return t.at(0) + QLatin1Char('/') + t.at(1) + QLatin1Char('/') + t.at(2) + QLatin1Char(' ') + t.at(3) +
         QLatin1Char(':') + t.at(4);
}

}  // namespace

QString ExtractDefinition::StatusMessage() const {
  switch (status) {
    case Status::Read: return {};
    case Status::Missing: return U("先にコンテストの条件を設定してください");
    case Status::WrongVersion: return U("コンテスト定義体のバージョンが違います");
    case Status::BadPeriod:
      return U("コンテストの期間が正しくありません\n開始 %1\n終了 %2\nコンテストの条件の設定で期間を入れ直してください")
          .arg(startText, endText);
  }
  return {};
}

ExtractDefinition ReadExtractDefinition(const QString& path) {
  ExtractDefinition d;
  if (!FileExists(path)) return d;
  ListReader in = ListReader::FromFile(path);
  auto one = [&in] { return in.NextField(); };
  auto period = [&in](QString* text) {
    QStringList items;
    for (int i = 0; i < 5; ++i) items << in.NextField();
    *text = PeriodText(items);
    return PeriodKey(items);
  };

  bool versionSeen = false;
  QString key;
  while (in.Next(&key)) {
    if (key == QLatin1String("ZOTRAW")) {
      if (one() != QLatin1String("Ver4.0")) {
        d.status = ExtractDefinition::Status::WrongVersion;
        return d;
      }
      versionSeen = true;
    } else if (key == U("開始")) {
      d.startKey = period(&d.startText);
    } else if (key == U("終了")) {
      d.endKey = period(&d.endText);
    } else if (key == QLatin1String("JstUtc")) {
      d.contestJst = one() == QLatin1String("Jst");
    } else if (key == QLatin1String("JstUtc2")) {
      d.convertZone = Val(one()) == 1;
    } else if (key == QLatin1String("SelFreq") || key == QLatin1String("SelMode")) {
      const bool band = key == QLatin1String("SelFreq");
      const QString name = one();
      const double value = Val(one());
      if (band) d.anyBandLine = true;
      QList<PointsSlot>& table = band ? d.bands : d.modes;
      if (value >= 0 && table.size() < (band ? kExtractBandSlots : kExtractModeSlots)) {
        table.append({TrimBlanks(name), value});
      }
    } else if (key == QLatin1String("Send") || key == QLatin1String("Rcv")) {
      const bool sent = key == QLatin1String("Send");
      const QString item = one();
      const int width = Width(one());
      const QString upper = Upper(TrimBlanks(item));
      if (sent && upper == QLatin1String("HISRST")) d.sentRst = true;
      if (!sent && upper == QLatin1String("MYRST")) d.receivedRst = true;
      QList<NumberSlot>& table = sent ? d.sent : d.received;
      if (table.size() < kExtractNumberSlots) table.append({item, width});
    } else if (key == QLatin1String("Multi1") || key == QLatin1String("Multi2") ||
               key == QLatin1String("Multi3")) {
      const int slot = key.at(5).digitValue() - 1;
      const QString kind = Upper(TrimBlanks(one()));
      d.multipliers[static_cast<std::size_t>(slot)] = kind;
      // The two counts of "Edit" stand on their own line after "Multi2".
      if (slot == 1 && kind == QLatin1String("EDIT")) {
        d.editSkip = ValInt(one());
        d.editDrop = ValInt(one());
      }
    } else if (key == QLatin1String("[VQC]")) {
      d.dropInvalid = one() == U("無効削除");
    } else if (const auto past = KeysReadPast().constFind(key); past != KeysReadPast().constEnd()) {
      for (int i = 0; i < *past; ++i) one();
    }
  }
  // A file without the format tag is no definition of this version either.
  d.status = versionSeen ? ExtractDefinition::Status::Read : ExtractDefinition::Status::WrongVersion;
  // A period that cannot be read would keep no QSO at all: it is told instead.
  if (d.status == ExtractDefinition::Status::Read &&
      (d.startKey.isEmpty() || d.endKey.isEmpty() || d.endKey < d.startKey)) {
    d.status = ExtractDefinition::Status::BadPeriod;
  }
  return d;
}

QString PeriodKey(const QStringList& items) {
  if (items.size() != 5) return {};
  QString key;
  for (int i = 0; i < 5; ++i) {
    const QString item = TrimBlanks(items.at(i));
    const int width = i == 0 ? 4 : 2;
    if (item.isEmpty() || item.size() > width) return {};
    for (QChar c : item) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return {};
    }
    key += PadLeft(item, width, QLatin1Char('0'));
  }
  const int year = key.left(4).toInt(), month = key.mid(4, 2).toInt(), day = key.mid(6, 2).toInt();
  const int hour = key.mid(8, 2).toInt(), minute = key.mid(10, 2).toInt();
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59) return {};
  return key;
}

}  // namespace zotra
