#include "tools/uidrive/FaultSteps.h"

#include "app/core/ActualizeValue.h"
#include "app/core/TimetableData.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "platform/services/http/LoopbackHttpServer.h"
#include "platform/services/registry/Registry.h"

#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

namespace uidrive {

namespace fs = std::filesystem;

namespace {

std::string readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Mounts a tmpfs of that size at the folder (made when missing); "" or what failed.
std::string mountTmpfs(const fs::path& folder, const std::string& size) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string options = "size=" + size + ",mode=0755";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return "cannot mount a tmpfs at " + folder.string() + ": " + std::strerror(errno) +
               " (the step needs root, as CI and the developers' machines run)";
    }
    return {};
}

void writeWholeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// True when the engine's reader takes the file whole, as its check of a received file does.
bool engineReads(const fs::path& file) {
    trasovnik::LoadObserver quiet;
    try {
        return trasovnik::loadTimetableFile(file.string(), quiet) != nullptr;
    } catch (...) {
        return false;
    }
}

}  // namespace

std::string FaultSteps::flipReadableBit(const fs::path& file) {
    std::string bytes = readWholeFile(file);
    if (bytes.size() < 128)
        return "too small to damage: " + file.string();
    // From the middle on, spread over the file: the first bit whose flip the reader takes.
    constexpr std::size_t kTries = 4000;
    for (std::size_t i = 0; i < kTries; ++i) {
        const std::size_t at = 64 + (bytes.size() / 2 + i * 131) % (bytes.size() - 64);
        const char mask = static_cast<char>(1 << (i % 8));
        bytes[at] ^= mask;
        writeWholeFile(file, bytes);
        if (engineReads(file))
            return {};
        bytes[at] ^= mask;
    }
    writeWholeFile(file, bytes);
    return "no bit of " + file.string() + " flips unnoticed by the engine's reader";
}

FaultSteps::FaultSteps(fs::path dataFolder, fs::path configHome)
    : dataFolder_(std::move(dataFolder)), configHome_(std::move(configHome)) {}

FaultSteps::~FaultSteps() {
    release();
}

void FaultSteps::release() {
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it)
        ::umount2(it->c_str(), MNT_DETACH);
    mounts_.clear();
    if (!storage_.empty()) {
        std::error_code ec;
        fs::remove_all(storage_, ec);
        storage_.clear();
    }
}

