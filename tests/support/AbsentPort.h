#pragma once
// COM9 is mapped to a path in the build tree that never gets a null-modem
// pair. While this lives, the path is a directory, or nothing at all: either
// way there is no port behind COM9, but the host notices at different steps.
//
// The test's CMake passes the build tree in TARVEK_BUILD_DIR.

#include <cstdint>
#include <string>

class AbsentPort {
public:
    static constexpr int32_t Index = 8;
    enum Kind { Directory, Nothing };

    explicit AbsentPort(Kind kind);
    ~AbsentPort();
    AbsentPort(const AbsentPort&) = delete;
    AbsentPort& operator=(const AbsentPort&) = delete;

    bool InPlace() const { return inPlace; }

private:
    std::string path;
    bool inPlace = false;
};
