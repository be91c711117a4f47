#include "platform/backends/SdlBackend.h"

#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/shell/InputPanel.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/VirtualKeys.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>

namespace platform::backends {

std::uint32_t deviceKeyOf(int sdlKey) {
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) {
        return ui::VK_0 + static_cast<std::uint32_t>(sdlKey - SDLK_0);
    }
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9) {
        return ui::VK_NUMPAD0 + 1 + static_cast<std::uint32_t>(sdlKey - SDLK_KP_1);
    }
    if (sdlKey == SDLK_KP_0) {
        return ui::VK_NUMPAD0;
    }
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) {
        return ui::VK_A + static_cast<std::uint32_t>(sdlKey - SDLK_a);
    }
    switch (sdlKey) {
        case SDLK_LEFT:
            return ui::VK_LEFT;
        case SDLK_RIGHT:
            return ui::VK_RIGHT;
        case SDLK_UP:
            return ui::VK_UP;
        case SDLK_DOWN:
            return ui::VK_DOWN;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return ui::VK_RETURN;
        case SDLK_ESCAPE:
            return ui::VK_ESCAPE;  // the Back key
        case SDLK_BACKSPACE:
            return ui::VK_BACK;
        case SDLK_TAB:
            return ui::VK_TAB;
        case SDLK_SPACE:
            return ui::VK_SPACE;
        case SDLK_F1:
            return ui::VK_TSOFT1;
        case SDLK_F2:
            return ui::VK_TSOFT2;
        case SDLK_ASTERISK:
        case SDLK_KP_MULTIPLY:
            return ui::VK_TSTAR;
        case SDLK_HASH:
            return ui::VK_TPOUND;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return ui::VK_SHIFT;
        default:
            return 0;
    }
}

struct SdlBackend::Impl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int zoom = 1;
    draw::Bitmap frame;
    bool closed = false;
    int exitCode = 0;
    bool drivesInputPanel = false;

    ~Impl() {
        if (texture) {
            SDL_DestroyTexture(texture);
        }
        if (renderer) {
            SDL_DestroyRenderer(renderer);
        }
        if (window) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }

    bool makeTexture() {
        if (texture) {
            SDL_DestroyTexture(texture);
        }
        const draw::Size s = ui::screenSize();
        SDL_SetWindowSize(window, s.width * zoom, s.height * zoom);
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                    s.width, s.height);
        return texture != nullptr;
    }

    void present() {
        const draw::Size s = ui::screenSize();
        if (frame.width() != s.width || frame.height() != s.height) {
            makeTexture();
        }
        ui::composeScreen(frame);
        SDL_UpdateTexture(texture, nullptr, frame.row(0), frame.stride());
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }

    draw::Point devicePoint(int x, int y) const { return draw::Point{x / zoom, y / zoom}; }

    void handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                closed = true;
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
                    ui::composeScreen(frame);
                    present();
                }
                break;
            default:
                break;
        }
    }
};

SdlBackend::SdlBackend(const ui::DeviceProfile& profile, int zoom)
    : impl_(std::make_unique<Impl>()) {
    ui::setDeviceProfile(profile);
    impl_->zoom = std::clamp(zoom, 1, 8);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = SDL_GetError();
        return;
    }
    impl_->window = SDL_CreateWindow("Pelorvant", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     profile.width * impl_->zoom, profile.height * impl_->zoom, 0);
    if (!impl_->window) {
        error_ = SDL_GetError();
        return;
    }
    impl_->renderer = SDL_CreateRenderer(impl_->window, -1, SDL_RENDERER_SOFTWARE);
    if (!impl_->renderer || !impl_->makeTexture()) {
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
    impl_->present();
}

SdlBackend::~SdlBackend() {
    if (impl_->drivesInputPanel) {
        shell::setInputPanelDriver({});
    }
}

bool SdlBackend::ok() const {
    return error_.empty() && impl_->texture;
}

bool SdlBackend::step() {
    if (!ok() || impl_->closed) {
        return false;
    }
    SDL_Event e;
    // Wait briefly for device events; timers and posted messages are looked at every round.
    if (SDL_WaitEventTimeout(&e, 5)) {
        impl_->handle(e);
        while (SDL_PollEvent(&e)) {
            impl_->handle(e);
        }
    }
    int code = 0;
    if (!ui::pumpMessages(&code)) {
        impl_->exitCode = code;
        impl_->closed = true;
    }
    if (ui::screenDirty()) {
        impl_->present();
    }
    return !impl_->closed;
}

int SdlBackend::run(std::uint64_t maxMs) {
    const auto start = std::chrono::steady_clock::now();
    while (step()) {
        if (maxMs != 0 &&
            std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(maxMs)) {
            break;
        }
    }
    return impl_->exitCode;
}

draw::Bitmap SdlBackend::readBack() {
    if (!ok()) {
        return draw::Bitmap();
    }
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(impl_->renderer, &w, &h);
    draw::Bitmap full(w, h);
    if (SDL_RenderReadPixels(impl_->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, full.row(0),
                             full.stride()) != 0) {
        return draw::Bitmap();
    }
    const int z = impl_->zoom;
    draw::Bitmap out(w / z, h / z);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.row(y)[x] = full.row(y * z)[x * z] | 0xFF000000u;
        }
    }
    return out;
}

}  // namespace platform::backends
