// The host logbook's file layouts, shared by its libraries and its tools:
// the current database (".HDB"), the Ver4 pair ("DBS" and "DBR"), the master
// file ("MARQEN.MST"), and the band of a frequency. Plain C++ without Qt, so
// that the libraries stay small. README.md describes every byte.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace marqen {

// ---- the current database (".HDB") -----------------------------------------

inline constexpr int kHeaderBytes = 16;
inline constexpr std::string_view kHdbSignature = "MQHDB500";  // bytes 0-7
inline constexpr int kHdbRecordBytes = 336;
inline constexpr std::uint8_t kRecordMark = 'Q';  // byte 0 of every record

struct FieldSlot {
  int offset;  // within the record
  int width;   // bytes, NUL-padded
};

// Fields 0 to 16, as MqwString numbers them.
inline constexpr std::array<FieldSlot, 17> kHdbFields = {{
    {1, 8},     //  0 QSO number of the logbook
    {9, 16},    //  1 call sign
    {25, 8},    //  2 date yy/mm/dd
    {33, 6},    //  3 time hh:mm and zone letter
    {39, 6},    //  4 report sent
    {45, 6},    //  5 report received
    {51, 12},   //  6 frequency in MHz
    {63, 8},    //  7 mode
    {71, 24},   //  8 area code, possibly followed by text
    {95, 8},    //  9 grid locator
    {103, 3},   // 10 QSL marks
    {106, 24},  // 11 name
    {130, 48},  // 12 QTH
    {178, 64},  // 13 remarks 1
    {242, 64},  // 14 remarks 2
    {306, 8},   // 15 transmitter power
    {314, 16},  // 16 operator
}};
static_assert(314 + 16 <= kHdbRecordBytes);

// Record count: 24-bit little-endian in bytes 8 to 10 of a 16-byte header.
inline std::int32_t HeaderCount(const unsigned char* header) {
  return static_cast<std::int32_t>(header[8] | (header[9] << 8) | (header[10] << 16));
}
inline constexpr std::int32_t kMaxRecords = 0xFFFFFF;

// ---- the Ver4 pair ("DBS" records, "DBR" texts) -----------------------------

inline constexpr std::string_view kDbsSignature = "MQDBS400";
inline constexpr std::string_view kDbrSignature = "MQDBR400";
inline constexpr int kDbsRecordBytes = 58;

namespace ver4 {
inline constexpr int kCall = 0, kCallBytes = 6;
inline constexpr int kDesignator = 6, kDesignatorBytes = 4;
inline constexpr int kYear = 10, kMonth = 11, kDay = 12, kHour = 13, kMinute = 14;
inline constexpr int kZone = 15;  // 0 JST, 1 UTC
inline constexpr int kHisRst = 16, kMyRst = 19, kRstBytes = 3;
inline constexpr int kFrequency = 22, kFrequencyBytes = 9;
inline constexpr int kBand = 31;  // band code of the frequency, 255 = none
inline constexpr int kMode = 32, kModeBytes = 5;
inline constexpr int kArea = 37, kAreaBytes = 8;
inline constexpr int kGrid = 45, kGridBytes = 6;
inline constexpr int kQsl = 51, kQslBytes = 3;
inline constexpr int kTexts = 54;  // 32-bit offset into the DBR file, 0 = none
// The texts at that offset, each a length byte and its CP932 bytes, in this
// order, with these limits in characters.
inline constexpr int kQthChars = 28, kRemarksChars = 54, kNameChars = 20;
}  // namespace ver4

// The year byte: 1900 + value below 128, 1872 + value from 128 on.
inline int YearOfByte(std::uint8_t value) { return value < 128 ? 1900 + value : 1872 + value; }
// The byte for a year from 1900 to 2127 (years from 2000 use the upper range).
inline std::uint8_t ByteOfYear(int year) {
  return static_cast<std::uint8_t>(year >= 2000 ? year - 1872 : year - 1900);
}

// ---- the master file ("MARQEN.MST") ------------------------------------------

inline constexpr int kMasterHeaderBytes = 290;
inline constexpr std::string_view kMasterSignature = "MQMASTER";
inline constexpr int kMasterVersionByte = 11;  // 55 or 56: the record length
inline constexpr int kMasterVariantByte = 177;  // 56-byte records: 1 = code first

struct MasterLayout {
  int recordBytes;
  int code;    // 6 bytes, ASCII, blank-padded
  int name;    // 34 bytes, CP932, NUL-padded
  int level;   // 1 byte, "2" to "8"
  int region;  // 2 bytes, the prefecture number
};
inline constexpr MasterLayout kMaster55 = {55, 0, 6, 40, 41};
inline constexpr MasterLayout kMaster56 = {56, 1, 7, 0, 41};        // level first
inline constexpr MasterLayout kMaster56Code = {56, 2, 9, 8, 43};    // byte 177 = 1
inline constexpr int kMasterCodeBytes = 6, kMasterNameBytes = 34;

// ---- frequencies ----------------------------------------------------------------

inline constexpr int kSatelliteBand = 15;
inline constexpr int kUnknownBand = -1;

// Band code of a frequency text in MHz by the Japanese amateur band edges:
// 0 1.9, 1 3.5, 2 7, 3 10, 4 14, 5 18, 6 21, 7 24, 8 28, 9 50, 10 144,
// 11 430, 12 1200, 13 2400, 14 5600, 15 satellite (a text that starts with
// "S", such as "S435.250"), -1 anything else (bands above 5600, gaps, texts
// that are no number). A band's own name ("18", "1200") counts as a frequency
// of that band.
int BandCode(std::string_view frequencyText);

// The frequency in MHz of a text of digits with at most one point (blanks
// around it allowed); false when it is no such text.
bool ParseFrequency(std::string_view text, double* megahertz);

}  // namespace marqen
