#include "view/schematic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "networks/value_text.h"
#include "tests/view/schematic_samples.h"

namespace gosei::view {
namespace {

using networks::Join;
using networks::Network;
using networks::PartKind;
using samples::Drawing;

const std::vector<Drawing>& drawings() {
    static const std::vector<Drawing> all = samples::everyDrawing();
    return all;
}

// Boxes are closed: touching counts as meeting.
std::optional<Box> meeting(const Box& a, const Box& b) {
    const double left = std::max(a.left, b.left), right = std::min(a.right(), b.right());
    const double top = std::max(a.top, b.top), bottom = std::min(a.bottom(), b.bottom());
    if (left > right || top > bottom) return std::nullopt;
    return Box{left, top, right - left, bottom - top};
}

bool inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.right() <= outer.right() && inner.top >= outer.top &&
           inner.bottom() <= outer.bottom();
}

Box around(const Box& a, const Box& b) {
    const double left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.right(), b.right()) - left,
            std::max(a.bottom(), b.bottom()) - top};
}

Box boxOf(const Segment& segment) {
    return {segment.from.x, segment.from.y, segment.to.x - segment.from.x,
            segment.to.y - segment.from.y};
}

// Something drawn, and the points where others may touch it: a symbol's or
// terminal's leads, a wire's ends, nothing of a label.
struct Drawn {
    Box box;
    std::vector<Point> leads;
};

std::vector<Drawn> everythingIn(const Schematic& schematic) {
    std::vector<Drawn> drawn;
    for (const PartSymbol& symbol : schematic.symbols)
        drawn.push_back({symbol.body, {symbol.leads.begin(), symbol.leads.end()}});
    for (const Label& label : schematic.labels)
        drawn.push_back({label.box, {}});
    for (const Terminal& terminal : schematic.terminals) {
        const Point c = terminal.centre;
        const double r = terminal.radius;
        drawn.push_back({{c.x - r, c.y - r, 2 * r, 2 * r}, {terminal.lead}});
    }
    for (const GroundSymbol& ground : schematic.grounds)
        drawn.push_back(
            {around(boxOf(ground.bars.front()), boxOf(ground.bars.back())), {ground.lead}});
    for (const Segment& wire : schematic.wires)
        drawn.push_back({boxOf(wire), {wire.from, wire.to}});
    return drawn;
}

// How many leads and wire ends meet at each point.
std::map<Point, int> meetings(const Schematic& schematic) {
    std::map<Point, int> count;
    for (const Drawn& drawn : everythingIn(schematic)) {
        for (const Point& lead : drawn.leads)
            ++count[lead];
    }
    return count;
}

// A single point that is one of the leads.
bool isLead(const Box& common, const std::vector<Point>& leads) {
    return common.width == 0 && common.height == 0 &&
           std::count(leads.begin(), leads.end(), Point{common.left, common.top}) == 1;
}

double distance(const Box& a, const Box& b) {
    const double dx = std::max({0.0, a.left - b.right(), b.left - a.right()});
    const double dy = std::max({0.0, a.top - b.bottom(), b.top - a.bottom()});
    return std::hypot(dx, dy);
}

const Label& nearestLabel(const Schematic& schematic, const Box& body) {
    return *std::min_element(schematic.labels.begin(), schematic.labels.end(),
                             [&body](const Label& a, const Label& b) {
                                 return distance(a.box, body) < distance(b.box, body);
                             });
}

