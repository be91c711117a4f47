#include "app/screens/search/SmsWithProgress.h"

#include "app/core/LabelPlainText.h"
#include "app/core/SmsSender.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ViewSwitcher.h"

#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/WindowTree.h"

#include <utility>

namespace pelorvant {

namespace ui = platform::ui;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextSmsSending = 12013;

}  // namespace

void sendSmsShowingProgress(DeviceActions& actions, platform::WindowHandle window,
                            cImageMessageBoxView& messageView, int returnView,
                            const std::u16string& recipient, const std::u16string& text,
                            std::function<void(platform::services::SmsResult)> done) {
    const std::u16string progress = u"<*b*>" + loadResString(kTextSmsSending) + u"<*b*>\r\r" +
                                    plainLabelText(recipient) + u": " + plainLabelText(text);
    messageView.showTextReturnTo(progress, returnView, kOwnMenu, ui::getFocus(), false);
    sendSmsInBackground(
        actions, window, recipient, text,
        [&messageView, progress, done = std::move(done)](platform::services::SmsResult result) {
            if (ui::isWindowVisible(messageView.handle()) &&
                messageView.label.markupText == progress) {
                messageView.menuOkClick();
            }
            done(result);
        });
}

}  // namespace pelorvant
