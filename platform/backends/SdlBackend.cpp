#include "platform/backends/SdlBackend.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/MessageSources.h"
#include "platform/draw/Utf.h"
#include "platform/shell/InputPanel.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WaitCursor.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <optional>

namespace platform::backends {
namespace {

// Device events are looked at at least this often while the thread waits, so posted messages
// and timers of other threads are not held back by a wait for SDL events.
constexpr std::uint32_t kEventPollMs = 5;

}  // namespace

struct SdlBackend::Impl {
    SDL_Window* window = nullptr;
    SDL_Cursor* waitCursor = nullptr;
    int zoom = 1;
    draw::Bitmap frame;
    bool drivesInputPanel = false;
    // The window stays hidden until its first frame is there: no empty window meanwhile.
    bool shown = false;
    IdleWait previousIdle;
    std::optional<std::chrono::steady_clock::time_point> quitAt;

    ~Impl() {
        if (waitCursor) {
            SDL_FreeCursor(waitCursor);
        }
        if (window) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }

    // Frames go straight to the window's own surface: no renderer, which would cost far more
    // to create than the whole rest of a start.
    void present() {
        const draw::Size s = ui::screenSize();
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(window, &w, &h);
        if (w != s.width * zoom || h != s.height * zoom) {
            SDL_SetWindowSize(window, s.width * zoom, s.height * zoom);
        }
        SDL_Surface* target = SDL_GetWindowSurface(window);
        if (!target) {
            return;
        }
        ui::composeScreen(frame);
        SDL_Surface* source =
            SDL_CreateRGBSurfaceWithFormatFrom(frame.row(0), frame.width(), frame.height(), 32,
                                               frame.stride(), SDL_PIXELFORMAT_ARGB8888);
        if (!source) {
            return;
        }
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        if (zoom == 1) {
            SDL_BlitSurface(source, nullptr, target, nullptr);
        } else {
            SDL_Rect to{0, 0, frame.width() * zoom, frame.height() * zoom};
            SDL_BlitScaled(source, nullptr, target, &to);
        }
        SDL_FreeSurface(source);
        if (!shown) {
            shown = true;
            SDL_ShowWindow(window);
        }
        SDL_UpdateWindowSurface(window);
    }

    draw::Point devicePoint(int x, int y) const { return draw::Point{x / zoom, y / zoom}; }

    void handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                postQuitMessage(0);
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    ui::fingerDown(devicePoint(e.button.x, e.button.y));
                }
                break;
            case SDL_MOUSEBUTTONUP:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    ui::fingerUp(devicePoint(e.button.x, e.button.y));
                }
                break;
            case SDL_MOUSEMOTION:
                if (e.motion.state & SDL_BUTTON_LMASK) {
                    ui::fingerMove(devicePoint(e.motion.x, e.motion.y));
                }
                break;
            case SDL_KEYDOWN:
                if (e.key.keysym.sym == SDLK_F4) {
                    ui::rotateScreen();
                } else if (std::uint32_t vk = deviceKeyOf(e.key.keysym.sym)) {
                    ui::keyDown(vk);
                }
                break;
            case SDL_KEYUP:
                if (std::uint32_t vk = deviceKeyOf(e.key.keysym.sym)) {
                    ui::keyUp(vk);
                }
                break;
            case SDL_TEXTINPUT: {
                // Letters, digits and the space come as keys already (their WM_CHAR comes from
                // translation); the rest (accented letters, punctuation) only as text.
                for (char16_t c : draw::fromUtf8(e.text.text)) {
                    const bool viaKey = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                                        (c >= u'0' && c <= u'9') || c == u' ' || c == u'*' ||
                                        c == u'#';
                    if (!viaKey) {
                        ui::characterInput(c);
                    }
                }
                break;
            }
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    present();
                }
                break;
            default:
                break;
        }
    }

    // The thread's idle wait: show what changed, then wait a little for device input.
    void idle(std::uint32_t maxWaitMs) {
        if (ui::screenDirty()) {
            present();
        }
        if (quitAt && std::chrono::steady_clock::now() >= *quitAt) {
            quitAt.reset();
            postQuitMessage(0);
            return;
        }
        SDL_Event e;
        const int waitMs = static_cast<int>(std::min(maxWaitMs, kEventPollMs));
        if (SDL_WaitEventTimeout(&e, waitMs)) {
            handle(e);
            while (SDL_PollEvent(&e)) {
                handle(e);
            }
        }
    }
};

