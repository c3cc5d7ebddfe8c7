// The handlers of the recognised device ID keys. Each reads its value from
// the source and leaves the position behind the ";" that ends it.
#ifndef PAT_REPLY_DEVICE_ID_HANDLERS_H
#define PAT_REPLY_DEVICE_ID_HANDLERS_H

#include "core/error_codes.h"
#include "pat/pat.h"
#include "reply/device_id_field.h"

namespace pat {

using DeviceIdHandler = Status (*)(FieldSource *source, PrnInfoEx *record);

// Field capacities: whole keys and values, and one entry of a list value.
constexpr uint32_t kDeviceIdFieldCapacity = 256;
constexpr uint32_t kDeviceIdEntryCapacity = 30;

// "MFG", "DES": the maker and description strings; 8 when not stored.
Status OnMakerName(FieldSource *source, PrnInfoEx *record);
Status OnDescription(FieldSource *source, PrnInfoEx *record);
// "MDL": the model name and its model code; never fails.
Status OnModelName(FieldSource *source, PrnInfoEx *record);
// "CMD": the loaded emulations, when the configuration names command sets.
Status OnCommandSet(FieldSource *source, PrnInfoEx *record);
// "STS": engine-status codes, status byte and detail text.
Status OnEngineStatus(FieldSource *source, PrnInfoEx *record);
// "RIJ": the counter and the supply levels.
Status OnCounterAndSupplies(FieldSource *source, PrnInfoEx *record);

}  // namespace pat

#endif
