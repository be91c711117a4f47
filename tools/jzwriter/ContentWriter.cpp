#include "tools/jzwriter/ContentWriter.h"

#include <cstring>
#include <stdexcept>

namespace jz {

void ContentWriter::u16(std::uint16_t v) {
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
    out_.push_back(static_cast<std::uint8_t>(v));
}

void ContentWriter::u32(std::uint32_t v) {
    out_.push_back(static_cast<std::uint8_t>(v >> 24));
    out_.push_back(static_cast<std::uint8_t>(v >> 16));
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
    out_.push_back(static_cast<std::uint8_t>(v));
}

void ContentWriter::rawDouble(double v) {
    std::uint8_t raw[sizeof v];
    std::memcpy(raw, &v, sizeof v);
    out_.insert(out_.end(), raw, raw + sizeof v);
}

void ContentWriter::bytes(std::string_view b) {
    out_.insert(out_.end(), b.begin(), b.end());
}

void ContentWriter::bytes(const std::vector<std::uint8_t>& b) {
    out_.insert(out_.end(), b.begin(), b.end());
}

void ContentWriter::text(std::string_view t) {
    u32(static_cast<std::uint32_t>(t.size()));
    bytes(t);
}

void ContentWriter::beginSection() {
    openSections_.push_back(out_.size());
    u32(0);
}

void ContentWriter::endSection() {
    if (openSections_.empty()) {
        throw std::logic_error("endSection without beginSection");
    }
    std::size_t at = openSections_.back();
    openSections_.pop_back();
    patchU32(at, static_cast<std::uint32_t>(out_.size() - at - 4));
    sections_.push_back({at, out_.size()});
}

void ContentWriter::skippedSection(std::string_view junk) {
    beginSection();
    bytes(junk);
    endSection();
}

void ContentWriter::append(const ContentWriter& other) {
    if (!other.openSections_.empty()) {
        throw std::logic_error("appending a writer with open sections");
    }
    std::size_t offset = out_.size();
    for (const Section& sec : other.sections_) {
        sections_.push_back({sec.lengthAt + offset, sec.end + offset});
    }
    out_.insert(out_.end(), other.out_.begin(), other.out_.end());
}

void ContentWriter::patchU32(std::size_t offset, std::uint32_t v) {
    if (offset + 4 > out_.size()) {
        throw std::out_of_range("patchU32 past the end");
    }
    out_[offset] = static_cast<std::uint8_t>(v >> 24);
    out_[offset + 1] = static_cast<std::uint8_t>(v >> 16);
    out_[offset + 2] = static_cast<std::uint8_t>(v >> 8);
    out_[offset + 3] = static_cast<std::uint8_t>(v);
}

}  // namespace jz
