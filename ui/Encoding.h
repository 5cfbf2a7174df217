// Byte strings of the code page to and from Qt's strings.
#pragma once

#include <QString>
#include <string>

namespace orvel::ui {

QString ToQString(const std::string& Bytes);
std::string FromQString(const QString& Text);

} // namespace orvel::ui
