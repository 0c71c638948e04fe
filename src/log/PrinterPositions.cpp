#include "PrinterPositions.h"

#include "common/Files.h"
#include "common/ListFile.h"
#include "common/NumberFormat.h"
#include "common/Text.h"
#include "common/gui/Printers.h"

#include <QFileInfo>
#include <QPrinterInfo>

#include <cmath>

namespace zotra {
namespace {

// Steps of 0.1 and 0.01 add binary noise (−9.9 − 0.1 is −10.000000000000002);
// values are kept to four decimals, so that the limits compare as shown.
double Clean(double value) { return std::round(value * 10000) / 10000; }

}  // namespace

QList<InstalledPrinter> InstalledPrinters() {
  QList<InstalledPrinter> printers;
  for (const QString& name : PrinterNames()) {
    InstalledPrinter p;
    p.name = name;
    if (name != kPdfPrinterName) p.driver = QPrinterInfo::printerInfo(name).makeAndModel();
    printers << p;
  }
  return printers;
}

QString PrinterFilePath(const QString& folder) {
  const QString old = ResolveInFolder(folder, kOldPrinterFileName);
  if (FileExists(old)) return old;
  return ResolveInFolder(folder, kPrinterFileName);
}

PrinterPositionTable PrinterPositionTable::Build(const QList<InstalledPrinter>& printers, const QString& fileText) {
  PrinterPositionTable table;
  for (const InstalledPrinter& p : printers) {
    if (Upper(TrimBlanks(p.driver)) == kExcludedDriver) continue;
    table.rows_ << PrinterPosition{p.name, 0, 0, 1};
  }
  for (const QString& line : SplitLines(fileText)) {
    const QStringList f = SplitListLine(line);
    if (f.isEmpty() || f.first().isEmpty()) continue;
    const PrinterPosition record{f.value(0), Clean(Val(f.value(1))), Clean(Val(f.value(2))),
                                 Calibration::ClampScale(Val(f.value(3)))};
    if (table.Set(record.name, record.horizontal, record.vertical, record.scale)) continue;
    // A printer that is not installed now (or has the excluded driver): kept,
    // under its name as it will be written back, so that two records whose
    // names differ only in what the file cannot hold stay one.
    PrinterPosition absent = record;
    absent.name = QuoteField(record.name).mid(1).chopped(1);
    bool replaced = false;
    for (PrinterPosition& kept : table.absent_) {
      if (kept.name == absent.name) {
        kept = absent;
        replaced = true;
      }
    }
    if (!replaced) table.absent_ << absent;
  }
  return table;
}

PrinterPositionTable PrinterPositionTable::Load(const QString& folder) {
  const QString path = PrinterFilePath(folder);
  QString text;
  // No file: every printer starts with 0, 0, 1. A file that is there but
  // cannot be read is never written back: that would lose every printer's
  // calibration for the defaults.
  const bool read = ReadText(path, &text);
  PrinterPositionTable table = Build(InstalledPrinters(), text);
  table.path_ = path;
  table.unreadable_ = !read && QFileInfo::exists(path);
  return table;
}

const PrinterPosition* PrinterPositionTable::Find(const QString& name) const {
  for (const PrinterPosition& row : rows_) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

Calibration PrinterPositionTable::CalibrationOf(const QString& name) const {
  const PrinterPosition* row = Find(name);
  return row ? row->ToCalibration() : Calibration{};
}

bool PrinterPositionTable::Set(const QString& name, double horizontal, double vertical, double scale) {
  for (PrinterPosition& row : rows_) {
    if (row.name != name) continue;
    row.horizontal = Clean(horizontal);
    row.vertical = Clean(vertical);
    row.scale = Calibration::ClampScale(Clean(scale));
    return true;
  }
  return false;
}

QString PrinterPositionTable::FileText() const {
  ListWriter writer;
  for (const QList<PrinterPosition>* list : {&rows_, &absent_}) {
    for (const PrinterPosition& p : *list) {
      writer.Text(p.name).Decimal(p.horizontal).Decimal(p.vertical).Decimal(p.scale).EndRecord();
    }
  }
  return writer.Result();
}

bool PrinterPositionTable::Save() const {
  return !path_.isEmpty() && !unreadable_ && WriteText(path_, FileText(), WriteMode::Safe);
}

double StepOffset(double value, int direction) {
  if (direction < 0 && value > -10) return Clean(value - 0.1);
  if (direction > 0 && value < 10) return Clean(value + 0.1);
  return value;
}

double StepScale(double value, int direction) {
  if (direction > 0 && value < Calibration::kMaximumScale) return Clean(value + 0.01);
  if (direction < 0 && value > Calibration::kMinimumScale) return Clean(value - 0.01);
  return value;
}

QString OffsetText(double value) { return FormatNumber(value, QStringLiteral("00.0")); }
QString ScaleText(double value) { return FormatNumber(value, QStringLiteral("0.00")); }

}  // namespace zotra
