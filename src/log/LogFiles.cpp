#include "LogFiles.h"

#include "common/Files.h"
#include "common/NumberFormat.h"
#include "common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <iterator>

namespace zotra {

// ---- records -------------------------------------------------------------------

QString FixedRecord(const QStringList& fields, const int* widths, int count) {
  QString record;
  for (int i = 0; i < count; ++i) record += FixedField(fields.value(i), widths[i]);
  return record;
}

QString ElectronicLogRecord(const QStringList& fields) {
  return FixedRecord(fields, kElectronicLogWidths, int(std::size(kElectronicLogWidths)));
}

QString TextLogRecord(const QStringList& fields) {
  return FixedRecord(fields, kTextLogWidths, int(std::size(kTextLogWidths)));
}

QString BandPart(const QString& bandSelection) {
  const int point = bandSelection.indexOf(QLatin1Char('.'));
  return point < 0 ? bandSelection : bandSelection.left(point);
}

QString BandFileName(const QString& bandSelection) { return BandPart(bandSelection) + QStringLiteral(".JARL"); }

QString TextLogFileName(const QString& bandSelection) { return BandPart(bandSelection) + QStringLiteral(".MHz"); }

QString ElectronicLogBand(const QString& band) {
  QString text = band;
  const int point = band.indexOf(QLatin1Char('.'));
  if (point >= 0 && band != QLatin1String("1.9") && band != QLatin1String("3.5")) {
    text = band.left(point) + QStringLiteral("000");
  }
  return PadLeft(text + QStringLiteral("  "), 7);
}

ExchangeParts SplitExchange(const QString& exchange, bool withReport) {
  ExchangeParts parts;
  if (withReport) {
    parts.report = TrimBlanks(exchange.left(3));
    parts.number = TrimBlanks(exchange.mid(3)).remove(QLatin1Char(' '));
  } else {
    parts.number = QString(exchange).remove(QLatin1Char(' '));
  }
  return parts;
}

QString ElectronicLogHeadingRecord() {
  return ElectronicLogRecord({QStringLiteral("DATE(JST)      "), QStringLiteral("TIME "), QStringLiteral(" MHz  "),
                              QStringLiteral("Mode  "), QStringLiteral("CALLSIGN      "), QStringLiteral("SENTN "),
                              QStringLiteral("No      "), QStringLiteral("RCVN "), QStringLiteral("o        "),
                              QStringLiteral("Multi   "), QStringLiteral("PTS ")});
}

QString ElectronicLogDashRecord() {
  return ElectronicLogRecord({QStringLiteral("-------------"), QStringLiteral("------"), QStringLiteral("--------"),
                              QStringLiteral("--------"), QStringLiteral("--------------"), QStringLiteral("----"),
                              QStringLiteral("-----------"), QStringLiteral("----"), QStringLiteral("-----------"),
                              QStringLiteral("--------"), QStringLiteral("---")});
}

QString HeadingLine() {
  return QStringLiteral("DATE(JST)  TIME   BAND  MODE  CALLSIGN   SENTNo      RCVNo       Multi  PTS");
}

namespace {

QString TextLogFilled(const QString& literal) {
  QStringList fields;
  for (int i = 0; i < int(std::size(kTextLogWidths)); ++i) fields << literal;
  return TextLogRecord(fields);
}

}  // namespace

QString TextLogEqualsRecord() { return TextLogFilled(QStringLiteral("==================")); }

QString TextLogDashRecord() { return TextLogFilled(QStringLiteral("------------------")); }

QString TextLogHeadingRecord(bool jst) {
  return TextLogRecord({QStringLiteral("月日"), jst ? QStringLiteral("JST") : QStringLiteral("UTC"),
                        QStringLiteral("Stn WKD"), QStringLiteral("Sent"), QStringLiteral("Rcv"),
                        QStringLiteral("Multi"), QStringLiteral("Pts"), QStringLiteral(" Op"), QStringLiteral("Rmk")});
}

QString TextLogTotalRecord(const OutputTotals& totals) {
  const qint64 multipliers = totals.multipliers[0] + totals.multipliers[1] + totals.multipliers[2];
  QStringList fields = {QStringLiteral(" Total"),
                        QString(),
                        FormatNumber(totals.qsos, QStringLiteral("######0")),
                        QString(),
                        QString(),
                        FormatNumber(multipliers, QStringLiteral("###")),
                        FormatNumber(totals.points, QStringLiteral("####")),
                        QString(),
                        QString()};
  // A points total of five digits or more would lose its last digits in its
  // four bytes: it takes the blanks of the empty operator field beside it.
  const QString points = fields.at(6);
  const int pointsWidth = kTextLogWidths[6];
  if (points.size() > pointsWidth) {
    fields[6] = points.left(pointsWidth);
    fields[7] = points.mid(pointsWidth);
  }
  return TextLogRecord(fields);
}

QString ElectronicLogRecordOf(const QsoTable& table, int row, const LogDefinition& definition) {
  QString date = table.Cell(row, col::kDate);
  if (date.size() >= 5) date[4] = QLatin1Char('-');
  if (date.size() >= 8) date[7] = QLatin1Char('-');
  const ExchangeParts sent = SplitExchange(table.Cell(row, col::kSent), definition.sentReport);
  const ExchangeParts received = SplitExchange(table.Cell(row, col::kReceived), definition.receivedReport);
  QString multi = TrimBlanks(table.Cell(row, col::kMulti1) + table.Cell(row, col::kMulti2) +
                             table.Cell(row, col::kMulti3));
  if (multi.isEmpty()) multi = QStringLiteral("-");
  return ElectronicLogRecord({date, table.Cell(row, col::kTime), ElectronicLogBand(table.Cell(row, col::kBand)),
                              table.Cell(row, col::kMode), table.Cell(row, col::kCall), sent.report, sent.number,
                              received.report, received.number, multi, table.Cell(row, col::kPoints)});
}

QString TextLogRecordOf(const QsoTable& table, int row) {
  return TextLogRecord({table.Cell(row, col::kDate).mid(5), table.Cell(row, col::kTime), table.Cell(row, col::kCall),
                        table.Cell(row, col::kSent), table.Cell(row, col::kReceived),
                        table.Cell(row, col::kMulti1) + table.Cell(row, col::kMulti2) + table.Cell(row, col::kMulti3),
                        table.Cell(row, col::kPoints), table.Cell(row, col::kOperator),
                        table.Cell(row, col::kRemarks)});
}

QStringList TextLogHeadingLines(const LogDefinition& definition, const QString& bandSelection) {
  const QString band = Upper(bandSelection) == QLatin1String("ALL") ? QStringLiteral("All Band")
                                                                     : bandSelection + QStringLiteral("MHz");
  return {QStringLiteral("LOG SHEET          ") + definition.yearFull + QStringLiteral(" 年     ") +
              definition.contestName + QStringLiteral(" コンテスト"),
          QStringLiteral("          Call Sign: ") + definition.myCall + QStringLiteral("    Band: ") + band};
}

// ---- the writer ------------------------------------------------------------------

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// One of the four files: written to a temporary file beside it, put in place
// by Commit.
struct Staged {
  QString path;
  std::unique_ptr<QSaveFile> file;
  bool lossy = false;
};

}  // namespace

