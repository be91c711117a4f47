#pragma once
// The steps of uidrive that hold back the message in which a worker of the progress view reports
// its end (a search's, a load's, a download's) on its way to the interface thread. Without them
// the driver hands every pending message to the program after each step, so a script can never
// act in the moment after a worker finished and before the program heard of it, which a person
// may well hit.
#include "platform/core/Types.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace uidrive {

// "hold-end search|load|download": the end message of the next such worker is kept back
// (a sent one keeps its worker waiting, a posted one lets it finish). "expect-end-held": a
// worker's end is in the hold now (waits for it within patience, while `pump` hands the program
// what else its workers tell it: a search reports its progress on the way). "release-end": the held
// message goes to the program, as if it arrived just now, ahead of what was posted after it.
// "click-button TEXT": clicks the first button of the frame with that text as a finger does,
// whether its view shows or not: the tap that the program handles before it heard of the held
// end, while it still takes the screen for the one shown when the tap came (the search form's
// "Najdi" after the form was left for the progress view); it fails while no end is held.
// Empty when the step went well, the failure otherwise; nothing for any other step.
std::optional<std::string> endHoldStep(const std::vector<std::string>& words, platform::WindowHandle frame,
                                       std::chrono::milliseconds patience, const std::function<void()>& pump);

// Lets a held message go and disarms the hold, so that no worker is left waiting at the end.
void releaseEndHold();

}  // namespace uidrive
