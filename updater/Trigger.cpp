#include "updater/Trigger.h"

#include "platform/services/events/DeviceEvents.h"

namespace obnovnik {

std::optional<Trigger> triggerOfCommandLine(std::string_view commandLine) {
    using platform::services::DeviceEvent;
    using platform::services::eventWord;
    if (commandLine == eventWord(DeviceEvent::SerialCable)) return Trigger::SerialCable;
    if (commandLine == eventWord(DeviceEvent::SyncEnded)) return Trigger::SyncEnded;
    if (commandLine == eventWord(DeviceEvent::UsbNetwork)) return Trigger::UsbNetwork;
    return std::nullopt;
}

std::int64_t triggerKind(Trigger trigger) { return trigger == Trigger::SerialCable ? kCableKind : kOtherKind; }

}  // namespace obnovnik
