// Writes the page's HTML and its web app manifest from the layout library,
// so that the page stands complete, every control in place, before its
// scripts and the engine arrive. Run at build time:
//     page_generator SITE_DIR TEXT_FILE [MODULE.js...]
// TEXT_FILE receives every character the page can show.
//
// Each control carries its layout rectangle and font size as custom
// properties; page.css puts them to use from the window's width up and
// stacks the groups below into one column on narrower screens.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/grid.h"
#include "json/json_text.h"
#include "view/help_text.h"
#include "view/layout.h"
#include "view/pictures.h"
#include "web/cell_slots.h"
#include "web/html_text.h"
#include "web/page_messages.h"

namespace {

using namespace gosei;
using namespace gosei::view;

using web::attribute;
using web::escaped;

std::string px(int pixels) {
    return std::to_string(pixels) + "px";
}

std::string colour(Rgb rgb) {
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue) + ")";
}

// The faces the page brings along: the IPA faces cut down to the characters
// the page can show, under names of their own as their licence asks.
struct BundledFace {
    Face face;
    std::string_view family;
    std::string_view file;
};
constexpr std::array<BundledFace, 2> kBundledFaces{{
    {Face::Proportional, "gosei PGothic", "fonts/gosei-pgothic.woff2"},
    {Face::FixedPitch, "gosei Gothic", "fonts/gosei-gothic.woff2"},
}};

// The class that gives an element a face's families.
std::string_view faceClass(Face face) {
    return face == Face::Proportional ? "proportional" : "fixed-pitch";
}

// The face's own families first, then the bundled face, then faces that
// browsers elsewhere have and that keep a full-width character twice as
// wide as a half-width one in the fixed-pitch face.
std::string families(Face face) {
    std::string list;
    for (std::string_view family : fontFamilies(face)) {
        list += "'" + std::string(family) + "',";
    }
    for (const BundledFace& bundled : kBundledFaces) {
        if (bundled.face == face) list += "'" + std::string(bundled.family) + "',";
    }
    list += face == Face::FixedPitch
                ? "'MS Gothic','Osaka-Mono','Noto Sans Mono CJK JP','BIZ UDGothic',monospace"
                : "'MS PGothic','Hiragino Kaku Gothic ProN','Noto Sans CJK JP',sans-serif";
    return list;
}

std::string font(const FontSpec& spec) {
    return px(pixelsForPoints(spec.points)) + " " + families(spec.face);
}

std::string geometry(const TwipsRect& twips, bool ownWidth = true) {
    const PixelRect rect = pixelsFromTwips(twips);
    return "--left:" + px(rect.left) + ";--top:" + px(rect.top) +
           ";--width:" + (ownWidth ? px(rect.width) : "max-content") +
           ";--height:" + px(rect.height) + ";";
}

std::string look(const Control& control) {
    std::string style;
    if (control.font) style += "--font-size:" + px(pixelsForPoints(control.font->points)) + ";";
    if (control.background) style += "background:" + colour(*control.background) + ";";
    if (control.alignment == Align::Centre) style += "text-align:center;";
    if (control.alignment == Align::Right) style += "text-align:right;";
    return style;
}

// The classes of a control that stands at its layout rectangle.
std::string placedClasses(std::string_view kind, const Control& control) {
    std::string classes = std::string(kind) + " placed";
    if (control.font) classes += " " + std::string(faceClass(control.font->face));
    return classes;
}

std::string seriesOf(std::string_view button) {
    for (const SeriesButton& series : kSeriesButtons) {
        if (series.name == button) return std::string(seriesName(series.series));
    }
    return "";
}

// What the canvas needs to draw a picture: its size and each line's text,
// colour, font and ink box, as JSON.
std::string pictureData(const PictureSpec& spec) {
    std::vector<std::string> lines;
    for (const PictureLine& line : spec.lines) {
        const InkBox& ink = line.ink;
        lines.push_back(json::object({
            {"text", json::quoted(line.text)},
            {"colour", json::quoted(colour(line.colour))},
            {"font", json::quoted(font(line.font))},
            {"ink", json::array({std::to_string(ink.left), std::to_string(ink.top),
                                 std::to_string(ink.right), std::to_string(ink.bottom)})},
        }));
    }
    return json::object({{"width", std::to_string(spec.width)},
                         {"height", std::to_string(spec.height)},
                         {"background", json::quoted(colour(spec.background))},
                         {"lines", json::array(lines)}});
}

