#include "AreaCode.h"

#include "common/Dialogs.h"
#include "common/Text.h"

namespace zotra {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Half-width, upper case, blanks trimmed: the form every converted text takes.
QString Normalised(const QString& text) { return TrimBlanks(Upper(ToNarrow(text))); }

// Head (up to the first blank) and tail (the text after it).
void SplitHead(const QString& text, QString* head, QString* tail) {
  const int blank = text.indexOf(QLatin1Char(' '));
  *head = blank < 0 ? text : text.left(blank);
  *tail = blank < 0 ? QString() : text.mid(blank + 1);
}

bool AllDigits(const QString& text) {
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return !text.isEmpty();
}

bool IsWard(const QString& code) { return code.size() == 6 && AllDigits(code); }
bool IsTown(const QString& code) { return code.size() == 6 && AllDigits(code.left(5)) && !code.at(5).isDigit(); }
bool IsTokyoWard(const QString& code) { return IsWard(code) && code.startsWith(QLatin1String("1001")); }
// A Hokkaido subprefecture, "101" to "114".
bool IsSubprefecture(const QString& code) {
  return code.size() == 3 && AllDigits(code) && !RegionName(code.toInt()).isEmpty();
}
// A code of one of the forms: 2, 4 or 5 digits, a ward or a town.
bool IsAreaCode(const QString& code) {
  return (AllDigits(code) && (code.size() == 2 || code.size() == 4 || code.size() == 5)) || IsWard(code) ||
         IsTown(code);
}
// A prefecture or island region, "01" to "50".
bool IsPrefecture(const QString& code) {
  return code.size() == 2 && AllDigits(code) && code.toInt() >= 1 && code.toInt() <= 50;
}

}  // namespace

void SelectKeyRegion(AreaOptions* options, int index) {
  options->keyRegion = index;
  const int groups = index == 0 ? 1 : 2;
  for (int g = 0; g < groups; ++g) options->groups[static_cast<std::size_t>(g)] = AreaGroupOptions{};
}

bool OtherRegionsEnabled(const AreaOptions& options) { return options.keyRegion != 0; }

bool HokkaidoChoiceOffered(const AreaOptions& options) {
  // Hokkaido lies in the key group when every region is key or the key
  // region is Hokkaido, otherwise in the other group.
  const int group = options.keyRegion == 0 || options.keyRegion == 1 ? kKeyGroup : kOtherGroup;
  return options.groups[static_cast<std::size_t>(group)].level == AreaLevel::Prefecture;
}

QString AreaErrorText(int number) {
  switch (number) {
    case kAreaLookupFailed: return U("MARQEN.MST 検索エラー");
    case kAreaNotTown: return U("町村コード(名)でない");
    case kAreaNotWard: return U("区コード(名)でない");
    case kAreaBadInput: return U("引用したデータがおかしい");
    case kAreaNoPrefecture: return U("都道府県コード(名)取得エラー");
    case kAreaAboveCity: return U("市郡より上位のコードです");
    case kAreaBadLevel: return U("コードのレベルがおかしい");
    default: return {};
  }
}

QStringList AreaCodeConverter::OgasawaraChoices() {
  return {U("東京都 (10)"), U("小笠原 (48)"), U("沖の鳥島 (49)"), U("南鳥島 (50)")};
}

QStringList AreaCodeConverter::OgasawaraCodes() { return {"10", "48", "49", "50"}; }

AreaCodeConverter::AreaCodeConverter(const AreaTables& tables, const AreaOptions& options, Dialogs& dialogs)
    : tables_(tables), options_(options), dialogs_(dialogs) {}

void AreaCodeConverter::BeginRecord(const QString& qso) {
  qso_ = qso;
  askedOgasawara_ = false;
  error_ = 0;
  errorCode_.clear();
}

void AreaCodeConverter::Fail(int number, const QString& code) {
  if (error_ != 0) return;  // only the first error of a record is kept
  error_ = number;
  errorCode_ = code;
}

int AreaCodeConverter::GroupOf(const QString& code) const {
  if (options_.keyRegion == 0) return kKeyGroup;
  if (IsSubprefecture(code)) return options_.keyRegion == 1 ? kKeyGroup : kOtherGroup;
  return code.left(2) == RegionCode(options_.keyRegion) ? kKeyGroup : kOtherGroup;
}

QString AreaCodeConverter::AskOgasawara() {
  // A record is asked about once: its QTH takes the answer of its area code;
  // the operator may let the answer hold for the rest of the run.
  if (askedOgasawara_ || ogasawaraForRest_) return OgasawaraCodes().at(lastOgasawara_);
  askedOgasawara_ = true;
  ChoiceRequest request;
  request.title = U("小笠原諸島の取り扱い");
  request.text = U("小笠原諸島との交信データが見つかりました、どのナンバーにするかを選択してください。");
  if (!qso_.isEmpty()) request.text += QStringLiteral("\n\n") + qso_;
  request.choices = OgasawaraChoices();
  request.defaultChoice = lastOgasawara_;
  request.confirm = U("決定");
  request.checkBox = U("残りの小笠原諸島との交信にもこの番号を使う");
  request.checked = &ogasawaraForRest_;
  const int chosen = dialogs_.Choose(request);
  if (chosen >= 0 && chosen < request.choices.size()) lastOgasawara_ = chosen;
  return OgasawaraCodes().at(lastOgasawara_);
}

