#pragma once
// Crash-safe replacement of a whole file: the save and the records file are
// written through it, so that a failed or interrupted write never destroys
// the previous content.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kotou {

// A file that cannot be written or read. The message names the file (by the
// label the caller gives) and what is wrong.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Replaces `file` with `bytes`: writes a temporary file of a name no one else
// uses in the same folder (created exclusively, never through a symbolic
// link), flushes it to disk, gives it the old file's permission bits, renames
// it over the file and syncs the folder, so the old content survives any
// failure and the new name survives a crash. When the folder refuses new
// files but the file itself may be written, the file is overwritten in place
// instead. Refuses a target whose owner write permission is off (a save the
// player protected). Throws FileError naming `label` and the first error met.
void replaceFile(const std::filesystem::path& file, std::string_view bytes,
                 const std::string& label);

}  // namespace kotou
