#pragma once
// Serialises values into a timetable file's content stream: big-endian integers, texts with a
// 32-bit length, raw 8-byte doubles and length-prefixed sections whose lengths are patched in
// when the section ends. The counterpart of the engine's TimetableFileReader.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace jz {

class ContentWriter {
public:
    void u8(std::uint8_t v) { out_.push_back(v); }
    void i8(std::int8_t v) { u8(static_cast<std::uint8_t>(v)); }
    void u16(std::uint16_t v);
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    // Eight bytes of a double in the machine's byte order (how stop coordinates are stored).
    void rawDouble(double v);
    void bytes(std::string_view b);
    void bytes(const std::vector<std::uint8_t>& b);
    // A 32-bit length followed by the bytes.
    void text(std::string_view t);

    // Sections: a 32-bit length word, patched by endSection with the bytes written since.
    void beginSection();
    void endSection();
    // A whole section holding `junk`, so that readers that skip it are exercised.
    void skippedSection(std::string_view junk = "\x5a\xa5junk");

    // A closed section: where its length word stands and where the section ends.
    struct Section {
        std::size_t lengthAt;
        std::size_t end;
    };
    // Every closed section, for the container writer, which adds to each length the flag
    // bytes of the compressed blocks that begin inside the section.
    const std::vector<Section>& sections() const { return sections_; }

    void append(const ContentWriter& other);
    std::size_t size() const { return out_.size(); }
    const std::vector<std::uint8_t>& data() const { return out_; }
    // Patch a 32-bit big-endian value written earlier at `offset`.
    void patchU32(std::size_t offset, std::uint32_t v);

private:
    std::vector<std::uint8_t> out_;
    std::vector<std::size_t> openSections_;
    std::vector<Section> sections_;
};

}  // namespace jz
