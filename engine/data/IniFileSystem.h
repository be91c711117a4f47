#pragma once
// The file operations of the INI store, behind an interface so that tests can make any step of
// a flush fail. The real implementation writes durably: a written file is synced before it is
// reported as written, and a copy replaces its target atomically, so that the target is at every
// moment either its old complete content or the new complete one.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trasovnik {

class IniFileSystem {
public:
    virtual ~IniFileSystem() = default;
    // Creates `path` anew holding exactly `bytes`; true only when every byte was written and
    // synced to storage.
    virtual bool writeFile(const std::string& path, std::string_view bytes) = 0;
    // At most `maxBytes` bytes from the start of `path`; nothing when it cannot be opened or
    // read.
    virtual std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces `target` by a copy of `source`; true when the copy is complete and in place.
    virtual bool copyFile(const std::string& source, const std::string& target) = 0;
    // Deletes `path`; true when it is gone.
    virtual bool removeFile(const std::string& path) = 0;
    // Gives the file `source` the further name `target`, never replacing a file of that name:
    // a second link where the file system has them (the source stays), else a rename. True
    // when the file is reachable as `target`.
    virtual bool keepAside(const std::string& source, const std::string& target) = 0;
};

// The local file system, shared by every store that is given no other.
IniFileSystem& realIniFileSystem();

// The sibling a copy is written to before it replaces `target`; one left behind by a copy that
// was killed half-way is removed when a store opens the target again.
std::string copySiblingOf(const std::string& target);

}  // namespace trasovnik
