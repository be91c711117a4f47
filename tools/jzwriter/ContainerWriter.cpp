// Placeholder until the container writer is written.
#include "tools/jzwriter/ContainerWriter.h"

#include <stdexcept>

namespace jz {

std::vector<std::uint8_t> writeContainer(const std::vector<std::uint8_t>&, const ContainerOptions&) {
    throw std::logic_error("writeContainer: not written yet");
}

}  // namespace jz
