// The commands of zotra-batch. Each subsystem registers its own commands in a
// source file of its folder:
//
//   ZOTRA_BATCH_COMMAND(setting, "setting PROGRAM KEY [VALUE]", RunSetting)
//
// A command gets the program folder and its arguments; it prints results to
// standard output, tells problems through the dialogs (one line each on
// standard error), and returns the exit status (0 success, 1 failure).
#pragma once

#include "common/Dialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zotra {

struct BatchContext {
  QString folder;     // the program folder
  QStringList args;   // the arguments after the command's name
  Dialogs& dialogs;
};

using BatchFunction = int (*)(BatchContext&);

struct BatchCommandInfo {
  QString name;
  QString usage;
  BatchFunction run;
};

class BatchCommandRegistration {
 public:
  BatchCommandRegistration(const char* name, const char* usage, BatchFunction run);
};

const QList<BatchCommandInfo>& BatchCommands();

// Writes to standard output: text as UTF-8, bytes as they are.
void PrintLine(const QString& text);
void PrintBytes(const QByteArray& bytes);

// Tells a usage problem and returns the failure status.
int UsageError(BatchContext& context, const QString& usage);

}  // namespace zotra

#define ZOTRA_BATCH_CONCAT2(a, b) a##b
#define ZOTRA_BATCH_CONCAT(a, b) ZOTRA_BATCH_CONCAT2(a, b)
#define ZOTRA_BATCH_COMMAND(name, usage, function)                                            \
  static const ::zotra::BatchCommandRegistration ZOTRA_BATCH_CONCAT(batchCommand_, __LINE__)( \
      name, usage, function)