QString AreaCodeConverter::ConvertCode(const QString& c) {
  const AreaGroupOptions& g = options_.groups[static_cast<std::size_t>(GroupOf(c))];
  QString result;
  switch (g.level) {
    case AreaLevel::Prefecture:
      if (c.startsWith(QLatin1String("01")) || IsSubprefecture(c)) {
        if (options_.hokkaido == HokkaidoChoice::WholeHokkaido) {
          result = QStringLiteral("01");
        } else if (c.size() == 3) {
          result = c;
        } else {
          const QString city = c.size() == 6 ? c.left(IsTown(c) ? 5 : 4) : c;
          result = tables_.HokkaidoSubprefecture(city);
          if (result.isEmpty()) Fail(kAreaLookupFailed, c);
        }
      } else if (c == QLatin1String("10007") || c == QLatin1String("10007A")) {
        result = AskOgasawara();
      } else if (IsPrefecture(c.left(2)) && IsAreaCode(c)) {
        result = c.left(2);
      }
      // A code of no area's form ("XYZ", "123") or of no prefecture ("99") is told.
      if (result.isEmpty()) Fail(kAreaNoPrefecture, c);
      break;

    case AreaLevel::CityCounty:
      if (IsTown(c)) {
        result = c.left(5);
      } else if (IsWard(c)) {
        // Wards become their city with "区は市に"; Tokyo's wards count as
        // cities of their own with "東京の区は市扱い". Without "区は市に" the
        // wards stay, as a contest that counts wards needs them.
        result = g.wardsAsCities && !(IsTokyoWard(c) && g.tokyoWardsAsCities) ? c.left(4) : c;
      } else if (c.size() == 4) {
        if (tables_.CityHasWards(c) && !g.wardsAsCities) Fail(kAreaNotWard, c);
        result = c;
      } else if (c.size() == 5) {
        result = c;
      } else if (c.size() < 4) {
        Fail(kAreaAboveCity, c);
      }
      break;

    case AreaLevel::Town:
      if (c.size() == 4) {
        if (tables_.CityHasWards(c) && !g.wardsAsCities) Fail(kAreaNotWard, c);
        result = c;
      } else if (c.size() == 5) {
        Fail(kAreaNotTown, c);
      } else if (IsWard(c)) {
        result = g.wardsAsCities && !(IsTokyoWard(c) && g.tokyoWardsAsCities) ? c.left(4) : c;
      } else if (c.size() == 6) {
        result = c;  // a town
      } else {
        Fail(kAreaBadLevel, c);
      }
      break;

    case AreaLevel::AsLogged:
      result = c;
      break;
  }
  return result.isEmpty() ? c : result;
}

QString AreaCodeConverter::NameOfCode(const QString& code) {
  if (code.isEmpty() || code.size() > 6) {
    Fail(kAreaBadInput, code);
    return {};
  }
  QString name;
  if (code.size() <= 3) {
    if (!AllDigits(code)) {
      Fail(kAreaBadInput, code);
      return {};
    }
    name = RegionName(code.toInt());
  } else {
    name = tables_.MasterName(code);
  }
  if (name.isEmpty()) Fail(kAreaLookupFailed, code);
  return name;
}

QString AreaCodeConverter::CodeOrName(const QString& text) {
  if (text.isEmpty()) {
    Fail(kAreaBadInput, text);
    return {};
  }
  if (!text.at(0).isDigit()) {
    if (const int region = RegionNumber(text)) return RegionCode(region);
    const QString code = tables_.MasterCode(text);
    if (code.isEmpty()) Fail(kAreaLookupFailed, text);
    return code;
  }
  return NameOfCode(text);
}

QString AreaCodeConverter::ConvertAreaCode(const QString& areaCodeField) {
  QString head, tail;
  SplitHead(Normalised(areaCodeField), &head, &tail);
  return TrimBlanks(ConvertCode(head) + QLatin1Char(' ') + tail);
}

QString AreaCodeConverter::ConvertQth(const QString& qth, const QString& areaCodeField) {
  QString text = qth;
  QString head, tail;
  // With the QTH taken from the area-code field, the code is the field's
  // own: a name shared by two places (府中市 of 東京都 and of 広島県) is never
  // looked up again.
  QString code;
  if (options_.qthFromAreaCode) {
    SplitHead(Normalised(areaCodeField), &head, &tail);
    const QString other = CodeOrName(head);
    const bool isCode = !head.isEmpty() && head.at(0).isDigit();
    if (!other.isEmpty()) code = isCode ? head : other;
    text = TrimBlanks((isCode && !other.isEmpty() ? other : head) + QLatin1Char(' ') + tail);
  }
  if (TrimBlanks(text).isEmpty()) {
    Fail(kAreaBadInput, text);
    return qth;
  }
  text = Normalised(text);
  const int gridLocator = text.indexOf(QLatin1String("GL:"));
  if (gridLocator >= 0) text = TrimBlanks(text.left(gridLocator));
  SplitHead(text, &head, &tail);

  // The longest leading part of the head that is a master name, or else the
  // head as a region name.
  if (code.isEmpty()) code = tables_.LongestMasterName(head);
  if (code.isEmpty()) {
    if (const int region = RegionNumber(head)) code = RegionCode(region);
  }
  if (code.isEmpty()) {
    Fail(kAreaLookupFailed, head);
    return text;
  }
  const int group = GroupOf(code);
  QString name = NameOfCode(ConvertCode(code));
  if (name.isEmpty()) return text;
  if (options_.groups[static_cast<std::size_t>(group)].dropPrefectureName) {
    if (group == kKeyGroup && options_.keyRegion != 0) {
      const QString key = RegionName(options_.keyRegion);
      if (name.startsWith(key)) name = name.mid(key.size());
    } else {
      for (int n = 1; n <= 99; ++n) {
        const QString region = RegionName(n);
        if (!region.isEmpty() && name.startsWith(region)) {
          name = name.mid(region.size());
          break;
        }
      }
    }
  }
  return TrimBlanks(name + QLatin1Char(' ') + tail);
}

}  // namespace zotra
