// The web browser: found once when the program starts, then handed documents, never waited on.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace orvel::ui {

// There is no browser to hand a document to.
class EBrowserError : public std::runtime_error {
public:
    EBrowserError() : std::runtime_error("Das angegebene Browserprogramm exitiert nicht!") {}
};

class TBrowser {
public:
    // No browser: every document gives EBrowserError.
    TBrowser() = default;
    // The desktop's default browser: the program of the desktop entry that
    // "xdg-mime query default text/html" names, else xdg-open, else none.
    static TBrowser FindDefault();

    bool Found() const { return !Program.empty(); }
    // Starts the browser with a document, a local path or a web address, passed unchanged as
    // one argument; throws EBrowserError when there is no browser or it cannot be started.
    void OpenURL(const std::string& Document) const;

    std::string Program;                // the browser program; empty for none
    std::vector<std::string> Arguments; // its desktop entry's arguments, field codes unexpanded
};

} // namespace orvel::ui