// A picture is drawn on a canvas; what it says stands beside it as text for
// screen readers, the program's title as the page's heading.
void writePicture(std::ostream& out, const Control& control) {
    const bool title = control.kind == ControlKind::TitlePicture;
    const PictureSpec& spec = pictureSpec(title ? Picture::Title : Picture::InputHint);
    std::span<const PictureLine> lines = spec.lines;
    out << "<div" << attribute("id", control.name)
        << attribute("class", placedClasses("picture", control))
        << attribute("style", geometry(control.twips) + look(control)) << ">"
        << "<canvas aria-hidden=\"true\"" << attribute("data-picture", pictureData(spec))
        << "></canvas>";
    if (title) {
        out << "<h1 class=\"sr-only\">" << escaped(lines.front().text) << "</h1>";
        lines = lines.subspan(1);
    }
    out << "<p class=\"sr-only\">";
    for (const PictureLine& line : lines)
        out << escaped(line.text);
    out << "</p></div>\n";
}

// Column heads in words and the blanks between them, each in a span of its
// own, so that a narrow screen can put each word over its own column.
void writeColumnHeads(std::ostream& out, std::string_view text) {
    constexpr std::string_view kIdeographicSpace = "\u3000";
    const auto blankAt = [&](std::size_t i) {
        if (text[i] == ' ') return std::size_t{1};
        return text.substr(i).starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const bool blank = blankAt(i) > 0;
        const std::size_t start = i;
        while (i < text.size() && (blankAt(i) > 0) == blank)
            i += std::max<std::size_t>(blankAt(i), 1);
        out << (blank ? "<span class=\"blank\">" : "<span>")
            << escaped(text.substr(start, i - start)) << "</span>";
    }
}

void writeControl(std::ostream& out, const Control& control, std::string_view blockPart = "") {
    const std::string style = geometry(control.twips, control.name != kNoticeLabel) + look(control);
    switch (control.kind) {
        case ControlKind::Label: {
            std::string classes = placedClasses("label", control);
            if (!blockPart.empty()) classes += " " + std::string(blockPart);
            out << "<div" << attribute("id", control.name) << attribute("class", classes)
                << attribute("style", style) << ">";
            if (blockPart == "column-heads") {
                writeColumnHeads(out, control.text);
            } else {
                out << escaped(control.text);
            }
            out << "</div>\n";
            break;
        }
        case ControlKind::Button: {
            const std::string series = seriesOf(control.name);
            out << "<button" << attribute("id", control.name) << " type=\"button\""
                << attribute("class", placedClasses("push", control));
            if (!series.empty()) out << attribute("data-series", series);
            out << attribute("style", style) << ">" << escaped(control.text) << "</button>\n";
            break;
        }
        case ControlKind::TextBox: {
            const bool target = control.name == kTargetBox;
            out << "<input" << attribute("id", control.name)
                << " type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" "
                << "autocorrect=\"off\" autocapitalize=\"off\" spellcheck=\"false\""
                << (target ? " aria-labelledby=\"Picture2\""
                           : " aria-labelledby=\"Label23\" aria-describedby=\"Label33\"")
                << attribute("class", placedClasses("box", control)) << attribute("style", style)
                << ">\n";
            break;
        }
        case ControlKind::TitlePicture:
        case ControlKind::InputHintPicture:
            writePicture(out, control);
            break;
        case ControlKind::ListBox:
            break;
    }
}

void writeCell(std::ostream& out, const ResultCell& cell) {
    const Control& control = cell.control;
    const char* alignment = control.alignment == Align::Right ? "right" : "centre";
    out << "<div" << attribute("id", control.name)
        << attribute("class", placedClasses("cell", control) + " " + alignment)
        << " role=\"textbox\" aria-readonly=\"true\""
        << attribute("aria-label", accessibleCellName(cell.block, cell.row, cell.cell))
        << attribute("data-cell", std::to_string(web::cellSlot(cell.block, cell.row, cell.cell)))
        << attribute("style", geometry(control.twips) + look(control)) << "><span></span></div>\n";
}

