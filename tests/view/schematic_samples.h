#pragma once

// Networks and dividers to draw: every one of up to four parts for the
// tests, and a few for people to look at.

#include <algorithm>
#include <string>
#include <vector>

#include "networks/network.h"
#include "view/schematic.h"

namespace gosei::view::samples {

using networks::Join;
using networks::Network;
using networks::PartKind;

// Every network that uses each of `parts` once: each way of splitting them
// in two, the halves joined in series and in parallel. Canonical form makes
// equal circuits equal, so repeats are dropped.
inline std::vector<Network> everyNetwork(const std::vector<double>& parts) {
    if (parts.size() == 1) return {Network::part(parts[0])};
    std::vector<Network> networks;
    // The first part always in the first half, so that each split comes once.
    for (unsigned mask = 1; mask < (1u << parts.size()); mask += 2) {
        std::vector<double> first, second;
        for (std::size_t i = 0; i < parts.size(); ++i)
            ((mask >> i) & 1 ? first : second).push_back(parts[i]);
        if (second.empty()) continue;
        for (const Network& a : everyNetwork(first)) {
            for (const Network& b : everyNetwork(second)) {
                for (Join join : {Join::Series, Join::Parallel}) {
                    Network network = Network::joined(join, a, b);
                    if (std::find(networks.begin(), networks.end(), network) == networks.end())
                        networks.push_back(std::move(network));
                }
            }
        }
    }
    return networks;
}

struct Drawing {
    std::string name;
    Schematic schematic;
    bool vertical;              // divider arms run downwards
    std::vector<Network> arms;  // the network, or a divider's top and bottom
    PartKind kind;
};

inline Drawing drawingOf(const Network& network, PartKind kind = PartKind::Resistor) {
    const std::string letter(networks::factsOf(kind).letter);
    return {
        letter + " " + network.expression(), schematicOf(network, kind), false, {network}, kind};
}

inline Drawing dividerDrawing(const Network& top, const Network& bottom) {
    return {top.expression() + " / " + bottom.expression(),
            dividerSchematic(top, bottom),
            true,
            {top, bottom},
            PartKind::Resistor};
}

// Every network of one to four parts of each kind and every divider of two
// to four, once with four distinct values whose labels differ in width,
// once with values that repeat.
inline std::vector<Drawing> everyDrawing() {
    struct Values {
        PartKind kind;
        std::vector<double> distinct, repeated;
    };
    const std::vector<Values> table{
        {PartKind::Resistor, {4700, 1234560, 10, 0.1}, {22e3, 22e3, 4700, 4700}},
        {PartKind::Capacitor, {4.7e-9, 1.2e-3, 10e-12, 0.1e-6}, {22e-6, 22e-6, 1e-9, 1e-9}},
        {PartKind::Inductor, {4.7e-6, 1.5e-3, 10e-9, 0.1}, {220e-6, 220e-6, 1e-6, 1e-6}}};
    std::vector<Drawing> drawings;
    for (const Values& row : table) {
        for (const auto& values : {row.distinct, row.repeated}) {
            for (std::size_t count = 1; count <= 4; ++count) {
                for (const Network& network : everyNetwork(
                         {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count)}))
                    drawings.push_back(drawingOf(network, row.kind));
            }
        }
    }
    for (const auto& values : {table[0].distinct, table[0].repeated}) {
        const auto first = [&values](std::size_t count) {
            return values.begin() + static_cast<std::ptrdiff_t>(count);
        };
        for (std::size_t total = 2; total <= 4; ++total) {
            for (std::size_t upper = 1; upper < total; ++upper) {
                for (const Network& top : everyNetwork({values.begin(), first(upper)})) {
                    for (const Network& bottom : everyNetwork({first(upper), first(total)}))
                        drawings.push_back(dividerDrawing(top, bottom));
                }
            }
        }
    }
    return drawings;
}

// A few of each kind, with everyday values, to look at.
inline std::vector<Drawing> drawingsToLookAt() {
    const auto part = &Network::part;
    const auto series = [](Network a, Network b) { return Network::joined(Join::Series, a, b); };
    const auto parallel = [](Network a, Network b) {
        return Network::joined(Join::Parallel, a, b);
    };
    return {
        drawingOf(part(4700)),
        drawingOf(series(part(1000), part(220))),
        drawingOf(parallel(part(10e3), part(22e3))),
        drawingOf(series(part(4700), parallel(part(10e3), part(22e3)))),
        drawingOf(parallel(part(1000), series(part(2200), parallel(part(3300), part(4700))))),
        drawingOf(parallel(series(part(1), part(2.2)), series(part(3.3), part(4.7)))),
        drawingOf(series(parallel(part(68), part(68)), parallel(part(1200), part(1500)))),
        drawingOf(parallel(parallel(part(10e3), part(22e3)), parallel(part(47e3), part(1e6)))),
        drawingOf(series(series(part(1), part(10)), series(part(100), part(1000)))),
        drawingOf(parallel(part(1234560), part(0.1))),
        drawingOf(part(100e-9), PartKind::Capacitor),
        drawingOf(series(part(4.7e-9), parallel(part(10e-9), part(22e-9))), PartKind::Capacitor),
        drawingOf(parallel(part(1e-6), series(part(2.2e-6), part(3.3e-6))), PartKind::Capacitor),
        drawingOf(part(10e-6), PartKind::Inductor),
        drawingOf(series(part(4.7e-6), part(1.5e-3)), PartKind::Inductor),
        drawingOf(parallel(series(part(1e-6), part(2.2e-6)), part(10e-6)), PartKind::Inductor),
        dividerDrawing(part(10e3), part(4700)),
        dividerDrawing(parallel(part(10e3), part(22e3)), part(4700)),
        dividerDrawing(series(part(4700), part(1000)), parallel(part(10e3), part(10e3))),
        dividerDrawing(part(1000), parallel(part(2200), parallel(part(3300), part(4700)))),
        dividerDrawing(parallel(series(part(1000), part(2200)), part(3300)), part(1234560)),
    };
}

}  // namespace gosei::view::samples
