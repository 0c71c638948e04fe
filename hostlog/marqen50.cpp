// marqen50.dll: opens the current database, reads a record into the caller's
// work area, tells the band of a frequency, closes. The field texts of the
// current record stay in the work area, where mqdll2vb.dll's MqwString finds
// them.
#include "HostFormat.h"
#include "MarqenApi.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marqen {
namespace {

// Records are read a window at a time, so that a pass over the whole logbook
// costs one system call per window and the memory stays the same whatever the
// logbook's size.
constexpr std::int32_t kWindowRecords = 512;

struct Reader {
  int fd = -1;
  std::int32_t count = 0;
  std::int32_t windowFirst = 0;  // first record in the window, 0 = empty
  std::int32_t windowRecords = 0;
  std::vector<char> window;
};

WorkArea* Work(void* p) { return static_cast<WorkArea*>(p); }

bool IsOpen(const WorkArea* w) {
  return std::memcmp(w->signature, kWorkSignature, sizeof w->signature) == 0 && w->open == 1;
}

Reader* ReaderOf(const WorkArea* w) { return reinterpret_cast<Reader*>(static_cast<std::uintptr_t>(w->reader)); }

void ClearRecord(WorkArea* w, std::int32_t number, std::int32_t state) {
  w->current = number;
  w->state = state;
  for (auto& f : w->fields) f = {0, 0};
}

// The path as the file system spells it: the caller's text is in the Japanese
// code page; the file system here wants UTF-8.
std::string FileSystemPath(const std::string& ansi) {
  bool ascii = std::all_of(ansi.begin(), ansi.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return ansi;
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return ansi;
  std::string out(ansi.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(ansi.data());
  std::size_t inLeft = ansi.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  const std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1)) return ansi;
  out.resize(out.size() - outLeft);
  return out;
}

// base + ".HDB", the extension matched without regard to case.
std::string DatabaseFile(const std::string& base) {
  namespace fs = std::filesystem;
  const std::string exact = base + ".HDB";
  std::error_code ec;
  if (fs::is_regular_file(exact, ec)) return exact;
  const fs::path wanted(exact);
  fs::path folder = wanted.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = wanted.filename().string();
  auto lower = [](std::string s) {
    for (char& c : s) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
  };
  name = lower(name);
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (lower(entry.path().filename().string()) == name && entry.is_regular_file(ec)) return entry.path().string();
  }
  return exact;
}

bool ReadAll(int fd, char* to, std::size_t bytes, off_t at) {
  while (bytes > 0) {
    const ssize_t n = pread(fd, to, bytes, at);
    if (n <= 0) return false;
    to += n;
    at += n;
    bytes -= static_cast<std::size_t>(n);
  }
  return true;
}

// The bytes of record n (1 ≤ n ≤ count), or null when they cannot be read.
const char* RecordBytes(Reader* r, std::int32_t n) {
  if (r->windowFirst == 0 || n < r->windowFirst || n >= r->windowFirst + r->windowRecords) {
    const std::int32_t first = (n - 1) / kWindowRecords * kWindowRecords + 1;
    const std::int32_t records = std::min(kWindowRecords, r->count - first + 1);
    r->windowFirst = 0;
    const off_t at = kHeaderBytes + static_cast<off_t>(first - 1) * kHdbRecordBytes;
    if (!ReadAll(r->fd, r->window.data(), static_cast<std::size_t>(records) * kHdbRecordBytes, at)) return nullptr;
    r->windowFirst = first;
    r->windowRecords = records;
  }
  return r->window.data() + static_cast<std::size_t>(n - r->windowFirst) * kHdbRecordBytes;
}

void Release(WorkArea* w) {
  if (Reader* r = ReaderOf(w)) {
    if (r->fd >= 0) close(r->fd);
    delete r;
  }
  w->reader = 0;
  w->open = 0;
  w->recordCount = 0;
  std::memset(w->signature, 0, sizeof w->signature);
  ClearRecord(w, 0, kNoSuchRecord);
}

}  // namespace
}  // namespace marqen

