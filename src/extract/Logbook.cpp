#include "Logbook.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zotra {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A field text from the library's bytes: ASCII directly, in the text's own
// storage (most fields are, and most keep their length from record to
// record), everything else through the code page.
void SetText(QString& out, const char* bytes, int length) {
  if (out.size() != length || !out.isDetached()) out.resize(length);
  QChar* d = out.data();
  for (int i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x80) {
      out = DecodeCp932(QByteArray::fromRawData(bytes, length));
      return;
    }
    d[i] = QChar(byte);
  }
}

// The folder of a file, with its separator.
QString FolderOf(const QString& path) { return WithSeparator(QFileInfo(path).absolutePath()); }

}  // namespace

LogbookMode ModeOfPath(const QString& databasePath) {
  return Upper(databasePath.right(3)) == QLatin1String("HDB") ? LogbookMode::New : LogbookMode::Old;
}

bool CheckLogbookLocations(const QString& databasePath, const QString& masterPath, Dialogs& dialogs) {
  if (!FileExists(ResolvePath(databasePath))) {
    dialogs.Tell(U("Marqen.DBS が見つかりません\n") + databasePath);
    return false;
  }
  if (!FileExists(ResolvePath(masterPath))) {
    dialogs.Tell(U("Marqen.Mst が見つかりません\n") + masterPath);
    return false;
  }
  return true;
}

QString BandOfCode(int code) {
  static const char* const kBands[] = {"1.9", "3.5", "7",   "10",  "14",   "18",   "21",   "24",
                                       "28",  "50",  "144", "430", "1200", "2400", "5600", "SAT"};
  return code >= 0 && code < 16 ? QString::fromLatin1(kBands[code]) : QString();
}

Logbook::Logbook(Dialogs& dialogs) : dialogs_(dialogs) {}

Logbook::~Logbook() {
  // Leaving without Close (a run cut short) still releases the files.
  library_.Unload();
  ver4_.Close();
}

Logbook::OpenResult Logbook::Open(const QString& databasePath, const QString& programFolder) {
  if (open_) Close();
  damaged_.clear();
  guessed_.clear();
  count_ = 0;
  label_ = databasePath;
  labelWarning_ = false;
  mode_ = ModeOfPath(databasePath);
  if (mode_ == LogbookMode::Old) {
    dialogs_.Tell(U("MARQEN Ver4.x モードで動作します"));
    return OpenOld(databasePath);
  }
  return OpenNew(databasePath, programFolder);
}

Logbook::OpenResult Logbook::OpenNew(const QString& path, const QString& programFolder) {
  const QString base = path.left(path.size() - 4);
  const QString database = ResolvePath(base + QLatin1String(".HDB"));
  if (!FileExists(database)) {
    dialogs_.Tell(U("MARQEN データベースが見つかりません\n他のプログラムが使用中ではないでしょうか？\n"
                    "ZOTRA は異常終了します"));
    return OpenResult::Fatal;
  }
  qint32 headerCount = 0;
  {
    QFile f(database);
    const QByteArray header = f.open(QIODevice::ReadOnly) ? f.read(16) : QByteArray();
    if (header.size() < 16) {
      dialogs_.Tell(U("MARQEN データベースの先頭 16 バイトが読めません\n") + database);
      return OpenResult::Failed;
    }
    const auto* h = reinterpret_cast<const unsigned char*>(header.constData());
    headerCount = static_cast<qint32>(h[8] | (h[9] << 8) | (h[10] << 16));
  }

  const QString marqen50 = ResolveInFolder(FolderOf(path), QStringLiteral("marqen50.dll"));
  const QString mqdll2vb = ResolveInFolder(programFolder, QStringLiteral("mqdll2vb.dll"));
  bool missing = false;
  for (const QString& library : {marqen50, mqdll2vb}) {
    if (!FileExists(library)) {
      dialogs_.Tell(library + U("\nが見つからないので実行出来ません"));
      missing = true;
    }
  }
  if (missing) return OpenResult::Fatal;
  QString failed;
  if (!library_.Load(marqen50, mqdll2vb, &failed)) {
    dialogs_.Tell(failed + U("\nを読み込めないので実行出来ません"));
    return OpenResult::Fatal;
  }

  bool lossy = false;
  const QByteArray ansiBase = EncodeCp932(base, &lossy);
  if (lossy || ansiBase.size() >= HostLibrary::kBufferBytes) {
    dialogs_.Tell(U("MARQEN Open 失敗\nデータベースのパスは CP932 で 255 バイトまでです\n") + base);
    library_.Unload();
    return OpenResult::Failed;
  }
  if (library_.Open(ansiBase) != 0) {
    dialogs_.Tell(U("MARQEN Open 失敗"));
    library_.Unload();
    return OpenResult::Failed;
  }
  open_ = true;
  count_ = headerCount;
  // A file cut short: the header promises records that are not there. The
  // last one that is there is found by halving.
  if (count_ > 0 && library_.Read(count_) == HostLibrary::kNoSuchRecord) {
    qint32 readable = 0, missingFrom = count_;
    while (missingFrom - readable > 1) {
      const qint32 mid = readable + (missingFrom - readable) / 2;
      if (library_.Read(mid) == HostLibrary::kNoSuchRecord) missingFrom = mid;
      else readable = mid;
    }
    ClampToReadable(database, headerCount, readable);
  }
  return OpenResult::Opened;
}

