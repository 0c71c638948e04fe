// The area tables of the tests: a few master records of every level (wards,
// cities, counties, towns, Ogasawara, Hokkaido) and the Hokkaido table, built
// in memory.
#pragma once

#include "extract/AreaTables.h"
#include "hostlog/SampleLogbook.h"

namespace zotra::test {

inline AreaTables SampleAreaTables() {
  AreaTables t;
  const struct {
    const char* code;
    const char* name;
    char level;
  } master[] = {
      {"100101", "千代田区", '6'},      {"100103", "港区", '6'},          {"1002", "八王子市", '4'},
      {"10002", "西多摩郡", '5'},       {"10002A", "瑞穂町", '7'},        {"10007", "小笠原支庁", '5'},
      {"10007A", "小笠原村", '7'},      {"1101", "横浜市", '4'},          {"110106", "横浜市保土ｹ谷区", '6'},
      {"110109", "横浜市港北区", '6'},  {"1102", "横須賀市", '4'},        {"0101", "札幌市", '4'},
      {"010101", "札幌市中央区", '6'},  {"0102", "旭川市", '4'},          {"01001", "阿寒郡", '5'},
      {"01001A", "鶴居村", '7'},        {"0199", "どこか市", '4'},         {"1301", "川越市", '4'},
      // Two cities of one name each: the first of the file is not the only one.
      {"1007", "府中市", '4'},          {"3509", "府中市", '4'},          {"0133", "伊達市", '4'},
      {"0719", "伊達市", '4'},
  };
  for (const auto& m : master) t.AddMaster({m.code, U8(m.name), QLatin1Char(m.level)});
  t.AddHokkaido("0101", "106");
  t.AddHokkaido("010101", "106");
  t.AddHokkaido("0102", "103");
  t.AddHokkaido("01001", "110");
  return t;
}

}  // namespace zotra::test
