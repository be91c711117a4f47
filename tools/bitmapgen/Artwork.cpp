#include "tools/bitmapgen/Artwork.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace bitmapgen {

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb kBlue{49 / 255.0, 150 / 255.0, 214 / 255.0};  // the selection colour
constexpr Rgb kDarkBlue{20 / 255.0, 80 / 255.0, 140 / 255.0};
constexpr Rgb kPaleBlue{150 / 255.0, 186 / 255.0, 227 / 255.0};  // inactive tab headers
constexpr Rgb kGrey{110 / 255.0, 110 / 255.0, 110 / 255.0};      // secondary text
constexpr Rgb kRed{200 / 255.0, 50 / 255.0, 40 / 255.0};
constexpr Rgb kGreen{40 / 255.0, 140 / 255.0, 60 / 255.0};
constexpr Rgb kOrange{230 / 255.0, 130 / 255.0, 20 / 255.0};
constexpr Rgb kWhite{1, 1, 1};

void setColor(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A bold letter centred in the box (x, y, w, h), filling about `share` of its height.
void centredText(cairo_t* cr, const char* text, double x, double y, double w, double h,
                 double share, Rgb color) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, h * share);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    setColor(cr, color);
    cairo_move_to(cr, x + (w - ext.width) / 2 - ext.x_bearing,
                  y + (h - ext.height) / 2 - ext.y_bearing);
    cairo_show_text(cr, text);
}

// A filled disc over the whole image with a letter in white: the note marks.
void letterDisc(cairo_t* cr, int w, int h, Rgb disc, const char* letter) {
    cairo_arc(cr, w / 2.0, h / 2.0, std::min(w, h) / 2.0 - 0.25, 0, 2 * M_PI);
    setColor(cr, disc);
    cairo_fill(cr);
    centredText(cr, letter, 0, 0, w, h, 0.72, kWhite);
}

void paintInfoO(cairo_t* cr, int w, int h) {
    letterDisc(cr, w, h, kBlue, "i");
}
void paintInfoR(cairo_t* cr, int w, int h) {
    letterDisc(cr, w, h, kGreen, "R");
}
void paintInfoF(cairo_t* cr, int w, int h) {
    letterDisc(cr, w, h, kOrange, "F");
}

// A calendar leaf: the date note of a trip.
void paintInfoC(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 1.5, w - 1, h - 2, 1.5);
    setColor(cr, kWhite);
    cairo_fill_preserve(cr);
    setColor(cr, kGrey);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 1, 2, w - 2, h * 0.28);
    setColor(cr, kRed);
    cairo_fill(cr);
    // Rings and a grid of days.
    setColor(cr, kGrey);
    cairo_rectangle(cr, w * 0.25, 0, 1.2, 3);
    cairo_rectangle(cr, w * 0.75 - 1.2, 0, 1.2, 3);
    cairo_fill(cr);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            cairo_rectangle(cr, 2.5 + col * (w - 5) / 3.0, h * 0.5 + row * h * 0.22, 1.6, 1.6);
        }
    }
    cairo_fill(cr);
}

// A bus seen from the front: notes on the line and its operator.
void paintInfoZ(cairo_t* cr, int w, int h) {
    roundedRect(cr, 1, 0.5, w - 2, h - 2.5, 2);
    setColor(cr, kDarkBlue);
    cairo_fill(cr);
    cairo_rectangle(cr, 2.5, 2.5, w - 5, h * 0.35);
    setColor(cr, kWhite);
    cairo_fill(cr);
    cairo_arc(cr, 3.5, h * 0.72, 1.1, 0, 2 * M_PI);
    cairo_arc(cr, w - 3.5, h * 0.72, 1.1, 0, 2 * M_PI);
    setColor(cr, kOrange);
    cairo_fill(cr);
    cairo_rectangle(cr, 2, h - 2, 2, 2);
    cairo_rectangle(cr, w - 4, h - 2, 2, 2);
    setColor(cr, kGrey);
    cairo_fill(cr);
}

// The help button, up and pressed.
void helpButton(cairo_t* cr, int w, int h, bool pressed) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, w * 0.2);
    setColor(cr, pressed ? kDarkBlue : kBlue);
    cairo_fill_preserve(cr);
    setColor(cr, pressed ? kBlue : kDarkBlue);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    double shift = pressed ? 1 : 0;
    centredText(cr, "?", shift, shift, w, h, 0.75, kWhite);
}
void paintInfoM(cairo_t* cr, int w, int h) {
    helpButton(cr, w, h, false);
}
void paintInfoMD(cairo_t* cr, int w, int h) {
    helpButton(cr, w, h, true);
}

// An arrow pointing right.
void arrowPath(cairo_t* cr, int w, int h) {
    double mid = h / 2.0;
    cairo_move_to(cr, w * 0.12, mid - h * 0.14);
    cairo_line_to(cr, w * 0.5, mid - h * 0.14);
    cairo_line_to(cr, w * 0.5, mid - h * 0.36);
    cairo_line_to(cr, w * 0.9, mid);
    cairo_line_to(cr, w * 0.5, mid + h * 0.36);
    cairo_line_to(cr, w * 0.5, mid + h * 0.14);
    cairo_line_to(cr, w * 0.12, mid + h * 0.14);
    cairo_close_path(cr);
}
void paintSipka(cairo_t* cr, int w, int h) {
    arrowPath(cr, w, h);
    setColor(cr, kBlue);
    cairo_fill(cr);
}
// The arrow on the selection band: white on the selection colour.
void paintSipkaS(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    setColor(cr, kBlue);
    cairo_fill(cr);
    arrowPath(cr, w, h);
    setColor(cr, kWhite);
    cairo_fill(cr);
}
// The arrow when it leads nowhere: grey.
void paintSipkaD(cairo_t* cr, int w, int h) {
    arrowPath(cr, w, h);
    setColor(cr, kGrey);
    cairo_fill(cr);
}

