#pragma once
// The path store of a search run: every journey a label stands for is a chain of nodes back to
// its From stop. Nodes are shared by the labels that branch from them and never changed.

#include <cstdint>

namespace trasovnik::searchrun {

// Origin: the From candidate (position = its index in the From list). Board: a trip boarded at
// a position (walk = minutes walked from the previous alighting stop). Alight: a trip left at a
// position.
struct PathNode {
    enum Kind : std::uint8_t { kOrigin, kBoard, kAlight };
    const PathNode* parent;
    std::int32_t time;
    std::int32_t tripDay;
    std::uint32_t trip;
    std::uint16_t position;
    std::uint16_t stop;
    std::uint8_t tt;
    std::uint8_t kind;
    std::uint8_t walk;
};

}  // namespace trasovnik::searchrun
