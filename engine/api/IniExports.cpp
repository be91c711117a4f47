// The engine's INI store. An engine made without a store answers every read with its default,
// ignores writes and flushes successfully.
#include <limits>
#include <string>
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/EngineObject.h"
#include "engine/data/IniStore.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

static_assert(ENGINE_INI_MAX_BYTES == IniStore::kMaxTextBytes);

IniStore* store() {
    return engine().iniStore();
}

int16_t shortLength(std::size_t n) {
    if (n > static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return static_cast<int16_t>(n);
}

}  // namespace

extern "C" {

int32_t api_IniReadString(const char* section, int32_t sectionLength, const char* key,
                          int32_t keyLength, const char* defaultValue, int32_t defaultLength,
                          char** value, int32_t* valueLength) {
    return guarded([&] {
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        const auto d = textArgument(defaultValue, defaultLength);
        IniStore* ini = store();
        const std::string text = ini != nullptr ? ini->readString(s, k, d) : std::string(d);
        handText(text, value, valueLength);
    });
}

int32_t api_IniReadStrings(const char* section, int32_t sectionLength, char*** keys,
                           int16_t** keyLengths, char*** values, int16_t** valueLengths,
                           int16_t* count) {
    return guarded([&] {
        auto& outKeys = out(keys);
        auto& outKeyLengths = out(keyLengths);
        auto& outValues = out(values);
        auto& outValueLengths = out(valueLengths);
        auto& outCount = out(count);
        const auto s = textArgument(section, sectionLength);
        IniStore* ini = store();
        const std::vector<IniKey> list =
            ini != nullptr ? ini->readSection(s) : std::vector<IniKey>();
        const int16_t n = shortLength(list.size());

        // Every text is owned here until all of them exist.
        std::vector<CBuffer<char>> texts;
        texts.reserve(2 * list.size());
        auto keyArray = allocateArray<char*>(list.size());
        auto valueArray = allocateArray<char*>(list.size());
        auto keyLengthArray = allocateArray<int16_t>(list.size());
        auto valueLengthArray = allocateArray<int16_t>(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            keyLengthArray.get()[i] = shortLength(list[i].name.size());
            valueLengthArray.get()[i] = shortLength(list[i].value.size());
            texts.push_back(copyText(list[i].name));
            keyArray.get()[i] = texts.back().get();
            texts.push_back(copyText(list[i].value));
            valueArray.get()[i] = texts.back().get();
        }
        for (auto& t : texts) {
            (void)t.release();
        }
        outCount = n;
        outKeys = keyArray.release();
        outValues = valueArray.release();
        outKeyLengths = keyLengthArray.release();
        outValueLengths = valueLengthArray.release();
    });
}

int32_t api_IniWriteString(const char* section, int32_t sectionLength, const char* key,
                           int32_t keyLength, const char* value, int32_t valueLength) {
    return guarded([&] {
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        const auto v = textArgument(value, valueLength);
        if (IniStore* ini = store()) {
            ini->writeString(s, k, v);
        }
    });
}

int32_t api_IniReadInt(const char* section, int32_t sectionLength, const char* key,
                       int32_t keyLength, int32_t defaultValue, int32_t* value) {
    return guarded([&] {
        auto& result = out(value);
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        IniStore* ini = store();
        result = ini != nullptr ? ini->readInt(s, k, defaultValue) : defaultValue;
    });
}

int32_t api_IniWriteInt(const char* section, int32_t sectionLength, const char* key,
                        int32_t keyLength, int32_t value) {
    return guarded([&] {
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        if (IniStore* ini = store()) {
            ini->writeInt(s, k, value);
        }
    });
}

int32_t api_IniReadBool(const char* section, int32_t sectionLength, const char* key,
                        int32_t keyLength, uint8_t defaultValue, uint8_t* value) {
    return guarded([&] {
        auto& result = out(value);
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        IniStore* ini = store();
        if (ini == nullptr) {
            result = defaultValue;
            return;
        }
        // A default other than 0 or 1 comes back as given when the key does not say.
        const bool asTrue = ini->readBool(s, k, true);
        const bool asFalse = ini->readBool(s, k, false);
        result = asTrue == asFalse ? static_cast<uint8_t>(asTrue ? 1 : 0) : defaultValue;
    });
}

int32_t api_IniWriteBool(const char* section, int32_t sectionLength, const char* key,
                         int32_t keyLength, uint8_t value) {
    return guarded([&] {
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        if (IniStore* ini = store()) {
            ini->writeBool(s, k, value != 0);
        }
    });
}

int32_t api_IniRemoveKey(const char* section, int32_t sectionLength, const char* key,
                         int32_t keyLength) {
    return guarded([&] {
        const auto s = textArgument(section, sectionLength);
        const auto k = textArgument(key, keyLength);
        if (IniStore* ini = store()) {
            ini->removeKey(s, k);
        }
    });
}

int32_t api_IniRemoveSection(const char* section, int32_t sectionLength) {
    return guarded([&] {
        const auto s = textArgument(section, sectionLength);
        if (IniStore* ini = store()) {
            ini->removeSection(s);
        }
    });
}

int32_t api_IniFlush(void) {
    bool tooLarge = false;
    const int32_t status = guarded([&] {
        // A flush that could not write keeps the store changed for the next one and the main
        // file as it was; the caller learns of it as a failure.
        IniStore* ini = store();
        if (ini == nullptr || ini->flush()) {
            return;
        }
        // A store grown past the file limit is no fault of the files: the caller can only mend
        // it by removing keys, so it is told apart from a write that failed.
        tooLarge = ini->tooLarge();
        if (!tooLarge) {
            raiseEngine(ENGINE_EXC_OPEN);
        }
    });
    return status == ENGINE_OK && tooLarge ? ENGINE_INI_TOO_LARGE : status;
}

int32_t api_IniSetAside(char** fileName, int32_t* fileNameLength) {
    return guarded([&] {
        IniStore* ini = store();
        handText(ini != nullptr ? ini->setAside() : std::string(), fileName, fileNameLength);
    });
}

}  // extern "C"
