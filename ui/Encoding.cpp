#include "ui/Encoding.h"

#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/Translation.h"

namespace orvel::ui {

QString ToQString(const std::string& Bytes) {
    if (CurrentCodePage() == TCodePage::cpCp932)
        return QString::fromStdString(ConvertCharset("UTF-8", "CP932", Bytes, "?"));
    return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

QString QTr(const char* Text) {
    return ToQString(Tr(Text));
}

QString PageText(const std::string& Bytes, TCharset Charset) {
    return QString::fromStdString(PageTextToUtf8(Bytes, Charset));
}

std::string FromQString(const QString& Text) {
    std::string Utf8 = Text.toStdString();
    if (CurrentCodePage() == TCodePage::cpCp932) return ConvertCharset("CP932", "UTF-8", Utf8, "?");
    return Utf8;
}

} // namespace orvel::ui
