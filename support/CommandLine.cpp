#include "support/CommandLine.h"

namespace orvel {

std::vector<std::string> SplitCommandLine(std::string_view Line, TQuoting Quoting) {
    std::vector<std::string> Arguments;
    std::string Current;
    bool InArgument = false, Quoted = false;
    for (size_t I = 0; I < Line.size(); ++I) {
        const char C = Line[I];
        if (Quoted && C == '\\' && Quoting == TQuoting::qtBackslashInQuotes &&
            I + 1 < Line.size()) {
            Current.push_back(Line[++I]);
        } else if (C == '"') {
            Quoted = !Quoted;
            InArgument = true;
        } else if ((C == ' ' || C == '\t') && !Quoted) {
            if (InArgument) Arguments.push_back(std::move(Current));
            Current.clear();
            InArgument = false;
        } else {
            Current.push_back(C);
            InArgument = true;
        }
    }
    if (InArgument) Arguments.push_back(std::move(Current));
    return Arguments;
}

std::vector<std::string> ExpandCommandTemplate(std::string_view Template, const std::string& Path,
                                               const std::string* Line) {
    std::vector<std::string> Arguments = SplitCommandLine(Template);
    for (std::string& Argument : Arguments) {
        // One pass: an inserted value is never searched again.
        std::string Expanded;
        for (size_t I = 0; I < Argument.size(); ++I) {
            const char Next = I + 1 < Argument.size() ? Argument[I + 1] : '\0';
            if (Argument[I] == '%' && Next == 'F') {
                Expanded += Path;
                ++I;
            } else if (Argument[I] == '%' && Next == 'N' && Line) {
                Expanded += *Line;
                ++I;
            } else {
                Expanded.push_back(Argument[I]);
            }
        }
        Argument = std::move(Expanded);
    }
    return Arguments;
}

} // namespace orvel
