// The tables of the area-code conversion: the fixed region table (prefectures,
// the islands, the Hokkaido subprefectures), the Hokkaido table
// ("hokkaido.txt": city or county code → subprefecture number) and the master
// table read from the host logbook's master file "MARQEN.MST".
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace zotra {

class Dialogs;

// ---- region table --------------------------------------------------------------

// The name of a region number: 1–47 prefectures, 48 小笠原, 49 沖の鳥島,
// 50 南鳥島, 101–114 the Hokkaido subprefectures; empty for any other number.
QString RegionName(int number);
// The number of a region name (exact); 0 when none.
int RegionNumber(const QString& name);
// A region number as a code: two digits up to 99, three from 100 ("01", "101").
QString RegionCode(int number);
// The key-region list: "全都道府県", then the names of regions 1 to 50; the
// index of an entry is its region number.
QStringList KeyRegionChoices();

// ---- master and Hokkaido tables --------------------------------------------------

struct MasterEntry {
  QString code;   // up to six characters
  QString name;   // half-width where the code page has half-width forms
  QChar level;    // "4" to "8"
};

class AreaTables {
 public:
  enum class MasterResult {
    Loaded,          // possibly with a message about a damaged file
    UnknownVersion,  // told; the program ends
  };

  // Reads "hokkaido.txt" (lines "code,number"). A missing file is told with
  // "北海道テーブルが見当たりません"; the table stays empty. False then.
  bool LoadHokkaido(const QString& path, Dialogs& dialogs);
  // Reads the master file; its version from byte 11 (55, or 56 in two
  // variants told apart by byte 177), records from byte 290; keeps levels
  // "4" to "8".
  MasterResult LoadMaster(const QString& path, Dialogs& dialogs);

  // For tests and tools: tables built in memory.
  void AddHokkaido(const QString& code, const QString& subprefecture) { hokkaido_.insert(code, subprefecture); }
  void AddMaster(const MasterEntry& entry);

  // The subprefecture number ("106") of a Hokkaido city or county code; empty when unknown.
  QString HokkaidoSubprefecture(const QString& code) const { return hokkaido_.value(code); }
  // The master name of a code, and the code of a master name (the first in the file).
  QString MasterName(const QString& code) const { return nameOfCode_.value(code); }
  QString MasterCode(const QString& name) const { return codeOfName_.value(name); }
  // The longest leading part of the text that is a master name: its code, and
  // the name in *name; empty when no leading part is one.
  QString LongestMasterName(const QString& text, QString* name = nullptr) const;
  // True for the four-character code of a city that has wards.
  bool CityHasWards(const QString& code) const { return wardCities_.contains(code); }

  int MasterVersion() const { return masterVersion_; }  // 55 or 56, 0 before loading
  const QList<MasterEntry>& Master() const { return master_; }

 private:
  QHash<QString, QString> hokkaido_;
  QList<MasterEntry> master_;
  QHash<QString, QString> nameOfCode_;
  QHash<QString, QString> codeOfName_;
  QSet<QString> wardCities_;
  int longestName_ = 0;
  int masterVersion_ = 0;
};

}  // namespace zotra
