// libFuzzer target for the track-file reader: any bytes give a sound result, read within their
// length (the address sanitizer sees every byte past it), in work that grows with their size.
#include "tracks/trackfile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace drovex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the input's size: no slack after the last byte.
    const auto bytes = std::make_unique<char[]>(size + 1);
    std::copy(data, data + size, bytes.get());
    const QByteArrayView file(bytes.get(), static_cast<qsizetype>(size));
    const TrackFileFacts facts = examineTrackFile(file);
    if (notATrackReason(facts).isEmpty() != facts.data.outline.has_value())
        abort();
    if (const auto& o = facts.data.outline) {
        const double turns = static_cast<double>(o->turning) / 65536.0;
        if (o->lapUnits <= 0 || o->points.isEmpty() || std::abs(turns - std::round(turns)) > 0.01 ||
            std::abs(turns) > 1.01 || o->closureGap > 0.02 * static_cast<double>(o->lapUnits) || o->headerLength < 28 ||
            o->headerLength > 64 || o->headerLength % 2 != 0)
            abort();
        // At most one point per unit of the lap, and one per section, and the start.
        if (o->points.size() > o->lapUnits + o->sectionCount + 1)
            abort();
    } else if (facts.data.problem.isEmpty()) {
        abort();
    }
    if (facts.checksum && !checkChecksum(withCorrectChecksum(file))->correct())
        abort();
    return 0;
}