TEST(Schematic, DrawsEveryPartOnceWithItsValueBesideIt) {
    for (const Drawing& drawing : drawings()) {
        SCOPED_TRACE(drawing.name);
        const Schematic& schematic = drawing.schematic;
        std::vector<double> values;
        for (const Network& arm : drawing.arms) {
            const std::vector<double> own = arm.partValues();
            values.insert(values.end(), own.begin(), own.end());
        }
        std::vector<int> drawn, labelled;
        for (const PartSymbol& symbol : schematic.symbols) {
            drawn.push_back(symbol.part);
            EXPECT_EQ(symbol.kind, drawing.kind);
            const Box& body = symbol.body;
            const bool vertical = body.height > body.width;
            EXPECT_EQ(vertical, drawing.vertical);
            EXPECT_EQ(std::max(body.width, body.height), 3 * std::min(body.width, body.height));
            const Point first = vertical ? Point{body.left + body.width / 2, body.top}
                                         : Point{body.left, body.top + body.height / 2};
            const Point second =
                vertical ? Point{first.x, body.bottom()} : Point{body.right(), first.y};
            EXPECT_TRUE(symbol.leads[0] == first && symbol.leads[1] == second);
            const Label& label = nearestLabel(schematic, body);
            EXPECT_EQ(label.part, symbol.part);
            EXPECT_LE(distance(label.box, body), 4);
        }
        for (const Label& label : schematic.labels) {
            labelled.push_back(label.part);
            EXPECT_EQ(label.text,
                      networks::valueText(values.at(static_cast<std::size_t>(label.part))));
        }
        std::vector<int> parts(values.size());
        std::iota(parts.begin(), parts.end(), 0);
        EXPECT_EQ(drawn, parts);
        EXPECT_EQ(labelled, parts);
    }
}

// Symbols, labels, terminals and ground stand apart; wires are straight and
// touch each other and the symbols only at ends and leads, so that no wire
// crosses another or runs through a symbol or label.
TEST(Schematic, ThingsTouchOnlyAtLeadsAndWireEnds) {
    for (const Drawing& drawing : drawings()) {
        SCOPED_TRACE(drawing.name);
        const Box page{0, 0, drawing.schematic.width, drawing.schematic.height};
        for (const Segment& wire : drawing.schematic.wires)
            EXPECT_TRUE((wire.from.x == wire.to.x) != (wire.from.y == wire.to.y));
        const std::vector<Drawn> drawn = everythingIn(drawing.schematic);
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_TRUE(inside(drawn[i].box, page)) << "thing " << i;
            for (std::size_t j = i + 1; j < drawn.size(); ++j) {
                const std::optional<Box> common = meeting(drawn[i].box, drawn[j].box);
                EXPECT_TRUE(!common ||
                            (isLead(*common, drawn[i].leads) && isLead(*common, drawn[j].leads)))
                    << "things " << i << " and " << j;
            }
        }
    }
}

Point middle(const Segment& segment) {
    return {(segment.from.x + segment.to.x) / 2, (segment.from.y + segment.to.y) / 2};
}

double length(const Segment& segment) {
    return std::hypot(segment.to.x - segment.from.x, segment.to.y - segment.from.y);
}

bool isHorizontal(const Segment& segment) {
    return segment.from.y == segment.to.y;
}

Box pointBox(Point point) {
    return {point.x, point.y, 0, 0};
}

// What a capacitor and an inductor draw stays inside the body, which labels
// and wires never touch (above), so that no label touches a plate or a
// turn. The plates stand across the wire, equal, with a gap between them,
// and a line runs from each lead to its plate's middle; the turns run in a
// row from lead to lead, bulging to the label's side.
TEST(Schematic, DrawsEachKindInsideItsBodyFromLeadToLead) {
    for (const Drawing& drawing : drawings()) {
        SCOPED_TRACE(drawing.name);
        for (const PartSymbol& symbol : drawing.schematic.symbols) {
            const Box& body = symbol.body;
            const auto [first, second] = symbol.leads;
            const bool alongX = isHorizontal({first, second});
            const bool capacitor = symbol.kind == PartKind::Capacitor;
            const bool inductor = symbol.kind == PartKind::Inductor;
            ASSERT_EQ(symbol.lines.size(), capacitor ? 4u : 0u);
            ASSERT_EQ(symbol.turns.size(), inductor ? 4u : 0u);
            for (const Segment& line : symbol.lines)
                EXPECT_TRUE(inside(boxOf(line), body));
            if (capacitor) {
                const Segment& plate = symbol.lines[0];
                const Segment& other = symbol.lines[1];
                for (const Segment& each : {plate, other}) {
                    EXPECT_NE(isHorizontal(each), alongX);
                    EXPECT_EQ(length(each), std::min(body.width, body.height));
                }
                EXPECT_GT(distance(boxOf(plate), boxOf(other)), 0);
                const Segment& in = symbol.lines[2];
                const Segment& out = symbol.lines[3];
                EXPECT_TRUE(in.from == first && in.to == middle(plate));
                EXPECT_TRUE(out.from == middle(other) && out.to == second);
                EXPECT_TRUE(isHorizontal(in) == alongX && isHorizontal(out) == alongX);
            }
            const Box& label = nearestLabel(drawing.schematic, body).box;
            Point end = first;
            for (const HalfCircle& turn : symbol.turns) {
                EXPECT_EQ(turn.from, end);
                EXPECT_EQ(turn.centre, middle({turn.from, turn.to}));
                EXPECT_EQ(2 * turn.radius, length({turn.from, turn.to}));
                // Clockwise on the page from the left or top end: the top
                // of a turn in a row, the right of one in a column.
                const Point apex{turn.centre.x + (turn.to.y - turn.from.y) / 2,
                                 turn.centre.y - (turn.to.x - turn.from.x) / 2};
                EXPECT_TRUE(inside(around(boxOf({turn.from, turn.to}), pointBox(apex)), body));
                EXPECT_LT(distance(pointBox(apex), label), distance(pointBox(turn.centre), label));
                end = turn.to;
            }
            if (inductor) {
                EXPECT_EQ(end, second);
            }
        }
    }
}

