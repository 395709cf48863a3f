#pragma once

// What every fuzz target shares: a private folder for the files a target
// writes, and a check that stops the run with a message.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kzt::fuzz {

// A folder of this process, made once and removed at exit.
inline const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/kzt-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        static const std::string removeAtExit = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// A broken promise of the code under test: report it and stop, so libFuzzer
// keeps the input as a crash.
#define KZT_FUZZ_CHECK(condition)                                                                                  \
    do {                                                                                                           \
        if (!(condition)) {                                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                    \
            std::abort();                                                                                          \
        }                                                                                                          \
    } while (false)

} // namespace kzt::fuzz
