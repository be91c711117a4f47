// Creating the engine, with the interface-version handshake.
#include "engine/api/BoundaryBuffers.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/EngineObject.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_vytvorJizdniRadyGlobal(const char* mainIni, int32_t mainIniLength, const char* tempIni,
                                   int32_t tempIniLength, int32_t* version) {
    return guarded([&] {
        int32_t& v = out(version);
        const int32_t given = v;
        // The caller learns the engine's version from the answer even when it is refused.
        v = given + 1;
        if (given != ENGINE_INTERFACE_VERSION && given != ENGINE_INTERFACE_VERSION_OLD) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        const std::string_view mainName = textArgument(mainIni, mainIniLength);
        const std::string_view tempName = textArgument(tempIni, tempIniLength);
        holdReserve();
        cJizdniRadyGlobal::create(mainName, tempName);
    });
}

}  // extern "C"
