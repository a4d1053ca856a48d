#include "view/schematic.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "decimal/decimal_conversion.h"
#include "json/json_text.h"
#include "networks/value_text.h"

namespace gosei::view {
namespace {

using networks::Join;
using networks::Network;
using networks::PartKind;

// Every size is a multiple of a quarter unit, and layout only adds them and
// halves them, so positions are exact and equal points compare equal.
constexpr double kBodyLength = 30;
constexpr double kBodyWidth = 10;
constexpr double kLeadLength = 10;    // the least wire on each side of a body
constexpr double kPlateGap = 4;       // between a capacitor's plates
constexpr int kTurns = 4;             // of an inductor
constexpr double kLabelGap = 3;       // between a body and its label
constexpr double kLabelSpacing = 8;   // the least room between labels in a row
constexpr double kBusStub = 10;       // wire outside each bus of a parallel group
constexpr double kBranchSpacing = 8;  // between neighbouring branches' extents
constexpr double kTerminalRadius = 3;
constexpr double kTerminalLead = 10;
constexpr double kTapRun = 12;  // tap wire beyond the widest label
constexpr double kGroundLead = 10;
constexpr std::array<double, 3> kGroundBarWidths{16, 10, 4};
constexpr double kGroundBarSpacing = 3;
constexpr double kMargin = 2;
constexpr double kStrokeWidth = 1;
constexpr double kJunctionRadius = 2.5;

// The label metric: most characters are as wide as kLabelCharacterWidth, a
// point half that, and the wide letters one and a half times that.
double labelWidth(std::string_view text) {
    double width = 0;
    for (char c : text) {
        if ((c & 0xC0) == 0x80) continue;  // inside a character
        const bool wide = c == 'm' || c == 'M' || c == 'G';
        width += kLabelCharacterWidth * (c == '.' ? 0.5 : wide ? 1.5 : 1);
    }
    return width;
}

// Where a network's own coordinates lie on the drawing. Inside a network,
// positions are measured along its main line and across it; labels stand on
// the negative side of the line, and the branches of a parallel group stack
// on the positive side, one of them on the line.
//  - A row runs rightwards, across pointing down: labels above their parts,
//    branches downwards in the order written, the first on the line.
//  - A column runs downwards, across pointing left: labels right of their
//    parts, branches leftwards with the last on the line, so that they still
//    read in the order written from left to right. Only labels stand right
//    of the line, which leaves that side free for a divider's tap.
struct Frame {
    Point origin;  // along and across 0
    bool column;
};

// The room a network takes: its length along the line, and how far it
// reaches from the line on the labels' side and on the branches' side.
struct Extent {
    double length;
    double labelSide;
    double branchSide;
};

class Layout {
  public:
    Layout(Frame frame, PartKind kind) : m_frame(frame), m_kind(kind) {}

    Extent extentOf(const Network& network) const;
    // Draws `network` with the start of its line at (along, across), its
    // parts numbered from `firstPart`.
    void draw(const Network& network, double along, double across, int firstPart = 0);
    void wire(double fromAlong, double fromAcross, double toAlong, double toAcross);
    Segment segment(double fromAlong, double fromAcross, double toAlong, double toAcross) const;
    Point at(double along, double across) const;
    Schematic& schematic() { return m_schematic; }

  private:
    // A label's size along and across the line; labels are always upright.
    std::pair<double, double> labelFootprint(const std::string& text) const;
    Extent partExtent(const Network& part) const;
    // A group's branches in the order they stack outwards from the line.
    std::vector<const Network*> stacked(const Network& group) const;
    std::vector<double> branchOffsets(const std::vector<const Network*>& branches) const;
    Box boxAt(double along, double across, double alongSize, double acrossSize) const;
    PartSymbol symbolAt(double bodyStart, double across, int index) const;
    void drawPart(const Network& part, double along, double across, int index);
    void drawParallel(const Network& group, double along, double across, int firstPart);

