#include "support/CharsetConvert.h"

#include <cerrno>
#include <iconv.h>
#include <map>

namespace orvel {

namespace {

const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

// The converters opened so far, by "to<from"; closed when the thread ends.
struct TConverters {
    std::map<std::string, iconv_t> Open;
    ~TConverters() {
        for (auto& [Key, Converter] : Open)
            if (Converter != NoConverter) iconv_close(Converter);
    }
};

// The converter of a pair in its initial state, or NoConverter. Opening a converter costs more
// than converting a short text: each pair is opened once per thread.
iconv_t Converter(const char* To, const char* From) {
    thread_local TConverters Converters;
    const std::string Key = std::string(To) + "<" + From;
    auto It = Converters.Open.find(Key);
    if (It == Converters.Open.end()) It = Converters.Open.emplace(Key, iconv_open(To, From)).first;
    if (It->second != NoConverter) iconv(It->second, nullptr, nullptr, nullptr, nullptr);
    return It->second;
}

// Converts from In onwards into Out until the input ends, then returns a stateful target to its
// initial state; or until a sequence cannot be converted: false then, with In at that sequence.
bool ConvertUntilFailure(iconv_t Converter, std::string_view& In, std::string& Out) {
    char Buffer[512];
    while (!In.empty()) {
        char* InPtr = const_cast<char*>(In.data()); // iconv does not write to its input
        size_t InLeft = In.size();
        char* OutPtr = Buffer;
        size_t OutLeft = sizeof Buffer;
        const size_t Done = iconv(Converter, &InPtr, &InLeft, &OutPtr, &OutLeft);
        Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
        In.remove_prefix(In.size() - InLeft);
        if (Done == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    char* OutPtr = Buffer;
    size_t OutLeft = sizeof Buffer;
    iconv(Converter, nullptr, nullptr, &OutPtr, &OutLeft);
    Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
    return true;
}

} // namespace

std::string ConvertCharset(const char* To, const char* From, const std::string& In,
                           std::string_view Replacement) {
    const iconv_t Convert = Converter(To, From);
    if (Convert == NoConverter) return In;
    std::string Result;
    std::string_view Rest(In);
    while (!ConvertUntilFailure(Convert, Rest, Result)) {
        Result += Replacement;
        Rest.remove_prefix(1);
    }
    return Result;
}

TStrictConversion ConvertCharsetStrictly(const char* To, const char* From, std::string_view In) {
    TStrictConversion Result;
    const iconv_t Convert = Converter(To, From);
    if (Convert == NoConverter) {
        Result.FailedAt = 0;
        return Result;
    }
    std::string_view Rest = In;
    if (!ConvertUntilFailure(Convert, Rest, Result.Out)) Result.FailedAt = In.size() - Rest.size();
    return Result;
}

bool CharsetKnown(const char* Name) {
    return Converter("UTF-8", Name) != NoConverter && Converter(Name, "UTF-8") != NoConverter;
}

size_t FirstCharacterLength(const char* From, std::string_view Text) {
    // Into UTF-32, four bytes a character: room for one, and the conversion stops after it.
    const iconv_t Convert = Converter("UTF-32LE", From);
    if (Convert == NoConverter || Text.empty()) return 0;
    char Buffer[4];
    char* InPtr = const_cast<char*>(Text.data()); // iconv does not write to its input
    size_t InLeft = Text.size();
    char* OutPtr = Buffer;
    size_t OutLeft = sizeof Buffer;
    iconv(Convert, &InPtr, &InLeft, &OutPtr, &OutLeft);
    return OutPtr == Buffer ? 0 : Text.size() - InLeft;
}

} // namespace orvel
