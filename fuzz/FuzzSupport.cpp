#include "FuzzSupport.h"

#include "common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zotra::fuzz {

const QString& ScratchFolder() {
  static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                               ? QStringLiteral("/dev/shm/zotra-fuzz-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/zotra-fuzz-XXXXXX"));
  static const QString path = dir.path();
  return path;
}

QString WriteInput(const QString& name, const QByteArray& bytes) {
  const QString path = ScratchFolder() + QLatin1Char('/') + name;
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
    std::abort();
  }
  return path;
}

QString WriteInput(const QString& name, const std::uint8_t* data, std::size_t size) {
  return WriteInput(name, QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

void RemoveScratchFile(const QString& name) { QFile::remove(ScratchFolder() + QLatin1Char('/') + name); }

std::pair<QByteArray, QByteArray> SplitInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return {};
  const std::size_t rest = size - 2;
  const std::size_t first = std::min<std::size_t>(data[0] | (data[1] << 8), rest);
  const char* p = reinterpret_cast<const char*>(data + 2);
  return {QByteArray(p, static_cast<qsizetype>(first)), QByteArray(p + first, static_cast<qsizetype>(rest - first))};
}

QString InputText(const std::uint8_t* data, std::size_t size) {
  return DecodeCp932(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

Button SilentDialogs::Message(const MessageBox& box) {
  ++messages;
  const QList<Button> buttons = ButtonList(box.buttons);
  if (box.defaultButton) return *box.defaultButton;
  return buttons.isEmpty() ? Button::Ok : buttons.first();
}

void PropertyFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "FUZZ_CHECK failed: %s at %s:%d\n", condition, file, line);
  std::abort();
}

}  // namespace zotra::fuzz