    Frame m_frame;
    PartKind m_kind;
    Schematic m_schematic;
};

Point Layout::at(double along, double across) const {
    const Point& origin = m_frame.origin;
    return m_frame.column ? Point{origin.x - across, origin.y + along}
                          : Point{origin.x + along, origin.y + across};
}

Box Layout::boxAt(double along, double across, double alongSize, double acrossSize) const {
    const Point corner = at(along, across + (m_frame.column ? acrossSize : 0));
    return m_frame.column ? Box{corner.x, corner.y, acrossSize, alongSize}
                          : Box{corner.x, corner.y, alongSize, acrossSize};
}

Segment Layout::segment(double fromAlong, double fromAcross, double toAlong,
                        double toAcross) const {
    const auto [from, to] = std::minmax({at(fromAlong, fromAcross), at(toAlong, toAcross)});
    return {from, to};
}

void Layout::wire(double fromAlong, double fromAcross, double toAlong, double toAcross) {
    m_schematic.wires.push_back(segment(fromAlong, fromAcross, toAlong, toAcross));
}

// The symbol of a part of the kind whose body starts at `bodyStart` on the
// line at `across`. Turns run with the line, which is left to right or top
// to bottom, so that clockwise they bulge to the labels' side.
PartSymbol Layout::symbolAt(double bodyStart, double across, int index) const {
    const double bodyEnd = bodyStart + kBodyLength;
    const auto leads = std::minmax({at(bodyStart, across), at(bodyEnd, across)});
    PartSymbol symbol{boxAt(bodyStart, across - kBodyWidth / 2, kBodyLength, kBodyWidth),
                      {leads.first, leads.second},
                      index,
                      m_kind,
                      {},
                      {}};
    if (m_kind == PartKind::Capacitor) {
        const double first = bodyStart + (kBodyLength - kPlateGap) / 2;
        const double second = first + kPlateGap;
        for (double plate : {first, second})
            symbol.lines.push_back(
                segment(plate, across - kBodyWidth / 2, plate, across + kBodyWidth / 2));
        symbol.lines.push_back(segment(bodyStart, across, first, across));
        symbol.lines.push_back(segment(second, across, bodyEnd, across));
    } else if (m_kind == PartKind::Inductor) {
        const double diameter = kBodyLength / kTurns;
        for (int i = 0; i < kTurns; ++i) {
            const double start = bodyStart + static_cast<double>(i) * diameter;
            symbol.turns.push_back({at(start + diameter / 2, across), diameter / 2,
                                    at(start, across), at(start + diameter, across)});
        }
    }
    return symbol;
}

std::pair<double, double> Layout::labelFootprint(const std::string& text) const {
    const double width = labelWidth(text);
    return m_frame.column ? std::pair{kLabelHeight, width} : std::pair{width, kLabelHeight};
}

Extent Layout::partExtent(const Network& part) const {
    const auto [labelAlong, labelAcross] = labelFootprint(networks::valueText(part.value()));
    return {std::max(kBodyLength + 2 * kLeadLength, labelAlong + kLabelSpacing),
            kBodyWidth / 2 + kLabelGap + labelAcross, kBodyWidth / 2};
}

std::vector<const Network*> Layout::stacked(const Network& group) const {
    std::vector<const Network*> branches;
    for (const Network& branch : group.members())
        branches.push_back(&branch);
    if (m_frame.column) std::reverse(branches.begin(), branches.end());
    return branches;
}

// How far each branch's line stands from the group's.
std::vector<double> Layout::branchOffsets(const std::vector<const Network*>& branches) const {
    std::vector<double> offsets{0};
    for (std::size_t i = 1; i < branches.size(); ++i) {
        offsets.push_back(offsets.back() + extentOf(*branches[i - 1]).branchSide + kBranchSpacing +
                          extentOf(*branches[i]).labelSide);
    }
    return offsets;
}

Extent Layout::extentOf(const Network& network) const {
    if (network.isPart()) return partExtent(network);
    if (network.join() == Join::Parallel) {
        const std::vector<const Network*> branches = stacked(network);
        double longest = 0;
        for (const Network* branch : branches)
            longest = std::max(longest, extentOf(*branch).length);
        return {longest + 2 * kBusStub, extentOf(*branches.front()).labelSide,
                branchOffsets(branches).back() + extentOf(*branches.back()).branchSide};
    }
    Extent extent{0, 0, 0};
    for (const Network& member : network.members()) {
        const Extent own = extentOf(member);
        extent.length += own.length;
        extent.labelSide = std::max(extent.labelSide, own.labelSide);
        extent.branchSide = std::max(extent.branchSide, own.branchSide);
    }
    return extent;
}

void Layout::draw(const Network& network, double along, double across, int firstPart) {
    if (network.isPart()) {
        drawPart(network, along, across, firstPart);
    } else if (network.join() == Join::Parallel) {
        drawParallel(network, along, across, firstPart);
    } else {
        for (const Network& member : network.members()) {
            draw(member, along, across, firstPart);
            along += extentOf(member).length;
            firstPart += member.partCount();
        }
    }
}

void Layout::drawPart(const Network& part, double along, double across, int index) {
    const double bodyStart = along + (extentOf(part).length - kBodyLength) / 2;
    const double bodyEnd = bodyStart + kBodyLength;
    const std::string text = networks::valueText(part.value());
    const auto [labelAlong, labelAcross] = labelFootprint(text);

    wire(along, across, bodyStart, across);
    m_schematic.symbols.push_back(symbolAt(bodyStart, across, index));
    wire(bodyEnd, across, along + extentOf(part).length, across);
    const double labelStart = bodyStart + (kBodyLength - labelAlong) / 2;
    const double labelEdge = across - kBodyWidth / 2 - kLabelGap;
    m_schematic.labels.push_back(
        {boxAt(labelStart, labelEdge - labelAcross, labelAlong, labelAcross), text, index});
}

void Layout::drawParallel(const Network& group, double along, double across, int firstPart) {
    // Parts are numbered in the order written, whatever the order of stacking.
    std::map<const Network*, int> firstParts;
    for (const Network& branch : group.members()) {
        firstParts[&branch] = firstPart;
        firstPart += branch.partCount();
    }
    const std::vector<const Network*> branches = stacked(group);
    const std::vector<double> offsets = branchOffsets(branches);
    const double end = along + extentOf(group).length;
    const double startBus = along + kBusStub;
    const double endBus = end - kBusStub;

    wire(along, across, startBus, across);
    for (std::size_t i = 0; i < branches.size(); ++i) {
        const double line = across + offsets[i];
        if (i > 0) {
            const double previous = across + offsets[i - 1];
            wire(startBus, previous, startBus, line);
            wire(endBus, previous, endBus, line);
        }
        const double length = extentOf(*branches[i]).length;
        const double branchStart = startBus + (endBus - startBus - length) / 2;
        if (branchStart > startBus) wire(startBus, line, branchStart, line);
        draw(*branches[i], branchStart, line, firstParts.at(branches[i]));
        if (branchStart + length < endBus) wire(branchStart + length, line, endBus, line);
    }
    wire(endBus, across, end, across);
}

Terminal terminalAt(Point centre, Point lead, Terminal::Role role) {
    return {centre, kTerminalRadius, lead, role};
}

// How many wire ends lie at each point.
std::map<Point, int> wireEndCounts(const std::vector<Segment>& wires) {
    std::map<Point, int> counts;
    for (const Segment& wire : wires) {
        ++counts[wire.from];
        ++counts[wire.to];
    }
    return counts;
}

std::vector<Point> leadsOf(const Schematic& schematic) {
    std::vector<Point> leads;
    for (const PartSymbol& symbol : schematic.symbols)
        leads.insert(leads.end(), symbol.leads.begin(), symbol.leads.end());
    for (const Terminal& terminal : schematic.terminals)
        leads.push_back(terminal.lead);
    for (const GroundSymbol& ground : schematic.grounds)
        leads.push_back(ground.lead);
    return leads;
}

bool isHorizontal(const Segment& wire) {
    return wire.from.y == wire.to.y;
}

// Two wires that continue each other in one line, with nothing else at the
// point they share, such as the leads of two parts in series.
std::optional<std::pair<std::size_t, std::size_t>> straightContinuation(
    const std::vector<Segment>& wires, const std::map<Point, int>& meetings) {
    for (std::size_t i = 0; i < wires.size(); ++i) {
        for (std::size_t j = 0; j < wires.size(); ++j) {
            if (wires[i].to == wires[j].from && meetings.at(wires[i].to) == 2 &&
                isHorizontal(wires[i]) == isHorizontal(wires[j]))
                return std::pair{i, j};
        }
    }
    return std::nullopt;
}

// Makes each straight run of wire one segment and puts a dot wherever three
// or more things meet, so that every wire end is a lead, a junction or a
// corner; and puts symbols and labels in part order.
void finish(Schematic& schematic) {
    const auto byPart = [](const auto& a, const auto& b) { return a.part < b.part; };
    std::sort(schematic.symbols.begin(), schematic.symbols.end(), byPart);
    std::sort(schematic.labels.begin(), schematic.labels.end(), byPart);
    std::vector<Segment>& wires = schematic.wires;
    std::map<Point, int> meetings = wireEndCounts(wires);
    for (const Point& lead : leadsOf(schematic))
        ++meetings[lead];
    while (const auto pair = straightContinuation(wires, meetings)) {
        const auto [first, second] = *pair;
        meetings.erase(wires[first].to);
        wires[first].to = wires[second].to;
        wires.erase(wires.begin() + static_cast<std::ptrdiff_t>(second));
    }
    for (const auto& [point, count] : meetings) {
        if (count >= 3) schematic.junctions.push_back(point);
    }
    schematic.strokeWidth = kStrokeWidth;
    schematic.junctionRadius = kJunctionRadius;
}

}  // namespace

Schematic schematicOf(const Network& network, PartKind kind) {
    Layout measuring({{0, 0}, false}, kind);
    const Extent extent = measuring.extentOf(network);
    Layout layout({{kMargin, kMargin + std::max(extent.labelSide, kTerminalRadius)}, false}, kind);
    const double start = 2 * kTerminalRadius;
    const double networkStart = start + kTerminalLead;
    const double networkEnd = networkStart + extent.length;
    const double end = networkEnd + kTerminalLead;

    Schematic& schematic = layout.schematic();
    schematic.terminals.push_back(terminalAt(layout.at(start - kTerminalRadius, 0),
                                             layout.at(start, 0), Terminal::Role::Start));
    layout.wire(start, 0, networkStart, 0);
    layout.draw(network, networkStart, 0);
    layout.wire(networkEnd, 0, end, 0);
    schematic.terminals.push_back(
        terminalAt(layout.at(end + kTerminalRadius, 0), layout.at(end, 0), Terminal::Role::End));
    const Point farCorner =
        layout.at(end + 2 * kTerminalRadius, std::max(extent.branchSide, kTerminalRadius));
    schematic.width = farCorner.x + kMargin;
    schematic.height = farCorner.y + kMargin;
    finish(schematic);
    return std::move(schematic);
}

Schematic dividerSchematic(const Network& top, const Network& bottom) {
    Layout measuring({{0, 0}, true}, PartKind::Resistor);
    const Extent topExtent = measuring.extentOf(top);
    const Extent bottomExtent = measuring.extentOf(bottom);
    const double left =
        std::max({topExtent.branchSide, bottomExtent.branchSide, kGroundBarWidths.front() / 2});
    Layout layout({{kMargin + left, kMargin}, true}, PartKind::Resistor);
    const double input = 2 * kTerminalRadius;
    const double topStart = input + kTerminalLead;
    const double tap = topStart + topExtent.length;
    const double bottomEnd = tap + bottomExtent.length;
    const double ground = bottomEnd + kGroundLead;
    // Right of the line, where the tap leaves, stand only the labels.
    const double output = -(std::max(topExtent.labelSide, bottomExtent.labelSide) + kTapRun);

    Schematic& schematic = layout.schematic();
    schematic.terminals.push_back(terminalAt(layout.at(input - kTerminalRadius, 0),
                                             layout.at(input, 0), Terminal::Role::Input));
    layout.wire(input, 0, topStart, 0);
    layout.draw(top, topStart, 0);
    layout.wire(tap, 0, tap, output);
    schematic.terminals.push_back(terminalAt(layout.at(tap, output - kTerminalRadius),
                                             layout.at(tap, output), Terminal::Role::Output));
    layout.draw(bottom, tap, 0, top.partCount());
    layout.wire(bottomEnd, 0, ground, 0);
    GroundSymbol symbol{layout.at(ground, 0), {}};
    for (std::size_t i = 0; i < kGroundBarWidths.size(); ++i) {
        const double y = symbol.lead.y + static_cast<double>(i) * kGroundBarSpacing;
        const double halfWidth = kGroundBarWidths[i] / 2;
        symbol.bars[i] = {{symbol.lead.x - halfWidth, y}, {symbol.lead.x + halfWidth, y}};
    }
    schematic.grounds.push_back(symbol);
    schematic.width = layout.at(0, output - 2 * kTerminalRadius).x + kMargin;
    schematic.height = symbol.bars.back().to.y + kMargin;
    finish(schematic);
    return std::move(schematic);
}

namespace {

std::string jsonNumbers(std::initializer_list<double> values) {
    return json::arrayOf(values, shortestText);
}

std::string jsonPoint(Point point) {
    return jsonNumbers({point.x, point.y});
}

std::string jsonSegment(const Segment& segment) {
    return jsonNumbers({segment.from.x, segment.from.y, segment.to.x, segment.to.y});
}

std::string jsonBox(const Box& box) {
    return jsonNumbers({box.left, box.top, box.width, box.height});
}

std::string_view roleName(Terminal::Role role) {
    switch (role) {
        case Terminal::Role::Start:
            return "start";
        case Terminal::Role::End:
            return "end";
        case Terminal::Role::Input:
            return "input";
        case Terminal::Role::Output:
            return "output";
    }
    return "";
}

std::string_view symbolName(PartKind kind) {
    switch (kind) {
        case PartKind::Resistor:
            return "resistor";
        case PartKind::Capacitor:
            return "capacitor";
        case PartKind::Inductor:
            return "inductor";
    }
    return "";
}

std::string turnJson(const HalfCircle& turn) {
    return "{\"from\":" + jsonPoint(turn.from) + ",\"to\":" + jsonPoint(turn.to) +
           ",\"radius\":" + shortestText(turn.radius) + "}";
}

std::string symbolJson(const PartSymbol& symbol) {
    std::string json = "{\"box\":" + jsonBox(symbol.body) +
                       ",\"part\":" + std::to_string(symbol.part) +
                       ",\"symbol\":" + json::quoted(symbolName(symbol.kind));
    if (!symbol.lines.empty()) json += ",\"lines\":" + json::arrayOf(symbol.lines, jsonSegment);
    if (!symbol.turns.empty()) json += ",\"turns\":" + json::arrayOf(symbol.turns, turnJson);
    return json + "}";
}

std::string labelJson(const Label& label) {
    return "{\"box\":" + jsonBox(label.box) + ",\"text\":" + json::quoted(label.text) +
           ",\"part\":" + std::to_string(label.part) + "}";
}

std::string terminalJson(const Terminal& terminal) {
    return "{\"centre\":" + jsonPoint(terminal.centre) +
           ",\"radius\":" + shortestText(terminal.radius) +
           ",\"role\":" + json::quoted(roleName(terminal.role)) + "}";
}

std::string groundJson(const GroundSymbol& ground) {
    return "{\"bars\":" + json::arrayOf(ground.bars, jsonSegment) + "}";
}

}  // namespace

std::string schematicJson(const Schematic& schematic) {
    return "{\"width\":" + shortestText(schematic.width) +
           ",\"height\":" + shortestText(schematic.height) +
           ",\"stroke\":" + shortestText(schematic.strokeWidth) +
           ",\"junctionRadius\":" + shortestText(schematic.junctionRadius) +
           ",\"resistors\":" + json::arrayOf(schematic.symbols, symbolJson) +
           ",\"wires\":" + json::arrayOf(schematic.wires, jsonSegment) +
           ",\"junctions\":" + json::arrayOf(schematic.junctions, jsonPoint) +
           ",\"labels\":" + json::arrayOf(schematic.labels, labelJson) +
           ",\"terminals\":" + json::arrayOf(schematic.terminals, terminalJson) +
           ",\"grounds\":" + json::arrayOf(schematic.grounds, groundJson) + "}";
}

std::vector<std::vector<Schematic>> schematicsOf(const networks::FinderAnswer& answer,
                                                 PartKind kind) {
    std::vector<std::vector<Schematic>> drawings;
    for (const networks::PartCountResult& result : answer.networks) {
        drawings.emplace_back();
        for (const networks::RankedNetwork& ranked : result.networks)
            drawings.back().push_back(schematicOf(ranked.network, kind));
    }
    for (const networks::DividerPartCountResult& result : answer.dividers) {
        drawings.emplace_back();
        for (const networks::RankedDivider& ranked : result.dividers)
            drawings.back().push_back(dividerSchematic(ranked.divider.top, ranked.divider.bottom));
    }
    return drawings;
}

}  // namespace gosei::view
