// A stand-in for Drovex, the batch file and the game: records its working folder and its
// arguments, one a line, into the file named by DROVEX_RECORD_FILE.
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
    return std::rename(tmp.c_str(), out) == 0 ? 0 : 1;
}
