#pragma once
// Scratch files for tests: a fresh folder under the test output folder, and
// whole-file reads and writes of raw bytes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kotou::test {

// An empty folder KOTOU_TEST_OUTPUT/area/name (emptied if it existed).
inline std::filesystem::path scratchDir(const std::string& area, const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(KOTOU_TEST_OUTPUT) / area / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

}  // namespace kotou::test