// The main window in the page's order: the order of the groups and of the
// controls in them is the order Tab and screen readers follow. From the
// window's width up every control stands at its layout rectangle; below
// it the groups stand one under another.
struct PageGroup {
    std::string_view name;  // its class in page.css
    std::vector<std::string_view> controls;
    // A block of the grid: its controls are its title and column heads, and
    // its cells follow them.
    std::optional<Block> block;
};

const std::vector<PageGroup> kPageGroups{
    {"heading", {"Picture1", "Label35", "Label4", "Label3"}, std::nullopt},
    {"target", {"Text1", "Picture2"}, std::nullopt},
    {"buttons", {"Command1", "Command2", "Command3", "Label1", "Command4"}, std::nullopt},
    {"tolerance", {"Text2", "Label23", "Label33"}, std::nullopt},
    {"block parallel", {"Label24", "Label26"}, Block::Parallel},
    {"block series", {"Label25", "Label27"}, Block::Series},
    {"help", {"Command5"}, std::nullopt},
};

const Control* mainControl(std::string_view name) {
    const auto controls = mainControls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const Control& c) { return c.name == name; });
    return found == controls.end() ? nullptr : &*found;
}

// A block's rows, each its cells left to right and its "％" label.
void writeBlockCells(std::ostream& out, Block block) {
    const auto cells = resultCells();
    const auto percent = percentLabels();
    constexpr std::size_t kPerRow = kCellsInRowOrder.size();
    // percentLabels() has one label for each row of resultCells(), in order.
    for (std::size_t first = 0; first < cells.size(); first += kPerRow) {
        if (cells[first].block != block) continue;
        for (const ResultCell& cell : cells.subspan(first, kPerRow))
            writeCell(out, cell);
        writeControl(out, percent[first / kPerRow]);
    }
}

void writeGroup(std::ostream& out, const PageGroup& group) {
    out << "<div" << attribute("class", "group " + std::string(group.name)) << ">\n";
    for (std::size_t i = 0; i < group.controls.size(); ++i) {
        std::string_view blockPart;
        if (group.block) blockPart = i == 0 ? "block-title" : "column-heads";
        writeControl(out, *mainControl(group.controls[i]), blockPart);
    }
    if (group.block) writeBlockCells(out, *group.block);
    out << "</div>\n";
}

// Stops the build where the groups leave out a control or put one in
// twice, or where their order is not the tab order.
bool groupsMatchLayout() {
    std::vector<std::string_view> listed;
    std::vector<std::string_view> focusable;
    for (const PageGroup& group : kPageGroups) {
        for (std::string_view name : group.controls) {
            const Control* control = mainControl(name);
            if (!control) {
                std::cerr << "page_generator: no control " << name << "\n";
                return false;
            }
            listed.push_back(name);
            if (control->kind == ControlKind::Button || control->kind == ControlKind::TextBox)
                focusable.push_back(name);
        }
    }
    for (const Control& control : mainControls()) {
        if (std::count(listed.begin(), listed.end(), control.name) != 1) {
            std::cerr << "page_generator: " << control.name << " is not in one group\n";
            return false;
        }
    }
    if (!std::equal(focusable.begin(), focusable.end(), kMainTabOrder.begin(),
                    kMainTabOrder.end())) {
        std::cerr << "page_generator: the groups' order is not the tab order\n";
        return false;
    }
    return true;
}

void writeMessage(std::ostream& out, const web::PageMessage& message) {
    const std::string id(message.id);
    out << "<dialog" << attribute("id", id) << attribute("aria-labelledby", id + "-title")
        << attribute("aria-describedby", id + "-text") << " class=\"proportional\">"
        << "<span class=\"title\"" << attribute("id", id + "-title") << ">"
        << escaped(kProgramTitle) << "</span><p" << attribute("id", id + "-text") << ">"
        << escaped(message.text)
        << "</p><form method=\"dialog\"><button value=\"ok\">OK</button></form></dialog>\n";
}

