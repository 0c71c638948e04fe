// Helpers of the fuzz targets: a scratch folder of the process, the input
// written there as the file a reader expects, the input split into two files,
// and a check that stops the fuzzer with a report when a property fails.
#pragma once

#include "common/Dialogs.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zotra::fuzz {

// A folder of this process (in /dev/shm when there is one), removed at exit.
const QString& ScratchFolder();

// The bytes as the file `name` of the scratch folder (replaced); its path.
QString WriteInput(const QString& name, const QByteArray& bytes);
QString WriteInput(const QString& name, const std::uint8_t* data, std::size_t size);

// Deletes a file of the scratch folder when present.
void RemoveScratchFile(const QString& name);

// The input as two files' bytes: its first two bytes (little-endian) give the
// length of the first part (at most what is left), the rest is the second.
std::pair<QByteArray, QByteArray> SplitInput(const std::uint8_t* data, std::size_t size);

// The input decoded as the files are (CP932).
QString InputText(const std::uint8_t* data, std::size_t size);

// Dialogs that answer with the default button and keep nothing.
class SilentDialogs : public Dialogs {
 public:
  Button Message(const MessageBox& box) override;
  std::optional<QString> Input(const QString&, const QString&, const QString& defaultText) override {
    return defaultText;
  }
  std::optional<QString> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<QString> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  int messages = 0;
};

[[noreturn]] void PropertyFailed(const char* condition, const char* file, int line);

}  // namespace zotra::fuzz

// A property every input must keep; a failure is a finding like a crash.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::zotra::fuzz::PropertyFailed(#condition, __FILE__, __LINE__))
