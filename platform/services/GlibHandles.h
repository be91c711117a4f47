#pragma once
// Owners for the GLib and GIO values the D-Bus services hold: objects, variants, errors and
// strings, each released the way GLib wants.
#include <gio/gio.h>

#include <memory>

namespace platform::services::glib {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct VariantUnref {
    void operator()(GVariant* v) const { g_variant_unref(v); }
};
struct ErrorFree {
    void operator()(GError* e) const { g_error_free(e); }
};
struct CharFree {
    void operator()(gchar* s) const { g_free(s); }
};
using Variant = std::unique_ptr<GVariant, VariantUnref>;

}  // namespace platform::services::glib