struct LogFileWriter::Impl {
  QString folder;
  const LogSession& session;
  Staged heading, headingLine, band, text;
  QString scratchPath;
  QFile scratch;
  bool scratchLossy = false;

  Impl(const QString& f, const LogSession& s) : folder(WithSeparator(f)), session(s) {}

  // Every file in the order of Paths().
  Staged* All(int i) {
    Staged* all[] = {&heading, &headingLine, &band, &text};
    return all[i];
  }
};

LogFileWriter::LogFileWriter(const QString& folder, const LogSession& session)
    : impl_(std::make_unique<Impl>(folder, session)) {
  const QString selection = session.BandSelection();
  impl_->heading.path = ResolveInFolder(impl_->folder, kHeadingFileName);
  impl_->headingLine.path = ResolveInFolder(impl_->folder, kHeadingLineFileName);
  impl_->band.path = ResolveInFolder(impl_->folder, BandFileName(selection));
  impl_->text.path = ResolveInFolder(impl_->folder, TextLogFileName(selection));
  impl_->scratchPath = ResolveInFolder(impl_->folder, kScratchFileName);
}

LogFileWriter::~LogFileWriter() { Abort(); }

QStringList LogFileWriter::Paths() const {
  return {impl_->heading.path, impl_->headingLine.path, impl_->band.path, impl_->text.path};
}

bool LogFileWriter::Fail(const QString& path) {
  QString reason;
  for (int i = 0; i < 4; ++i) {
    const Staged* s = impl_->All(i);
    if (s->path == path && s->file && s->file->error() != QFileDevice::NoError) reason = s->file->errorString();
  }
  if (path == impl_->scratchPath && impl_->scratch.error() != QFileDevice::NoError) {
    reason = impl_->scratch.errorString();
  }
  error_ = QStringLiteral("ファイル %1 に書き込めません").arg(QDir::toNativeSeparators(path));
  if (!reason.isEmpty()) error_ += QStringLiteral("（%1）").arg(reason);
  Abort();
  return false;
}

namespace {

bool WriteRecord(QFileDevice& file, const QString& record, bool* lossy) {
  bool lost = false;
  QByteArray bytes = EncodeCp932(record, &lost);
  if (lost) *lossy = true;
  bytes += kCrLf;
  return file.write(bytes) == bytes.size();
}

bool OpenStaged(Staged& s) {
  s.file = std::make_unique<QSaveFile>(s.path);
  return s.file->open(QIODevice::WriteOnly);
}

}  // namespace

