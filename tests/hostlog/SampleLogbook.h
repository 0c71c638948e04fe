// Logbooks for the tests: a few QSOs with every kind of field text, written by
// the stand-in's own writers, and the built libraries copied where the
// extraction looks for them.
#pragma once

#include "LogbookFiles.h"
#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace zotra::test {

inline QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

inline marqen::QsoEntry Entry(std::initializer_list<const char*> fields) {
  marqen::QsoEntry e;
  int i = 0;
  for (const char* f : fields) e.fields[static_cast<std::size_t>(i++)] = U8(f);
  return e;
}

// Five QSOs: a portable call, Japanese names and places (half-width katakana
// included), a satellite QSO, a 10 GHz QSO, a text that fills its field.
inline QList<marqen::QsoEntry> SampleEntries() {
  return {
      Entry({"1", "JA1ABC", "25/06/07", "06:01U", "599", "599", "7.025", "CW", "1001 M", "PM95uq", "YNB",
             "山田", "東京都千代田区", "QSB", "", "50", "JA1ZTR"}),
      Entry({"2", "JA8ZUT/1", "25/06/07", "15:30J", "59", "57", "145.030", "SSB", "100109 H", "", "NN",
             "ﾀﾛｳ", "港区 芝公園", "ﾃｽﾄ 移動", "GL:PM95", "", ""}),
      Entry({"3", "JR1YZD", "25/06/07", "09:21U", "59", "59", "S145.965", "FM", "1203", "", "", "", "",
             "%RS-44% satellite", "", "", ""}),
      Entry({"4", "JH1ABN", "25/06/07", "11:00U", "599", "579", "10240.050", "CW", "1107 P", "PM95uq", "",
             "佐藤", "", "", "10 GHz", "", ""}),
      // Field 12 fills its 48 bytes exactly: 24 double-byte characters.
      Entry({"5", "7K4QXS", "99/12/31", "23:59J", "599", "599", "50.530", "CW", "10007A", "QL07", "Y",
             "小笠原", "小笠原村小笠原村小笠原村小笠原村小笠原村小笠原村", "$DX", "", "", ""}),
  };
}

// The field texts of a record or an entry, in field order.
template <class Record>
QStringList Texts(const Record& record) {
  QStringList out;
  for (const QString& f : record.fields) out << f;
  return out;
}

inline void WriteHdb(const QString& path, const QList<marqen::QsoEntry>& entries) {
  marqen::HdbWriter w;
  ASSERT_TRUE(w.Open(path)) << path.toStdString();
  for (const auto& e : entries) ASSERT_TRUE(w.Add(e));
  ASSERT_TRUE(w.Close());
}

inline void WriteVer4(const QString& base, const QList<marqen::QsoEntry>& entries) {
  marqen::Ver4Writer w;
  ASSERT_TRUE(w.Open(base)) << base.toStdString();
  for (const auto& e : entries) ASSERT_TRUE(w.Add(e));
  ASSERT_TRUE(w.Close());
}

// Copies a built library (or tool) of the program folder into the folder.
inline QString CopyBuilt(const TempFolder& folder, const QString& name) {
  const QString to = folder.File(name);
  QFile::remove(to);
  EXPECT_TRUE(QFile::copy(BuiltProgram(name), to)) << name.toStdString();
  return to;
}

// Overwrites bytes of a file at a position.
inline void Patch(const QString& path, qint64 at, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.seek(at));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

inline QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Truncate(const QString& path, qint64 size) {
  QFile f(path);
  ASSERT_TRUE(f.resize(size));
}

}  // namespace zotra::test
