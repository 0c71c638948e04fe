// The current logbook generation (".HDB") through the operations of the
// logbook's libraries, linked in here, as the extraction calls them: open,
// every record read and its seventeen fields fetched, the band of its
// frequency; then what the extraction does with each record.
#include "FuzzSupport.h"
#include "LogbookRules.h"

#include "HostFormat.h"
#include "MarqenApi.h"
#include "common/Text.h"

#include <cstring>
#include <memory>

extern "C" {
std::int32_t MarqenOpen(std::int32_t, void* workArea, char* path, std::int32_t);
std::int32_t MQW_read(void* workArea, std::int32_t recordNumber, std::int32_t);
void MqwString(char* buffer, void* workArea, std::int32_t fieldNumber);
std::int32_t FreqPCheck(const char* frequencyText);
std::int32_t MarqenClose(void* workArea, std::int32_t);
}

using namespace zotra;

namespace {

// The records fetched of one input: enough to cross the libraries' window of
// 512 records only in inputs that large.
constexpr std::int32_t kMaxRecords = 600;

bool ReadRecord(void* work, std::int32_t n, QsoRecord* record) {
  if (MQW_read(work, n, 0) != marqen::kRecordRead) {
    char buffer[marqen::kResultBufferBytes];
    std::memset(buffer, ' ', sizeof buffer);
    MqwString(buffer, work, 1);
    FUZZ_CHECK(buffer[0] == '\0');  // a record that was not read has no texts
    return false;
  }
  record->number = n;
  for (int i = 0; i < marqen::kFieldCount; ++i) {
    char buffer[marqen::kResultBufferBytes + 1];
    std::memset(buffer, ' ', sizeof buffer);
    buffer[marqen::kResultBufferBytes] = 'X';
    MqwString(buffer, work, i);
    FUZZ_CHECK(buffer[marqen::kResultBufferBytes] == 'X');  // never past the 256 bytes
    const std::size_t length = strnlen(buffer, marqen::kResultBufferBytes);
    FUZZ_CHECK(length < static_cast<std::size_t>(marqen::kResultBufferBytes));
    record->fields[static_cast<std::size_t>(i)] = TrimBlanks(DecodeCp932(QByteArray(buffer, static_cast<qsizetype>(length))));
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteInput(QStringLiteral("MARQEN.HDB"), data, size);
  auto work = std::make_unique<std::uint64_t[]>(marqen::kMarqenWorkAreaBytes / 8);
  char path[marqen::kPathBufferBytes] = {};
  const QByteArray base = (fuzz::ScratchFolder() + QStringLiteral("/MARQEN")).toLocal8Bit();
  std::memcpy(path, base.constData(), std::min<std::size_t>(base.size(), sizeof path - 1));
  if (MarqenOpen(0, work.get(), path, 0) != 0) {
    FUZZ_CHECK(MQW_read(work.get(), 1, 0) == marqen::kNoSuchRecord);
    return 0;
  }
  const auto* w = reinterpret_cast<const marqen::WorkArea*>(work.get());
  const std::int32_t count = w->recordCount;
  FUZZ_CHECK(count >= 0 && static_cast<std::size_t>(count) * marqen::kHdbRecordBytes + marqen::kHeaderBytes <= size);

  const auto bandOf = [](const QString& frequency, qint32) {
    const QByteArray text = EncodeCp932(frequency);
    const QString band = BandOfCode(FreqPCheck(text.constData()));
    return FrequencyBand{band, band.isEmpty()};
  };
  for (std::int32_t n : {0, -1, count + 1}) FUZZ_CHECK(MQW_read(work.get(), n, 0) == marqen::kNoSuchRecord);
  for (std::int32_t n = 1; n <= count && n <= kMaxRecords; ++n) {
    QsoRecord record;
    if (ReadRecord(work.get(), n, &record)) fuzz::ApplyRecordRules(record, bandOf);
  }
  MarqenClose(work.get(), 0);
  FUZZ_CHECK(MQW_read(work.get(), 1, 0) == marqen::kNoSuchRecord);
  return 0;
}
