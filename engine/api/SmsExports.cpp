// The SMS ticket offers of a set's timetables, numbered across the set from 0.
#include <string>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/api/TicketPrice.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_GetPocetSmsJizdenek(int32_t setIndex, int32_t* count) {
    return guarded([&] {
        auto& outCount = out(count);
        const cJizdniRadySestavy& set = combinationOf(setIndex);
        std::size_t n = 0;
        for (std::size_t i = 0; i < set.count(); ++i) {
            n += set.timetable(i).smsTickets.count();
        }
        outCount = static_cast<int32_t>(n);
    });
}

int32_t api_GetSmsJizdenku(int32_t setIndex, int32_t ticket, char** firstText, int32_t* firstLength,
                           char** priceText, int32_t* priceLength, char** secondText,
                           int32_t* secondLength, char** thirdText, int32_t* thirdLength) {
    return guarded([&] {
        const cJizdniRadySestavy& set = combinationOf(setIndex);
        if (ticket < 0) {
            return;
        }
        std::size_t rest = static_cast<std::size_t>(ticket);
        for (std::size_t i = 0; i < set.count(); ++i) {
            const cJizdniRad& tt = set.timetable(i);
            if (rest >= tt.smsTickets.count()) {
                rest -= tt.smsTickets.count();
                continue;
            }
            const cSmsJizdenka& t = tt.smsTickets.at(rest);
            // All four texts exist before any is handed over.
            CBuffer<char> first = copyText(tt.names.entryText(t.firstText));
            const std::string price =
                ticketPriceText(static_cast<std::int32_t>(t.priceHundredths), tt.header.sourceCode);
            CBuffer<char> priceCopy = copyText(price);
            CBuffer<char> second = copyText(tt.names.entryText(t.secondText));
            CBuffer<char> third = copyText(tt.names.entryText(t.thirdText));
            out(firstLength) = static_cast<int32_t>(tt.names.entryText(t.firstText).size());
            out(priceLength) = static_cast<int32_t>(price.size());
            out(secondLength) = static_cast<int32_t>(tt.names.entryText(t.secondText).size());
            out(thirdLength) = static_cast<int32_t>(tt.names.entryText(t.thirdText).size());
            out(firstText) = first.release();
            out(priceText) = priceCopy.release();
            out(secondText) = second.release();
            out(thirdText) = third.release();
            return;
        }
        // A number beyond the last ticket leaves everything as it was.
    });
}

}  // extern "C"
