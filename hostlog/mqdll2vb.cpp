// mqdll2vb.dll: hands out one field text of the current record, which
// marqen50.dll's MQW_read left in the caller's work area.
#include "MarqenApi.h"

#include <cstring>

using namespace marqen;

// Writes the text of field `fieldNumber` (0 to 16) into the 256-byte buffer,
// ended by a NUL. No open logbook, no current record or an unknown field
// number give an empty text. Control bytes of a damaged text become blanks,
// so the text always ends at its NUL.
MARQEN_EXPORT void MqwString(char* buffer, void* workArea, std::int32_t fieldNumber) {
  if (!buffer) return;
  buffer[0] = '\0';
  if (!workArea || fieldNumber < 0 || fieldNumber >= kFieldCount) return;
  const WorkArea* w = static_cast<const WorkArea*>(workArea);
  if (std::memcmp(w->signature, kWorkSignature, sizeof w->signature) != 0 || w->open != 1 ||
      w->state != kRecordRead) {
    return;
  }
  const WorkArea::Field f = w->fields[fieldNumber];
  std::size_t width = f.width;
  if (f.offset + width > sizeof w->record) return;
  if (width > kResultBufferBytes - 1) width = kResultBufferBytes - 1;
  // The text ends at its first NUL, or fills its place.
  const char* from = w->record + f.offset;
  std::size_t i = 0;
  for (; i < width && from[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(from[i]);
    buffer[i] = (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
  }
  buffer[i] = '\0';
}
