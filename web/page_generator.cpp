// Writes the page's HTML and its web app manifest from the layout library,
// so that the page stands complete, every control in place, before its
// scripts and the engine arrive. Run at build time:
//     page_generator SITE_DIR TEXT_FILE [MODULE.js...]
// TEXT_FILE receives every character the page can show.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/grid.h"
#include "view/help_text.h"
#include "view/layout.h"
#include "view/pictures.h"
#include "web/page_messages.h"

namespace {

using namespace gosei;
using namespace gosei::view;

std::string escaped(std::string_view text) {
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
    return std::to_string(pixelsForPoints(spec.points)) + "px " + families(spec.face);
}

std::string placement(const TwipsRect& twips, bool ownWidth = true) {
    const PixelRect px = pixelsFromTwips(twips);
    std::string style = "left:" + std::to_string(px.left) + "px;top:" + std::to_string(px.top) +
                        "px;height:" + std::to_string(px.height) + "px;";
    style += ownWidth ? "width:" + std::to_string(px.width) + "px;" : "width:max-content;";
    return style;
}

std::string look(const Control& control) {
    std::string style;
    if (control.font) style += "font:" + font(*control.font) + ";";
    if (control.background) style += "background:" + colour(*control.background) + ";";
    if (control.alignment == Align::Centre) style += "text-align:center;";
    if (control.alignment == Align::Right) style += "text-align:right;";
    return style;
}

template <std::size_t N>
int tabIndex(const std::array<std::string_view, N>& order, std::string_view name) {
    const auto found = std::find(order.begin(), order.end(), name);
    return found == order.end() ? -1 : static_cast<int>(found - order.begin()) + 1;
}

std::string seriesOf(std::string_view button) {
    for (const SeriesButton& series : kSeriesButtons) {
        if (series.name == button) return std::string(seriesName(series.series));
    }
    return "";
}

std::string pictureText(const PictureSpec& spec) {
    std::string text;
    for (const PictureLine& line : spec.lines)
        text += line.text;
    return text;
}

// What the canvas needs to draw a picture: its size and each line's text,
// colour, font and ink box, as JSON.
std::string pictureData(const PictureSpec& spec) {
    std::ostringstream json;
    json << "{\"width\":" << spec.width << ",\"height\":" << spec.height << ",\"background\":\""
         << colour(spec.background) << "\",\"lines\":[";
    for (std::size_t i = 0; i < spec.lines.size(); ++i) {
        const PictureLine& line = spec.lines[i];
        json << (i ? "," : "") << "{\"text\":\"" << line.text << "\",\"colour\":\""
             << colour(line.colour) << "\",\"font\":\"" << font(line.font) << "\",\"ink\":["
             << line.ink.left << "," << line.ink.top << "," << line.ink.right << ","
             << line.ink.bottom << "]}";
    }
    json << "]}";
    return escaped(json.str());
}

void writeControl(std::ostream& out, const Control& control) {
    const std::string id = std::string(control.name);
    const int tab = tabIndex(kMainTabOrder, control.name);
    const std::string style =
        placement(control.twips, control.name != kNoticeLabel) + look(control);
    switch (control.kind) {
        case ControlKind::Label:
            out << "<div id=\"" << id << "\" class=\"label\" style=\"" << style << "\">"
                << escaped(control.text) << "</div>\n";
            break;
        case ControlKind::Button: {
            const std::string series = seriesOf(control.name);
            out << "<button id=\"" << id << "\" type=\"button\" tabindex=\"" << tab << "\"";
            if (!series.empty()) out << " data-series=\"" << series << "\"";
            out << " style=\"" << style << "\">" << escaped(control.text) << "</button>\n";
            break;
        }
        case ControlKind::TextBox: {
            const bool target = control.name == kTargetBox;
            out << "<input id=\"" << id << "\" type=\"text\" inputmode=\"decimal\" "
                << "autocomplete=\"off\" autocorrect=\"off\" autocapitalize=\"off\" "
                << "spellcheck=\"false\" tabindex=\"" << tab << "\" "
                << (target ? "aria-labelledby=\"Picture2\""
                           : "aria-labelledby=\"Label23\" aria-describedby=\"Label33\"")
                << " style=\"" << style << "\">\n";
            break;
        }
        case ControlKind::TitlePicture:
        case ControlKind::InputHintPicture: {
            const PictureSpec& spec = pictureSpec(
                control.kind == ControlKind::TitlePicture ? Picture::Title : Picture::InputHint);
            out << "<canvas id=\"" << id << "\" role=\"img\" aria-label=\""
                << escaped(pictureText(spec)) << "\" data-picture=\"" << pictureData(spec)
                << "\" style=\"" << style << "\"></canvas>\n";
            break;
        }
        case ControlKind::ListBox:
            break;
    }
}

// The cells are numbered in the order the engine's in-memory window keeps
// them: parallel rows 1 to 3, then series rows 1 to 3, each row partA,
// partB, error, combined.
int cellIndex(const ResultCell& cell) {
    const int block = cell.block == Block::Parallel ? 0 : 1;
    const auto column = std::find(kCellsInRowOrder.begin(), kCellsInRowOrder.end(), cell.cell) -
                        kCellsInRowOrder.begin();
    return (block * kRowsPerBlock + cell.row - 1) * 4 + static_cast<int>(column);
}

void writeCell(std::ostream& out, const ResultCell& cell) {
    const Control& control = cell.control;
    const char* alignment = control.alignment == Align::Right ? "right" : "centre";
    out << "<div id=\"" << control.name << "\" class=\"cell " << alignment
        << "\" role=\"textbox\" aria-readonly=\"true\" aria-label=\""
        << escaped(accessibleCellName(cell.block, cell.row, cell.cell)) << "\" data-cell=\""
        << cellIndex(cell) << "\" style=\"" << placement(control.twips) << look(control)
        << "\"><span></span></div>\n";
}

void writeMessage(std::ostream& out, const web::PageMessage& message) {
    const std::string id(message.id);
    out << "<dialog id=\"" << id << "\" aria-labelledby=\"" << id << "-title\" aria-describedby=\""
        << id << "-text\" style=\"font:" << font(kMainWindow.font)
        << "\"><span class=\"title\" id=\"" << id << "-title\">" << escaped(kProgramTitle)
        << "</span><p id=\"" << id << "-text\">" << escaped(message.text)
        << "</p><form method=\"dialog\"><button value=\"ok\">OK</button></form></dialog>\n";
}

std::string clientStyle(const Window& window) {
    std::string style = "width:" + std::to_string(pixelsFromTwips(window.widthTwips)) +
                        "px;height:" + std::to_string(pixelsFromTwips(window.heightTwips)) +
                        "px;font:" + font(window.font) + ";";
    if (window.background) style += "background:" + colour(*window.background) + ";";
    return style;
}

// The help window's inside, cloned into its own shadow tree at each
// creation, so that its names stand apart from the main window's.
void writeHelpTemplate(std::ostream& out) {
    out << "<template id=\"" << kHelpWindow.name << "-template\">"
        << "<div class=\"title-bar\" style=\"font:" << font(kHelpWindow.font)
        << "\"><span class=\"title\">" << escaped(kHelpWindow.title)
        << "</span><button type=\"button\" class=\"close\" aria-label=\"閉じる\">×</button></div>\n"
        << "<div class=\"client\" style=\"" << clientStyle(kHelpWindow) << "\">\n";
    for (const Control& control : helpControls()) {
        const int tab = tabIndex(kHelpTabOrder, control.name);
        const std::string style = placement(control.twips) + look(control);
        if (control.kind == ControlKind::ListBox) {
            out << "<div id=\"" << control.name << "\" role=\"listbox\" tabindex=\"" << tab
                << "\" aria-label=\"" << escaped(kHelpWindow.title) << "\" style=\"" << style
                << "\">\n";
            int number = 0;
            for (std::string_view line : helpLines()) {
                out << "<div role=\"option\" id=\"help-line-" << ++number
                    << "\" aria-selected=\"false\">" << escaped(line) << "</div>\n";
            }
            out << "</div>\n";
        } else {
            out << "<button id=\"" << control.name << "\" type=\"button\" tabindex=\"" << tab
                << "\" style=\"" << style << "\">" << escaped(control.text) << "</button>\n";
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
        << "<title>" << escaped(kMainWindow.title) << "</title>\n"
        << "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
        << "<link rel=\"icon\" href=\"icon.svg\" type=\"image/svg+xml\">\n"
        << "<link rel=\"apple-touch-icon\" href=\"icon-256.png\">\n"
        << "<link rel=\"stylesheet\" href=\"page.css\">\n<style>\n";
    // Loaded only where no face before them in a list is installed.
    for (const BundledFace& bundled : kBundledFaces) {
        out << "@font-face{font-family:'" << bundled.family << "';src:url(" << bundled.file
            << ") format('woff2');font-display:swap}\n";
    }
    out << "</style>\n"
        << "<script type=\"module\" src=\"main.js\"></script>\n";
    // Every module and the engine are fetched at once, not each only when
    // the module that imports it has arrived.
    for (const std::string& module : modules) {
        out << "<link rel=\"modulepreload\" href=\"" << escaped(module) << "\">\n";
    }
    out << "<link rel=\"preload\" href=\"engine-core.wasm\" as=\"fetch\" "
        << "type=\"application/wasm\" crossorigin>\n"
        << "</head>\n<body>\n"
        << "<div class=\"stage\"><main id=\"" << kMainWindow.name << "\" class=\"window\" "
        << "aria-label=\"" << escaped(kMainWindow.title) << "\" style=\""
        << clientStyle(kMainWindow) << "\">\n";
    for (const Control& control : mainControls())
        writeControl(out, control);
    for (const Control& label : percentLabels())
        writeControl(out, label);
    for (const ResultCell& cell : resultCells())
        writeCell(out, cell);
    out << "</main></div>\n";
    for (const web::PageMessage& message : web::kPageMessages)
        writeMessage(out, message);
    writeHelpTemplate(out);
    out << "</body>\n</html>\n";
}

void writeManifest(std::ostream& out) {
    out << "{\n  \"name\": \"" << kMainWindow.title << "\",\n  \"short_name\": \""
        << kMainWindow.title << "\",\n  \"lang\": \"ja\",\n  \"start_url\": \"./\",\n"
        << "  \"scope\": \"./\",\n  \"display\": \"standalone\",\n"
        << "  \"background_color\": \"#ffffff\",\n  \"theme_color\": \"#ffffff\",\n"
        << "  \"icons\": [\n"
        << "    { \"src\": \"icon.svg\", \"sizes\": \"any\", \"type\": \"image/svg+xml\" },\n"
        << "    { \"src\": \"icon-256.png\", \"sizes\": \"256x256\", \"type\": \"image/png\" }\n"
        << "  ]\n}\n";
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
