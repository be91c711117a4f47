// A stand-in engine library for the binding and creation tests. The build adds a do-nothing
// export for every other name the program binds (StubExports.cpp, generated from the export
// list), leaving one out for the library that must fail to bind. Only creation may be called.
#include <cstdint>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
std::int32_t gStatus = 0;
std::int32_t gVersionStep = 1;
}  // namespace

// The status the next creation returns and what it adds to the version passed in.
STUB_EXPORT void stubArrangeCreation(std::int32_t status, std::int32_t versionStep) {
    gStatus = status;
    gVersionStep = versionStep;
}

STUB_EXPORT std::int32_t api_vytvorJizdniRadyGlobal(const char*, std::int32_t, const char*, std::int32_t,
                                                    std::int32_t* version) {
    *version += gVersionStep;
    return gStatus;
}
