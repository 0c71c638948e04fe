// The host logbook's two libraries, loaded from their full paths, with their
// five operations bound by name:
//   marqen50.dll  MarqenOpen, MQW_read, FreqPCheck, MarqenClose
//   mqdll2vb.dll  MqwString
// and the work area that they share, owned here.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

namespace zotra {

class HostLibrary {
 public:
  // The work area the libraries ask their caller for.
  static constexpr int kWorkAreaBytes = 16384;
  static constexpr int kBufferBytes = 256;

  // What MQW_read says about a record.
  enum ReadState { kRead = 0, kNoSuchRecord = 1, kDamaged = 2 };

  HostLibrary();
  ~HostLibrary();
  HostLibrary(const HostLibrary&) = delete;
  HostLibrary& operator=(const HostLibrary&) = delete;

  // Loads both libraries from these paths and binds the operations. False when
  // one cannot be loaded or lacks an operation; *failedPath names it.
  bool Load(const QString& marqen50Path, const QString& mqdll2vbPath, QString* failedPath);
  bool IsLoaded() const { return open_ != nullptr; }
  void Unload();

  // MarqenOpen with the database path without its extension, in the Japanese
  // code page (at most 255 bytes). Its result: 0 = opened.
  int Open(const QByteArray& pathWithoutExtension);
  // MQW_read: makes the record current. Its ReadState.
  int Read(qint32 recordNumber);
  // MqwString into the buffer prefilled with blanks: the field's bytes up to
  // the first NUL (untrimmed). Valid until the next call.
  const char* Field(int fieldNumber, int* length);
  // FreqPCheck of a frequency text.
  int FrequencyCode(const QByteArray& frequency);
  // MarqenClose.
  void Close();

 private:
  using OpenFn = std::int32_t (*)(std::int32_t, void*, char*, std::int32_t);
  using ReadFn = std::int32_t (*)(void*, std::int32_t, std::int32_t);
  using StringFn = void (*)(char*, void*, std::int32_t);
  using FreqFn = std::int32_t (*)(const char*);
  using CloseFn = std::int32_t (*)(void*, std::int32_t);

  // Handles of the loaded libraries. Each load counts on its own, so two
  // readers of the same copy can load and unload independently.
  void* marqen50_ = nullptr;
  void* mqdll2vb_ = nullptr;
  OpenFn open_ = nullptr;
  ReadFn read_ = nullptr;
  StringFn string_ = nullptr;
  FreqFn freq_ = nullptr;
  CloseFn close_ = nullptr;
  std::unique_ptr<std::uint64_t[]> work_;  // kWorkAreaBytes, 8-byte aligned
  char buffer_[kBufferBytes + 1];          // one more NUL than the library may use
  bool opened_ = false;
};

}  // namespace zotra
