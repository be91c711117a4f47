// libcurl, loaded when the first transfer needs it. Most runs of the program download nothing,
// and the library with the two dozen it brings along (TLS, Kerberos, LDAP, SSH, IDN, ...) would
// otherwise be loaded and relocated at every start. The HTTP client calls curl's functions as
// usual; these definitions (hidden in the program, so the library's own calls stay its own)
// find the library's functions on the first call and pass every call on. Without the library
// every transfer fails to set up, as when curl cannot start.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

#include <cstdarg>

#include <dlfcn.h>

namespace {

struct Curl {
    CURLcode (*globalInit)(long) = nullptr;
    CURL* (*easyInit)() = nullptr;
    CURLcode (*easySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easyPerform)(CURL*) = nullptr;
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easyCleanup)(CURL*) = nullptr;
    const char* (*easyStrerror)(CURLcode) = nullptr;
};

template <typename Function>
bool bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// The library's functions; null when it cannot be loaded. Loaded once (thread-safe), kept for
// the life of the process.
const Curl* curl() {
    static const Curl* const loaded = []() -> const Curl* {
        void* library = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr)
            return nullptr;
        static Curl functions;
        const bool complete = bind(library, "curl_global_init", functions.globalInit) &&
                              bind(library, "curl_easy_init", functions.easyInit) &&
                              bind(library, "curl_easy_setopt", functions.easySetopt) &&
                              bind(library, "curl_easy_perform", functions.easyPerform) &&
                              bind(library, "curl_easy_getinfo", functions.easyGetinfo) &&
                              bind(library, "curl_easy_cleanup", functions.easyCleanup) &&
                              bind(library, "curl_easy_strerror", functions.easyStrerror);
        if (!complete) {
            ::dlclose(library);
            return nullptr;
        }
        return &functions;
    }();
    return loaded;
}

}  // namespace

// The prototypes are curl's own; its option and information enums hold values beyond the
// range of a char or a short, so their type is int-sized and va_start after them is sound.
#pragma clang diagnostic ignored "-Wvarargs"

extern "C" {

CURLcode curl_global_init(long flags) {
    const Curl* c = curl();
    return c != nullptr ? c->globalInit(flags) : CURLE_FAILED_INIT;
}

CURL* curl_easy_init(void) {
    const Curl* c = curl();
    return c != nullptr ? c->easyInit() : nullptr;
}

// The value after the option has the type the option's number range names.
CURLcode curl_easy_setopt(CURL* handle, CURLoption option, ...) {
    const Curl* c = curl();
    if (c == nullptr)
        return CURLE_FAILED_INIT;
    const long number = static_cast<long>(option);
    va_list values;
    va_start(values, option);
    CURLcode result;
    if (number < CURLOPTTYPE_OBJECTPOINT) {
        result = c->easySetopt(handle, option, va_arg(values, long));
    } else if (number < CURLOPTTYPE_FUNCTIONPOINT) {
        result = c->easySetopt(handle, option, va_arg(values, void*));
    } else if (number < CURLOPTTYPE_OFF_T) {
        using AnyFunction = void (*)();
        result = c->easySetopt(handle, option, va_arg(values, AnyFunction));
    } else if (number < CURLOPTTYPE_BLOB) {
        result = c->easySetopt(handle, option, va_arg(values, curl_off_t));
    } else {
        result = c->easySetopt(handle, option, va_arg(values, void*));
    }
    va_end(values);
    return result;
}

CURLcode curl_easy_perform(CURL* handle) {
    const Curl* c = curl();
    return c != nullptr ? c->easyPerform(handle) : CURLE_FAILED_INIT;
}

// Every piece of information is written through the pointer that follows.
CURLcode curl_easy_getinfo(CURL* handle, CURLINFO info, ...) {
    const Curl* c = curl();
    if (c == nullptr)
        return CURLE_FAILED_INIT;
    va_list values;
    va_start(values, info);
    const CURLcode result = c->easyGetinfo(handle, info, va_arg(values, void*));
    va_end(values);
    return result;
}

void curl_easy_cleanup(CURL* handle) {
    if (const Curl* c = curl())
        c->easyCleanup(handle);
}

const char* curl_easy_strerror(CURLcode code) {
    const Curl* c = curl();
    return c != nullptr ? c->easyStrerror(code) : "libcurl cannot be loaded";
}

}  // extern "C"
