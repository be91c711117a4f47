#include "app/screens/search/TrainPosition.h"

#include <array>

namespace pelorvant {

namespace {

struct OperatorService {
    std::u16string_view name;
    std::u16string_view number;
    std::u16string_view code;
};

constexpr std::array<OperatorService, 3> kOperators = {{
    {u"Vodafone", u"7755", u"POZ"},
    {u"O2", u"999111", u"ZPO"},
    {u"T-Mobile", u"4616", u"POZ"},
}};

bool isWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == u'\u00A0';
}

char16_t lowerCase(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c - u'A' + u'a');
    return c;
}

}  // namespace

const std::vector<std::u16string>& trainPositionOperators() {
    static const std::vector<std::u16string> names = [] {
        std::vector<std::u16string> list;
        for (const OperatorService& o : kOperators)
            list.emplace_back(o.name);
        return list;
    }();
    return names;
}

std::u16string trainDesignation(std::u16string_view lineName) {
    std::size_t begin = 0;
    std::size_t end = lineName.size();
    while (begin < end && isWhiteSpace(lineName[begin]))
        ++begin;
    while (end > begin && isWhiteSpace(lineName[end - 1]))
        --end;
    std::u16string designation;
    int spaces = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (lineName[i] == u' ' && ++spaces == 2)
            break;
        if (lineName[i] != u' ')
            designation.push_back(lowerCase(lineName[i]));
    }
    return designation;
}

std::optional<TrainPositionRequest> trainPositionRequest(std::u16string_view operatorName,
                                                         std::u16string_view lineName) {
    for (const OperatorService& o : kOperators) {
        if (o.name == operatorName) {
            return TrainPositionRequest{std::u16string(o.number),
                                        std::u16string(o.code) + u" " + trainDesignation(lineName)};
        }
    }
    return std::nullopt;
}

}  // namespace pelorvant
