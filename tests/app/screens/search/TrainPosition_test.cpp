#include "app/screens/search/TrainPosition.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

struct RequestCase {
    const char16_t* operatorName;
    const char16_t* lineName;
    const char16_t* number;
    const char16_t* text;
};

class RequestTable : public ::testing::TestWithParam<RequestCase> {};

TEST_P(RequestTable, GoesToTheOperatorsNumberWithItsCode) {
    const RequestCase& c = GetParam();
    const std::optional<TrainPositionRequest> request =
        trainPositionRequest(c.operatorName, c.lineName);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->number, c.number);
    EXPECT_EQ(request->text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, RequestTable,
    ::testing::Values(RequestCase{u"Vodafone", u"  R 681 Vltava ", u"7755", u"POZ r681"},
                      RequestCase{u"O2", u"Ex 123 Šumava", u"999111", u"ZPO ex123"},
                      RequestCase{u"T-Mobile", u"Os 5402", u"4616", u"POZ os5402"}));

TEST(TrainPosition, UnknownOperatorHasNoRequest) {
    EXPECT_FALSE(trainPositionRequest(u"", u"R 681").has_value());
    EXPECT_FALSE(trainPositionRequest(u"o2", u"R 681").has_value());
    EXPECT_FALSE(trainPositionRequest(u"Orange", u"R 681").has_value());
}

TEST(TrainPosition, DesignationStopsAtTheSecondSpace) {
    EXPECT_EQ(trainDesignation(u"\tSC 241 Pendolino Košičan\r\n"), u"sc241");
    EXPECT_EQ(trainDesignation(u"R681"), u"r681");
    EXPECT_EQ(trainDesignation(u"   "), u"");
    // Only the first space is left out; what follows up to the second one stays.
    EXPECT_EQ(trainDesignation(u"Sp  1234"), u"sp");
}

TEST(TrainPosition, OperatorsAreOfferedInTheirOrder) {
    EXPECT_EQ(trainPositionOperators(),
              (std::vector<std::u16string>{u"Vodafone", u"O2", u"T-Mobile"}));
}

}  // namespace
}  // namespace pelorvant