TEST(Schematic, WireEndsMeetLeadsJunctionsOrOneCornerAndDotsMarkEveryJunction) {
    for (const Drawing& drawing : drawings()) {
        SCOPED_TRACE(drawing.name);
        const Schematic& schematic = drawing.schematic;
        const std::map<Point, int> met = meetings(schematic);
        std::vector<Point> expectedDots;
        for (const auto& [point, count] : met) {
            if (count >= 3) expectedDots.push_back(point);
        }
        std::vector<Point> dots = schematic.junctions;
        std::sort(dots.begin(), dots.end());
        EXPECT_EQ(dots, expectedDots);
        // Where only two wires meet, they turn a corner: a straight run is
        // one wire.
        for (const Segment& wire : schematic.wires) {
            for (const Point& end : {wire.from, wire.to}) {
                EXPECT_GE(met.at(end), 2) << "a loose wire end";
                if (met.at(end) != 2) continue;
                for (const Segment& other : schematic.wires) {
                    if (&other == &wire || (other.from != end && other.to != end)) continue;
                    EXPECT_NE(wire.from.y == wire.to.y, other.from.y == other.to.y);
                }
            }
        }
    }
}

// A network read back from a drawing: a symbol, or a group of readings.
struct Reading {
    int part = -1;  // the symbol's part, or -1 for a group
    Join join = Join::Series;
    std::vector<Reading> members;
    Box box;  // around its symbols
    std::string label;
};

// Series members in order along the line, parallel branches across it.
Reading joined(Join join, Reading a, Reading b, bool vertical) {
    Reading group{-1, join, {}, around(a.box, b.box), ""};
    for (Reading* side : {&a, &b}) {
        if (side->part < 0 && side->join == join) {
            for (Reading& member : side->members)
                group.members.push_back(std::move(member));
        } else {
            group.members.push_back(std::move(*side));
        }
    }
    const bool byY = vertical == (join == Join::Series);
    std::sort(group.members.begin(), group.members.end(),
              [byY](const Reading& x, const Reading& y) {
                  return byY ? x.box.top < y.box.top : x.box.left < y.box.left;
              });
    return group;
}

std::string written(const Reading& reading,
                    const std::function<std::string(const Reading&)>& leaf) {
    if (reading.part >= 0) return leaf(reading);
    std::string text;
    for (const Reading& member : reading.members) {
        if (!text.empty()) text += reading.join == Join::Series ? " + " : " | ";
        text += member.part >= 0 ? leaf(member) : "(" + written(member, leaf) + ")";
    }
    return text;
}

// A two-ended piece of circuit between two electrical nodes, a < b.
struct Edge {
    Point a, b;
    Reading reading;
};