std::string FaultSteps::damage(const fs::path& file, const std::string& kind) {
    std::string bytes = readWholeFile(file);
    if (bytes.size() < 128)
        return "too small to damage: " + file.string();
    if (kind == "empty") {
        bytes.clear();
    } else if (kind == "html") {
        bytes = "<html><body>404 Not Found</body></html>";
    } else if (kind == "flip") {
        // Four bits in the middle of the file, as a worn storage card flips them.
        for (std::size_t i = 0; i < 4; ++i)
            bytes[bytes.size() / 2 + 97 * i] ^= static_cast<char>(1 << (i + 2));
    } else if (kind == "half") {
        bytes.resize(bytes.size() / 2);
    } else if (kind == "64") {
        bytes.resize(64);
    } else if (kind == "random") {
        std::mt19937 random(20261210);
        for (std::size_t i = 16; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(random());
    } else {
        return "damage half, 64, random, flip, empty or html";
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    return {};
}

std::string FaultSteps::updateInformation(platform::services::LoopbackHttpServer& server,
                                          const fs::path& serverFolder, const std::string& kind) {
    const fs::path file = serverFolder / "pelorakt.ini";
    if (kind == "html") {
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            << "<html><head><title>Přihlášení</title></head><body>Přihlaste se k síti "
               "Wi-Fi.</body></html>";
    } else if (kind == "huge") {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << "[tt]\r\n"
                                                                << std::string(3 << 20, 'x');
    } else if (kind == "endless") {
        // Not in the folder, so the route answers, without a length.
        std::error_code ec;
        fs::remove(file, ec);
        platform::services::LoopbackRoute route;
        route.body = "[tt]\r\n" + std::string(16 << 20, 'x');
        route.announceLength = false;
        server.setRoute("/pelorakt.ini", route);
    } else if (kind == "error" || kind == "loop" || kind == "local" || kind == "cut") {
        // A server that fails: 503, a redirect to itself, one to a local file, or a body that
        // breaks off halfway. Not in the folder, so the route answers.
        std::error_code ec;
        fs::remove(file, ec);
        platform::services::LoopbackRoute route;
        if (kind == "error") {
            route = {.status = 503, .body = "<html><body>Service Unavailable</body></html>"};
        } else if (kind == "loop") {
            route = {.status = 302, .redirectTo = "/pelorakt.ini"};
        } else if (kind == "local") {
            route = {.status = 301, .redirectTo = "file:///etc/passwd"};
        } else {
            route = {.body = "[tt]\r\nKraj=9000\r\n" + std::string(20000, ';'), .cutAfter = 5000};
        }
        server.setRoute("/pelorakt.ini", route);
    } else if (kind == "slow") {
        // Sound, but two seconds long, without a length: the progress view can be looked at.
        std::error_code ec;
        fs::remove(file, ec);
        platform::services::LoopbackRoute route;
        route.body = "[tt]\r\nNic=1\r\n" + std::string(20000, ';') + "\r\n";
        route.announceLength = false;
        route.slowChunk = 1000;
        route.slowPause = std::chrono::milliseconds(100);
        server.setRoute("/pelorakt.ini", route);
    } else {
        return "update-info html, huge, endless, slow, error, loop, local or cut";
    }
    return {};
}

std::string FaultSteps::storageOnTmpfs(const fs::path& timetable, const std::string& name) {
    if (storage_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "uidrive-storage-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return "cannot make the storage folder";
        if (std::string failed = mountTmpfs(pattern, "64m"); !failed.empty()) {
            fs::remove(pattern);
            return failed;
        }
        storage_ = pattern;
        mounts_.push_back(storage_);
        auto registry = platform::services::makeFileRegistry(configHome_);
        if (!registry->writeString(pelorvant::kProgramRegistryKey, pelorvant::kStoragePathValueName,
                                   storage_.string())) {
            return "cannot write the storage folder's \"Path\"";
        }
    }
    const fs::path folder = storage_ / "pelorvant" / "data";
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::copy_file(timetable, folder / name, fs::copy_options::overwrite_existing, ec);
    return ec ? "cannot install " + timetable.string() + " on the storage folder: " + ec.message()
              : std::string();
}

std::string FaultSteps::diskFull(bool on) {
    const fs::path filler = dataFolder_ / "filler.bin";
    std::error_code ec;
    if (!on) {
        fs::remove(filler, ec);
        return {};
    }
    if (std::find(mounts_.begin(), mounts_.end(), dataFolder_) == mounts_.end()) {
        // The folder's files move onto the new file system under the same names.
        std::map<fs::path, std::string> files;
        for (const auto& entry : fs::directory_iterator(dataFolder_, ec)) {
            if (entry.is_regular_file())
                files[entry.path().filename()] = readWholeFile(entry.path());
        }
        std::size_t total = 0;
        for (const auto& [name, bytes] : files)
            total += bytes.size();
        if (std::string failed = mountTmpfs(dataFolder_, std::to_string(total + (1 << 20)));
            !failed.empty())
            return failed;
        mounts_.push_back(dataFolder_);
        for (const auto& [name, bytes] : files)
            std::ofstream(dataFolder_ / name, std::ios::binary) << bytes;
    }
    // Filled to the last byte.
    std::ofstream out(filler, std::ios::binary | std::ios::app);
    const std::string block(4096, '\0');
    while (out.write(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
    out.clear();
    out.close();
    std::ofstream more(filler, std::ios::binary | std::ios::app);
    while (more.put('\0'))
        more.flush();
    return {};
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && readWholeFile(a) == readWholeFile(b);
}

}  // namespace uidrive
