#include "support/CharsetConvert.h"

#include <cerrno>
#include <iconv.h>
#include <map>

namespace orvel {

namespace {
// The converters opened so far, by "to<from"; closed when the thread ends.
struct TConverters {
    std::map<std::string, iconv_t> Open;
    ~TConverters() {
        for (auto& [Key, Converter] : Open)
            if (Converter != reinterpret_cast<iconv_t>(-1)) iconv_close(Converter);
    }
};
} // namespace

std::string ConvertCharset(const char* To, const char* From, const std::string& In,
                           std::string_view Replacement) {
    // Opening a converter costs more than converting a short text: each pair is opened once.
    thread_local TConverters Converters;
    const std::string Key = std::string(To) + "<" + From;
    auto It = Converters.Open.find(Key);
    if (It == Converters.Open.end()) It = Converters.Open.emplace(Key, iconv_open(To, From)).first;
    iconv_t Converter = It->second;
    if (Converter == reinterpret_cast<iconv_t>(-1)) return In;
    iconv(Converter, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    std::string Result;
    std::string Input = In; // iconv takes a non-const buffer
    char* InPtr = Input.data();
    size_t InLeft = Input.size();
    char Buffer[512];
    while (InLeft > 0) {
        char* OutPtr = Buffer;
        size_t OutLeft = sizeof Buffer;
        const size_t Done = iconv(Converter, &InPtr, &InLeft, &OutPtr, &OutLeft);
        Result.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
        if (Done == static_cast<size_t>(-1) && errno != E2BIG) {
            Result += Replacement;
            ++InPtr;
            --InLeft;
        }
    }
    return Result;
}

} // namespace orvel
