// Area-code conversion: brings a record's area code (JCC/JCG number) and QTH
// name to the level a contest asks for, separately for the operator's key
// region and for all other regions.
//
// Code forms: 2 digits prefecture ("01"–"50"), 3 digits Hokkaido
// subprefecture ("101"–"114"), 4 digits city, 5 digits county, 6 digits ward
// (city code + 2 digits), 5 digits + one letter town (county code + letter).
#pragma once

#include "AreaTables.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zotra {

class Dialogs;

// The level option buttons of a region group.
enum class AreaLevel {
  Prefecture,  // Option3 "都道府県に揃えます"
  CityCounty,  // Option4 "市郡レベルに揃えます"
  Town,        // Option5 "町村レベルまで使用"
  AsLogged,    // Option6 "変更しない"
};

struct AreaGroupOptions {
  AreaLevel level = AreaLevel::AsLogged;
  bool wardsAsCities = false;        // Check1 "区は市に"
  bool tokyoWardsAsCities = false;   // Check4 "東京の区は市扱い"
  bool dropPrefectureName = false;   // Check2 "県名は消す"
};

// Hokkaido at prefecture level.
enum class HokkaidoChoice {
  WholeHokkaido,   // Option1 "01 北海道"
  Subprefecture,   // Option2 "支庁に変換"
};

inline constexpr int kKeyGroup = 0;
inline constexpr int kOtherGroup = 1;

struct AreaOptions {
  std::array<AreaGroupOptions, 2> groups;  // kKeyGroup, kOtherGroup
  int keyRegion = 0;                       // Combo1: 0 "全都道府県", else the region number 1–50
  HokkaidoChoice hokkaido = HokkaidoChoice::WholeHokkaido;
  bool qthFromAreaCode = false;            // Check5 "Qth 欄は Jcc 欄から変換して使用"
};

// ---- the window's rules for the options -------------------------------------

// Choosing a key region (a Combo1 index): the groups it enables go back to
// "変更しない" with their check boxes cleared.
void SelectKeyRegion(AreaOptions* options, int index);
// With "全都道府県" the other-regions group is disabled.
bool OtherRegionsEnabled(const AreaOptions& options);
// The Hokkaido choice is offered while a group that can hold Hokkaido is at
// prefecture level.
bool HokkaidoChoiceOffered(const AreaOptions& options);

// ---- errors -------------------------------------------------------------------

enum AreaError {
  kAreaNoError = 0,
  kAreaLookupFailed = 1,     // "MARQEN.MST 検索エラー"
  kAreaNotTown = 2,          // "町村コード(名)でない"
  kAreaNotWard = 3,          // "区コード(名)でない"
  kAreaBadInput = 4,         // "引用したデータがおかしい"
  kAreaNoPrefecture = 6,     // "都道府県コード(名)取得エラー"
  kAreaAboveCity = 7,        // "市郡より上位のコードです"
  kAreaBadLevel = 8,         // "コードのレベルがおかしい"
};

// The text of an error number; empty for 0 and unknown numbers.
QString AreaErrorText(int number);

// ---- the conversion ------------------------------------------------------------------

class AreaCodeConverter {
 public:
  // The Ogasawara question's choices and the codes they give.
  static QStringList OgasawaraChoices();  // "東京都 (10)", "小笠原 (48)", "沖の鳥島 (49)", "南鳥島 (50)"
  static QStringList OgasawaraCodes();    // "10", "48", "49", "50"

  AreaCodeConverter(const AreaTables& tables, const AreaOptions& options, Dialogs& dialogs);

  // Clears the error state at the start of a record; `qso` names the record
  // in the Ogasawara question ("JD1ABC  2025/06/07 22:05 (交信番号 6)").
  void BeginRecord(const QString& qso = {});

  // The record's area-code field: half-width, upper case, trimmed; its head
  // (up to the first blank) converted by the code rules; the text behind it kept.
  QString ConvertAreaCode(const QString& areaCodeField);
  // The record's QTH field (with "Qth 欄は Jcc 欄から変換して使用" taken from the
  // area-code field as it is at that point).
  QString ConvertQth(const QString& qth, const QString& areaCodeField);

  // The first error of the record (0 = none), its text and the offending code or name.
  int ErrorNumber() const { return error_; }
  QString ErrorMessage() const { return AreaErrorText(error_); }
  const QString& ErrorCode() const { return errorCode_; }

  // The parts, for the window and the tests.
  // The region group of a code: kKeyGroup or kOtherGroup.
  int GroupOf(const QString& code) const;
  // The code rules of the code's group; the code itself when they give nothing.
  QString ConvertCode(const QString& code);
  // Code ↔ name: a name gives its region number or master code, a code of 2
  // or 3 digits its region name, a code of 4 to 6 characters its master name.
  // Empty (error 1, or 4 for an unusable input) when not found.
  QString CodeOrName(const QString& text);

 private:
  void Fail(int number, const QString& code);
  QString NameOfCode(const QString& code);
  QString AskOgasawara();

  const AreaTables& tables_;
  AreaOptions options_;
  Dialogs& dialogs_;
  int error_ = 0;
  QString errorCode_;
  int lastOgasawara_ = 1;  // the choice offered first: "小笠原 (48)"
  bool askedOgasawara_ = false;  // this record's answer holds for its QTH too
  bool ogasawaraForRest_ = false;  // the answer holds for the rest of the run
  QString qso_;
};

}  // namespace zotra
