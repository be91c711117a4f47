#pragma once
// Device events that start registered programs, and the programs registered for them.
//
// A registered program is started with the event's word as its whole command line. On this
// system the registrations live in a file of the user, "device-events" in the folder "trasa"
// under the configuration folder, one "<event word> <program path>" a line; the hooks in
// updater/hooks turn the kernel's and the network manager's events into runs of these
// programs for the logged-in user.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::services {

enum class DeviceEvent {
    SerialCable,  // a serial cable was connected
    SyncEnded,    // a synchronisation with a computer ended (no source on this system)
    UsbNetwork,   // a network function over USB came up
};

// "AppRunAtRs232Detect", "AppRunAfterSync", "AppRunAfterRndisFnDetected".
std::string_view eventWord(DeviceEvent event);

struct EventRegistration {
    std::string eventWord;
    std::filesystem::path program;
    bool operator==(const EventRegistration&) const = default;
};

class DeviceEventRegistrations {
public:
    virtual ~DeviceEventRegistrations() = default;
    // Every registration, in the order made.
    virtual std::vector<EventRegistration> list() = 0;
    // Removes every registration of the program; true when none is left afterwards.
    virtual bool removeProgram(const std::filesystem::path& program) = 0;
    // Registers the program for the event; a registration that exists already stays as it is.
    // False when it could not be stored.
    virtual bool add(const std::filesystem::path& program, DeviceEvent event) = 0;
};

// The registrations file under configHome (see registrationsFile). The caller owns the result.
std::unique_ptr<DeviceEventRegistrations> makeFileEventRegistrations(const std::filesystem::path& configHome);
std::filesystem::path registrationsFile(const std::filesystem::path& configHome);

class DeviceEventRegistrationsDouble final : public DeviceEventRegistrations {
public:
    std::vector<EventRegistration> registrations;
    std::vector<EventRegistration> list() override { return registrations; }
    bool removeProgram(const std::filesystem::path& program) override {
        std::erase_if(registrations, [&](const EventRegistration& r) { return r.program == program; });
        return true;
    }
    bool add(const std::filesystem::path& program, DeviceEvent event) override {
        EventRegistration added{std::string(eventWord(event)), program};
        for (const EventRegistration& r : registrations) {
            if (r == added) return true;
        }
        registrations.push_back(added);
        return true;
    }
};

}  // namespace platform::services
