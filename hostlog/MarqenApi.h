// The operations of the host logbook's two libraries, as they export them with
// C linkage, and the work area they share.
//
//   marqen50.dll  MarqenOpen, MQW_read, FreqPCheck, MarqenClose
//   mqdll2vb.dll  MqwString
//
// The caller owns the work area: kMarqenWorkAreaBytes bytes, zeroed before
// MarqenOpen, kept in place until MarqenClose. MarqenOpen fills it; MQW_read
// leaves the current record's field texts in it; MqwString (in the other
// library) reads them from there. Its layout is below (README.md shows it too).
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define MARQEN_EXPORT extern "C" __declspec(dllexport)
#else
#define MARQEN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace marqen {

// Size of the caller's work area; generous, so that later layouts fit.
inline constexpr std::size_t kMarqenWorkAreaBytes = 16384;

inline constexpr int kFieldCount = 17;  // field numbers 0 to 16
inline constexpr int kResultBufferBytes = 256;
inline constexpr int kPathBufferBytes = 256;

// What MQW_read says about the record it was asked for.
enum ReadState : std::int32_t {
  kRecordRead = 0,
  kNoSuchRecord = 1,  // outside 1..count, or beyond the end of a cut-off file
  kRecordDamaged = 2,  // not a record of the logbook: its fields read as empty
};

// Byte layout of the work area (all numbers little-endian, as the machine's).
struct WorkArea {
  char signature[8];           // "MQWORK50" while open
  std::int32_t open;           // 1 while open
  std::int32_t recordCount;    // records that can be read
  std::int32_t current;        // current record number, 0 = none
  std::int32_t state;          // ReadState of the current record
  std::uint64_t reader;        // marqen50's own reader, opaque to everyone else
  struct Field {
    std::uint16_t offset;      // into `record`
    std::uint16_t width;       // bytes of its place; the text ends at its first NUL
  } fields[kFieldCount];
  std::uint8_t reserved[28];
  char record[1024];           // copy of the current record
};
static_assert(offsetof(WorkArea, fields) == 32);
static_assert(offsetof(WorkArea, record) == 128);
static_assert(sizeof(WorkArea) <= kMarqenWorkAreaBytes);

inline constexpr char kWorkSignature[8] = {'M', 'Q', 'W', 'O', 'R', 'K', '5', '0'};

}  // namespace marqen

// The function types, for binding by name.
using MarqenOpenFn = std::int32_t (*)(std::int32_t zero, void* workArea, char* pathWithoutExtension,
                                      std::int32_t zero2);
using MqwReadFn = std::int32_t (*)(void* workArea, std::int32_t recordNumber, std::int32_t zero);
using MqwStringFn = void (*)(char* buffer, void* workArea, std::int32_t fieldNumber);
using FreqPCheckFn = std::int32_t (*)(const char* frequencyText);
using MarqenCloseFn = std::int32_t (*)(void* workArea, std::int32_t zero);
