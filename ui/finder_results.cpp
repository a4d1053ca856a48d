#include "ui/finder_results.h"

#include "view/finder_form.h"

namespace gosei::ui {

FinderResults finderResults(const networks::FinderSetup& setup,
                            const networks::FinderAnswer& answer) {
    const networks::ResultsTable table = networks::resultsTable(setup, answer);
    std::vector<std::vector<view::Schematic>> drawings = view::schematicsOf(answer, setup.kind);
    FinderResults results;
    for (const networks::Words& heading : table.headings)
        results.headings.push_back(heading.shown());
    for (std::size_t group = 0; group < table.groups.size(); ++group) {
        results.groups.push_back({table.groups[group].partCount, {}});
        for (std::size_t row = 0; row < table.groups[group].rows.size(); ++row)
            results.groups.back().rows.push_back(
                {table.groups[group].rows[row], std::move(drawings[group][row])});
    }
    results.best = table.best;
    results.summary = view::summaryOf(setup, table);
    if (setup.series) results.series = setup.partsDescription;
    results.partValues = setup.parts.size();
    results.countedStock = setup.countedStock;
    return results;
}

}  // namespace gosei::ui
