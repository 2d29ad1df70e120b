'use strict';
// Which classes the list shows, and why: the verdicts ticked, the kind of
// finding, the search (in a class's label and key, then in its attributes'),
// the review filter, and the groups by parent. Plain data in, the list's
// lines out.
const ZorListFilter = (() => {
  // Columns of a class in the index.
  const VERDICT = 0, KIND = 1, PARENT = 4, MASK = 6, ITEM_VERDICTS = 8;

  function kindTest(kind) {
    if (kind === '') return () => true;
    const code = Number(kind.slice(1));
    if (kind[0] === 'c') return (c) => c[KIND] === code;
    return (c) => ((c[MASK] >>> code) & 1) === 1;
  }

  function verdictMask(verdicts) {
    let mask = 0;
    for (const code of verdicts) if (code < 31) mask |= 1 << code;
    return mask;
  }

  // A class is shown when its own finding or one of its attribute and
  // child findings has a ticked verdict, and when the search is found in
  // its label or key (`haystack`) or in the label or key of one of its
  // attributes (`names`, null until they can be read). Why a class is shown
  // goes to `reasons`, for the marks on its line; `reviewed` is the review
  // filter's test, or null.
  function matcher({ classes, haystack, state, names, reviewed, reasons }) {
    const query = state.query.trim().toLowerCase();
    const verdicts = state.verdicts;
    const mask = verdictMask(verdicts);
    const kindMatches = kindTest(state.kind);
    reasons.clear();
    return (i) => {
      const c = classes[i];
      if (reviewed !== null && !reviewed(i)) return false;
      const byItems = !verdicts.has(c[VERDICT]);
      if (byItems && (c[ITEM_VERDICTS] & mask) === 0) return false;
      if (!kindMatches(c)) return false;
      let byAttribute = false;
      if (query !== '' && !haystack[i].includes(query)) {
        if (names === null || names[i] === undefined || !names[i].includes(query)) return false;
        byAttribute = true;
      }
      if (byItems || byAttribute) reasons.set(i, { byItems, byAttribute });
      return true;
    };
  }

  // Groups by parent, in the order of the parents' names; within a group
  // the classes keep the report's order.
  function groupsOf(classes) {
    const byParent = new Map();
    classes.forEach((c, i) => {
      let members = byParent.get(c[PARENT]);
      if (members === undefined) byParent.set(c[PARENT], (members = []));
      members.push(i);
    });
    const parents = [...byParent.keys()].sort((a, b) => {
      const x = a.toLowerCase(), y = b.toLowerCase();
      return x < y ? -1 : x > y ? 1 : a < b ? -1 : a > b ? 1 : 0;
    });
    return parents.map((parent) => ({ parent, members: byParent.get(parent), shown: 0 }));
  }

  // The list's lines: a class's position in `classes`, or -(group + 1) for
  // a group heading (`groups` when the state groups by parent); and how
  // many classes are shown.
  function filterRows(data, groups) {
    const matches = matcher(data);
    const rows = [];
    let shown = 0;
    if (data.state.grouped) {
      groups.forEach((group, g) => {
        const hits = group.members.filter(matches);
        group.shown = hits.length;
        if (hits.length === 0) return;
        shown += hits.length;
        rows.push(-(g + 1));
        if (!data.state.collapsed.has(g)) rows.push(...hits);
      });
    } else {
      for (let i = 0; i < data.classes.length; i++) if (matches(i)) rows.push(i);
      shown = rows.length;
    }
    return { rows, shown };
  }

  return { filterRows, groupsOf };
})();
if (typeof module !== 'undefined') module.exports = ZorListFilter;
