// The fuzz targets without libFuzzer: each input file named on the command
// line (or each file of a folder named there) is given to the target once.
// Built into the sanitizer build, so that every test run replays the seed
// corpora under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  QStringList inputs;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (QFileInfo(arg).isDir()) {
      const QDir dir(arg);
      for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) inputs << dir.filePath(name);
    } else {
      inputs << arg;
    }
  }
  if (inputs.isEmpty()) {
    std::fprintf(stderr, "usage: %s FILE|FOLDER...\n", argv[0]);
    return 2;
  }
  for (const QString& path : inputs) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
      return 2;
    }
    const QByteArray bytes = f.readAll();
    std::fprintf(stderr, "Running: %s\n", qPrintable(path));
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
  }
  std::fprintf(stderr, "%lld inputs, no finding\n", static_cast<long long>(inputs.size()));
  return 0;
}
