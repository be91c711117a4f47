#pragma once
// Per-user string values that two programs share (the program and its updater), addressed by a
// key path such as "SOFTWARE\\Pelorvant" and a value name. The file-backed store keeps one
// folder per key path under the user's configuration folder and one file per value; writes go
// to a temporary file that is renamed over the value under an exclusive lock, so a reader never
// sees a torn value even while the other program writes.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace platform::services {

class Registry {
public:
    virtual ~Registry() = default;

    // The value's text, or nothing when the key or the value is missing, cannot be read, or
    // holds more than maxBytes bytes (a value the caller's buffer could not take counts as
    // missing). Text is UTF-8.
    virtual std::optional<std::string> readString(std::string_view keyPath, std::string_view name,
                                                  std::size_t maxBytes) = 0;

    // Creates the key when it is missing and replaces the value. False when it could not be
    // stored; the old value then stays whole.
    virtual bool writeString(std::string_view keyPath, std::string_view name, std::string_view value) = 0;

    // Removes the value; true when it is gone afterwards (also when it never existed).
    virtual bool removeValue(std::string_view keyPath, std::string_view name) = 0;

    // Reads the value (as readString does) and writes what `change` makes of it, with no other
    // writer in between, so fields that another program changed meanwhile are not lost; a
    // change that gives nothing leaves the value as it is. False when it could not be stored;
    // the old value then stays whole.
    using Change =
        std::function<std::optional<std::string>(const std::optional<std::string>& current)>;
    virtual bool updateString(std::string_view keyPath, std::string_view name, std::size_t maxBytes,
                              const Change& change) = 0;
};

// The store under configHome (normally $XDG_CONFIG_HOME, else ~/.config); see
// defaultConfigHome(). The caller owns the returned object.
std::unique_ptr<Registry> makeFileRegistry(const std::filesystem::path& configHome);

// $XDG_CONFIG_HOME when set and absolute, else $HOME/.config.
std::filesystem::path defaultConfigHome();

// A registry held in memory, for tests and for callers that must not touch the disk.
class MemoryRegistry final : public Registry {
public:
    std::optional<std::string> readString(std::string_view keyPath, std::string_view name,
                                          std::size_t maxBytes) override {
        std::lock_guard lock(mutex_);
        auto it = values_.find(makeKey(keyPath, name));
        if (it == values_.end() || it->second.size() > maxBytes) return std::nullopt;
        return it->second;
    }
    bool writeString(std::string_view keyPath, std::string_view name, std::string_view value) override {
        std::lock_guard lock(mutex_);
        values_[makeKey(keyPath, name)] = std::string(value);
        return true;
    }
    bool removeValue(std::string_view keyPath, std::string_view name) override {
        std::lock_guard lock(mutex_);
        values_.erase(makeKey(keyPath, name));
        return true;
    }
    bool updateString(std::string_view keyPath, std::string_view name, std::size_t maxBytes,
                      const Change& change) override {
        std::lock_guard lock(mutex_);
        const std::string key = makeKey(keyPath, name);
        std::optional<std::string> current;
        if (auto it = values_.find(key); it != values_.end() && it->second.size() <= maxBytes)
            current = it->second;
        if (std::optional<std::string> next = change(current))
            values_[key] = std::move(*next);
        return true;
    }

private:
    static std::string makeKey(std::string_view keyPath, std::string_view name) {
        std::string key(keyPath);
        key += '\n';
        key += name;
        return key;
    }
    std::mutex mutex_;
    std::map<std::string, std::string> values_;
};

}  // namespace platform::services
