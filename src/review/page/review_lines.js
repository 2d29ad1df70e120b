'use strict';
// The list of classes to review, as plain data: a line per class,
// [key, label, parent, items, open items, open items the tool accepted],
// filtered by what is searched and the review filter, and kept up to date
// with the lines a decision's answer brings. Node's tests load this file
// as it is (tests/review_page).
const ZorReviewLines = (() => {
  const KEY = 0, LABEL = 1, PARENT = 2, ITEMS = 3, OPEN = 4, TOOL_OPEN = 5;

  // The lines shown, as indexes into `lines`: those whose label or key
  // holds the search, letter case aside, and that the filter keeps ('open':
  // with an open item; 'tool': with an open item the tool accepted).
  function shown(lines, query, filter) {
    const wanted = query.trim().toLowerCase();
    const out = [];
    lines.forEach((line, i) => {
      if (filter === 'open' && line[OPEN] === 0) return;
      if (filter === 'tool' && line[TOOL_OPEN] === 0) return;
      if (wanted !== '' && !(line[LABEL] + '\n' + line[KEY]).toLowerCase().includes(wanted)) return;
      out.push(i);
    });
    return out;
  }

  // Puts the lines an answer brings in place of those of the same key.
  function update(lines, changed) {
    const at = new Map(lines.map((line, i) => [line[KEY], i]));
    for (const line of changed) {
      const i = at.get(line[KEY]);
      if (i !== undefined) lines[i] = line;
    }
  }

  // The next line after `from` among `rows` (indexes into `lines`) with an
  // open item, going round to the top; -1 for none. `from` -1: from the top.
  function nextOpen(lines, rows, from) {
    for (let step = 1; step <= rows.length; step++) {
      const r = (from + step) % rows.length;
      if (r < 0) continue;
      if (lines[rows[r]][OPEN] > 0 && r !== from) return r;
    }
    return -1;
  }

  // "3 of 5 open", "decided", for a line.
  function progressText(line) {
    if (line[OPEN] === 0) return 'decided';
    return line[OPEN] + ' of ' + line[ITEMS] + ' open';
  }

  return { KEY, LABEL, PARENT, ITEMS, OPEN, TOOL_OPEN, shown, update, nextOpen, progressText };
})();
if (typeof module !== 'undefined') module.exports = ZorReviewLines;
