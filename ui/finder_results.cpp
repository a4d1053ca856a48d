#include "ui/finder_results.h"

namespace gosei::ui {
namespace {

using namespace gosei::networks;

std::vector<std::string> headingsFor(const FinderSetup& setup) {
    std::vector<std::string> headings;
    if (setup.mode == FinderMode::Network) {
        headings = {"回路", "合成値", "誤差 (％)"};
    } else {
        headings = {"上", "下", setup.ratioForm == RatioForm::Regulator ? "出力 (V)" : "分圧比",
                    "誤差 (％)", "合計"};
    }
    if (setup.showsWorstCase()) headings.push_back("最悪値 (％)");
    return headings;
}

FinderResults::Row rowFor(const FinderSetup& setup, const RankedNetwork& ranked) {
    const NetworkRow row = rowOf(setup, ranked);
    return {{row.expression, row.value, row.error, row.worstCase},
            view::schematicOf(ranked.network)};
}

FinderResults::Row rowFor(const FinderSetup& setup, const RankedDivider& ranked) {
    const DividerRow row = rowOf(setup, ranked);
    return {{row.top, row.bottom, row.ratio, row.error, row.total, row.worstCase},
            view::dividerSchematic(ranked.divider.top, ranked.divider.bottom)};
}

template <typename Result, typename Items>
void addGroups(FinderResults& results, const FinderSetup& setup, const std::vector<Result>& found,
               Items Result::*items) {
    for (const Result& result : found) {
        FinderResults::Group group{result.partCount, {}};
        for (const auto& ranked : result.*items) {
            group.rows.push_back(rowFor(setup, ranked));
            // The worst case column is left out where it would stay empty.
            group.rows.back().texts.resize(results.headings.size());
        }
        results.groups.push_back(std::move(group));
    }
}

}  // namespace

FinderResults finderResults(const FinderSetup& setup, const FinderAnswer& answer) {
    FinderResults results;
    results.headings = headingsFor(setup);
    if (setup.series) results.series = setup.partsDescription;
    results.partValues = setup.parts.size();
    results.countedStock = setup.countedStock;
    if (setup.mode == FinderMode::Network) {
        addGroups(results, setup, answer.networks, &PartCountResult::networks);
    } else {
        addGroups(results, setup, answer.dividers, &DividerPartCountResult::dividers);
    }
    return results;
}

}  // namespace gosei::ui
