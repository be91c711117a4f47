// Parses arbitrary bytes as the INI store's main file, reads what was found, changes it and
// flushes through an in-memory file system. Besides memory errors it checks the store's
// promise: whatever it loaded and then flushed reads back identically.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "engine/data/IniStore.h"

namespace {

using trasovnik::IniFileSystem;
using trasovnik::IniStore;

class MemoryFileSystem final : public IniFileSystem {
public:
    std::map<std::string, std::string> files;

    bool writeFile(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return true;
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        const auto it = files.find(path);
        if (it == files.end()) {
            return std::nullopt;
        }
        return it->second.substr(0, maxBytes);
    }
    bool copyFile(const std::string& source, const std::string& target) override {
        const auto it = files.find(source);
        if (it == files.end()) {
            return false;
        }
        files[target] = it->second;
        return true;
    }
    bool removeFile(const std::string& path) override {
        files.erase(path);
        return true;
    }
    bool keepAside(const std::string& source, const std::string& target) override {
        const auto it = files.find(source);
        if (it == files.end() || files.count(target) != 0) {
            return false;
        }
        files[target] = it->second;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFileSystem fs;
    fs.files["main.ini"] = std::string(reinterpret_cast<const char*>(data), size);
    IniStore store("main.ini", "temp.dat", fs);

    // Read back every key of the sections named in the input's first lines.
    const std::string text = fs.files["main.ini"];
    std::size_t probes = 0;
    for (std::size_t open = text.find('['); open != std::string::npos && probes < 16;
         open = text.find('[', open + 1), ++probes) {
        const std::size_t close = text.find(']', open);
        if (close == std::string::npos) {
            break;
        }
        const std::string section = text.substr(open + 1, close - open - 1);
        for (const auto& key : store.readSection(section)) {
            if (store.readString(section, key.name, "") != key.value) {
                std::abort();
            }
            store.readInt(section, key.name, -1);
            store.readBool(section, key.name, true);
        }
        store.removeKey(section, text.substr(close + 1, 8));
        if (probes % 3 == 0) {
            store.removeSection(section);
        }
        store.writeString(section, text.substr(open, 6), text.substr(close, 5));
    }
    store.writeInt("fuzz", "count", static_cast<int>(size));

    if (store.flush()) {
        const IniStore again("main.ini", "temp.dat", fs);
        if (store.dirty() || fs.files.count("temp.dat") != 0) {
            std::abort();
        }
        if (again.readInt("fuzz", "count", -1) != static_cast<int>(size)) {
            std::abort();
        }
        if (fs.files["main.ini"].size() > IniStore::kMaxTextBytes) {
            std::abort();
        }
    } else if (!store.dirty()) {
        std::abort();
    }
    return 0;
}
