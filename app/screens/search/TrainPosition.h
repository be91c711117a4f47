#pragma once
// The text message that asks a mobile operator where a train is now: the operator's service
// number and the message, made of the operator's code and the train's designation.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorvant {

struct TrainPositionRequest {
    std::u16string number;
    std::u16string text;
};

// The operators that answer such requests, in the order they are offered.
const std::vector<std::u16string>& trainPositionOperators();

// The train's designation from a line name ("R 681 Vltava" gives "r681"): white space around it
// removed, the text up to its second space without the first space, in lower case.
std::u16string trainDesignation(std::u16string_view lineName);

// The request for the train of `lineName` to `operatorName`; none for an unknown operator.
std::optional<TrainPositionRequest> trainPositionRequest(std::u16string_view operatorName,
                                                         std::u16string_view lineName);

}  // namespace pelorvant
