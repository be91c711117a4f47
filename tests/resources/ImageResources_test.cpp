#include "platform/resources/ImageResources.h"

#include "platform/draw/Color.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using platform::draw::Bitmap;
using platform::draw::rgb;
using platform::resources::findImageResource;
using platform::resources::loadBitmapResource;
using platform::resources::loadImageResource;

struct ImageCase {
    const char* name;
    std::uint16_t id;
    int width;
    int height;
};

// The image-name registry with the size each image is drawn at.
const ImageCase kImages[] = {
    {"infoC", 141, 13, 13},
    {"infoM", 159, 20, 20},
    {"infoMD", 160, 20, 20},
    {"infoO", 170, 13, 13},
    {"infoR", 171, 13, 13},
    {"infoF", 169, 13, 13},
    {"infoZ", 168, 13, 13},
    {"sipka", 142, 16, 16},
    {"sipkaS", 143, 16, 16},
    {"sipkaD", 144, 16, 16},
    {"logo", 191, 337, 100},
    {"tab_add_down", 148, 20, 20},
    {"tab_add_down_focused", 164, 20, 20},
    {"tab_add_up", 147, 20, 20},
    {"tab_close_11", 269, 11, 11},
    {"tab_close_13", 270, 13, 13},
    {"tab_close_15", 271, 15, 15},
    {"tab_close_17", 272, 17, 17},
    {"tab_close_19", 273, 19, 19},
    {"tab_close_21", 274, 21, 21},
    {"tab_close_23", 275, 23, 23},
    {"tab_close_25", 276, 25, 25},
    {"tab_close_27", 268, 27, 27},
};

TEST(ImageResources, EveryRegisteredImageLoadsByIdAndName) {
    for (const ImageCase& c : kImages) {
        const auto* byId = findImageResource(c.id);
        const auto* byName = findImageResource(std::string_view(c.name));
        ASSERT_NE(byId, nullptr) << c.name;
        EXPECT_EQ(byId, byName) << c.name;
        EXPECT_EQ(byId->name, c.name);
        Bitmap bitmap = loadBitmapResource(c.id);
        EXPECT_EQ(bitmap.width(), c.width) << c.name;
        EXPECT_EQ(bitmap.height(), c.height) << c.name;
        Bitmap again = loadImageResource(c.name);
        EXPECT_EQ(again.size().width, c.width) << c.name;
    }
}

TEST(ImageResources, ImagesAreNotBlank) {
    for (const ImageCase& c : kImages) {
        Bitmap bitmap = loadBitmapResource(c.id);
        ASSERT_FALSE(bitmap.empty()) << c.name;
        // Some opaque pixels, and more than one pixel value: a picture, not a plain fill.
        bool opaque = false;
        bool twoValues = false;
        std::uint32_t first = bitmap.row(0)[0];
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                std::uint32_t p = bitmap.row(y)[x];
                opaque = opaque || (p >> 24) == 0xFF;
                twoValues = twoValues || p != first;
            }
        }
        EXPECT_TRUE(opaque) << c.name;
        EXPECT_TRUE(twoValues) << c.name;
    }
}

TEST(ImageResources, TabCloseCrossIsWhiteOnRed) {
    for (int side = 11; side <= 27; side += 2) {
        Bitmap bitmap = loadImageResource("tab_close_" + std::to_string(side));
        ASSERT_EQ(bitmap.width(), side);
        int mid = side / 2;
        EXPECT_EQ(bitmap.pixel(mid, mid), rgb(255, 255, 255)) << side;
        // Half-way between the centre and the middle of the top edge there is no cross.
        platform::draw::Color background = bitmap.pixel(mid, side / 6 + 1);
        EXPECT_GT(platform::draw::redOf(background), 150) << side;
        EXPECT_LT(platform::draw::greenOf(background), 100) << side;
    }
}

TEST(ImageResources, LogoKeepsItsProportions) {
    Bitmap logo = loadImageResource("logo");
    // The progress view sizes the logo with height = width × 100 / 337.
    EXPECT_EQ(logo.height() * 337, logo.width() * 100);
    EXPECT_FALSE(logo.hasAlpha()) << "the logo is stretched with a source copy";
}

TEST(ImageResources, UnknownImagesGiveNothing) {
    EXPECT_EQ(findImageResource(std::uint16_t{0}), nullptr);
    EXPECT_EQ(findImageResource(std::uint16_t{145}), nullptr);
    EXPECT_EQ(findImageResource(std::string_view("tab_close_12")), nullptr);
    EXPECT_EQ(findImageResource(std::string_view("")), nullptr);
    EXPECT_TRUE(loadImageResource("tab_close_29").empty());
    EXPECT_TRUE(loadBitmapResource(1).empty());
}

}  // namespace
