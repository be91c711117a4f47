// Addresses handed to the desktop: every byte outside the unreserved set is percent-encoded,
// so stop names with quotes, ampersands, spaces and diacritics cannot break the address.
#include "platform/services/http/HttpClient.h"
#include "platform/services/launcher/DesktopOpener.h"

#include <gtest/gtest.h>

namespace platform::services {
namespace {

TEST(PercentEncodeTest, KeepsUnreservedAndEncodesEverythingElse) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"Radnice-1_a.b~", "Radnice-1_a.b~"},
        {"A & B", "A%20%26%20B"},
        {"\"quoted\"", "%22quoted%22"},
        {"a;b|c$(d)", "a%3Bb%7Cc%24%28d%29"},
        {"N\xC3\xA1m\xC4\x9Bst\xC3\xAD", "N%C3%A1m%C4%9Bst%C3%AD"},
        {"?body=x#y", "%3Fbody%3Dx%23y"},
    };
    for (const auto& c : cases) EXPECT_EQ(percentEncode(c.in), c.out) << c.in;
}

TEST(SmsComposerAddressTest, TheBodyIsOneEncodedParameter) {
    EXPECT_EQ(smsComposerAddress("", "1.A>B(7:05>7:30-Bus 1)"), "sms:?body=1.A%3EB%287%3A05%3E7%3A30-Bus%201%29");
    EXPECT_EQ(smsComposerAddress("+420 123", "x&body=y"), "sms:%2B420%20123?body=x%26body%3Dy");
}

}  // namespace
}  // namespace platform::services
