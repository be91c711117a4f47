#pragma once
// Internal: the font faces found through fontconfig, made once per family, weight and slant
// and kept for the life of the process.

#include <string>

typedef struct _cairo_font_face cairo_font_face_t;

namespace platform::draw::detail {

// The family that stands in for a face name the program asks for ("Verdana" and an empty name
// give DejaVu Sans).
std::string substituteFamily(const std::string& face);

// A face for the family; never null (a font that cannot be found gives cairo's own fallback).
cairo_font_face_t* findFace(const std::string& family, bool bold, bool italic);

}  // namespace platform::draw::detail