bool LogFileWriter::Begin() {
  Impl& d = *impl_;
  // The scratch file of the text log's records, recreated.
  if (!DeleteFile(d.scratchPath)) return Fail(d.scratchPath);
  d.scratch.setFileName(d.scratchPath);
  if (!d.scratch.open(QIODevice::WriteOnly | QIODevice::Truncate)) return Fail(d.scratchPath);
  if (!WriteRecord(d.scratch, TextLogEqualsRecord(), &d.scratchLossy) ||
      !WriteRecord(d.scratch, TextLogHeadingRecord(d.session.definition.jst), &d.scratchLossy) ||
      !WriteRecord(d.scratch, TextLogDashRecord(), &d.scratchLossy)) {
    return Fail(d.scratchPath);
  }

  // Every file is opened now, so that a file that cannot be written stops the
  // pass before anything is printed.
  for (int i = 0; i < 4; ++i) {
    if (!OpenStaged(*d.All(i))) return Fail(d.All(i)->path);
  }
  if (!WriteRecord(*d.heading.file, ElectronicLogHeadingRecord(), &d.heading.lossy) ||
      !WriteRecord(*d.heading.file, ElectronicLogDashRecord(), &d.heading.lossy)) {
    return Fail(d.heading.path);
  }
  if (!WriteRecord(*d.headingLine.file, HeadingLine(), &d.headingLine.lossy)) return Fail(d.headingLine.path);
  return true;
}

bool LogFileWriter::Add(int row) {
  Impl& d = *impl_;
  if (!d.scratch.isOpen() || !d.band.file) return false;
  if (!WriteRecord(d.scratch, TextLogRecordOf(d.session.table, row), &d.scratchLossy)) return Fail(d.scratchPath);
  if (!WriteRecord(*d.band.file, ElectronicLogRecordOf(d.session.table, row, d.session.definition), &d.band.lossy)) {
    return Fail(d.band.path);
  }
  return true;
}

bool LogFileWriter::Finish(const OutputTotals& totals) {
  Impl& d = *impl_;
  if (!d.scratch.isOpen() || !d.text.file) return false;
  if (!WriteRecord(d.scratch, TextLogDashRecord(), &d.scratchLossy) ||
      !WriteRecord(d.scratch, TextLogTotalRecord(totals), &d.scratchLossy) ||
      !WriteRecord(d.scratch, TextLogEqualsRecord(), &d.scratchLossy) || !d.scratch.flush()) {
    return Fail(d.scratchPath);
  }
  d.scratch.close();
  if (d.scratch.error() != QFileDevice::NoError) return Fail(d.scratchPath);

  // The text log: the scratch file's first line, the two heading lines, then
  // the rest of the scratch file.
  QByteArray records;
  if (!ReadBytes(d.scratchPath, &records)) return Fail(d.scratchPath);
  const qsizetype firstEnd = records.indexOf(kCrLf) + kCrLf.size();
  bool lost = false;
  QByteArray headings;
  for (const QString& line : TextLogHeadingLines(d.session.definition, d.session.BandSelection())) {
    headings += EncodeCp932(line, &lost) + kCrLf;
  }
  d.text.lossy = d.scratchLossy || lost;
  QSaveFile& text = *d.text.file;
  if (text.write(records.left(firstEnd)) != firstEnd || text.write(headings) != headings.size() ||
      text.write(records.mid(firstEnd)) != records.size() - firstEnd) {
    return Fail(d.text.path);
  }
  QFile::remove(d.scratchPath);
  // Every file flushed, and the flush checked, before the points file and
  // the commit: QSaveFile's commit flushes without looking at the result, so
  // a disk that refused the last bytes of a file would have it put in place
  // cut short.
  for (int i = 0; i < 4; ++i) {
    Staged& s = *d.All(i);
    if (InjectedWriteFault(*s.file, s.path) || !s.file->flush()) return Fail(s.path);
  }
  return true;
}

bool LogFileWriter::Commit(Dialogs* dialogs) {
  Impl& d = *impl_;
  for (int i = 0; i < 4; ++i) {
    Staged& s = *d.All(i);
    if (!s.file || !s.file->commit()) return Fail(s.path);
    s.file.reset();
  }
  for (int i = 0; i < 4; ++i) {
    if (d.All(i)->lossy) ReportLossyWrite(d.All(i)->path, dialogs);
  }
  return true;
}

void LogFileWriter::Abort() {
  Impl& d = *impl_;
  for (int i = 0; i < 4; ++i) {
    Staged& s = *d.All(i);
    if (s.file) s.file->cancelWriting();
    s.file.reset();
  }
  if (d.scratch.isOpen()) d.scratch.close();
  if (QFileInfo(d.scratchPath).isFile()) QFile::remove(d.scratchPath);
}

}  // namespace zotra
