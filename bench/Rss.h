// The resident memory of the benchmark's own process, for the counters that
// show a pass does not grow with the logbook.
#pragma once

#include <fstream>
#include <string>

inline long RssKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  }
  return 0;
}
