#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// Shared by the fuzz targets.
namespace varnok::fuzz {

// Writes the input to a file of this process (under TMPDIR) and returns
// its path; the file is rewritten on every call.
QString writeInputFile(const uint8_t *data, size_t size);

// Stops the run with a message when an invariant does not hold: libFuzzer
// reports the abort as a crash together with the input.
void check(bool condition, const char *what);

} // namespace varnok::fuzz
