#include "BatchCommand.h"

#include <cstdio>

namespace zotra {
namespace {

QList<BatchCommandInfo>& Registry() {
  static QList<BatchCommandInfo> list;
  return list;
}

}  // namespace

BatchCommandRegistration::BatchCommandRegistration(const char* name, const char* usage, BatchFunction run) {
  Registry().append({QString::fromUtf8(name), QString::fromUtf8(usage), run});
}

const QList<BatchCommandInfo>& BatchCommands() { return Registry(); }

void PrintLine(const QString& text) {
  const QByteArray bytes = text.toUtf8() + '\n';
  std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

void PrintBytes(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

int UsageError(BatchContext& context, const QString& usage) {
  context.dialogs.Tell(QStringLiteral("使い方: zotra-batch [--folder DIR] ") + usage, QStringLiteral("zotra-batch"));
  return 1;
}

}  // namespace zotra
