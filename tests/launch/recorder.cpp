// A stand-in for Drovex, the batch file and the game: records its working folder and its
// arguments, one a line, into the file named by DROVEX_RECORD_FILE. With DROVEX_RECORD_STARTS it
// also adds a line to that file at every start, and with DROVEX_RECORD_LINGER_MS it keeps running
// that long, as a game would.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char* argv[])
{
    const char* out = std::getenv("DROVEX_RECORD_FILE");
    if (!out)
        return 1;
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd))
        return 1;
    const std::string tmp = std::string(out) + ".part";
    FILE* f = std::fopen(tmp.c_str(), "w");
    if (!f)
        return 1;
    std::fprintf(f, "%s\n", cwd);
    for (int i = 1; i < argc; ++i)
        std::fprintf(f, "%s\n", argv[i]);
    std::fclose(f);
    if (const char* starts = std::getenv("DROVEX_RECORD_STARTS")) {
        if (FILE* log = std::fopen(starts, "a")) {
            std::fputs("started\n", log);
            std::fclose(log);
        }
    }
    const bool renamed = std::rename(tmp.c_str(), out) == 0;
    if (const char* linger = std::getenv("DROVEX_RECORD_LINGER_MS"))
        usleep(static_cast<useconds_t>(std::atoi(linger)) * 1000);
    return renamed ? 0 : 1;
}
