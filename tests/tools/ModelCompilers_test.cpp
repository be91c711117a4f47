// Faults in the description parts that name objects, the header, names, notes, stops,
// categories and lines: each is refused with a message that says where.
#include <gtest/gtest.h>

#include <string>

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/NameTableBuilder.h"
#include "tools/jzwriter/NoteAttachments.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace jz {
namespace {

using nlohmann::json;

json base() {
    return json::parse(R"({
      "version": "4.0",
      "header": { "title": "T", "kind": "BUS" },
      "notes": [{ "id": "n", "mark": "N" }],
      "towns": [{ "id": "t", "name": "Obec" }],
      "stopGroups": [{ "id": "g", "name": "G" }],
      "stops": [{ "id": "a", "name": "A", "town": "t", "group": "g", "key": 1 },
                { "id": "b", "name": "B", "town": "t", "group": "g", "key": 2 }],
      "categories": [{ "name": "zastávky", "elements": [{ "name": "A", "stops": ["a"] }] }],
      "lineKinds": [{ "id": "k", "name": "Bus" }],
      "lineGroups": [{ "id": "lg", "name": "" }],
      "lines": [{ "id": "l", "kind": "k", "group": "lg", "name": "1" }]
    })");
}

// Runs the compilers of these parts over `doc`; the message of the fault, or "" when none.
std::string faultOf(const json& doc) {
    try {
        CompileContext ctx{doc};
        ContainerOptions o = containerOptionsOf(doc);
        ctx.major = static_cast<int>(o.major);
        ctx.minor = static_cast<int>(o.minor);
        indexSourceObjects(ctx);
        ContentWriter out;
        compileHeader(ctx, out);
        compileNotes(ctx, out);
        compileStops(ctx, out);
        compileCategories(ctx, out);
        compileLineTables(ctx, out);
        compileNameBlock(ctx, out);
    } catch (const CompileError& e) {
        return e.what();
    }
    return "";
}

TEST(ModelCompilers, WellFormedBaseCompiles) {
    EXPECT_EQ(faultOf(base()), "");
}

TEST(ModelCompilers, Faults) {
    struct Case {
        const char* pointer;  // JSON pointer of the altered value
        json value;
        const char* message;  // part of the expected message
    };
    const Case cases[] = {
        {"/stops/1/id", "a", "stops[1]: duplicate id \"a\""},
        {"/notes/0/id", 5, "notes[0]: expected an object with a string \"id\""},
        {"/stops/0/town", "x", "unknown town \"x\""},
        {"/stops/0/group", "x", "unknown stop group \"x\""},
        {"/stops/1/key", 1, "key 1 is given to two stops"},
        {"/stops/0/walk", json::array({{{"to", "z"}, {"minutes", 1}}}), "unknown stop \"z\""},
        {"/stops/0/walk", json::array({{{"to", "b"}, {"minutes", 256}}}),
         "stops[0].walk[0].minutes"},
        {"/stops/0/links", json::array({{{"key", 5}, {"minutes", 1}, {"town", "q"}}}),
         "unknown town \"q\""},
        {"/stops/0/colour", 1, "stops[0]: unknown field \"colour\""},
        {"/categories/0/elements/0/stops", json::array({"z"}), "unknown stop \"z\""},
        {"/lines/0/kind", "z", "unknown line kind \"z\""},
        {"/lineKinds/0/colour", "#12345", "lineKinds[0].colour"},
        {"/notes/0/mark", "漢", "notes[0].mark"},
        {"/header/identifier", 40000, "header.identifier"},
        {"/header/validity", json::array({{{"from", "2027-02-30"}}}), "header.validity[0].from"},
        {"/header/texts", json::array({"a", "b", "c", "d"}), "header.texts: at most three"},
        {"/stopGroups/0/value", -129, "stopGroups[0].value"},
    };
    for (const Case& c : cases) {
        json doc = base();
        doc[json::json_pointer(c.pointer)] = c.value;
        std::string fault = faultOf(doc);
        EXPECT_NE(fault.find(c.message), std::string::npos)
            << c.pointer << ": got \"" << fault << "\"";
    }
}

TEST(ModelCompilers, HeaderFieldsThatTheVersionCannotHold) {
    struct Case {
        const char* version;
        const char* field;
        json value;
    };
    const Case cases[] = {
        {"3.2", "hasCoordinates", true},
        {"3.3", "values", json::array({1})},
        {"2.2", "seriesName", "S"},
        {"2.1", "codes", json::array({1})},
    };
    for (const Case& c : cases) {
        json doc = base();
        doc["version"] = c.version;
        doc["header"][c.field] = c.value;
        std::string fault = faultOf(doc);
        EXPECT_NE(fault.find(std::string("header.") + c.field + ": needs a file of version"),
                  std::string::npos)
            << c.version << " " << c.field << ": got \"" << fault << "\"";
    }
}

TEST(ModelCompilers, NameBlockBuilder) {
    NameTableBuilder names;
    EXPECT_EQ(names.intern("a"), 0u);
    EXPECT_EQ(names.intern("bc"), 2u);
    EXPECT_EQ(names.intern("a"), 0u);
    EXPECT_EQ(names.block(), (std::vector<std::uint8_t>{1, 'a', 2, 'b', 'c'}));
    EXPECT_THROW(names.addPair("x", "y"), std::logic_error);
    EXPECT_THROW(names.intern(std::string(65536, 'x')), CompileError);
}

TEST(ModelCompilers, NoteAttachmentsShareEqualLists) {
    NoteAttachments a;
    EXPECT_EQ(a.intern({}), 0u);
    EXPECT_EQ(a.intern({3, 1}), 1u);
    EXPECT_EQ(a.intern({1}), 2u);
    EXPECT_EQ(a.intern({3, 1}), 1u);
    EXPECT_EQ(a.pool(), (std::vector<std::uint16_t>{3, 1, 1}));
    ASSERT_EQ(a.words().size(), 3u);
    EXPECT_EQ(a.words()[2], (std::pair<std::uint32_t, std::uint8_t>{2, 1}));
    EXPECT_THROW(a.intern(std::vector<std::uint16_t>(256, 0)), CompileError);
}

}  // namespace
}  // namespace jz
