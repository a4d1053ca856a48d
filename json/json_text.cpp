#include "json/json_text.h"

#include <cstdio>

namespace gosei::json {

std::string quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string array(const std::vector<std::string>& items) {
    std::string text = "[";
    for (const std::string& item : items) {
        if (text.size() > 1) text += ',';
        text += item;
    }
    return text + "]";
}

Object& Object::add(std::string_view name, const std::string& value) {
    if (m_text.size() > 1) m_text += ',';
    m_text += quoted(name);
    m_text += ':';
    m_text += value;
    return *this;
}

std::string object(const std::vector<std::pair<std::string_view, std::string>>& members) {
    Object built;
    for (const auto& [name, value] : members)
        built.add(name, value);
    return built.text();
}

}  // namespace gosei::json
