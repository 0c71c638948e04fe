// What the extraction does with a record read from either logbook
// generation: the record rules under a few contests and area options that
// reach every rule (conversion of the zone, area codes at every level, all
// multiplier kinds, the numbers from every item), and the start-record search.
#pragma once

#include "extract/Extraction.h"

#include <functional>

namespace zotra::fuzz {

// Applies every rule set to a copy of the record; the lines they keep must be
// sixteen fields that read back one for one.
void ApplyRecordRules(const QsoRecord& record, const RecordRules::BandLookup& bandOf);

// The start-record search over records whose times `timeOf` gives.
void SearchStart(qint32 count, const std::function<bool(qint32, QsoRecord*)>& read);

}  // namespace zotra::fuzz
