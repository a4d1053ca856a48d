// Writes the drawings to look at of tests/view/schematic_samples.h as JSON,
// for the page's painter to draw in Chromium (tests/web/schematic_svg.test.mjs):
// {"toLookAt": [{"name", "schematic"}]}.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/view/schematic_samples.h"

namespace {

// Names are expressions: digits, letters, points, blanks, + | / and
// parentheses, nothing that JSON escapes.
std::string drawingsJson(const std::vector<gosei::view::samples::Drawing>& drawings) {
    std::string text = "[";
    for (const auto& drawing : drawings) {
        text += (text.size() > 1 ? ",\n" : "") + std::string("{\"name\":\"") + drawing.name +
                "\",\"schematic\":" + gosei::view::schematicJson(drawing.schematic) + "}";
    }
    return text + "]";
}

}  // namespace

int main() {
    const std::string json =
        "{\"toLookAt\":" + drawingsJson(gosei::view::samples::drawingsToLookAt()) + "}\n";
    std::fputs(json.c_str(), stdout);
    return 0;
}
