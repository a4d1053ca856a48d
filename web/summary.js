// One sentence for screen readers after each calculation: the best pair of
// each block (its first row), with the combined value and the error.
import { cellText } from './cells.js';

function blockSummary(block) {
  const title = block.querySelector('.block-title').textContent;
  // A row's cells stand in the page as on screen: partA, partB, combined, error.
  const [partA, partB, combined, error] = [...block.querySelectorAll('[data-cell]')].slice(0, 4).map(cellText);
  if (!partA) return `${title}は該当なし`;
  return `${title}は ${partA} と ${partB} で合成値 ${combined}、誤差 ${error}％`;
}

export function resultSummary(form) {
  return `${[...form.querySelectorAll('.block')].map(blockSummary).join('、')}です。`;
}
