#include "platform/services/events/DeviceEvents.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::services {

std::string_view eventWord(DeviceEvent event) {
    switch (event) {
        case DeviceEvent::SerialCable: return "AppRunAtRs232Detect";
        case DeviceEvent::SyncEnded: return "AppRunAfterSync";
        case DeviceEvent::UsbNetwork: return "AppRunAfterRndisFnDetected";
    }
    return {};
}

std::filesystem::path registrationsFile(const std::filesystem::path& configHome) {
    return configHome / "trasa" / "device-events";
}

namespace {

std::vector<EventRegistration> parse(const std::string& text) {
    std::vector<EventRegistration> result;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::size_t space = line.find(' ');
        if (space == std::string::npos || space == 0 || space + 1 == line.size()) continue;
        result.push_back({line.substr(0, space), line.substr(space + 1)});
    }
    return result;
}

class FileEventRegistrations final : public DeviceEventRegistrations {
public:
    explicit FileEventRegistrations(std::filesystem::path file) : file_(std::move(file)) {}

    std::vector<EventRegistration> list() override { return parse(read()); }

    bool removeProgram(const std::filesystem::path& program) override {
        return change([&](std::vector<EventRegistration>& all) {
            std::erase_if(all, [&](const EventRegistration& r) { return r.program == program; });
        });
    }

    bool add(const std::filesystem::path& program, DeviceEvent event) override {
        // A line holds one path; a path with a line break cannot be registered.
        if (program.string().find('\n') != std::string::npos || program.empty()) return false;
        EventRegistration added{std::string(eventWord(event)), program};
        return change([&](std::vector<EventRegistration>& all) {
            for (const EventRegistration& r : all) {
                if (r == added) return;
            }
            all.push_back(added);
        });
    }

private:
    std::string read() const {
        std::ifstream in(file_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Reads, changes and writes the file under a lock, replacing it whole (temporary file
    // renamed over it), so the hooks never read half a file and two writers lose nothing.
    template <typename Change>
    bool change(Change&& edit) {
        std::error_code error;
        std::filesystem::create_directories(file_.parent_path(), error);
        const std::filesystem::path lockPath = file_.string() + ".lock";
        int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lock < 0) return false;
        while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
        }
        std::vector<EventRegistration> all = parse(read());
        const std::vector<EventRegistration> before = all;
        edit(all);
        bool stored = true;
        if (all != before) {
            const std::filesystem::path temporary = file_.string() + ".new";
            {
                std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
                for (const EventRegistration& r : all) out << r.eventWord << ' ' << r.program.string() << '\n';
                out.flush();
                stored = static_cast<bool>(out);
            }
            if (stored) {
                std::filesystem::rename(temporary, file_, error);
                stored = !error;
            }
        }
        ::close(lock);
        return stored;
    }

    std::filesystem::path file_;
};

}  // namespace

std::unique_ptr<DeviceEventRegistrations> makeFileEventRegistrations(const std::filesystem::path& configHome) {
    return std::make_unique<FileEventRegistrations>(registrationsFile(configHome));
}

}  // namespace platform::services
