// The printer position table: for every installed printer its horizontal and
// vertical offset (mm) and its scale, so that the data of the log sheet land
// in the boxes of the preprinted form. Kept in the printer settings file
// "VQ___PRT.DAT" (when it exists) or "ZOTRAPRT.DAT": one record per line,
// the printer's name quoted, then the two offsets and the scale, bare.
#pragma once

#include "common/gui/PrintSurface.h"

#include <QList>
#include <QString>

namespace zotra {

inline const QString kOldPrinterFileName = QStringLiteral("VQ___PRT.DAT");
inline const QString kPrinterFileName = QStringLiteral("ZOTRAPRT.DAT");

// A printer whose driver is this has no row (and prints with 0, 0, 1).
inline const QString kExcludedDriver = QStringLiteral("WPSUNI");

struct InstalledPrinter {
  QString name;
  QString driver;  // the driver's name where the system has one (see InstalledPrinters)
};

// The entries of the printer list (PrinterNames(): the installed printers,
// then the PDF file). The system's printer model ("make and model") stands
// for the driver's name; the PDF file has none.
QList<InstalledPrinter> InstalledPrinters();

struct PrinterPosition {
  QString name;
  double horizontal = 0;  // mm, added to every x
  double vertical = 0;    // mm, added to every y
  double scale = 1;

  Calibration ToCalibration() const { return {horizontal, vertical, scale}; }
  bool operator==(const PrinterPosition&) const = default;
};

// The printer settings file of the folder: "VQ___PRT.DAT" when it exists,
// otherwise "ZOTRAPRT.DAT" (names matched without regard to case).
QString PrinterFilePath(const QString& folder);

class PrinterPositionTable {
 public:
  // One row per printer whose driver is not "WPSUNI", in the printers'
  // order, with 0, 0, 1; a record of the file text whose name equals a row's
  // sets that row, its scale kept within 0.9 … 1.1. Records of printers that
  // are not installed now are kept aside and written back after the rows, so
  // that a printer that is away for a while keeps its calibration.
  static PrinterPositionTable Build(const QList<InstalledPrinter>& printers, const QString& fileText);
  // The installed printers and the printer settings file of the folder.
  static PrinterPositionTable Load(const QString& folder);

  const QList<PrinterPosition>& Rows() const { return rows_; }
  const QList<PrinterPosition>& Absent() const { return absent_; }
  // The row of a printer; null when it has none.
  const PrinterPosition* Find(const QString& name) const;
  // The calibration of a printer: its row, or 0, 0, 1 when it has none.
  Calibration CalibrationOf(const QString& name) const;
  // Sets a printer's row (the scale kept within 0.9 … 1.1); false when it
  // has no row.
  bool Set(const QString& name, double horizontal, double vertical, double scale);

  // The file's text: the rows in table order, then the records kept aside.
  QString FileText() const;
  // The file the table was loaded from (for Load); Save writes it (safely),
  // unless Load found it there but could not read it.
  const QString& FilePath() const { return path_; }
  void SetFilePath(const QString& path) { path_ = path; }
  bool Save() const;

 private:
  QList<PrinterPosition> rows_;
  QList<PrinterPosition> absent_;
  QString path_;
  bool unreadable_ = false;
};

// The position adjustment steps. An offset moves by 0.1 towards −10
// (direction −1: "↑", "←") while it is above −10, or towards 10 (direction
// +1: "↓", "→") while it is below 10; the scale by 0.01 ("Up" +1, "Down" −1)
// while it is within 0.9 … 1.1. Otherwise the value stays.
double StepOffset(double value, int direction);
double StepScale(double value, int direction);
// The displays: offsets by "00.0", the scale by "0.00".
QString OffsetText(double value);
QString ScaleText(double value);

}  // namespace zotra
