#pragma once
// A source of positions for the program's GPS receiver: the real one reads gpsd through
// libgps, the fake one is fed by tests. The receiver's poll thread blocks in waitEvent; any
// other thread may call interrupt to wake it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform::services {

// The heading of a position without a course (standing still, or a report without one).
inline constexpr double kNoHeading = -999999.0;

// One position as the receiver keeps it.
struct GpsPosition {
    double latitude = 0.0;        // degrees, north positive
    double longitude = 0.0;       // degrees, east positive
    double heading = kNoHeading;  // degrees from north, clockwise; kNoHeading without a course
    // Both non-zero for a usable fix: quality 1 with a 2D or 3D fix; type 2 (2D) or 3 (3D).
    int fixQuality = 0;
    int fixType = 0;
    std::uint64_t receivedTick = 0;  // tick count when the source received it

    bool validFix() const { return fixQuality != 0 && fixType != 0; }
    bool hasHeading() const { return heading != kNoHeading; }
};

enum class GpsEvent {
    Position,     // a new position can be read
    DeviceState,  // the device's state changed
    Stopped,      // interrupt was called
    Timeout,      // nothing arrived in time
    Failure,      // the connection broke
};

class GpsSource {
public:
    virtual ~GpsSource() = default;
    // Opens the device; false with a readable reason when it cannot be reached.
    virtual bool open(std::string& error) = 0;
    // Blocks until the next event, at most timeoutMs milliseconds of tick time.
    virtual GpsEvent waitEvent(std::uint32_t timeoutMs) = 0;
    // The last position, when it is at most maxAgeMs old.
    virtual std::optional<GpsPosition> readPosition(std::uint32_t maxAgeMs) = 0;
    // Wakes a waitEvent in progress (or the next one) with Stopped. Any thread.
    virtual void interrupt() = 0;
    virtual void close() = 0;
};

// Where gpsd is reached: "localhost" and port "2947", or the environment variable
// PELORVANT_GPSD as "host" or "host:port".
struct GpsdAddress {
    std::string host;
    std::string port;
};
GpsdAddress gpsdAddressFromEnvironment();

// A source reading gpsd through libgps at the address (the caller owns it).
std::unique_ptr<GpsSource> makeGpsdSource(const GpsdAddress& address);

}  // namespace platform::services
