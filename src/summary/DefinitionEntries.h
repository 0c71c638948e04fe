// The contest definition as the totals program reads it: the file's list
// fields in order; an entry is the first field equal to a key (compared
// trimmed and upper-cased), its values the fields after it.
#pragma once

#include <QString>
#include <QStringList>

namespace zotra {

class DefinitionEntries {
 public:
  DefinitionEntries() = default;
  explicit DefinitionEntries(QStringList fields);
  // Reads the file (CP932); a missing file has no entries.
  static DefinitionEntries FromFile(const QString& path);

  // Whether the key stands in the file.
  bool Has(const QString& key) const;
  // The n-th value of the key's entry (1 for the first); empty when the key is
  // missing or the file ends first.
  QString Value(const QString& key, int n = 1) const;

  bool Found() const { return !fields_.isEmpty(); }

 private:
  int IndexOf(const QString& key) const;
  QStringList fields_;
  QStringList keys_;  // fields_ trimmed and upper-cased
};

}  // namespace zotra
