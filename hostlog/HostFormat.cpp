#include "HostFormat.h"

#include <iterator>

namespace marqen {

bool ParseFrequency(std::string_view text, double* megahertz) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::size_t end = text.size();
  while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\0')) --end;
  if (i == end) return false;
  double whole = 0, scale = 1;
  bool point = false, digits = false;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      if (point) {
        scale /= 10;
        whole += (c - '0') * scale;
      } else {
        whole = whole * 10 + (c - '0');
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!digits) return false;
  *megahertz = whole;
  return true;
}

namespace {

struct Band {
  double low, high;
};

// The Japanese allocations, from the lowest to the highest edge of each band.
constexpr Band kBands[] = {
    {1.810, 1.9125},   {3.500, 3.805},     {7.000, 7.200},     {10.100, 10.150},
    {14.000, 14.350},  {18.068, 18.168},   {21.000, 21.450},   {24.890, 24.990},
    {28.000, 29.700},  {50.000, 54.000},   {144.000, 146.000}, {430.000, 440.000},
    {1260.000, 1300.000}, {2400.000, 2450.000}, {5650.000, 5850.000},
};

// A band's own name counts as a frequency of that band ("18", "1200").
constexpr std::string_view kBandNames[] = {"1.9", "3.5", "7",   "10",  "14",   "18",   "21",  "24",
                                           "28",  "50",  "144", "430", "1200", "2400", "5600"};

}  // namespace

int BandCode(std::string_view frequencyText) {
  std::size_t i = 0;
  while (i < frequencyText.size() && frequencyText[i] == ' ') ++i;
  std::size_t end = frequencyText.size();
  while (end > i && (frequencyText[end - 1] == ' ' || frequencyText[end - 1] == '\0')) --end;
  const std::string_view text = frequencyText.substr(i, end - i);
  if (!text.empty() && (text[0] == 'S' || text[0] == 's')) return kSatelliteBand;
  for (int code = 0; code < static_cast<int>(std::size(kBandNames)); ++code) {
    if (text == kBandNames[code]) return code;
  }
  double mhz = 0;
  if (!ParseFrequency(frequencyText, &mhz)) return kUnknownBand;
  constexpr double kSlack = 1e-9;
  for (int code = 0; code < static_cast<int>(std::size(kBands)); ++code) {
    if (mhz >= kBands[code].low - kSlack && mhz <= kBands[code].high + kSlack) return code;
  }
  return kUnknownBand;
}

}  // namespace marqen
