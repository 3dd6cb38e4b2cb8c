#pragma once
// The new contents of a file on its way in. They are written to a temporary file beside the
// file a save really replaces (symbolic links followed), which takes that file's place only
// once it was written whole, keeping its permission mode, its owner where the system lets
// us, and its hard links. Until then the old file stays as it was.

#include <string>
#include <string_view>

namespace rz::platform {

class FileReplacement {
  public:
    FileReplacement() = default;
    ~FileReplacement() { discard(); }
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Finds the file to replace and creates the temporary file. False when the name leads
    // nowhere a save may go: a link loop, something that is not a regular file, a
    // write-protected file, or a folder that takes no new file.
    bool begin(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    // Appends to the new contents; false when they could not all be written.
    bool write(std::string_view bytes);

    // Puts the written contents in place and makes them durable (file and folder synced).
    // False when that failed; the temporary file is gone either way.
    bool commit();
    // Drops the temporary file; the target is untouched.
    void discard();

  private:
    bool renameOver();
    bool copyInto();

    int fd_ = -1;
    std::string target_;  // the real file, links followed
    std::string temp_;
};

// The file a name finally leads to when every symbolic link on the way is followed; a link
// whose target is missing leads to that missing name. Empty for a loop or a chain too long.
std::string followLinks(const std::string& path);

}  // namespace rz::platform
