#include "LogbookFiles.h"

#include "common/Text.h"

#include <QDate>
#include <QSet>

#include <cstring>

namespace marqen {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The CP932 bytes of a text cut to `width` bytes (whole characters), with a
// note when it had to change.
QByteArray FieldBytes(const QString& text, int width, int field, QList<WriteNote>* notes) {
  bool lossy = false;
  QByteArray bytes = zotra::EncodeCp932(text, &lossy);
  if (lossy && notes) {
    notes->append({field, FieldLabel(field) + U(" の CP932 にない文字を \"?\" にしました")});
  }
  if (bytes.size() > width) {
    const QString kept = zotra::LeftBytes(zotra::DecodeCp932(bytes), width);
    bytes = zotra::EncodeCp932(kept);
    if (notes) {
      notes->append({field, FieldLabel(field) + U(" を %1 バイトに切りました (\"%2\")").arg(width).arg(kept)});
    }
  }
  return bytes;
}

// The same, cut to a number of characters (the Ver4 texts).
QByteArray TextBytes(const QString& text, int characters, int field, QList<WriteNote>* notes) {
  QString kept = text;
  if (kept.size() > characters) {
    kept = kept.left(characters);
    if (notes) {
      notes->append({field, FieldLabel(field) + U(" を %1 文字に切りました (\"%2\")").arg(characters).arg(kept)});
    }
  }
  return FieldBytes(kept, 255, field, notes);
}

void Put(char* record, int offset, const QByteArray& bytes) {
  std::memcpy(record + offset, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void PutCount(char* header, qint32 count) {
  header[8] = static_cast<char>(count & 0xFF);
  header[9] = static_cast<char>((count >> 8) & 0xFF);
  header[10] = static_cast<char>((count >> 16) & 0xFF);
}

bool WriteHeaderCount(QFile& file, qint32 count) {
  char bytes[3];
  char header[16] = {};
  PutCount(header, count);
  std::memcpy(bytes, header + 8, 3);
  return file.seek(8) && file.write(bytes, 3) == 3;
}

}  // namespace

QString FieldLabel(int field) {
  static const char* const kLabels[] = {"交信番号", "呼出符号", "日付", "時刻", "His RST", "My RST",
                                        "周波数", "モード", "JCC/JCG", "GL", "QSL", "名前",
                                        "QTH", "Rmk1", "Rmk2", "出力", "運用者"};
  return field >= 0 && field < 17 ? U(kLabels[field]) : QString::number(field);
}

// ---- current database --------------------------------------------------------

HdbWriter::~HdbWriter() {
  if (file_.isOpen()) Close();
}

bool HdbWriter::Open(const QString& path) {
  file_.setFileName(path);
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  char header[kHeaderBytes] = {};
  std::memcpy(header, kHdbSignature.data(), kHdbSignature.size());
  header[12] = static_cast<char>(kHdbRecordBytes & 0xFF);
  header[13] = static_cast<char>(kHdbRecordBytes >> 8);
  count_ = 0;
  return file_.write(header, kHeaderBytes) == kHeaderBytes;
}

bool HdbWriter::Add(const QsoEntry& entry, QList<WriteNote>* notes) {
  if (!file_.isOpen() || count_ >= kMaxRecords) return false;
  char record[kHdbRecordBytes] = {};
  record[0] = static_cast<char>(kRecordMark);
  for (int i = 0; i < 17; ++i) {
    const FieldSlot slot = kHdbFields[static_cast<std::size_t>(i)];
    Put(record, slot.offset, FieldBytes(entry.fields[static_cast<std::size_t>(i)], slot.width, i, notes));
  }
  if (file_.write(record, kHdbRecordBytes) != kHdbRecordBytes) return false;
  ++count_;
  return true;
}

bool HdbWriter::Close() {
  if (!file_.isOpen()) return false;
  const bool ok = WriteHeaderCount(file_, count_) && file_.flush();
  file_.close();
  return ok;
}

// ---- Ver4 pair ---------------------------------------------------------------------

Ver4Writer::~Ver4Writer() {
  if (dbs_.isOpen()) Close();
}

bool Ver4Writer::Open(const QString& base) {
  dbs_.setFileName(base + QLatin1String("DBS"));
  dbr_.setFileName(base + QLatin1String("DBR"));
  if (!dbs_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  if (!dbr_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    dbs_.close();
    return false;
  }
  char header[kHeaderBytes] = {};
  std::memcpy(header, kDbsSignature.data(), kDbsSignature.size());
  header[11] = kDbsRecordBytes;
  char textHeader[kHeaderBytes] = {};
  std::memcpy(textHeader, kDbrSignature.data(), kDbrSignature.size());
  count_ = 0;
  return dbs_.write(header, kHeaderBytes) == kHeaderBytes && dbr_.write(textHeader, kHeaderBytes) == kHeaderBytes;
}

bool Ver4Writer::Add(const QsoEntry& entry, QList<WriteNote>* notes) {
  if (!dbs_.isOpen() || count_ >= kMaxRecords) return false;
  const auto& f = entry.fields;
  // Date yy/mm/dd and time hh:mm with its zone letter.
  const QString date = f[kDateField].trimmed();
  const QString time = f[kTimeField].trimmed();
  const int yy = date.mid(0, 2).toInt();
  const QDate day((yy < 50 ? 2000 : 1900) + yy, date.mid(3, 2).toInt(), date.mid(6, 2).toInt());
  const int hour = time.mid(0, 2).toInt();
  const int minute = time.mid(3, 2).toInt();
  if (date.size() != 8 || !day.isValid() || time.size() < 5 || hour > 23 || minute > 59) {
    if (notes) notes->append({kDateField, U("日付か時刻が読めないため書けません")});
    return false;
  }
  char record[kDbsRecordBytes];
  std::memset(record, ' ', sizeof record);
  record[ver4::kYear] = static_cast<char>(ByteOfYear(day.year()));
  record[ver4::kMonth] = static_cast<char>(day.month());
  record[ver4::kDay] = static_cast<char>(day.day());
  record[ver4::kHour] = static_cast<char>(hour);
  record[ver4::kMinute] = static_cast<char>(minute);
  record[ver4::kZone] = time.mid(5, 1).compare(QLatin1String("U"), Qt::CaseInsensitive) == 0 ? 1 : 0;

  // The call sign and its portable designator: the shorter side of the first
  // "/" is the designator. One in front ("KH0/JA1ABC") is marked by "$DX" in
  // remarks 2, which makes the reader put it in front again.
  QString call = f[kCallField].trimmed();
  QString designator;
  QString remarks1 = f[kRemarks1Field];
  QString remarks2 = f[kRemarks2Field];
  const auto hasDx = [&] { return remarks1.contains(QLatin1String("$DX")) || remarks2.contains(QLatin1String("$DX")); };
  const int slash = call.indexOf(QLatin1Char('/'));
  if (slash >= 0) {
    const QString left = call.left(slash);
    const QString right = call.mid(slash + 1);
    if (left.size() >= right.size()) {
      call = left;
      designator = right;
      if (hasDx() && notes) notes->append({kCallField, U("Rmk の \"$DX\" のため呼出符号の順が入れ替わります")});
    } else {
      designator = left;
      call = right.section(QLatin1Char('/'), 0, 0);
      if (right.contains(QLatin1Char('/')) && notes) {
        notes->append({kCallField, U("呼出符号の後ろの \"/%1\" は書けません").arg(right.section(QLatin1Char('/'), 1))});
      }
      if (!hasDx()) remarks2 = zotra::TrimBlanks(remarks2 + QLatin1String(" $DX"));
    }
  } else if (hasDx() && notes) {
    notes->append({kCallField, U("Rmk に \"$DX\" があります")});
  }
  Put(record, ver4::kCall, FieldBytes(call, ver4::kCallBytes, kCallField, notes));
  Put(record, ver4::kDesignator, FieldBytes(designator, ver4::kDesignatorBytes, kCallField, notes));
  Put(record, ver4::kHisRst, FieldBytes(f[kHisRstField], ver4::kRstBytes, kHisRstField, notes));
  Put(record, ver4::kMyRst, FieldBytes(f[kMyRstField], ver4::kRstBytes, kMyRstField, notes));
  const QByteArray frequency = FieldBytes(f[kFrequencyField], ver4::kFrequencyBytes, kFrequencyField, notes);
  Put(record, ver4::kFrequency, frequency);
  const int band = BandCode(std::string_view(frequency.constData(), static_cast<std::size_t>(frequency.size())));
  record[ver4::kBand] = static_cast<char>(band < 0 ? 255 : band);
  Put(record, ver4::kMode, FieldBytes(f[kModeField], ver4::kModeBytes, kModeField, notes));
  Put(record, ver4::kArea, FieldBytes(f[kAreaField], ver4::kAreaBytes, kAreaField, notes));
  Put(record, ver4::kGrid, FieldBytes(f[kGridField], ver4::kGridBytes, kGridField, notes));
  Put(record, ver4::kQsl, FieldBytes(f[kQslField], ver4::kQslBytes, kQslField, notes));

  QByteArray texts;
  for (const auto& [text, limit, field] :
       {std::tuple{f[kQthField], ver4::kQthChars, int(kQthField)}, std::tuple{remarks1, ver4::kRemarksChars, int(kRemarks1Field)},
        std::tuple{remarks2, ver4::kRemarksChars, int(kRemarks2Field)}, std::tuple{f[kNameField], ver4::kNameChars, int(kNameField)}}) {
    const QByteArray bytes = TextBytes(text, limit, field, notes);
    texts.append(static_cast<char>(bytes.size()));
    texts.append(bytes);
  }
  quint32 offset = 0;
  if (texts.count('\0') != texts.size()) {
    offset = static_cast<quint32>(dbr_.pos());
    if (dbr_.write(texts) != texts.size()) return false;
  }
  for (int i = 0; i < 4; ++i) record[ver4::kTexts + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
  if (dbs_.write(record, kDbsRecordBytes) != kDbsRecordBytes) return false;
  ++count_;
  return true;
}

bool Ver4Writer::Close() {
  if (!dbs_.isOpen()) return false;
  const bool ok = WriteHeaderCount(dbs_, count_) && dbs_.flush() && dbr_.flush();
  dbs_.close();
  dbr_.close();
  return ok;
}

// ---- master file ---------------------------------------------------------------------

bool WriteMaster(const QString& path, const QList<MasterRecord>& records, MasterVersion version) {
  const MasterLayout layout = version == MasterVersion::Records55   ? kMaster55
                              : version == MasterVersion::Records56 ? kMaster56
                                                                     : kMaster56Code;
  QByteArray out(kMasterHeaderBytes, '\0');
  std::memcpy(out.data(), kMasterSignature.data(), kMasterSignature.size());
  PutCount(out.data(), static_cast<qint32>(records.size()));
  out[kMasterVersionByte] = static_cast<char>(layout.recordBytes);
  const QByteArray title = zotra::EncodeCp932(U("MARQEN 市郡区町村マスター"));
  std::memcpy(out.data() + 16, title.constData(), static_cast<std::size_t>(title.size()));
  out[kMasterVariantByte] = version == MasterVersion::Records56CodeFirst ? 1 : 0;
  for (const MasterRecord& r : records) {
    QByteArray record(layout.recordBytes, '\0');
    const QByteArray code = zotra::EncodeCp932(r.code.leftJustified(kMasterCodeBytes, QLatin1Char(' '), true));
    std::memcpy(record.data() + layout.code, code.constData(), kMasterCodeBytes);
    const QByteArray name = zotra::EncodeCp932(zotra::LeftBytes(r.name, kMasterNameBytes));
    std::memcpy(record.data() + layout.name, name.constData(), static_cast<std::size_t>(name.size()));
    record[layout.level] = r.level;
    const QByteArray region = r.region.toLatin1().left(2);
    std::memcpy(record.data() + layout.region, region.constData(), static_cast<std::size_t>(region.size()));
    out.append(record);
  }
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(out) == out.size();
}

QList<MasterRecord> MasterRecordsFromList(const QString& listText, QStringList* problems) {
  QList<MasterRecord> records;
  QSet<QString> cities;
  QSet<QString> codes;
  const QStringList lines = zotra::SplitLines(listText);
  for (int i = 1; i < lines.size(); ++i) {
    const QStringList cols = lines.at(i).split(QLatin1Char('\t'));
    if (lines.at(i).trimmed().isEmpty()) continue;
    if (cols.size() < 4 || cols.at(3).size() != 1 || cols.at(0).size() < 2) {
      if (problems) problems->append(U("%1 行目が読めません: %2").arg(i + 1).arg(lines.at(i)));
      continue;
    }
    // The prefecture number leads every code; a subprefecture lies in Hokkaido.
    const QString code = cols.at(0);
    MasterRecord r{code, cols.at(1), cols.at(3).at(0).toLatin1(), code.size() == 3 ? QStringLiteral("01") : code.left(2)};
    codes.insert(r.code);
    // A city divided into wards appears only through its wards; it gets a
    // record of its own, named by the ward's name up to "市". Tokyo's wards
    // belong to no city.
    if (r.level == '6' && !r.code.startsWith(QLatin1String("1001"))) {
      const QString city = r.code.left(4);
      const int shi = r.name.indexOf(U("市"));
      if (!cities.contains(city) && shi > 0) {
        cities.insert(city);
        records.append({city, r.name.left(shi + 1), '4', r.region});
      }
    }
    records.append(r);
  }
  // A city that the list names itself is not added twice.
  QList<MasterRecord> out;
  for (const MasterRecord& r : records) {
    if (r.level == '4' && cities.contains(r.code) && codes.contains(r.code)) {
      cities.remove(r.code);
      continue;
    }
    out.append(r);
  }
  return out;
}

QStringList HokkaidoLinesFromList(const QString& listText, QStringList* problems) {
  QStringList out;
  QSet<QString> cities;
  const QStringList lines = zotra::SplitLines(listText);
  for (int i = 1; i < lines.size(); ++i) {
    if (lines.at(i).trimmed().isEmpty()) continue;
    const QStringList cols = lines.at(i).split(QLatin1Char('\t'));
    if (cols.size() < 2 || cols.at(0).size() < 4 || cols.at(1).size() != 3) {
      if (problems) problems->append(U("%1 行目が読めません: %2").arg(i + 1).arg(lines.at(i)));
      continue;
    }
    const QString code = cols.at(0);
    // The Sapporo wards give their city ("0101") its own line.
    if (code.size() == 6 && !cities.contains(code.left(4))) {
      cities.insert(code.left(4));
      out << code.left(4) + QLatin1Char(',') + cols.at(1);
    }
    out << code + QLatin1Char(',') + cols.at(1);
  }
  return out;
}

}  // namespace marqen
