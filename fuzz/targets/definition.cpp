// The contest definition and every program's reader of it: the editor's
// model, the extraction's, the sort-and-check program's, the log program's,
// the totals program's entries. Whatever the file holds, a definition the
// editor writes reads back to the same file.
#include "FuzzSupport.h"

#include "check/CheckDefinition.h"
#include "common/Text.h"
#include "define/ContestDefinition.h"
#include "extract/ExtractDefinition.h"
#include "summary/BandTotals.h"
#include "summary/DefinitionEntries.h"
#include "summary/Submission.h"
#include "summary/SummaryOutputs.h"

using namespace zotra;

// definition_log.cpp: the log program's reader (its header names files as the
// totals program's does).
void ReadAsTheLogProgram(const QString& path);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("ZOTRAW.TST"), data, size);

  ContestDefinition editor = ContestDefinition::EditorDefaults();
  ReadDefinition(path, &editor);
  editor.ActiveBands();

  ContestDefinition plain;
  const DefinitionReadResult result = ReadDefinition(path, &plain);
  if (!result.versionMismatch) {
    // Written and read back, the definition gives the same file again (a
    // character the code page cannot hold was written as "?").
    const QString written = DecodeCp932(EncodeCp932(DefinitionText(plain)));
    ContestDefinition reread;
    const QString back = fuzz::ScratchFolder() + QStringLiteral("/back.TST");
    FUZZ_CHECK(WriteDefinition(plain, back));
    FUZZ_CHECK(!ReadDefinition(back, &reread).versionMismatch);
    FUZZ_CHECK(DefinitionText(reread) == written);
  }

  const ExtractDefinition extract = ReadExtractDefinition(path);
  extract.StatusMessage();
  // A definition the extraction takes has a period of two whole keys.
  FUZZ_CHECK(extract.status != ExtractDefinition::Status::Read ||
             (extract.startKey.size() == 12 && extract.endKey.size() == 12 && extract.startKey <= extract.endKey));
  const CheckDefinition check = ReadCheckDefinition(path);
  CheckBandList(check.bands);
  ReadAsTheLogProgram(path);
  const DefinitionEntries entries = DefinitionEntries::FromFile(path);
  ReadTotalsDefinition(entries);
  ReadSubmissionFormats(entries);
  ElectronicLogVersion(entries);
  TextSummaryWanted(entries);
  return 0;
}
