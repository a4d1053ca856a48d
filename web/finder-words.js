// The finder page's own words that change with what it shows; the form's
// and the results' words come from the module, which shares them with the
// window and the command line. The build cuts the bundled face down to the
// characters of this file, find.html and the sources of those words.
// After the summary of fewer part counts, while the most are searched.
export const searchingMore = (count) => `${count} 個の回路を探しています…`;
// Instead of the summary of an older request, while a search takes a while.
export const SEARCHING = '探索中…';
// A worker that died: the next change searches in a fresh one.
export const SEARCH_FAILED = '探索が止まりました。条件を変えると、もう一度探します。';
