#pragma once

// A strict reader of the JSON the program writes, for tests: only what the
// grammar allows (no trailing commas, raw control characters or stray
// text), object members kept in their order.

#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace gosei::strict_json {

struct Member;

struct Json {
    enum class Kind { Null, Boolean, Number, String, Array, Object } kind = Kind::Null;
    std::string text;           // a string decoded, a number as written
    std::vector<Member> items;  // an array's with empty names

    const Json& operator[](std::string_view name) const;
    std::vector<std::string> keys() const;
};

struct Member {
    std::string name;
    Json value;
};

inline const Json& Json::operator[](std::string_view name) const {
    static const Json missing;
    for (const auto& [key, value] : items)
        if (key == name) return value;
    return missing;
}

inline std::vector<std::string> Json::keys() const {
    std::vector<std::string> names;
    for (const Member& item : items)
        names.push_back(item.name);
    return names;
}

namespace detail {

inline bool take(std::string_view& text, std::string_view word) {
    while (!text.empty() && std::string_view(" \t\r\n").find(text.front()) != std::string::npos)
        text.remove_prefix(1);
    if (!text.starts_with(word)) return false;
    text.remove_prefix(word.size());
    return true;
}

// The rest of a string after its opening quote, escapes decoded; of \u
// escapes only ASCII, all the writers use them for.
inline bool string(std::string_view& text, std::string& out) {
    while (!text.empty() && text.front() != '"') {
        const char c = text.front();
        text.remove_prefix(1);
        if (static_cast<unsigned char>(c) < 0x20) return false;
        if (c != '\\') {
            out += c;
        } else if (const auto escape = std::string_view("\"\\/bfnrt").find(text.substr(0, 1));
                   !text.empty() && escape != std::string::npos) {
            out += "\"\\/\b\f\n\r\t"[escape];
            text.remove_prefix(1);
        } else if (std::regex_match(std::string(text.substr(0, 5)),
                                    std::regex("u00[0-7][0-9a-fA-F]"))) {
            out += static_cast<char>(std::stoi(std::string(text.substr(3, 2)), nullptr, 16));
            text.remove_prefix(5);
        } else {
            return false;
        }
    }
    return take(text, "\"");
}

inline bool value(std::string_view& text, Json& out) {
    using Kind = Json::Kind;
    if (take(text, "\"")) {
        out.kind = Kind::String;
        return string(text, out.text);
    }
    for (const auto& [open, close, kind] :
         {std::tuple{"{", "}", Kind::Object}, std::tuple{"[", "]", Kind::Array}}) {
        if (!take(text, open)) continue;
        out.kind = kind;
        if (take(text, close)) return true;
        do {
            out.items.emplace_back();
            auto& [name, item] = out.items.back();
            if (kind == Kind::Object &&
                !(take(text, "\"") && string(text, name) && take(text, ":")))
                return false;
            if (!value(text, item)) return false;
        } while (take(text, ","));
        return take(text, close);
    }
    if (take(text, "null")) return true;
    if (take(text, "true") || take(text, "false")) {
        out.kind = Kind::Boolean;
        return true;
    }
    static const std::regex number("-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][+-]?[0-9]+)?");
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_search(text.begin(), text.end(), match, number,
                           std::regex_constants::match_continuous))
        return false;
    out.kind = Kind::Number;
    out.text = match.str();
    text.remove_prefix(out.text.size());
    return true;
}

}  // namespace detail

// The document, or nothing where `text` is not one JSON value.
inline std::optional<Json> readJson(std::string_view text) {
    Json json;
    const bool read = detail::value(text, json);
    detail::take(text, "");  // the blanks after it
    if (!read || !text.empty()) return std::nullopt;
    return json;
}

}  // namespace gosei::strict_json
