// libFuzzer target for reading and importing a Drovex.cfg: any bytes give a sound reading, an
// import never leaves a field outside its limits, and every line it keeps can be written back.
#include "cfgfile/cfgimport.h"
#include "cfgfile/cfgreader.h"
#include "settings/fieldrules.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const drovex::CfgReading r = drovex::readDrovexCfg(bytes);
    for (int k = 0; k < drovex::kReadKeyCount; ++k) {
        const drovex::CfgEntry& e = r.entries[static_cast<size_t>(k)];
        if (e.status == drovex::CfgStatus::Set && drovex::readKeys()[static_cast<size_t>(k)].kind == drovex::CfgKind::Text &&
            (e.text.isEmpty() || e.text.size() > 188))
            abort();
    }
    const drovex::ImportedConfig imported = drovex::importDrovexCfg(bytes, drovex::initialSnapshot(), QString());
    // Every kept line can be written back as it is.
    for (const QString& line : imported.keptLines)
        if (!drovex::keptLineProblem(line).isEmpty())
            abort();
    for (int i = 0; i < drovex::kValuedCount; ++i) {
        const drovex::Setting& s = drovex::valuedSetting(i);
        const auto n = drovex::parseNumber(imported.settings.text[static_cast<size_t>(i)]);
        if (s.hasBar() && n && (*n < s.limits->lo || *n > s.limits->hi))
            abort();
    }
    return 0;
}
