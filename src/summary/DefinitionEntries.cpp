#include "DefinitionEntries.h"

#include "common/ListFile.h"
#include "common/Text.h"

namespace zotra {

DefinitionEntries::DefinitionEntries(QStringList fields) : fields_(std::move(fields)) {
  keys_.reserve(fields_.size());
  for (const QString& f : fields_) keys_.append(Upper(TrimBlanks(f)));
}

DefinitionEntries DefinitionEntries::FromFile(const QString& path) {
  ListReader reader = ListReader::FromFile(path);
  QStringList fields;
  QString field;
  while (reader.Next(&field)) fields.append(field);
  return DefinitionEntries(std::move(fields));
}

int DefinitionEntries::IndexOf(const QString& key) const { return int(keys_.indexOf(Upper(key))); }

bool DefinitionEntries::Has(const QString& key) const { return IndexOf(key) >= 0; }

QString DefinitionEntries::Value(const QString& key, int n) const {
  const int at = IndexOf(key);
  if (at < 0 || n < 1 || at + n >= fields_.size()) return {};
  return fields_.at(at + n);
}

}  // namespace zotra
