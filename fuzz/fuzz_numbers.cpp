// libFuzzer target for the number parsing every stored value and typed text passes through: any
// text gives a sound number or none, and the field rule always leaves a value within its limits.
#include "settings/fieldrules.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto n = drovex::toWholeNumber(text); n && (*n < -32768 || *n > 32767))
        abort();
    (void)drovex::toLongNumber(text);
    (void)drovex::plainWholeNumber(text);
    for (const auto& [lo, hi] : {std::pair{0, 5}, std::pair{64, 7936}, std::pair{111111, 999999}}) {
        const drovex::FieldOutcome out = drovex::applyFieldRule(text, lo, hi);
        if (out.number && (*out.number < lo || *out.number > hi))
            abort();
        if (out.text != text && drovex::applyFieldRule(out.text, lo, hi).text != out.text)
            abort(); // a clamped text is stable under the rule
    }
    return 0;
}
