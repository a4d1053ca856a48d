#pragma once

#include <string>
#include <string_view>

namespace gosei::web {

// Text made safe to stand in HTML (element text or a quoted attribute).
// Every text the pages' generators write into HTML passes through here.
inline std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// ` name="value"`
inline std::string attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + escaped(value) + "\"";
}

}  // namespace gosei::web