SdlBackend::SdlBackend(const ui::DeviceProfile& profile, int zoom)
    : impl_(std::make_unique<Impl>()) {
    ui::setDeviceProfile(profile);
    impl_->zoom = std::clamp(zoom, 1, 8);
    // The window surface is the display's own frame buffer, not a texture of a renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // SDL would turn SIGINT and SIGTERM into a quit event that only a running loop sees.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = SDL_GetError();
        return;
    }
    impl_->window = SDL_CreateWindow("Pelorvant", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     profile.width * impl_->zoom, profile.height * impl_->zoom,
                                     SDL_WINDOW_HIDDEN);
    if (!impl_->window || !SDL_GetWindowSurface(impl_->window)) {
        error_ = SDL_GetError();
        return;
    }
    // Text input stays on for a physical keyboard's accented letters. Where the platform has
    // an on-screen keyboard, the input panel is that keyboard: it comes and goes with the
    // panel's state. Elsewhere the shell draws its own panel, as on the headless backend.
    SDL_StartTextInput();
    if (SDL_HasScreenKeyboardSupport()) {
        SDL_StopTextInput();
        shell::setInputPanelDriver([](bool shown) {
            if (shown) {
                SDL_StartTextInput();
            } else {
                SDL_StopTextInput();
            }
        });
        impl_->drivesInputPanel = true;
    }
    // The system's wait cursor over the window while the interface thread is busy.
    impl_->waitCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    ui::setCursorDriver([cursor = impl_->waitCursor](bool wait) {
        SDL_SetCursor(wait && cursor ? cursor : SDL_GetDefaultCursor());
    });
    Impl* impl = impl_.get();
    impl_->previousIdle = setIdleWait([impl](std::uint32_t maxWaitMs) { impl->idle(maxWaitMs); });
}

SdlBackend::~SdlBackend() {
    if (impl_->drivesInputPanel) {
        shell::setInputPanelDriver({});
    }
    if (ok()) {
        ui::setCursorDriver({});
        setIdleWait(std::move(impl_->previousIdle));
    }
}

void SdlBackend::raise() {
    // A window not shown yet comes up above the others with its first frame.
    if (!ok() || !impl_->shown) {
        return;
    }
    SDL_ShowWindow(impl_->window);
    if (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_MINIMIZED) {
        SDL_RestoreWindow(impl_->window);
    }
    SDL_RaiseWindow(impl_->window);
}

bool SdlBackend::ok() const {
    return error_.empty() && impl_->window;
}

void SdlBackend::quitAfter(std::uint64_t ms) {
    impl_->quitAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

void SdlBackend::present() {
    if (ok()) {
        impl_->present();
    }
}

draw::Bitmap SdlBackend::readBack() {
    if (!ok()) {
        return draw::Bitmap();
    }
    SDL_Surface* shown = SDL_GetWindowSurface(impl_->window);
    SDL_Surface* full =
        shown ? SDL_ConvertSurfaceFormat(shown, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    if (!full) {
        return draw::Bitmap();
    }
    const int z = impl_->zoom;
    draw::Bitmap out(full->w / z, full->h / z);
    for (int y = 0; y < out.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(full->pixels) +
            static_cast<std::ptrdiff_t>(y * z) * full->pitch);
        for (int x = 0; x < out.width(); ++x) {
            out.row(y)[x] = src[x * z] | 0xFF000000u;
        }
    }
    SDL_FreeSurface(full);
    return out;
}

}  // namespace platform::backends