Logbook::OpenResult Logbook::OpenOld(const QString& path) {
  QString base = path.left(path.size() - 3);
  if (!base.endsWith(QLatin1Char('.'))) base += QDir::separator() + QStringLiteral("MARQEN.");
  label_ = base + QLatin1String("DBS");
  labelWarning_ = true;
  const QString dbs = ResolvePath(base + QLatin1String("DBS"));
  const QString dbr = ResolvePath(base + QLatin1String("DBR"));
  const QString advice = U("\nMARQEN が動いている場合は終了させてください");
  if (!FileExists(dbs)) {
    dialogs_.Tell(base + U("DBS  が　見つかりません") + advice, QStringLiteral("MarqenOpen"));
    return OpenResult::Failed;
  }
  if (!FileExists(dbr)) {
    dialogs_.Tell(base + U("DBR  が　見つかりません") + advice, QStringLiteral("MarqenOpen"));
    return OpenResult::Failed;
  }
  if (!ver4_.Open(dbs, dbr)) {
    dialogs_.Tell(U("MARQEN Ver4.x のデータベースとして読めません\n") + dbs, QStringLiteral("MarqenOpen"));
    return OpenResult::Failed;
  }
  labelWarning_ = false;
  open_ = true;
  count_ = ver4_.HeaderCount();
  if (ver4_.RecordsInFile() < count_) ClampToReadable(dbs, count_, ver4_.RecordsInFile());
  return OpenResult::Opened;
}

void Logbook::ClampToReadable(const QString& path, qint32 headerCount, qint32 readable) {
  dialogs_.Tell(U("MARQEN データベースが途中で切れています\n%1\n見出しの件数 %2 件のうち、読める %3 件を読みます")
                    .arg(path)
                    .arg(headerCount)
                    .arg(readable));
  count_ = readable;
}

void Logbook::TellDamaged(qint32 number, const QString& how) {
  if (damaged_.contains(number)) return;
  damaged_.insert(number);
  // The first is told at once; the others are counted and told on closing.
  if (damaged_.size() == 1) dialogs_.Tell(U("交信番号 %1 のデータが壊れています\n").arg(number) + how);
}

bool Logbook::Read(qint32 number, QsoRecord* record) { return ReadTime(number, record) && ReadRest(record); }

bool Logbook::ReadTime(qint32 number, QsoRecord* record) {
  if (!open_ || number < 1 || number > count_) return false;
  if (mode_ == LogbookMode::Old) return ReadOld(number, record, false);
  if (!ReadCurrent(number)) return false;
  record->number = number;
  ReadFields(static_cast<int>(QsoField::Date), static_cast<int>(QsoField::Time), record);
  return true;
}

bool Logbook::ReadRest(QsoRecord* record) {
  if (mode_ == LogbookMode::Old) return ReadOld(record->number, record, true);
  // The record once more, every field in order, as the libraries are used.
  if (!ReadCurrent(record->number)) return false;
  ReadFields(0, kQsoFieldCount - 1, record);
  return true;
}

bool Logbook::ReadCurrent(qint32 number) {
  const int state = library_.Read(number);
  if (state == HostLibrary::kDamaged) TellDamaged(number, U("この交信は読み飛ばします"));
  return state == HostLibrary::kRead;
}

void Logbook::ReadFields(int first, int last, QsoRecord* record) {
  for (int i = first; i <= last; ++i) {
    int length = 0;
    const char* bytes = library_.Field(i, &length);
    int from = 0;
    while (from < length && bytes[from] == ' ') ++from;
    while (length > from && bytes[length - 1] == ' ') --length;
    SetText(record->fields[static_cast<std::size_t>(i)], bytes + from, length - from);
  }
}

bool Logbook::ReadOld(qint32 number, QsoRecord* record, bool whole) {
  const Ver4Logbook::ReadResult r = ver4_.Read(number, record, whole);
  if (r.damage == Ver4Logbook::Damage::Record) {
    TellDamaged(number, U("この交信は読み飛ばします"));
    return false;
  }
  if (!r.read) return false;
  if (r.damage == Ver4Logbook::Damage::Texts) TellDamaged(number, U("QTH・Rmk・名前を空にして読みます"));
  if (!r.guessedBand.isEmpty() && !guessed_.contains(number)) {
    guessed_.insert(number);
    dialogs_.Tell(U("交信番号 %1 の交信周波数が変です\n%2 MHz と判断しました").arg(number).arg(r.guessedBand));
  }
  return true;
}

FrequencyBand Logbook::BandOfFrequency(const QString& frequency, qint32 recordNumber) {
  if (mode_ == LogbookMode::New) {
    const QString band = BandOfCode(library_.FrequencyCode(EncodeCp932(frequency)));
    return {band, band.isEmpty()};
  }
  bool centimetre = false;
  const QString band = Ver4BandOfFrequency(frequency, &centimetre);
  if (band.isEmpty() && !centimetre) {
    dialogs_.Tell(frequency + U("\n交信番号 %1 の交信周波数は 無効です").arg(recordNumber));
  }
  return {band, centimetre};
}

void Logbook::Close() {
  if (mode_ == LogbookMode::New) library_.Unload();
  else ver4_.Close();
  if (damaged_.size() > 1) {
    dialogs_.Tell(U("壊れているデータが全部で %1 件ありました\n読めたデータだけを使いました").arg(damaged_.size()));
  }
  damaged_.clear();
  guessed_.clear();
  open_ = false;
  count_ = 0;
}

}  // namespace zotra