std::string clientStyle(const Window& window) {
    std::string style = "--width:" + px(pixelsFromTwips(window.widthTwips)) +
                        ";--height:" + px(pixelsFromTwips(window.heightTwips)) +
                        ";--font-size:" + px(pixelsForPoints(window.font.points)) + ";";
    if (window.background) style += "background:" + colour(*window.background) + ";";
    return style;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \u3000") == std::string_view::npos;
}

// The help window's inside, cloned into its own shadow tree at each
// creation, so that its names stand apart from the main window's. Blank
// lines have nothing to say to a screen reader.
void writeHelpTemplate(std::ostream& out) {
    out << "<template" << attribute("id", std::string(kHelpWindow.name) + "-template") << ">"
        << "<div class=\"title-bar\"><span class=\"title\">" << escaped(kHelpWindow.title)
        << "</span><button type=\"button\" class=\"close\" aria-label=\"閉じる\">×</button></div>\n"
        << "<div" << attribute("class", "client " + std::string(faceClass(kHelpWindow.font.face)))
        << attribute("style", clientStyle(kHelpWindow)) << ">\n";
    for (const Control& control : helpControls()) {
        const std::string style = geometry(control.twips) + look(control);
        if (control.kind == ControlKind::ListBox) {
            out << "<div" << attribute("id", control.name) << " class=\"placed\" role=\"listbox\""
                << " tabindex=\"0\"" << attribute("aria-label", kHelpWindow.title)
                << attribute("style", style) << ">\n";
            int number = 0;
            for (std::string_view line : helpLines()) {
                out << "<div role=\"option\""
                    << attribute("id", "help-line-" + std::to_string(++number))
                    << " aria-selected=\"false\"" << (isBlank(line) ? " aria-hidden=\"true\"" : "")
                    << ">" << escaped(line) << "</div>\n";
            }
            out << "</div>\n";
        } else {
            out << "<button" << attribute("id", control.name)
                << " type=\"button\" class=\"push placed\"" << attribute("style", style) << ">"
                << escaped(control.text) << "</button>\n";
        }
    }
    out << "</div></template>\n";
}

std::vector<std::string> modules;  // the page's script modules

void appendTexts(std::string& text, const auto& controls) {
    for (const Control& control : controls)
        text += control.text;
}

// Every character the page can show, for cutting the bundled faces down:
// its fixed texts, the cells' numbers and words, and what a user may type.
void writePageText(std::ostream& out) {
    std::string text;
    appendTexts(text, mainControls());
    appendTexts(text, percentLabels());
    appendTexts(text, helpControls());
    for (std::string_view line : helpLines())
        text += line;
    for (Picture picture : {Picture::Title, Picture::InputHint}) {
        for (const PictureLine& line : pictureSpec(picture).lines)
            text += line.text;
    }
    for (const web::PageMessage& message : web::kPageMessages)
        text += message.text;
    text += web::kNoScriptNotice;
    text += web::kFinderName;
    text += kMainWindow.title;
    text += kHelpWindow.title;
    text += kNotNeeded;
    text += "×０１２３４５６７８９．＋－　";
    for (char c = ' '; c <= '~'; ++c)
        text += c;
    out << text << "\n";
}

