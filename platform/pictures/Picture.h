#pragma once
// Pictures of the cg folder: JPEG (libjpeg) and uncompressed BMP files,
// decoded into plain RGB pixels so that no toolkit is needed to read them.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kotou {

// Decoded pixels, 3 bytes per pixel (R, G, B), rows top to bottom without
// padding. An empty picture has width and height 0.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    bool empty() const { return width == 0 || height == 0; }
};

// A file that is not a picture this loader can read, or is damaged.
class PictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Decode a JPEG held in memory. Corrupt or truncated data throws PictureError
// (libjpeg's own recoverable warnings count as damage too, so a half picture
// filled with grey is never shown).
Picture decodeJpeg(const uint8_t* data, size_t size);

// Decode an uncompressed Windows bitmap (8-bit palette, 24-bit or 32-bit,
// bottom-up or top-down) held in memory. Anything else throws PictureError.
Picture decodeBmp(const uint8_t* data, size_t size);

// Read and decode a file; the format is chosen from the file's first bytes.
// Throws PictureError for a missing, unreadable or undecodable file.
Picture readPictureFile(const std::filesystem::path& file);

// Loads pictures for the window. A missing or damaged file gives an empty
// picture and one warning for that file, however often it is asked for.
class PictureLoader {
  public:
    using WarningSink = std::function<void(const std::string&)>;

    // The default sink writes "kotou: warning: ..." to standard error.
    explicit PictureLoader(WarningSink warn = {});

    Picture load(const std::filesystem::path& file);

    // Number of warnings given so far.
    size_t warningCount() const;

  private:
    WarningSink warn_;
    mutable std::mutex mutex_;
    std::set<std::filesystem::path> warned_;
};

}  // namespace kotou
