#include "ui/Encoding.h"

#include "mylib/CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace orvel::ui {

namespace {
// Converts with iconv; an unconvertible byte becomes "?".
std::string Convert(const char* To, const char* From, const std::string& In) {
    iconv_t Converter = iconv_open(To, From);
    if (Converter == reinterpret_cast<iconv_t>(-1)) return In;
    std::string Result;
    std::string Input = In;
    char* InPtr = Input.data();
    size_t InLeft = Input.size();
    char Buffer[512];
    while (InLeft > 0) {
        char* OutPtr = Buffer;
        size_t OutLeft = sizeof Buffer;
        const size_t Done = iconv(Converter, &InPtr, &InLeft, &OutPtr, &OutLeft);
        Result.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
        if (Done == static_cast<size_t>(-1) && errno != E2BIG) {
            Result += '?';
            ++InPtr;
            --InLeft;
        }
    }
    iconv_close(Converter);
    return Result;
}
} // namespace

QString ToQString(const std::string& Bytes) {
    if (CurrentCodePage() == TCodePage::cpCp932)
        return QString::fromStdString(Convert("UTF-8", "CP932", Bytes));
    return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

std::string FromQString(const QString& Text) {
    const std::string Utf8 = Text.toStdString();
    if (CurrentCodePage() == TCodePage::cpCp932) return Convert("CP932", "UTF-8", Utf8);
    return Utf8;
}

} // namespace orvel::ui
