#include "engine/data/EngineObject.h"

#include <utility>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"

namespace trasovnik {
namespace {

std::unique_ptr<cJizdniRadyGlobal>& globalEngine() {
    static std::unique_ptr<cJizdniRadyGlobal> engine;
    return engine;
}

// A Windows-1250 file name as the file system's UTF-8.
std::string fileNameOf(std::string_view cp1250) {
    return cp1250ToUtf8(cp1250);
}

}  // namespace

cJizdniRadyGlobal::cJizdniRadyGlobal(std::optional<IniFileNames> ini)
    : iniStore_(ini ? std::make_unique<IniStore>(std::move(ini->mainFile), std::move(ini->tempFile))
                    : nullptr),
      setList_(catalogue_, iniStore_.get(), cancel_) {}

cJizdniRadyGlobal::~cJizdniRadyGlobal() {
    // Sets refer to their combinations, which the set list gives back when it goes.
    sets_.clear();
}

cJizdniRadyGlobal& cJizdniRadyGlobal::create(std::string_view mainName, std::string_view tempName) {
    std::optional<IniFileNames> ini;
    if (!mainName.empty()) {
        ini = IniFileNames{fileNameOf(mainName), fileNameOf(tempName)};
    }
    // The engine lives as long as the library: callers hold pointers into its headers, sets and
    // results, so a second creation hands back the engine there is. Only its settings are read
    // anew, in place, as a new engine would read them; no pointer leads into them.
    if (cJizdniRadyGlobal* engine = globalEngine().get()) {
        if (ini && engine->iniStore_) {
            engine->iniStore_->reopen(std::move(ini->mainFile), std::move(ini->tempFile));
        }
        return *engine;
    }
    auto engine = std::make_unique<cJizdniRadyGlobal>(std::move(ini));
    globalEngine() = std::move(engine);
    return *globalEngine();
}

cJizdniRadyGlobal* cJizdniRadyGlobal::global() {
    return globalEngine().get();
}

std::unique_ptr<cSestava>& cJizdniRadyGlobal::slot(std::int32_t setIndex) {
    if (setIndex < 0) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return sets_.getAt(setIndex);
}

cSestava& cJizdniRadyGlobal::getSestava(std::int32_t setIndex) {
    std::unique_ptr<cSestava>& s = slot(setIndex);
    if (!s) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return *s;
}

SetLoadResult cJizdniRadyGlobal::nactiSestavu(std::span<const std::int32_t> indexes,
                                              platform::WindowHandle window) {
    cancel_.store(false, std::memory_order_release);
    const SetLoadOutcome out = setList_.nactiKombinaci(indexes, window);
    if (out.status != 0) {
        return SetLoadResult{-1, out.status, out.failingIndex};
    }
    try {
        sets_.add(std::make_unique<cSestava>(*out.combination));
    } catch (...) {
        setList_.release(*out.combination);
        throw;
    }
    return SetLoadResult{static_cast<std::int32_t>(sets_.count() - 1), 0, -1};
}

SetLoadResult cJizdniRadyGlobal::zmenSestavu(std::int32_t setIndex,
                                             std::span<const std::int32_t> indexes,
                                             platform::WindowHandle window) {
    cancel_.store(false, std::memory_order_release);
    std::unique_ptr<cSestava>& s = slot(setIndex);
    if (!s) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    cJizdniRadySestavy& old = s->combination();
    bool oldReleased = false;
    SetLoadOutcome out;
    try {
        out = setList_.zmenSestavu(old, indexes, window, oldReleased);
    } catch (...) {
        if (oldReleased) {
            s.reset();
        }
        throw;
    }
    s.reset();
    if (!oldReleased) {
        setList_.release(old);
    }
    if (out.status != 0) {
        return SetLoadResult{-1, out.status, out.failingIndex};
    }
    try {
        s = std::make_unique<cSestava>(*out.combination);
    } catch (...) {
        setList_.release(*out.combination);
        throw;
    }
    return SetLoadResult{setIndex, 0, -1};
}

void cJizdniRadyGlobal::zrusSestavu(std::int32_t setIndex) {
    std::unique_ptr<cSestava>& s = slot(setIndex);
    if (!s) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    cJizdniRadySestavy& combination = s->combination();
    s.reset();
    setList_.release(combination);
}

std::vector<std::int32_t> cJizdniRadyGlobal::headerIndexesOf(std::int32_t setIndex) {
    return setList_.headerIndexesOf(getSestava(setIndex).combination());
}

}  // namespace trasovnik
