// libFuzzer target for the #GP2INFO tag reader: any bytes must give a sound result.
#include "tracks/trackinfo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const drovex::TrackInfo info = drovex::parseTrackInfo(bytes);
    if (!info.tagFound && info.name != QLatin1String("No Name"))
        abort();
    if (info.tagFound) {
        if (info.name != info.values[drovex::Name])
            abort();
        for (const QString& v : info.values)
            if (v.contains(QLatin1Char('|')) || v.size() > drovex::kTagWindow)
                abort();
    }
    return 0;
}
