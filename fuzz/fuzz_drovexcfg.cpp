// libFuzzer target for reading and importing a Drovex.cfg: any bytes give a sound reading, and an
// import never leaves a field outside its limits.
#include "cfgfile/cfgimport.h"
#include "cfgfile/cfgreader.h"
#include "settings/fieldrules.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const drovex::CfgReading r = drovex::readDrovexCfg(bytes);
    for (auto it = r.values.cbegin(); it != r.values.cend(); ++it)
        if (it->kind == drovex::CfgKind::Text && (it->text.isEmpty() || it->text.size() > 188))
            abort();
    const drovex::ImportedConfig imported = drovex::importDrovexCfg(bytes, drovex::initialSnapshot(), QString());
    for (int i = 0; i < drovex::kValuedCount; ++i) {
        const drovex::Setting& s = drovex::valuedSetting(i);
        const auto n = drovex::parseNumber(imported.settings.text[static_cast<size_t>(i)]);
        if (s.hasBar() && n && (*n < s.limits->lo || *n > s.limits->hi))
            abort();
    }
    return 0;
}
