#include "HostLibrary.h"

#include <QFile>

#include <cstring>

#include <dlfcn.h>

namespace zotra {

HostLibrary::HostLibrary() : work_(new std::uint64_t[kWorkAreaBytes / 8]()) { buffer_[kBufferBytes] = '\0'; }

HostLibrary::~HostLibrary() { Unload(); }

namespace {

void* LoadByPath(const QString& path) {
  // By full path, so that the calls bind to exactly this copy; its symbols
  // stay local, so two copies never mix.
  return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

bool HostLibrary::Load(const QString& marqen50Path, const QString& mqdll2vbPath, QString* failedPath) {
  Unload();
  marqen50_ = LoadByPath(marqen50Path);
  if (!marqen50_) {
    *failedPath = marqen50Path;
    return false;
  }
  mqdll2vb_ = LoadByPath(mqdll2vbPath);
  if (!mqdll2vb_) {
    *failedPath = mqdll2vbPath;
    Unload();
    return false;
  }
  open_ = reinterpret_cast<OpenFn>(dlsym(marqen50_, "MarqenOpen"));
  read_ = reinterpret_cast<ReadFn>(dlsym(marqen50_, "MQW_read"));
  freq_ = reinterpret_cast<FreqFn>(dlsym(marqen50_, "FreqPCheck"));
  close_ = reinterpret_cast<CloseFn>(dlsym(marqen50_, "MarqenClose"));
  string_ = reinterpret_cast<StringFn>(dlsym(mqdll2vb_, "MqwString"));
  if (!open_ || !read_ || !freq_ || !close_ || !string_) {
    *failedPath = !open_ || !read_ || !freq_ || !close_ ? marqen50Path : mqdll2vbPath;
    Unload();
    return false;
  }
  return true;
}

void HostLibrary::Unload() {
  Close();
  open_ = nullptr;
  read_ = nullptr;
  freq_ = nullptr;
  close_ = nullptr;
  string_ = nullptr;
  if (mqdll2vb_) dlclose(mqdll2vb_);
  if (marqen50_) dlclose(marqen50_);
  mqdll2vb_ = nullptr;
  marqen50_ = nullptr;
}

int HostLibrary::Open(const QByteArray& pathWithoutExtension) {
  if (!open_ || pathWithoutExtension.size() >= kBufferBytes) return -1;
  if (opened_) Close();
  char path[kBufferBytes] = {};
  std::memcpy(path, pathWithoutExtension.constData(), static_cast<std::size_t>(pathWithoutExtension.size()));
  std::memset(work_.get(), 0, kWorkAreaBytes);
  const int result = open_(0, work_.get(), path, 0);
  opened_ = result == 0;
  return result;
}

int HostLibrary::Read(qint32 recordNumber) {
  if (!opened_) return kNoSuchRecord;
  return read_(work_.get(), recordNumber, 0);
}

const char* HostLibrary::Field(int fieldNumber, int* length) {
  std::memset(buffer_, ' ', kBufferBytes);
  if (opened_) string_(buffer_, work_.get(), fieldNumber);
  else buffer_[0] = '\0';
  // Byte by byte (bounded, so that it stays a plain loop): the library has
  // just written these bytes one at a time, and a wide read of them right
  // after costs more than the whole text.
  int n = 0;
  while (n < kBufferBytes && buffer_[n] != '\0') ++n;
  *length = n;
  return buffer_;
}

int HostLibrary::FrequencyCode(const QByteArray& frequency) {
  if (!freq_) return -1;
  return freq_(frequency.constData());
}

void HostLibrary::Close() {
  if (!opened_) return;
  close_(work_.get(), 0);
  opened_ = false;
}

}  // namespace zotra