// One step: two edges between the same nodes become one parallel edge; two
// that share a node nothing else meets, and that is no terminal, one series
// edge. False when no step is left.
bool reduceOnce(std::vector<Edge>& edges, const std::vector<Point>& terminals, bool vertical) {
    const auto edgesAt = [&edges](Point node) {
        return std::count_if(edges.begin(), edges.end(),
                             [node](const Edge& e) { return e.a == node || e.b == node; });
    };
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            const Edge &x = edges[i], &y = edges[j];
            const Point shared = x.a == y.a || x.a == y.b ? x.a : x.b;
            const bool parallel = x.a == y.a && x.b == y.b;
            const bool series = (shared == y.a || shared == y.b) && edgesAt(shared) == 2 &&
                                std::count(terminals.begin(), terminals.end(), shared) == 0;
            if (!parallel && !series) continue;
            const auto [a, b] = std::minmax({x.a == shared ? x.b : x.a, y.a == shared ? y.b : y.a});
            Reading joint =
                joined(parallel ? Join::Parallel : Join::Series, x.reading, y.reading, vertical);
            edges[i] = {parallel ? x.a : a, parallel ? x.b : b, std::move(joint)};
            edges.erase(edges.begin() + static_cast<std::ptrdiff_t>(j));
            return true;
        }
    }
    return false;
}

// The drawn circuit reduced as far as series and parallel steps go, and
// each terminal's node. Points joined by wires are one node.
std::pair<std::vector<Edge>, std::vector<Point>> reducedCircuit(const Schematic& schematic,
                                                                std::vector<Point> terminals,
                                                                bool vertical) {
    std::map<Point, Point> joinedTo;
    const std::function<Point(Point)> node = [&](Point p) {
        return joinedTo.contains(p) ? node(joinedTo.at(p)) : p;
    };
    for (const Segment& wire : schematic.wires) {
        if (node(wire.from) != node(wire.to)) joinedTo[node(wire.from)] = node(wire.to);
    }
    std::vector<Edge> edges;
    for (const PartSymbol& r : schematic.symbols) {
        const auto [a, b] = std::minmax({node(r.leads[0]), node(r.leads[1])});
        edges.push_back(
            {a, b, {r.part, Join::Series, {}, r.body, nearestLabel(schematic, r.body).text}});
    }
    for (Point& terminal : terminals)
        terminal = node(terminal);
    while (reduceOnce(edges, terminals, vertical)) {
    }
    return {edges, terminals};
}

// The circuit in the drawing, rebuilt from its wires and symbols alone, is
// each arm between its terminals, written in the expression's order.
TEST(Schematic, ReconnectsTheTerminalsThroughTheNetworkInWritingOrder) {
    for (const Drawing& drawing : drawings()) {
        SCOPED_TRACE(drawing.name);
        const Schematic& schematic = drawing.schematic;
        std::vector<Point> terminalLeads;
        for (const Terminal& terminal : schematic.terminals)
            terminalLeads.push_back(terminal.lead);
        for (const GroundSymbol& ground : schematic.grounds)
            terminalLeads.push_back(ground.lead);
        const auto [edges, nodes] = reducedCircuit(schematic, terminalLeads, drawing.vertical);
        ASSERT_EQ(edges.size(), drawing.arms.size());
        // The first arm from the start (or input) to the next terminal, the
        // second from the tap to ground; parts are numbered arm by arm.
        int firstPart = 0;
        for (std::size_t i = 0; i < drawing.arms.size(); ++i) {
            const Network& arm = drawing.arms[i];
            const std::pair<Point, Point> armEnds = std::minmax(nodes[i], nodes[i + 1]);
            const auto edge = std::find_if(edges.begin(), edges.end(), [&armEnds](const Edge& e) {
                return std::pair(e.a, e.b) == armEnds;
            });
            ASSERT_NE(edge, edges.end()) << "arm " << i;
            EXPECT_EQ(written(edge->reading, [](const Reading& r) { return r.label; }),
                      arm.expression());
            EXPECT_EQ(written(edge->reading,
                              [firstPart](const Reading& r) {
                                  return std::string(1,
                                                     static_cast<char>('A' + r.part - firstPart));
                              }),
                      arm.topology());
            firstPart += arm.partCount();
        }
    }
}
}  // namespace
}  // namespace gosei::view
