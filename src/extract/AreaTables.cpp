#include "AreaTables.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"

#include <cstring>

namespace zotra {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kRegions[] = {
    "",         "北海道",   "青森県",   "岩手県",   "秋田県", "山形県", "宮城県", "福島県", "新潟県",
    "長野県",   "東京都",   "神奈川県", "千葉県",   "埼玉県", "茨城県", "栃木県", "群馬県", "山梨県",
    "静岡県",   "岐阜県",   "愛知県",   "三重県",   "京都府", "滋賀県", "奈良県", "大阪府", "和歌山県",
    "兵庫県",   "富山県",   "福井県",   "石川県",   "岡山県", "島根県", "山口県", "鳥取県", "広島県",
    "香川県",   "徳島県",   "愛媛県",   "高知県",   "福岡県", "佐賀県", "長崎県", "熊本県", "大分県",
    "宮崎県",   "鹿児島県", "沖縄県",   "小笠原",   "沖の鳥島", "南鳥島",
};
const char* const kSubprefectures[] = {
    "宗谷支庁", "留萌支庁", "上川支庁", "網走支庁", "空知支庁", "石狩支庁", "根室支庁",
    "後志支庁", "十勝支庁", "釧路支庁", "日高支庁", "胆振支庁", "桧山支庁", "渡島支庁",
};

// Master file layouts: where code, name and level lie in a record.
struct Layout {
  int recordBytes, code, name, level;
};
constexpr int kHeaderBytes = 290;
constexpr Layout kLayout55 = {55, 0, 6, 40};
constexpr Layout kLayout56 = {56, 1, 7, 0};
constexpr Layout kLayout56CodeFirst = {56, 2, 9, 8};
constexpr int kCodeBytes = 6, kNameBytes = 34;

QString Cut(const char* bytes, int width) {
  const void* nul = std::memchr(bytes, 0, static_cast<std::size_t>(width));
  const int length = nul ? static_cast<int>(static_cast<const char*>(nul) - bytes) : width;
  return DecodeCp932(QByteArray(bytes, length));
}

}  // namespace

QString RegionName(int number) {
  if (number >= 1 && number <= 50) return U(kRegions[number]);
  if (number >= 101 && number <= 114) return U(kSubprefectures[number - 101]);
  return {};
}

int RegionNumber(const QString& name) {
  if (name.isEmpty()) return 0;
  for (int n = 1; n <= 114; ++n) {
    if (RegionName(n) == name) return n;
  }
  return 0;
}

QString RegionCode(int number) {
  return number >= 100 ? QString::number(number) : QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QStringList KeyRegionChoices() {
  QStringList list{U("全都道府県")};
  for (int n = 1; n <= 50; ++n) list << RegionName(n);
  return list;
}

bool AreaTables::LoadHokkaido(const QString& path, Dialogs& dialogs) {
  hokkaido_.clear();
  QStringList lines;
  if (!FileExists(path) || !ReadLines(path, &lines)) {
    dialogs.Tell(U("北海道テーブルが見当たりません"));
    return false;
  }
  for (const QString& line : lines) {
    const int comma = line.indexOf(QLatin1Char(','));
    if (comma <= 0) continue;
    const QString code = TrimBlanks(line.left(comma));
    const QString number = TrimBlanks(line.mid(comma + 1));
    if (!code.isEmpty() && !number.isEmpty() && !hokkaido_.contains(code)) hokkaido_.insert(code, number);
  }
  return true;
}

void AreaTables::AddMaster(const MasterEntry& entry) {
  master_.append(entry);
  if (!nameOfCode_.contains(entry.code)) nameOfCode_.insert(entry.code, entry.name);
  if (!entry.name.isEmpty() && !codeOfName_.contains(entry.name)) codeOfName_.insert(entry.name, entry.code);
  longestName_ = std::max(longestName_, static_cast<int>(entry.name.size()));
  if (entry.level == QLatin1Char('6')) wardCities_.insert(entry.code.left(4));
}

QString AreaTables::LongestMasterName(const QString& text, QString* name) const {
  for (qsizetype n = std::min<qsizetype>(text.size(), longestName_); n > 0; --n) {
    const auto it = codeOfName_.constFind(text.left(n));
    if (it != codeOfName_.constEnd()) {
      if (name) *name = it.key();
      return it.value();
    }
  }
  return {};
}

AreaTables::MasterResult AreaTables::LoadMaster(const QString& path, Dialogs& dialogs) {
  master_.clear();
  nameOfCode_.clear();
  codeOfName_.clear();
  wardCities_.clear();
  longestName_ = 0;
  masterVersion_ = 0;
  QByteArray b;
  ReadBytes(path, &b);
  const auto byteAt = [&b](int at) { return at < b.size() ? static_cast<unsigned char>(b.at(at)) : 0; };
  Layout layout{};
  if (byteAt(11) == 55) layout = kLayout55;
  else if (byteAt(11) == 56) layout = byteAt(177) == 1 ? kLayout56CodeFirst : kLayout56;
  else {
    dialogs.Tell(U("MARQEN.MST の指定が間違っているか\nZOTRA で認識できないバージョンです\n\n") + path);
    return MasterResult::UnknownVersion;
  }
  masterVersion_ = layout.recordBytes;

  // A file whose size does not end on a whole record, or whose header counts
  // other records than it holds, is damaged: the whole records are used.
  const qsizetype body = std::max<qsizetype>(0, b.size() - kHeaderBytes);
  const qsizetype records = body / layout.recordBytes;
  const bool counted = b.startsWith("MQMASTER");
  const qsizetype headerCount = byteAt(8) | (byteAt(9) << 8) | (byteAt(10) << 16);
  if (b.size() < kHeaderBytes || body % layout.recordBytes != 0 || (counted && headerCount != records)) {
    dialogs.Tell(U("MARQEN.MST の大きさが正しくありません\n%1\n読める %2 件を使います").arg(path).arg(records));
  }
  for (qsizetype i = 0; i < records; ++i) {
    const char* r = b.constData() + kHeaderBytes + i * layout.recordBytes;
    const QChar level = QLatin1Char(r[layout.level]);
    if (level < QLatin1Char('4') || level > QLatin1Char('8')) continue;
    const QString code = TrimBlanks(Cut(r + layout.code, kCodeBytes));
    if (code.isEmpty()) continue;
    AddMaster({code, TrimBlanks(ToNarrow(Cut(r + layout.name, kNameBytes))), level});
  }
  return MasterResult::Loaded;
}

}  // namespace zotra
