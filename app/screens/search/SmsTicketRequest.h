#pragma once
// A municipal SMS ticket of the set's timetables: the traveller confirms its price, then its
// order text goes to the transport company's number. The results view's menu and the search
// page's quick button ask for it.
#include "app/core/ProgramContext.h"

#include <cstdint>
#include <functional>
#include <string>

namespace pelorvant {

// Whether the device can send the ticket's message; when not, the traveller is told (text 433).
bool smsTicketPossible(const ProgramContext& context);
// Sends a ticket's order text to the company's number.
using SmsTicketSend =
    std::function<void(const std::u16string& recipient, const std::u16string& text)>;
// The ticket of the set at index `ticket` goes to `send` after the price is confirmed; an index
// that names no ticket says "Neexistujici sms".
void requestSmsTicket(const ProgramContext& context, std::int32_t set, int ticket,
                      const SmsTicketSend& send);

}  // namespace pelorvant