// The add-tab button: a plus on a tab-coloured square; pressed it turns blue, focused it
// also gets a dark frame.
void tabAdd(cairo_t* cr, int w, int h, bool pressed, bool focused) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
    setColor(cr, pressed ? kBlue : kPaleBlue);
    cairo_fill_preserve(cr);
    setColor(cr, focused ? kDarkBlue : kBlue);
    cairo_set_line_width(cr, focused ? 2 : 1);
    cairo_stroke(cr);
    double t = std::max(2.0, w / 7.0);
    setColor(cr, pressed ? kWhite : kDarkBlue);
    cairo_rectangle(cr, (w - t) / 2, h * 0.22, t, h * 0.56);
    cairo_rectangle(cr, w * 0.22, (h - t) / 2, w * 0.56, t);
    cairo_fill(cr);
}
void paintTabAddUp(cairo_t* cr, int w, int h) {
    tabAdd(cr, w, h, false, false);
}
void paintTabAddDown(cairo_t* cr, int w, int h) {
    tabAdd(cr, w, h, true, false);
}
void paintTabAddDownFocused(cairo_t* cr, int w, int h) {
    tabAdd(cr, w, h, true, true);
}

// The close button of a tab header: a white cross on red, drawn for each size so that the
// cross stays crisp instead of being stretched.
void paintTabClose(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0, 0, w, h, std::max(1.5, w / 6.0));
    setColor(cr, kRed);
    cairo_fill(cr);
    double inset = w * 0.28;
    cairo_set_line_width(cr, std::max(1.5, w / 7.0));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, kWhite);
    cairo_move_to(cr, inset, inset);
    cairo_line_to(cr, w - inset, h - inset);
    cairo_move_to(cr, w - inset, inset);
    cairo_line_to(cr, inset, h - inset);
    cairo_stroke(cr);
}

// The logo of the timetable-set choice and the progress view (337 × 100): the program's name
// above a line with three stops.
void paintLogo(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    setColor(cr, kWhite);
    cairo_fill(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, h * 0.46);
    cairo_text_extents_t ext;
    const char* name = "Pelorvant";
    cairo_text_extents(cr, name, &ext);
    setColor(cr, kDarkBlue);
    cairo_move_to(cr, (w - ext.width) / 2 - ext.x_bearing, h * 0.56);
    cairo_show_text(cr, name);
    double y = h * 0.78;
    cairo_set_line_width(cr, h * 0.06);
    setColor(cr, kBlue);
    cairo_move_to(cr, w * 0.1, y);
    cairo_line_to(cr, w * 0.9, y);
    cairo_stroke(cr);
    for (double x : {0.1, 0.5, 0.9}) {
        cairo_arc(cr, w * x, y, h * 0.075, 0, 2 * M_PI);
        setColor(cr, kWhite);
        cairo_fill_preserve(cr);
        setColor(cr, kBlue);
        cairo_set_line_width(cr, h * 0.04);
        cairo_stroke(cr);
    }
}

constexpr int kInfoSide = 13;
constexpr int kHelpSide = 20;
constexpr int kArrowSide = 16;
constexpr int kTabAddSide = 20;

const Artwork kArtwork[] = {
    {"infoC", kInfoSide, kInfoSide, paintInfoC},
    {"infoO", kInfoSide, kInfoSide, paintInfoO},
    {"infoR", kInfoSide, kInfoSide, paintInfoR},
    {"infoF", kInfoSide, kInfoSide, paintInfoF},
    {"infoZ", kInfoSide, kInfoSide, paintInfoZ},
    {"infoM", kHelpSide, kHelpSide, paintInfoM},
    {"infoMD", kHelpSide, kHelpSide, paintInfoMD},
    {"sipka", kArrowSide, kArrowSide, paintSipka},
    {"sipkaS", kArrowSide, kArrowSide, paintSipkaS},
    {"sipkaD", kArrowSide, kArrowSide, paintSipkaD},
    {"logo", 337, 100, paintLogo},
    {"tab_add_up", kTabAddSide, kTabAddSide, paintTabAddUp},
    {"tab_add_down", kTabAddSide, kTabAddSide, paintTabAddDown},
    {"tab_add_down_focused", kTabAddSide, kTabAddSide, paintTabAddDownFocused},
    {"tab_close_11", 11, 11, paintTabClose},
    {"tab_close_13", 13, 13, paintTabClose},
    {"tab_close_15", 15, 15, paintTabClose},
    {"tab_close_17", 17, 17, paintTabClose},
    {"tab_close_19", 19, 19, paintTabClose},
    {"tab_close_21", 21, 21, paintTabClose},
    {"tab_close_23", 23, 23, paintTabClose},
    {"tab_close_25", 25, 25, paintTabClose},
    {"tab_close_27", 27, 27, paintTabClose},
};

}  // namespace

const Artwork* findArtwork(std::string_view name) {
    for (const Artwork& a : kArtwork) {
        if (a.name == name) {
            return &a;
        }
    }
    return nullptr;
}

}  // namespace bitmapgen
