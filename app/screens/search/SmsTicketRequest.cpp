#include "app/screens/search/SmsTicketRequest.h"

#include "app/shell/FatalError.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

#include <string>
#include <vector>

namespace pelorvant {

namespace shell = platform::shell;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextNoGsm = 433;
constexpr std::uint32_t kTextTicketQuestion = 278;
constexpr std::uint32_t kTextTicketCaption = 275;
constexpr std::uint32_t kTextProgramTitle = 128;
constexpr std::uint32_t kTextNoSuchTicket = 12323;

}  // namespace

bool smsTicketPossible(const ProgramContext& context) {
    if (!context.settings->isGSM && context.settings->isNotSmartphone) {
        shell::messageBox(mainFrameWindow(), loadResString(kTextNoGsm),
                          loadResString(kTextProgramTitle), shell::MB_OK);
        return false;
    }
    return true;
}

void requestSmsTicket(const ProgramContext& context, std::int32_t set, int ticket,
                      const SmsTicketSend& send) {
    if (!smsTicketPossible(context))
        return;
    const std::vector<SmsTicketEntry> tickets = context.data->GetSmsJizdenky(set);
    if (ticket < 0 || static_cast<std::size_t>(ticket) >= tickets.size()) {
        shell::messageBox(mainFrameWindow(), loadResString(kTextNoSuchTicket), loadResString(kTextProgramTitle),
                          shell::MB_OK);
        return;
    }
    // A ticket's first text is the order code the transport company expects, which also names
    // the ticket in the menu; its second text is the company's number.
    const SmsTicketEntry& entry = tickets[static_cast<std::size_t>(ticket)];
    std::u16string question = loadResString(kTextTicketQuestion);
    if (const std::size_t at = question.find(u"%s"); at != std::u16string::npos) {
        question.replace(at, 2, entry.priceText);
    }
    if (shell::messageBox(mainFrameWindow(), question, loadResString(kTextTicketCaption),
                          shell::MB_YESNO) != shell::IDYES) {
        return;
    }
    send(entry.secondText, entry.firstText);
}

}  // namespace pelorvant
