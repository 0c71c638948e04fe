// What the extraction does with a record read from either logbook
// generation: the record rules under a few contests and area options that
// reach every rule (conversion of the zone, area codes at every level, all
// multiplier kinds, the numbers from every item).
#pragma once

#include "extract/Extraction.h"

namespace zotra::fuzz {

// Applies every rule set to a copy of the record; the lines they keep must be
// sixteen fields that read back one for one, and a record they drop has its
// reason.
void ApplyRecordRules(const QsoRecord& record, const RecordRules::BandLookup& bandOf);

}  // namespace zotra::fuzz
