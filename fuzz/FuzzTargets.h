#pragma once

// Every fuzz target: its name (the executable is fuzz_<name>, its kept corpus
// tests/store/fuzz-corpus/<name>/) and the function that runs one input.
// Each function returns false when an invariant breaks; errors the store
// reports as UrnariumError are expected and end a run normally.

#include "CommissionFuzz.h"
#include "DataFileFuzz.h"
#include "ErrorCatalogueFuzz.h"
#include "RecoveryCopyFuzz.h"
#include "ReferenceTablesFuzz.h"
#include "SectionsFileFuzz.h"
#include "StationConfigFuzz.h"

namespace urn::fuzz {

struct FuzzTarget {
    const char* name;
    bool (*run)(const uint8_t* data, size_t size);
};

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"data_file", runDataFileInput},
    {"station_config", runStationConfigInput},
    {"reference_tables", runReferenceTablesInput},
    {"sections_file", runSectionsFileInput},
    {"commission", runCommissionInput},
    {"error_catalogue", runErrorCatalogueInput},
    {"recovery_copy", runRecoveryCopyInput},
};

} // namespace urn::fuzz