void writePage(std::ostream& out) {
    out << "<!doctype html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<meta name=\"theme-color\" content=\"#ffffff\">\n"
        << "<meta name=\"description\"" << attribute("content", web::kPageDescription) << ">\n"
        << "<title>" << escaped(kMainWindow.title) << "</title>\n"
        << "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
        << "<link rel=\"icon\" href=\"icon.svg\" type=\"image/svg+xml\">\n"
        << "<link rel=\"apple-touch-icon\" href=\"icon-256.png\">\n"
        << "<link rel=\"stylesheet\" href=\"site-header.css\">\n"
        << "<link rel=\"stylesheet\" href=\"page.css\">\n<style>\n";
    // Loaded only where no face before them in a list is installed.
    for (const BundledFace& bundled : kBundledFaces) {
        out << "@font-face{font-family:'" << bundled.family << "';src:url(" << bundled.file
            << ") format('woff2');font-display:swap}\n";
    }
    for (Face face : {Face::Proportional, Face::FixedPitch})
        out << "." << faceClass(face) << "{font-family:" << families(face) << "}\n";
    out << "</style>\n"
        << "<script type=\"module\" src=\"main.js\"></script>\n";
    // Every module and the engine are fetched at once, not each only when
    // the module that imports it has arrived.
    for (const std::string& module : modules)
        out << "<link rel=\"modulepreload\"" << attribute("href", module) << ">\n";
    out << "<link rel=\"preload\" href=\"engine-core.wasm\" as=\"fetch\" "
        << "type=\"application/wasm\" crossorigin>\n"
        << "</head>\n<body>\n"
        << "<noscript><p class=\"noscript proportional\">" << escaped(web::kNoScriptNotice)
        << "</p></noscript>\n"
        << "<main" << attribute("id", kMainWindow.name)
        << attribute("class", "main-window " + std::string(faceClass(kMainWindow.font.face)))
        << attribute("aria-label", kMainWindow.title)
        << attribute("style", clientStyle(kMainWindow)) << ">\n";
    for (const PageGroup& group : kPageGroups)
        writeGroup(out, group);
    // Said to screen readers after each calculation.
    out << "<p id=\"result-summary\" class=\"sr-only\" role=\"status\"></p>\n</main>\n";
    // Outside the window, which stays as the layout has it: the header the
    // site's pages share. It follows the window, so that Tab from the
    // window's last control comes to its link; page.css shows it above.
    out << "<header class=\"site-header proportional\"><span class=\"site-name\">"
        << escaped(kMainWindow.title) << "</span><a" << attribute("href", web::kFinderPage) << ">"
        << escaped(web::kFinderName) << "</a></header>\n";
    for (const web::PageMessage& message : web::kPageMessages)
        writeMessage(out, message);
    writeHelpTemplate(out);
    out << "</body>\n</html>\n";
}

struct ManifestIcon {
    std::string_view src;
    std::string_view sizes;
    std::string_view type;
};
constexpr std::array<ManifestIcon, 2> kManifestIcons{{
    {"icon.svg", "any", "image/svg+xml"},
    {"icon-256.png", "256x256", "image/png"},
}};

void writeManifest(std::ostream& out) {
    std::vector<std::string> icons;
    for (const ManifestIcon& icon : kManifestIcons) {
        icons.push_back(json::object({{"src", json::quoted(icon.src)},
                                      {"sizes", json::quoted(icon.sizes)},
                                      {"type", json::quoted(icon.type)}}));
    }
    const std::string finder = json::object({{"name", json::quoted(web::kFinderName)},
                                             {"short_name", json::quoted(web::kFinderShortName)},
                                             {"url", json::quoted(web::kFinderPage)},
                                             {"icons", json::array(icons)}});
    out << json::object({
               {"name", json::quoted(kMainWindow.title)},
               {"short_name", json::quoted(kMainWindow.title)},
               {"description", json::quoted(web::kPageDescription)},
               {"lang", json::quoted("ja")},
               {"start_url", json::quoted("./")},
               {"scope", json::quoted("./")},
               {"display", json::quoted("standalone")},
               {"background_color", json::quoted("#ffffff")},
               {"theme_color", json::quoted("#ffffff")},
               {"icons", json::array(icons)},
               {"shortcuts", json::array({finder})},
           })
        << "\n";
}

bool writeFile(const std::string& path, void (*write)(std::ostream&)) {
    std::ofstream file(path, std::ios::binary);
    write(file);
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: page_generator SITE_DIR TEXT_FILE [MODULE.js...]\n";
        return 2;
    }
    if (!groupsMatchLayout()) return 1;
    const std::string site = argv[1];
    const std::string textFile = argv[2];
    modules.assign(argv + 3, argv + argc);
    if (!writeFile(site + "/index.html", writePage) ||
        !writeFile(site + "/manifest.webmanifest", writeManifest) ||
        !writeFile(textFile, writePageText)) {
        std::cerr << "page_generator: cannot write into " << site << "\n";
        return 1;
    }
    return 0;
}
