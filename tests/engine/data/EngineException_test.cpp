#include "engine/data/EngineException.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace trasovnik {
namespace {

EngineCode codeOf(void (*f)()) {
    try {
        f();
    } catch (...) {
        return currentEngineCode();
    }
    return static_cast<EngineCode>(0);
}

TEST(EngineException, RaisedCodeIsCarried) {
    EXPECT_EQ(codeOf([] { raiseEngine(ENGINE_EXC_SHORT_READ); }), ENGINE_EXC_SHORT_READ);
    EXPECT_EQ(codeOf([] { raiseEngine(ENGINE_EXC_INDEX); }), ENGINE_EXC_INDEX);
}

TEST(EngineException, ContainerAllocationFailureIsOutOfMemory) {
    EXPECT_EQ(codeOf([] { throw std::bad_alloc(); }), ENGINE_EXC_OUT_OF_MEMORY);
    EXPECT_EQ(codeOf([] { throw std::bad_array_new_length(); }), ENGINE_EXC_OUT_OF_MEMORY);
}

TEST(EngineException, CodesHaveTheirValuesAndNames) {
    struct Case {
        EngineCode code;
        std::uint32_t value;
        const char* name;
    };
    const Case cases[] = {
        {ENGINE_EXC_OUT_OF_MEMORY, 0xE0000001, "ENGINE_EXC_OUT_OF_MEMORY"},
        {ENGINE_EXC_OPEN, 0xE0000002, "ENGINE_EXC_OPEN"},
        {ENGINE_EXC_SHORT_READ, 0xE0000003, "ENGINE_EXC_SHORT_READ"},
        {ENGINE_EXC_BAD_MAGIC, 0xE0000004, "ENGINE_EXC_BAD_MAGIC"},
        {ENGINE_EXC_DECOMPRESS, 0xE0000005, "ENGINE_EXC_DECOMPRESS"},
        {ENGINE_EXC_TOO_NEW, 0xE0000006, "ENGINE_EXC_TOO_NEW"},
        {ENGINE_EXC_TOO_OLD, 0xE0000007, "ENGINE_EXC_TOO_OLD"},
        {ENGINE_EXC_BAD_ARGUMENT, 0xE0000008, "ENGINE_EXC_BAD_ARGUMENT"},
        {ENGINE_EXC_INDEX, 0xE0000009, "ENGINE_EXC_INDEX"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<std::uint32_t>(c.code), c.value);
        EXPECT_STREQ(engineCodeName(c.code), c.name);
        EXPECT_STREQ(EngineException(c.code).what(), c.name);
    }
}

TEST(EngineException, ForeignExceptionIsNotMistakenForOutOfMemory) {
    EXPECT_EQ(codeOf([] { throw std::runtime_error("x"); }), ENGINE_EXC_BAD_ARGUMENT);
}

}  // namespace
}  // namespace trasovnik
