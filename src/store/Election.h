#pragma once

// The election this program records, as its forms name it.

namespace urn {

// The days of the poll as the record, its entry page and the test page
// write them.
inline constexpr const char* kDnyVoleb = "07. - 08.06.2024";

} // namespace urn
