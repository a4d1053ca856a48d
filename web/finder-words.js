// The finder page's words that change with what it shows; find.html holds
// the others. The build cuts the bundled face down to the characters of
// this file and find.html.
export const NO_PART_TOLERANCE = 'なし';

// After the summary of fewer part counts, while the most are searched.
export const searchingMore = (count) => `${count} 個の回路を探しています…`;
// Instead of the summary of an older request, while a search takes a while.
export const SEARCHING = '探索中…';
// A worker that died: the next change searches in a fresh one.
export const SEARCH_FAILED = '探索が止まりました。条件を変えると、もう一度探します。';

export const partCountTitle = (count) => `${count} 個`;
export const NONE_FOUND = 'なし';

const ERROR = '誤差 (％)';
const WORST_CASE = '最悪値 (％)';
// The headings of a row's texts, in the order of the bridge's texts.
export function headings(divider, regulator) {
  if (!divider) return ['回路', '合成値', ERROR, WORST_CASE];
  return ['上', '下', regulator ? '出力 (V)' : '分圧比', ERROR, '合計', WORST_CASE];
}

export const schematicTitle = (texts, divider) =>
  divider ? `回路図：上 ${texts[0]}、下 ${texts[1]}` : `回路図：${texts[0]}`;

// The results in a sentence: how many, and the best by its texts.
export function summary(count, best, divider, regulator) {
  if (count === 0) return '条件に合う回路はありません。';
  const found = `${count} 件見つかりました。最も近いのは`;
  if (!divider) {
    const [expression, value, error] = best;
    return `${found} ${expression}（合成値 ${value}、誤差 ${error}％）です。`;
  }
  const [top, bottom, shown, error] = best;
  const measure = regulator ? `出力 ${shown} V` : `分圧比 ${shown}`;
  return `${found} 上 ${top}、下 ${bottom}（${measure}、誤差 ${error}％）です。`;
}
