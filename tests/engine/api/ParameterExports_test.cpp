#include <gtest/gtest.h>

#include "tests/engine/api/ApiFixture.h"

namespace trasovnik::testing {
namespace {

using Setter = int32_t (*)(int32_t, int32_t, int32_t);
using Getter = int32_t (*)(int32_t, int32_t, int32_t*);

struct ClampCase {
    const char* name;
    Setter set;
    Getter get;
    int32_t value;
    int32_t stored;
};

using ParameterExports = ApiFixture;

TEST_F(ParameterExports, SettersClampTheRawValue) {
    const int32_t set = loadSet({kCityTitle});
    const ClampCase cases[] = {
        {"max results", api_SetMaxPocetVyslednychSpojeni, api_GetMaxPocetVyslednychSpojeni, 0, 1},
        {"max results", api_SetMaxPocetVyslednychSpojeni, api_GetMaxPocetVyslednychSpojeni, 51, 50},
        {"standard", api_SetStandardniPocetMinutHledani, api_GetStandardniPocetMinutHledani, 30,
         60},
        {"standard", api_SetStandardniPocetMinutHledani, api_GetStandardniPocetMinutHledani, 10000,
         7200},
        {"maximum", api_SetMaximalniPocetMinutHledani, api_GetMaximalniPocetMinutHledani, 59, 60},
        {"minimum transfer", api_SetMinimalniPocetMinutNaPrestup,
         api_GetMinimalniPocetMinutNaPrestup, 300, 240},
        {"minimum transfer", api_SetMinimalniPocetMinutNaPrestup,
         api_GetMinimalniPocetMinutNaPrestup, -5, 0},
        {"minimum transfer", api_SetMinimalniPocetMinutNaPrestup,
         api_GetMinimalniPocetMinutNaPrestup, 256 + 3, 240},
        {"safe transfer", api_SetBezpecnyPocetMinutNaPrestup, api_GetBezpecnyPocetMinutNaPrestup,
         241, 240},
        {"penalty", api_SetPenalizaceZaPrestup, api_GetPenalizaceZaPrestup, 61, 60},
        {"penalty", api_SetPenalizaceZaPrestup, api_GetPenalizaceZaPrestup, 17, 17},
        {"transfers", api_SetVychoziPocetPrestupu, api_GetVychoziPocetPrestupu, 25, 20},
        {"transfers", api_SetVychoziPocetPrestupu, api_GetVychoziPocetPrestupu, -1, 0},
    };
    for (const ClampCase& c : cases) {
        ASSERT_EQ(c.set(set, 0, c.value), ENGINE_OK) << c.name;
        int32_t stored = -99;
        ASSERT_EQ(c.get(set, 0, &stored), ENGINE_OK) << c.name;
        EXPECT_EQ(stored, c.stored) << c.name << " " << c.value;
    }
}

TEST_F(ParameterExports, SetDefaultOfTransfersIsTheLargest) {
    const int32_t set = loadSet({kCityTitle, kRegionalTitle});
    int32_t value = 0;
    ASSERT_EQ(api_getVychoziPocetPrestupuSestavy(set, &value), ENGINE_OK);
    EXPECT_EQ(value, 4);
    ASSERT_EQ(api_SetVychoziPocetPrestupu(set, 0, 9), ENGINE_OK);
    ASSERT_EQ(api_getVychoziPocetPrestupuSestavy(set, &value), ENGINE_OK);
    EXPECT_EQ(value, 9);
    ASSERT_EQ(api_SetVychoziPocetPrestupu(set, 0, 1), ENGINE_OK);
    ASSERT_EQ(api_getVychoziPocetPrestupuSestavy(set, &value), ENGINE_OK);
    EXPECT_EQ(value, 4);
}

TEST_F(ParameterExports, FlagsAndLineKinds) {
    const int32_t set = loadSet({kRegionalTitle});
    uint8_t flag = 0;
    ASSERT_EQ(api_GetNutnostPrestupuVzastavcePres(set, 0, &flag), ENGINE_OK);
    EXPECT_EQ(flag, 1);
    ASSERT_EQ(api_SetNutnostPrestupuVzastavcePres(set, 0, 0), ENGINE_OK);
    ASSERT_EQ(api_GetNutnostPrestupuVzastavcePres(set, 0, &flag), ENGINE_OK);
    EXPECT_EQ(flag, 0);

    ASSERT_EQ(api_SetLzePouzitDruhLinky(set, 0, 0, 0), ENGINE_OK);
    char* name = nullptr;
    int32_t length = 0;
    int32_t colour = 0;
    uint8_t mayUse = 9;
    ASSERT_EQ(api_GetDruhLinky(set, 0, 0, &name, &length, &colour, &mayUse), ENGINE_OK);
    std::free(name);
    EXPECT_EQ(mayUse, 0);
    EXPECT_EQ(api_SetLzePouzitDruhLinky(set, 0, 1, 0), ENGINE_ERROR);
    EXPECT_EQ(api_SetLzePouzitDruhLinky(set, 1, 0, 0), ENGINE_ERROR);
}

}  // namespace
}  // namespace trasovnik::testing
