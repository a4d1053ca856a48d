#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gosei::json {

// JSON written by hand for the front ends and the command line: texts
// quoted and escaped, lists and objects of members already written.

// Text as a JSON string, quoted and escaped.
std::string quoted(std::string_view text);

// Items already written as JSON, as one array.
std::string array(const std::vector<std::string>& items);

// Each item written by `write`, as one array.
template <typename Items, typename Write>
std::string arrayOf(const Items& items, Write write) {
    std::vector<std::string> written;
    for (const auto& item : items)
        written.push_back(write(item));
    return array(written);
}

// An object built member by member, in the order added.
class Object {
  public:
    // `value` is already JSON.
    Object& add(std::string_view name, const std::string& value);
    Object& addText(std::string_view name, std::string_view text) {
        return add(name, quoted(text));
    }
    std::string text() const { return m_text + "}"; }

  private:
    std::string m_text = "{";
};

// An object of members whose values are already JSON, in the order given.
std::string object(const std::vector<std::pair<std::string_view, std::string>>& members);

}  // namespace gosei::json
