#include "engine/api/ExportFrame.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "engine/data/EngineException.h"
#include "engine/data/EngineObject.h"

namespace trasovnik::api {
namespace {

struct CodeCase {
    EngineCode code;
    std::int32_t status;
};

TEST(ExportFrame, EngineCodesBecomeStatuses) {
    const CodeCase cases[] = {
        {ENGINE_EXC_OUT_OF_MEMORY, ENGINE_OUT_OF_MEMORY},
        {ENGINE_EXC_OPEN, ENGINE_ERROR},
        {ENGINE_EXC_SHORT_READ, ENGINE_ERROR},
        {ENGINE_EXC_BAD_MAGIC, ENGINE_ERROR},
        {ENGINE_EXC_DECOMPRESS, ENGINE_ERROR},
        {ENGINE_EXC_TOO_NEW, ENGINE_ERROR},
        {ENGINE_EXC_TOO_OLD, ENGINE_ERROR},
        {ENGINE_EXC_BAD_ARGUMENT, ENGINE_ERROR},
        {ENGINE_EXC_INDEX, ENGINE_ERROR},
    };
    for (const CodeCase& c : cases) {
        EXPECT_EQ(guarded([&] { raiseEngine(c.code); }), c.status) << engineCodeName(c.code);
    }
}

TEST(ExportFrame, OtherExceptionsAreCaught) {
    EXPECT_EQ(guarded([] { throw std::bad_alloc(); }), ENGINE_OUT_OF_MEMORY);
    EXPECT_EQ(guarded([] { throw std::runtime_error("x"); }), ENGINE_ERROR);
    EXPECT_EQ(guarded([] { throw 7; }), ENGINE_ERROR);
    EXPECT_EQ(guarded([] {}), ENGINE_OK);
}

TEST(ExportFrame, FailureReleasesTheReserveBlockOnce) {
    holdReserve();
    ASSERT_TRUE(reserveHeld());
    EXPECT_EQ(guarded([] { raiseEngine(ENGINE_EXC_OUT_OF_MEMORY); }), ENGINE_OUT_OF_MEMORY);
    EXPECT_FALSE(reserveHeld());
    // A second failure finds no block to release (a double release would trip the sanitizer).
    EXPECT_EQ(guarded([] { raiseEngine(ENGINE_EXC_INDEX); }), ENGINE_ERROR);
    EXPECT_FALSE(reserveHeld());
    // Success leaves the block alone; the next engine creation takes a new one.
    holdReserve();
    EXPECT_EQ(guarded([] {}), ENGINE_OK);
    EXPECT_TRUE(reserveHeld());
}

TEST(ExportFrame, ExportsHoldAndReleaseTheReserveBlock) {
    int32_t version = ENGINE_INTERFACE_VERSION;
    ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
    EXPECT_TRUE(reserveHeld());
    int32_t count = 0;
    EXPECT_EQ(api_GetIndexyHlavicekSestavy(0, nullptr, &count), ENGINE_ERROR);
    EXPECT_FALSE(reserveHeld());
    // A refused creation takes no block either.
    version = 1003;
    EXPECT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_ERROR);
    EXPECT_FALSE(reserveHeld());
    version = ENGINE_INTERFACE_VERSION;
    ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
    EXPECT_TRUE(reserveHeld());
}

TEST(ExportFrame, OutParametersBeforeAFailureStayWritten) {
    int written = 0;
    EXPECT_EQ(guarded([&] {
                  written = 1;
                  raiseEngine(ENGINE_EXC_INDEX);
              }),
              ENGINE_ERROR);
    EXPECT_EQ(written, 1);
}

struct VersionCase {
    std::int32_t given;
    std::int32_t status;
    std::int32_t after;
};

TEST(ExportFrame, InterfaceVersionHandshake) {
    const VersionCase cases[] = {
        {1004, ENGINE_OK, 1005},    {1002, ENGINE_OK, 1003}, {1003, ENGINE_ERROR, 1004},
        {1005, ENGINE_ERROR, 1006}, {0, ENGINE_ERROR, 1},
    };
    for (const VersionCase& c : cases) {
        int32_t version = ENGINE_INTERFACE_VERSION;
        ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
        cJizdniRadyGlobal* before = cJizdniRadyGlobal::global();
        version = c.given;
        EXPECT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), c.status) << c.given;
        EXPECT_EQ(version, c.after);
        if (c.status != ENGINE_OK) {
            // A refused version makes no engine in place of the one there was.
            EXPECT_EQ(cJizdniRadyGlobal::global(), before);
        }
    }
}

TEST(ExportFrame, CreationWithoutVersionOrWithBadNamesFails) {
    EXPECT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, nullptr), ENGINE_ERROR);
    int32_t version = ENGINE_INTERFACE_VERSION;
    EXPECT_EQ(api_vytvorJizdniRadyGlobal(nullptr, 4, "", 0, &version), ENGINE_ERROR);
    version = ENGINE_INTERFACE_VERSION;
    EXPECT_EQ(api_vytvorJizdniRadyGlobal("a.ini", -1, "", 0, &version), ENGINE_ERROR);
}

}  // namespace
}  // namespace trasovnik::api
