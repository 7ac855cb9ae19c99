#pragma once
// One program directory for a whole fuzzing run, in memory-backed storage so
// that the saves' fsync costs nothing, and helpers to compare saved files.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

inline const std::string& FuzzDir()
{
    static const std::string dir = [] {
        char pattern[] = "/dev/shm/glimmer-fuzz-XXXXXX";
        char* made = mkdtemp(pattern);
        if (made == nullptr) {
            char fallback[] = "/tmp/glimmer-fuzz-XXXXXX";
            made = mkdtemp(fallback);
            if (made == nullptr)
                abort();
            return std::string(made);
        }
        return std::string(made);
    }();
    setenv("GLIMMERBOX_HOME", dir.c_str(), 1);
    return dir;
}

inline void WriteFuzzFile(const char* name, const unsigned char* data, size_t size)
{
    FILE* out = std::fopen((FuzzDir() + "/" + name).c_str(), "wb");
    if (out == nullptr)
        abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);
}

inline std::string ReadFuzzFile(const char* name)
{
    std::string text;
    FILE* in = std::fopen((FuzzDir() + "/" + name).c_str(), "rb");
    if (in == nullptr)
        return text;
    char block[4096];
    size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, in)) > 0)
        text.append(block, n);
    std::fclose(in);
    return text;
}

#define FUZZ_CHECK(condition)                                                    \
    do {                                                                         \
        if (!(condition)) {                                                      \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            abort();                                                             \
        }                                                                        \
    } while (0)

// Loads `data` as file `name` of `kind`, checks, saves; then loads, checks and
// saves that again: the second save must give the same bytes as the first.
template <class Doc, class Check>
void LoadSaveTwice(Doc& doc, const char* name, const char* kind, const unsigned char* data, size_t size, Check check)
{
    WriteFuzzFile(name, data, size);
    doc.LoadFile(kind);
    check(doc);
    doc.SaveFile(kind);
    std::string first = ReadFuzzFile(name);
    doc.LoadFile(kind);
    check(doc);
    doc.SaveFile(kind);
    FUZZ_CHECK(ReadFuzzFile(name) == first);
}
