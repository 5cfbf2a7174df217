// The argument templates of the external editor and viewer, turned into arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

enum class TQuoting {
    qtPlain,             // a backslash is an ordinary character
    qtBackslashInQuotes, // inside quotes a backslash makes the next character literal
};

// Splits a command line into arguments: blanks (spaces and tabs) separate them, double quotes
// group blanks into an argument and are removed; "" stands for an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view Line,
                                          TQuoting Quoting = TQuoting::qtPlain);

// The arguments of a template: split first, then every "%N" replaced by Line and every "%F" by
// Path inside each argument, so that the path always lands inside exactly one argument whatever
// it holds (blanks, quotes, a leading dash). Without a line, "%N" stays as it is.
std::vector<std::string> ExpandCommandTemplate(std::string_view Template, const std::string& Path,
                                               const std::string* Line = nullptr);

} // namespace orvel