using namespace marqen;

// 0: opened. 1: no work area or path; 2: the database cannot be opened;
// 3: the file is not a database of this logbook.
MARQEN_EXPORT std::int32_t MarqenOpen(std::int32_t, void* workArea, char* path, std::int32_t) {
  if (!workArea || !path) return 1;
  WorkArea* w = Work(workArea);
  if (IsOpen(w)) Release(w);
  const std::string ansi(path, strnlen(path, kPathBufferBytes));
  const int fd = open(DatabaseFile(FileSystemPath(ansi)).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 2;
  unsigned char header[kHeaderBytes];
  struct stat st {};
  if (fstat(fd, &st) != 0 || !ReadAll(fd, reinterpret_cast<char*>(header), sizeof header, 0) ||
      std::memcmp(header, kHdbSignature.data(), kHdbSignature.size()) != 0 ||
      (header[12] | (header[13] << 8)) != kHdbRecordBytes) {
    close(fd);
    return 3;
  }
  // A file cut short holds fewer records than its header says: only the
  // whole records that are there can be read.
  const std::int64_t present = (static_cast<std::int64_t>(st.st_size) - kHeaderBytes) / kHdbRecordBytes;
  auto reader = std::make_unique<Reader>();
  reader->fd = fd;
  reader->count = static_cast<std::int32_t>(std::clamp<std::int64_t>(present, 0, HeaderCount(header)));
  reader->window.resize(static_cast<std::size_t>(kWindowRecords) * kHdbRecordBytes);
  std::memset(w, 0, sizeof(WorkArea));
  std::memcpy(w->signature, kWorkSignature, sizeof w->signature);
  w->open = 1;
  w->recordCount = reader->count;
  w->reader = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(reader.release()));
  ClearRecord(w, 0, kNoSuchRecord);
  return 0;
}

// Makes record n current: its field texts are left in the work area. Returns
// its ReadState.
MARQEN_EXPORT std::int32_t MQW_read(void* workArea, std::int32_t recordNumber, std::int32_t) {
  if (!workArea) return kNoSuchRecord;
  WorkArea* w = Work(workArea);
  if (!IsOpen(w)) return kNoSuchRecord;
  Reader* r = ReaderOf(w);
  if (recordNumber < 1 || recordNumber > r->count) {
    ClearRecord(w, recordNumber, kNoSuchRecord);
    return kNoSuchRecord;
  }
  const char* bytes = RecordBytes(r, recordNumber);
  if (!bytes) {
    ClearRecord(w, recordNumber, kNoSuchRecord);
    return kNoSuchRecord;
  }
  if (static_cast<unsigned char>(bytes[0]) != kRecordMark) {
    ClearRecord(w, recordNumber, kRecordDamaged);
    return kRecordDamaged;
  }
  std::memcpy(w->record, bytes, kHdbRecordBytes);
  // Each field's place; MqwString finds where its text ends, so that a
  // record whose fields are not all asked for costs no more than its copy.
  for (int i = 0; i < kFieldCount; ++i) {
    const FieldSlot slot = kHdbFields[static_cast<std::size_t>(i)];
    w->fields[i] = {static_cast<std::uint16_t>(slot.offset), static_cast<std::uint16_t>(slot.width)};
  }
  w->current = recordNumber;
  w->state = kRecordRead;
  return kRecordRead;
}

MARQEN_EXPORT std::int32_t FreqPCheck(const char* frequencyText) {
  if (!frequencyText) return kUnknownBand;
  return BandCode(std::string_view(frequencyText, strnlen(frequencyText, kResultBufferBytes)));
}

MARQEN_EXPORT std::int32_t MarqenClose(void* workArea, std::int32_t) {
  if (!workArea) return 0;
  WorkArea* w = Work(workArea);
  if (IsOpen(w)) Release(w);
  return 0;
}
