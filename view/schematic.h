#pragma once

#include <array>
#include <compare>
#include <string>
#include <vector>

#include "networks/finder_report.h"
#include "networks/network.h"
#include "networks/part_kind.h"

namespace gosei::view {

// The drawing of a network of resistors, capacitors or inductors, decided
// here once; the windows paint it with QPainter and the page as SVG,
// scaling it and nothing else.
//
// Positions are in units with x to the right and y downwards, the drawing's
// top-left corner at (0, 0). At one pixel a unit the labels are as high as
// the windows' own 9-point text.
//
// Layout: series members one after another along the line in the order the
// expression writes them; the branches of a parallel group between two bus
// lines, stacked in that order away from the labels, each shorter branch
// centred and lengthened by wire. A network alone runs left to right between
// two terminals, labels above the parts and branches stacked downwards. A
// divider runs down from its input terminal through the top arm to the tap,
// then through the bottom arm to ground; its labels stand right of the
// parts, its branches read from left to right, and the tap's terminal is to
// the right.
//
// Wires meet only at their ends, and a junction dot marks every point where
// three or more of them (or a lead) meet.

struct Point {
    double x, y;
    friend auto operator<=>(const Point&, const Point&) = default;
};

struct Box {
    double left, top, width, height;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// A straight line, always horizontal or vertical; `from` is its left or top
// end.
struct Segment {
    Point from, to;
};

// Half a circle on the diameter from `from` to `to`, the left or top end
// first, drawn clockwise on the page: it bulges upwards from a row and to the
// right of a column.
struct HalfCircle {
    Point centre;
    double radius;
    Point from, to;
};

// A part as JIS C 0617 draws it, in a body box the same for every kind, three
// times as long as it is wide, whose wires meet the middles of its short
// sides at the leads; so the kind changes no layout:
//  - a resistor is the box itself, a plain rectangle;
//  - a capacitor is two plates across the wire, as long as the box is wide,
//    with a gap between them in its middle, and a line from each lead to
//    the middle of its plate;
//  - an inductor is a row of four turns from lead to lead, bulging to the
//    labels' side.
struct PartSymbol {
    Box body;
    std::array<Point, 2> leads;  // the left or top one first
    int part;                    // index into Network::partValues(); a divider's top arm first
    networks::PartKind kind;
    std::vector<Segment> lines;     // a capacitor's: its two plates, then its two leads' lines
    std::vector<HalfCircle> turns;  // an inductor's, from the first lead to the second
};

// A part's value beside its symbol. The box is the text's size by one
// metric: kLabelHeight high (the text's size), and kLabelCharacterWidth for
// each character, half that for a point and one and a half times that for the
// wide letters m, M and G. That is a little more than common faces need;
// painters condense a text that is wider still, so that what is drawn never
// leaves its box.
inline constexpr double kLabelHeight = 12;
inline constexpr double kLabelCharacterWidth = 8;
struct Label {
    Box box;
    std::string text;
    int part;
};

// An open circle where the drawing connects to the outside; its wire meets
// it at `lead`, on the circle.
struct Terminal {
    enum class Role { Start, End, Input, Output };
    Point centre;
    double radius;
    Point lead;
    Role role;
};

// Bars of shrinking width under the point its wire meets.
struct GroundSymbol {
    Point lead;
    std::array<Segment, 3> bars;
};

struct Schematic {
    double width = 0, height = 0;
    double strokeWidth = 0;           // of wires, symbols, terminals and bars
    double junctionRadius = 0;        // of the filled dots
    std::vector<PartSymbol> symbols;  // in part order
    std::vector<Segment> wires;
    std::vector<Point> junctions;
    std::vector<Label> labels;  // in part order
    std::vector<Terminal> terminals;
    std::vector<GroundSymbol> grounds;  // one for a divider, else none
};

// The network of parts of the kind between a start terminal (left) and an
// end terminal (right).
Schematic schematicOf(const networks::Network& network, networks::PartKind kind);
// A voltage divider of resistors: `top` between the input and the tap,
// `bottom` between the tap and ground.
Schematic dividerSchematic(const networks::Network& top, const networks::Network& bottom);

// The drawing as compact JSON for the page's painter (web/schematic.js).
// "resistors" holds every part's symbol; it kept its name when capacitors
// and inductors came, so that a drawing of resistors reads as before.
// {"width", "height", "stroke", "junctionRadius",
//  "resistors": [{"box": [left, top, width, height], "part",
//                 "symbol": "resistor" | "capacitor" | "inductor",
//                 and a capacitor's "lines": [[x1, y1, x2, y2]],
//                 an inductor's "turns": [{"from": [x, y], "to": [x, y], "radius"}]}],
//  "wires": [[x1, y1, x2, y2]], "junctions": [[x, y]],
//  "labels": [{"box", "text", "part"}],
//  "terminals": [{"centre": [x, y], "radius", "role"}],
//  "grounds": [{"bars": [[x1, y1, x2, y2]]}]}
std::string schematicJson(const Schematic& schematic);

// The drawing of each result of an answer, in the order of its results
// table: for each part count, one for each row; networks of parts of the
// kind, dividers of resistors.
std::vector<std::vector<Schematic>> schematicsOf(const networks::FinderAnswer& answer,
                                                 networks::PartKind kind);

}  // namespace gosei::view
