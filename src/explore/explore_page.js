'use strict';
// The explorer page. Everything it shows comes from the JSON blocks that the
// generator wrote; text is put into the page with textContent only, so no
// name in a dictionary can become markup or script.
(() => {
  // Every line of the list is this tall (see .row in the style sheet); the
  // list draws only the lines in view, placed by this height.
  const ROW_HEIGHT = 28;
  const OVERSCAN = 10;
  const CHUNK_CACHE_SIZE = 8;
  const KNOWN_VERDICTS = ['green', 'blue', 'red', 'orange', 'purple', 'grey'];
  const SVG = 'http://www.w3.org/2000/svg';

  // Columns of a class in the index.
  const VERDICT = 0, KIND = 1, LABEL = 2, KEY = 3, PARENT = 4, SECTION = 5, MASK = 6, ITEMS = 7,
    ITEM_VERDICTS = 8;
  // Columns of a class's entry in its chunk, and of the items that follow it.
  const E_TARGET = 0, E_MESSAGE = 1, E_ROW = 2, E_PROPOSAL = 3, E_FIRST_ITEM = 4;
  const ATTRIBUTE_ITEM = 0;

  const byId = (id) => document.getElementById(id);
  const make = (tag, className, text) => {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined && text !== null) node.textContent = String(text);
    return node;
  };
  const words = (name) => String(name).replace(/_/g, ' ');
  const verdictClass = (name) => 'v-' + (KNOWN_VERDICTS.includes(name) ? name : 'other');

  const index = JSON.parse(byId('zv-index').textContent);
  const classes = index.classes;
  const total = classes.length;
  const verdictNames = index.verdicts;
  const kindNames = index.kinds;
  const sectionNames = index.sections;
  const haystack = classes.map((c) => (c[LABEL] + '\n' + c[KEY]).toLowerCase());
  // The attribute labels and keys of each class, read when a search begins.
  let attributeHaystack = null;
  function attributeNames() {
    if (attributeHaystack === null) {
      const node = byId('zv-attribute-names');
      if (node === null || document.readyState === 'loading' && byId('zv-chunk-0') === null) return null;
      try {
        attributeHaystack = JSON.parse(node.textContent).map((names) => String(names).toLowerCase());
      } catch (error) {
        attributeHaystack = [];
      }
    }
    return attributeHaystack;
  }

  const state = {
    verdicts: new Set(verdictNames.map((_, code) => code)),
    kind: '',
    query: '',
    grouped: false,
    collapsed: new Set(),
    selected: -1,
    review: '',  // '', 'open' or 'tool': the review filter
  };
  // Lines of the list: a class's position in `classes`, or -(group + 1) for
  // a group heading.
  let rows = [];
  let grouping = null;

  function reportHref(key) {
    if (index.report === null) return null;
    try {
      return index.report + '#' + encodeURIComponent(key);
    } catch (error) {
      return index.report;
    }
  }

  function verdictCounts() {
    const counts = verdictNames.map(() => 0);
    for (const c of classes) counts[c[VERDICT]] += 1;
    return counts;
  }

  // ---- Totals -------------------------------------------------------------

  function drawChart(counts) {
    const labelWidth = 70, barSpace = 220, line = 24;
    const highest = Math.max(1, ...counts);
    const svg = document.createElementNS(SVG, 'svg');
    svg.setAttribute('width', String(labelWidth + barSpace + 60));
    // Grey marks attributes only: no class has it, so it gets no bar.
    const bars = counts.map((count, code) => [count, code]).filter(([, code]) => verdictNames[code] !== 'grey');
    svg.setAttribute('height', String(bars.length * line));
    svg.setAttribute('role', 'img');
    svg.setAttribute('aria-label', 'Class findings per verdict');
    bars.forEach(([count, code], place) => {
      const name = verdictNames[code];
      const y = place * line;
      const group = document.createElementNS(SVG, 'g');
      group.setAttribute('class', verdictClass(name));
      const label = document.createElementNS(SVG, 'text');
      label.setAttribute('x', '0');
      label.setAttribute('y', String(y + 16));
      label.textContent = name;
      const bar = document.createElementNS(SVG, 'rect');
      const width = count === 0 ? 0 : Math.max(2, Math.round((count / highest) * barSpace));
      bar.setAttribute('class', 'bar');
      bar.setAttribute('x', String(labelWidth));
      bar.setAttribute('y', String(y + 4));
      bar.setAttribute('width', String(width));
      bar.setAttribute('height', String(line - 8));
      bar.dataset.verdict = name;
      const title = document.createElementNS(SVG, 'title');
      title.textContent = 'Show only ' + name;
      bar.append(title);
      const number = document.createElementNS(SVG, 'text');
      number.setAttribute('x', String(labelWidth + width + 6));
      number.setAttribute('y', String(y + 16));
      number.dataset.count = name;
      number.textContent = String(count);
      group.append(label, bar, number);
      svg.append(group);
    });
    svg.addEventListener('click', (event) => {
      const name = event.target.dataset && event.target.dataset.verdict;
      if (name !== undefined) showOnlyVerdict(verdictNames.indexOf(name));
    });
    byId('chart').replaceChildren(svg);
  }

  function drawTotals() {
    const summary = index.summary;
    const computed = verdictCounts();
    const counts = summary && summary.verdicts
      ? verdictNames.map((name, code) => Number(summary.verdicts[name] ?? computed[code]))
      : computed;
    drawChart(counts);
    const facts = [
      ['classes', 'Classes', summary ? summary.classes : null],
      ['findings', 'Class findings', total],
      ['new_classes_suggested', 'New classes suggested', summary ? summary.new_classes_suggested : null],
      ['requested_unmapped', 'Requested unmapped', summary ? summary.requested_unmapped : null],
      ['no_row', 'Attributes with no row', summary ? summary.no_row : null],
      ['dropped_row', 'Attribute rows dropped', summary ? summary.dropped_row : null],
    ];
    const list = byId('summary');
    for (const [name, text, value] of facts) {
      if (value === null || value === undefined) continue;
      const term = make('dt', null, text);
      const number = make('dd', null, value);
      number.dataset.summary = name;
      list.append(term, number);
    }
  }

  function describeInputs() {
    const inputs = index.inputs;
    const parts = [
      'Source ' + inputs.source,
      'Target ' + inputs.target,
      'Mapping ' + inputs.mapping,
      (inputs.v5v5 ? 'V5/V5' : 'V4/V5') + (inputs.old ? ', older attribute layout' : ''),
    ];
    byId('inputs').textContent = parts.join(' \u00b7 ');
    document.title = 'zorvez explore: ' + inputs.source;
  }

  // ---- Filters ------------------------------------------------------------

  function buildVerdictFilter(counts) {
    const box = byId('verdict-filter');
    verdictNames.forEach((name, code) => {
      const label = make('label', verdictClass(name));
      const toggle = make('input');
      toggle.type = 'checkbox';
      toggle.checked = true;
      toggle.value = String(code);
      toggle.dataset.verdict = name;
      toggle.addEventListener('change', () => {
        if (toggle.checked) state.verdicts.add(code); else state.verdicts.delete(code);
        rebuild();
      });
      label.append(toggle, make('span', 'swatch'), document.createTextNode(name + ' (' + counts[code] + ')'));
      box.append(label);
    });
  }

  function buildKindFilter() {
    const classKinds = kindNames.map(() => 0);
    const itemKinds = kindNames.map(() => 0);
    for (const c of classes) {
      classKinds[c[KIND]] += 1;
      for (let code = 0; code < kindNames.length && code < 31; code++) {
        if ((c[MASK] >>> code) & 1) itemKinds[code] += 1;
      }
    }
    const select = byId('kind-filter');
    const addGroup = (label, prefix, counts) => {
      const group = make('optgroup');
      group.label = label;
      counts.forEach((n, code) => {
        if (n === 0) return;
        const option = make('option', null, words(kindNames[code]) + ' (' + n + ')');
        option.value = prefix + code;
        group.append(option);
      });
      if (group.children.length > 0) select.append(group);
    };
    addGroup('Class finding', 'c', classKinds);
    addGroup('Has an attribute or child finding', 'i', itemKinds);
    select.addEventListener('change', () => {
      state.kind = select.value;
      rebuild();
    });
  }

  function showOnlyVerdict(code) {
    if (code < 0) return;
    state.verdicts = new Set([code]);
    for (const box of byId('verdict-filter').querySelectorAll('input')) {
      box.checked = Number(box.value) === code;
    }
    rebuild();
  }

  function resetFilters() {
    state.verdicts = new Set(verdictNames.map((_, code) => code));
    for (const box of byId('verdict-filter').querySelectorAll('input')) box.checked = true;
    state.kind = '';
    byId('kind-filter').value = '';
    state.query = '';
    byId('search').value = '';
    state.review = '';
    if (byId('review-filter') !== null) byId('review-filter').value = '';
    rebuild();
  }

  function kindTest() {
    if (state.kind === '') return () => true;
    const code = Number(state.kind.slice(1));
    if (state.kind[0] === 'c') return (c) => c[KIND] === code;
    return (c) => ((c[MASK] >>> code) & 1) === 1;
  }

  function verdictMask() {
    let mask = 0;
    for (const code of state.verdicts) if (code < 31) mask |= 1 << code;
    return mask;
  }

  // A class is shown when its own finding or one of its attribute and child
  // findings has a ticked verdict, and when the search is found in its label
  // or key or in the label or key of one of its attributes. Why a class is
  // shown goes to `reasons`, for the marks on its line.
  const reasons = new Map();
  function matcher() {
    const query = state.query.trim().toLowerCase();
    const verdicts = state.verdicts;
    const mask = verdictMask();
    const kindMatches = kindTest();
    const names = query === '' ? null : attributeNames();
    const reviewed = reviewTest();
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

  // Groups by parent, in the order of the parents' names; within a group the
  // classes keep the report's order.
  function groups() {
    if (grouping !== null) return grouping;
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
    grouping = parents.map((parent) => ({ parent, members: byParent.get(parent), shown: 0 }));
    return grouping;
  }

  function rebuild() {
    const matches = matcher();
    const next = [];
    let shown = 0;
    if (state.grouped) {
      groups().forEach((group, g) => {
        const hits = group.members.filter(matches);
        group.shown = hits.length;
        if (hits.length === 0) return;
        shown += hits.length;
        next.push(-(g + 1));
        if (!state.collapsed.has(g)) next.push(...hits);
      });
    } else {
      for (let i = 0; i < total; i++) if (matches(i)) next.push(i);
      shown = next.length;
    }
    rows = next;
    const counter = byId('shown');
    counter.textContent = shown + ' of ' + total + ' class findings';
    counter.dataset.shown = String(shown);
    byId('spacer').style.height = rows.length * ROW_HEIGHT + 'px';
    byId('list').classList.toggle('grouped', state.grouped);
    drawList();
  }

  // ---- The list -----------------------------------------------------------

  function classLine(i) {
    const c = classes[i];
    const verdict = verdictNames[c[VERDICT]];
    const line = make('div', 'row ' + verdictClass(verdict));
    line.setAttribute('role', 'option');
    line.setAttribute('aria-selected', String(i === state.selected));
    line.dataset.index = String(i);
    line.dataset.verdict = verdict;
    line.append(
      make('span', 'swatch'),
      make('span', 'label', c[LABEL] === '' ? '(no label)' : c[LABEL]),
      make('span', 'key', c[KEY]),
      make('span', 'kind', words(kindNames[c[KIND]])),
    );
    line.title = verdict + ': ' + c[LABEL] + ' (' + c[KEY] + ')';
    const why = reasons.get(i);
    if (why !== undefined) {
      const notes = [];
      if (why.byItems) {
        notes.push(verdictNames.filter((_, code) => state.verdicts.has(code) &&
          ((c[ITEM_VERDICTS] >>> code) & 1) === 1).join(', ') + ' attribute');
      }
      if (why.byAttribute) notes.push('attribute matches');
      const note = make('span', 'via', notes.join('; '));
      line.dataset.via = why.byItems ? (why.byAttribute ? 'verdict search' : 'verdict') : 'search';
      line.append(note);
    }
    if (review && review.ofClass[i] !== null) {
      const item = review.ofClass[i];
      const open = isOpen(item);
      const mark = make('span', 'review-mark ' + (open ? 'open' : 'decided'), open ? 'to review' : 'decided');
      line.dataset.review = open ? 'open' : 'decided';
      line.append(mark);
    }
    const items = make('span', 'count', c[ITEMS] > 0 ? c[ITEMS] : '');
    items.title = 'attribute and child findings';
    line.append(items);
    const href = reportHref(c[KEY]);
    if (href !== null) {
      const link = make('a', 'report-link', 'report');
      link.href = href;
      line.append(link);
    }
    return line;
  }

  function groupLine(g) {
    const group = groups()[g];
    const open = !state.collapsed.has(g);
    const line = make('div', 'group', (open ? '\u25be ' : '\u25b8 ') +
      (group.parent === '' ? '(no parent)' : group.parent) + ' (' + group.shown + ')');
    line.dataset.group = String(g);
    line.setAttribute('aria-expanded', String(open));
    return line;
  }

  function drawList() {
    const list = byId('list');
    const first = Math.max(0, Math.floor(list.scrollTop / ROW_HEIGHT) - OVERSCAN);
    const last = Math.min(rows.length,
      Math.ceil((list.scrollTop + list.clientHeight) / ROW_HEIGHT) + OVERSCAN);
    const lines = [];
    for (let r = first; r < last; r++) lines.push(rows[r] < 0 ? groupLine(-rows[r] - 1) : classLine(rows[r]));
    if (rows.length === 0) lines.push(make('div', 'empty', 'No class matches the filters.'));
    const box = byId('rows');
    box.style.transform = 'translateY(' + first * ROW_HEIGHT + 'px)';
    box.replaceChildren(...lines);
  }

  function select(i) {
    if (i !== state.selected) view.focus = view.nextFocus;
    view.nextFocus = 0;
    state.selected = i;
    drawList();
    drawDetail();
  }

  // Selects the class on line `from`, or the nearest one in the direction
  // `step`, else the nearest one the other way, and scrolls it into view.
  function selectLine(from, step) {
    const target = Math.max(0, Math.min(rows.length - 1, from));
    for (const direction of [step, -step]) {
      for (let r = target; r >= 0 && r < rows.length; r += direction) {
        if (rows[r] < 0) continue;
        select(rows[r]);
        const list = byId('list');
        const top = r * ROW_HEIGHT;
        if (top < list.scrollTop) list.scrollTop = top;
        else if (top + ROW_HEIGHT > list.scrollTop + list.clientHeight) {
          list.scrollTop = top + ROW_HEIGHT - list.clientHeight;
        }
        return;
      }
    }
  }

  function moveSelection(step) {
    const at = rows.indexOf(state.selected);
    for (let r = at + step; r >= 0 && r < rows.length; r += step) {
      if (rows[r] >= 0) return selectLine(r, step);
    }
  }

  // Home, End, Page Up and Page Down: the first and last class, or a page of
  // lines up or down.
  function jumpSelection(key) {
    if (rows.length === 0) return;
    const page = Math.max(1, Math.floor(byId('list').clientHeight / ROW_HEIGHT) - 1);
    const at = Math.max(0, rows.indexOf(state.selected));
    if (key === 'Home') selectLine(0, 1);
    else if (key === 'End') selectLine(rows.length - 1, -1);
    else if (key === 'PageDown') selectLine(at + page, 1);
    else selectLine(at - page, -1);
  }

  // ---- The findings of one class -------------------------------------------

  // The attribute findings are parsed a chunk at a time, when a class of the
  // chunk is opened; the chunks follow the script in the page and may still
  // be arriving when the first class is opened.
  const chunkCache = new Map();
  function entryOf(i) {
    const chunk = Math.floor(i / index.chunkClasses);
    if (!chunkCache.has(chunk)) {
      const node = byId('zv-chunk-' + chunk);
      const complete = document.readyState !== 'loading' || byId('zv-chunk-' + (chunk + 1)) !== null;
      if (node === null || !complete) return undefined;
      let entries = null;
      try {
        entries = JSON.parse(node.textContent);
      } catch (error) {
        entries = null;
      }
      if (chunkCache.size >= CHUNK_CACHE_SIZE) chunkCache.delete(chunkCache.keys().next().value);
      chunkCache.set(chunk, entries);
    }
    const entries = chunkCache.get(chunk);
    return entries === null ? null : entries[i % index.chunkClasses] ?? null;
  }

  // "Label (key), parent P, in class C", then any other values as they are.
  function targetText(target) {
    if (target === null || typeof target !== 'object') return '\u2014';
    let text = target.label === undefined ? '' : String(target.label);
    if (target.key !== undefined && target.key !== target.label) {
      text += (text === '' ? '' : ' ') + '(' + target.key + ')';
    }
    const parts = text === '' ? [] : [text];
    if (target.parent !== undefined) parts.push('parent ' + target.parent);
    if (target.class !== undefined) parts.push('in ' + target.class);
    for (const name of Object.keys(target)) {
      if (!['label', 'key', 'parent', 'class'].includes(name)) parts.push(name + ' ' + target[name]);
    }
    return parts.length === 0 ? '\u2014' : parts.join(', ');
  }

  function rowNode(row) {
    if (!Array.isArray(row)) return make('span', 'muted', '\u2014');
    const node = make('span');
    node.append(make('span', 'muted', 'line ' + row[0] + ': '), make('code', null, row[1]));
    return node;
  }

  function proposalNode(proposal) {
    if (!Array.isArray(proposal)) return null;
    const node = make('div');
    if (proposal[0] !== null) node.append(make('div', null, 'Proposed in the DDL: ' + proposal[0]));
    if (proposal[1].length > 0) {
      node.append(make('div', null, 'Proposed mapping rows:'));
      const list = make('ul', 'rows');
      for (const text of proposal[1]) {
        const item = make('li');
        item.append(make('code', null, text));
        list.append(item);
      }
      node.append(list);
    }
    return node;
  }

  function facts(pairs) {
    const list = make('dl', 'facts');
    for (const [term, value] of pairs) {
      if (value === null) continue;
      const description = make('dd');
      if (value instanceof Node) description.append(value); else description.textContent = String(value);
      list.append(make('dt', null, term), description);
    }
    return list;
  }

  function badge(verdictCode, kindCode) {
    const verdict = verdictNames[verdictCode];
    const node = make('span', verdictClass(verdict));
    node.append(make('span', 'badge', verdict), document.createTextNode(' ' + words(kindNames[kindCode])));
    return node;
  }

  // An attribute finding is marked when its verdict is ticked but its
  // class's is not, or when it holds what is searched for.
  function isMarked(classVerdict, verdict, label, key) {
    if (!state.verdicts.has(classVerdict) && state.verdicts.has(verdict)) return true;
    const query = state.query.trim().toLowerCase();
    return query !== '' && (String(label) + '\n' + String(key)).toLowerCase().includes(query);
  }

  function itemTables(entry, entryVerdict) {
    const attributes = make('tbody');
    const children = make('ul', 'rows');
    for (let n = E_FIRST_ITEM; n < entry.length; n++) {
      const item = entry[n];
      if (item[0] === ATTRIBUTE_ITEM) {
        const [, verdict, kind, label, key, target, message, row, proposal] = item;
        const line = make('tr', verdictClass(verdictNames[verdict]));
        line.dataset.verdict = verdictNames[verdict];
        if (isMarked(entryVerdict, verdict, label, key)) line.classList.add('hit');
        const name = make('td');
        name.append(make('div', null, label), make('div', 'muted', key));
        const what = make('td');
        what.append(make('div', null, message));
        const proposed = proposalNode(proposal);
        if (proposed !== null) what.append(proposed);
        const where = make('td');
        where.append(rowNode(row));
        const judged = make('td');
        judged.append(badge(verdict, kind));
        line.append(judged, name, make('td', null, targetText(target)), what, where);
        attributes.append(line);
      } else {
        const [, verdict, kind, label, message, row] = item;
        const line = make('li');
        line.append(badge(verdict, kind), document.createTextNode(' '), make('strong', null, label),
          make('div', null, message), rowNode(row));
        children.append(line);
      }
    }
    const parts = [];
    if (attributes.children.length > 0) {
      const table = make('table');
      const head = make('tr');
      for (const title of ['Verdict', 'Attribute', 'Target', 'Finding', 'Mapping row']) head.append(make('th', null, title));
      const thead = make('thead');
      thead.append(head);
      table.append(thead, attributes);
      parts.push(make('h3', null, 'Attribute findings (' + attributes.children.length + ')'), table);
    }
    if (children.children.length > 0) {
      parts.push(make('h3', null, 'Child classes (' + children.children.length + ')'), children);
    }
    return parts;
  }

  function drawDetail() {
    const box = byId('detail');
    const i = state.selected;
    if (i < 0) return;
    const c = classes[i];
    const parts = [make('h2', null, c[LABEL] === '' ? '(no label)' : c[LABEL]), badge(c[VERDICT], c[KIND])];
    const href = reportHref(c[KEY]);
    let link = null;
    if (href !== null) {
      link = make('a', 'report-link', 'open in the report');
      link.href = href;
    }
    const section = sectionNames[c[SECTION]];
    const entry = entryOf(i);
    const known = [['Key', c[KEY]], ['Parent', c[PARENT]],
      ['Section', section === 'body' ? null : words(section)], ['Report', link]];
    if (entry === undefined) {
      parts.push(facts(known), make('p', 'hint', 'Loading the findings\u2026'));
    } else if (entry === null) {
      parts.push(facts(known), make('p', 'hint', 'The findings of this class could not be read.'));
    } else {
      known.push(['Finding', entry[E_MESSAGE]], ['Target', targetText(entry[E_TARGET])],
        ['Mapping row', Array.isArray(entry[E_ROW]) ? rowNode(entry[E_ROW]) : null],
        ['Proposal', proposalNode(entry[E_PROPOSAL])]);
      parts.push(facts(known), ...itemTables(entry, c[VERDICT]));
    }
    if (readReview() !== null && review.ofClass[i] !== null) parts.splice(2, 0, drawReview(i, entry || null));
    // Redrawn for the same class, the panel stays where it was, then
    // follows the item being decided.
    const scrolled = view.drawnClass === i ? box.scrollTop : 0;
    view.drawnClass = i;
    box.replaceChildren(...parts);
    box.scrollTop = scrolled;
    const focused = box.querySelector('.review-item.focused');
    if (focused !== null) scrollIntoPanel(box, focused);
  }

  // Scrolls the panel as little as brings `node` into view, its top first
  // where it is taller than the panel.
  function scrollIntoPanel(box, node) {
    const margin = 8;
    const top = node.getBoundingClientRect().top - box.getBoundingClientRect().top + box.scrollTop;
    const bottom = top + node.offsetHeight;
    if (top - margin < box.scrollTop || node.offsetHeight + 2 * margin > box.clientHeight) {
      box.scrollTop = Math.max(0, top - margin);
    } else if (bottom + margin > box.scrollTop + box.clientHeight) {
      box.scrollTop = bottom + margin - box.clientHeight;
    }
  }

  // ---- Suggestions to review ------------------------------------------------

  // The block of suggestions follows the findings and is read at the first
  // need: opening a class, or a review filter. Each class item and attribute
  // item gets a decision: a target ({k} for a class, {c, k} for an
  // attribute) or No Mapping ({none: true}); no decision leaves it open.
  // Decisions live in the browser's local storage under a name made from
  // the block's text, so another page never picks them up.
  // An item's row is null, its table line, or where the table holds it
  // complete [line, text after the columns the page knows] (or [line, text,
  // 1]). The number of tied first candidates and the fate of the tool's row
  // where suggest does not write it ([why, note], or [why, the note after
  // its table line and the item's name, line or 0]) may be left out at the
  // end.
  const C_REASON = 0, C_ROW = 1, C_CANDIDATES = 2, C_ACCEPTED = 3, C_TIED = 4, C_FATE = 5;
  const A_LABEL = 0, A_KEY = 1, A_REASON = 2, A_ROW = 3, A_CANDIDATES = 4, A_ACCEPTED = 5, A_TIED = 6, A_FATE = 7;
  const S_KEY = 0, S_LABEL = 1, S_PARENT = 2, S_CLASS = 3, S_ATTRIBUTES = 4;
  const NO_MAPPING = 'No Mapping';
  const TAKEN = 'taken by another item';
  // A decisions file names its format; the page reminds the reviewer to
  // save one once this many decisions are kept only in the browser.
  const DECISIONS_FORMAT = 'zorvez-review-decisions';
  const UNSAVED_REMINDER = 25;
  let review;  // undefined until read; null when the page has none
  // The focused item of the open class, the one to focus in the class
  // opened next, the candidate shown per item ("KEY\nitem"), the class the
  // panel shows, the status line's message and its buttons, and what the
  // last clear or load replaced.
  const view = {
    focus: 0, nextFocus: 0, shown: new Map(), drawnClass: -1, message: '', actions: [], undo: null,
  };

  function hashText(text) {
    let a = 0x811c9dc5, b = 0x01000193 ^ text.length;
    for (let n = 0; n < text.length; n++) {
      const unit = text.charCodeAt(n);
      a = Math.imul(a ^ unit, 0x01000193);
      b = Math.imul(b ^ unit, 0x5bd1e995) ^ (b >>> 15);
    }
    return (a >>> 0).toString(16).padStart(8, '0') + (b >>> 0).toString(16).padStart(8, '0');
  }

  // Undoes what the writer did to keep the block small: a carried attribute
  // given by its label alone (its key is the label without blanks), an
  // attribute item's reason as a number, its candidates as [class or ""
  // for the previous one's, place among the class's carried attributes or
  // key, score, evidence, label where not carried, what took it where it
  // was demoted], and evidence as [mask, word with its detail, ...] where a
  // word has a detail. A candidate of either kind then holds its evidence
  // mask fifth, what took it sixth and the evidence details seventh.
  function expandBlock(block) {
    for (const key of Object.keys(block.attributes)) {
      block.attributes[key] = block.attributes[key].map((a) => typeof a === 'string' ? [a.replace(/ /g, ''), a] : a);
    }
    for (const item of block.items) {
      if (item[S_CLASS] !== null) item[S_CLASS][C_CANDIDATES].forEach(splitEvidence);
      for (const attribute of item[S_ATTRIBUTES]) {
        attribute[A_REASON] = block.reasons[attribute[A_REASON]] ?? '';
        let owner = '';
        attribute[A_CANDIDATES] = attribute[A_CANDIDATES].map((c) => {
          if (c[0] !== '') owner = c[0];
          if (typeof c[1] !== 'number') return splitEvidence([owner, c[1], c.length > 4 ? c[4] : '', c[2], c[3], c[5]]);
          const carried = (block.attributes[owner] || [])[c[1]] || ['', ''];
          return splitEvidence([owner, carried[0], carried[1], c[2], c[3], c[4]]);
        });
      }
    }
  }

  function splitEvidence(candidate) {
    const evidence = candidate[4];
    if (Array.isArray(evidence)) {
      candidate[4] = evidence[0];
      candidate[6] = evidence.slice(1);
    }
    return candidate;
  }

  function readReview() {
    if (review !== undefined) return review;
    const node = byId('zv-suggest');
    if (document.readyState === 'loading') return null;
    if (node === null) return (review = null);
    let block;
    try {
      block = JSON.parse(node.textContent);
    } catch (error) {
      return (review = null);
    }
    const firstOfKey = new Map();
    classes.forEach((c, i) => { if (!firstOfKey.has(c[KEY])) firstOfKey.set(c[KEY], i); });
    const ofClass = new Array(total).fill(null);
    const itemOfKey = new Map();
    for (const item of block.items) {
      const i = firstOfKey.get(item[S_KEY]);
      if (i !== undefined && ofClass[i] === null) ofClass[i] = item;
      if (!itemOfKey.has(item[S_KEY])) itemOfKey.set(item[S_KEY], item);
    }
    expandBlock(block);
    const targets = new Map(block.targets.map((t) => [t[0], t]));
    const hash = hashText(node.textContent);
    review = {
      block, ofClass, itemOfKey, firstOfKey, targets, hash, storage: 'zorvez-review:' + hash, decisions: {}, unsaved: 0,
    };
    try {
      review.decisions = JSON.parse(localStorage.getItem(review.storage) || '{}') || {};
      review.unsaved = Number(localStorage.getItem(review.storage + ':unsaved')) || 0;
    } catch (error) {
      review.decisions = {};
    }
    return review;
  }

  // Keeps the decisions in the browser, with how many changed since they
  // were last saved to a file or loaded from one.
  function saveDecisions(countOnly = false) {
    try {
      if (!countOnly) localStorage.setItem(review.storage, JSON.stringify(review.decisions));
      localStorage.setItem(review.storage + ':unsaved', String(review.unsaved));
    } catch (error) {
      say('The decisions could not be kept in this browser: ' + error.message + '. Save decisions keeps them in a file.');
    }
    showStatus();
  }

  // The items of a class to decide, the class item first: [kind, item].
  function reviewItems(item) {
    const list = [];
    if (item[S_CLASS] !== null) list.push(['class', item[S_CLASS]]);
    for (const attribute of item[S_ATTRIBUTES]) list.push(['attribute', attribute]);
    return list;
  }

  // An attribute is known by its key and label: a key may be empty.
  const attributeId = (entry) => entry[A_KEY] + '\n' + entry[A_LABEL];

  function decisionOf(item, kind, entry) {
    const saved = review.decisions[item[S_KEY]];
    if (saved === undefined) return undefined;
    return kind === 'class' ? saved.c : (saved.a || {})[attributeId(entry)];
  }

  // Sets one decision in `decisions`, or with `undefined` removes it.
  function setDecision(decisions, item, kind, entry, decision) {
    const key = item[S_KEY];
    const saved = decisions[key] || (decisions[key] = {});
    if (kind === 'class') {
      if (decision === undefined) delete saved.c; else saved.c = decision;
    } else {
      saved.a = saved.a || {};
      if (decision === undefined) delete saved.a[attributeId(entry)]; else saved.a[attributeId(entry)] = decision;
    }
    if (saved.c === undefined && (saved.a === undefined || Object.keys(saved.a).length === 0)) delete decisions[key];
  }

  function decide(item, kind, entry, decision) {
    setDecision(review.decisions, item, kind, entry, decision);
    review.unsaved += 1;
    saveDecisions();
    // The class's line says "decided" as soon as its last item is.
    drawList();
  }

  const isOpen = (item) => reviewItems(item).some(([kind, entry]) => decisionOf(item, kind, entry) === undefined);
  const toolAcceptedOpen = (item) => reviewItems(item).some(([kind, entry]) =>
    entry[kind === 'class' ? C_ACCEPTED : A_ACCEPTED] >= 0 && decisionOf(item, kind, entry) === undefined);

  // The review filter's test of a class, or null for no filter.
  function reviewTest() {
    if (!state.review || readReview() === null) return null;
    const test = state.review === 'open' ? isOpen : toolAcceptedOpen;
    return (i) => review.ofClass[i] !== null && test(review.ofClass[i]);
  }

  // A candidate as a decision, and a decision as the candidate it names.
  function candidateDecision(kind, candidate) {
    return kind === 'class' ? { k: candidate[0] } : { c: candidate[0], k: candidate[1] };
  }
  function sameTarget(kind, decision, candidate) {
    if (!decision || decision.none) return false;
    return kind === 'class' ? decision.k === candidate[0] : decision.c === candidate[0] && decision.k === candidate[1];
  }

  // The place of the candidate an item shows: the one picked with the
  // arrows or a digit, else the one decided, else the first; -1 for a typed
  // target that no candidate names.
  function shownCandidate(item, n, kind, entry) {
    const id = item[S_KEY] + '\n' + n;
    if (view.shown.has(id)) return view.shown.get(id);
    const candidates = entry[kind === 'class' ? C_CANDIDATES : A_CANDIDATES];
    const decision = decisionOf(item, kind, entry);
    const at = candidates.findIndex((candidate) => sameTarget(kind, decision, candidate));
    return at >= 0 ? at : decision && !decision.none ? -1 : 0;
  }

  // The candidate at `at`, or for -1 the typed target in a candidate's
  // shape, with no score.
  function candidateAt(item, kind, entry, at) {
    if (at >= 0) return entry[kind === 'class' ? C_CANDIDATES : A_CANDIDATES][at];
    const decision = decisionOf(item, kind, entry);
    if (!decision || decision.none) return undefined;
    if (kind === 'class') {
      const t = review.targets.get(decision.k) || [decision.k, decision.k, ''];
      return [t[0], t[1], t[2], null, 0];
    }
    const found = (targetAttributes(decision.c) || []).find((a) => a[0] === decision.k);
    return [decision.c, decision.k, found ? found[1] : decision.k, null, 0];
  }

  // Typing a key decides; the item then shows what was typed.
  function decideTyped(item, n, decision) {
    view.focus = n;
    view.shown.delete(item[S_KEY] + '\n' + n);
    decideFocused(decision);
  }

  // The target class's parent chain, nearest first, stopping at a loop.
  function parentChain(key) {
    const chain = [];
    const seen = new Set([key]);
    let at = review.targets.get(key);
    while (at && at[2] !== '' && !seen.has(at[2])) {
      seen.add(at[2]);
      chain.push(at[2]);
      at = review.targets.get(at[2]);
    }
    return chain;
  }

  // The attributes of a target class with those of its ancestors, or null
  // when the page does not carry them (a class no suggestion names).
  function targetAttributes(key) {
    const own = review.block.attributes[key];
    if (own === undefined) return null;
    const all = own.map((a) => [a[0], a[1], key]);
    for (const parent of parentChain(key)) {
      for (const a of review.block.attributes[parent] || []) all.push([a[0], a[1], parent]);
    }
    return all;
  }

  const plainName = (text) => String(text).toLowerCase().replace(/[^\p{L}\p{N}]+/gu, '');

  // The signals that agreed on a candidate, each with the words it relates
  // where it names them ("lexicon: renal ~ kidney"); being taken by another
  // item is not one of them and is said apart (demotion).
  function evidenceWords(candidate) {
    const mask = candidate[4], details = candidate[6] || [];
    const names = review.block.evidence.filter((name, code) => name !== TAKEN && ((mask >>> code) & 1) === 1);
    const said = names.map((name) => {
      const detailed = details.filter((detail) => detail.startsWith(name + ': '));
      return detailed.length > 0 ? detailed.join(', ') : words(name);
    });
    return said.length === 0 ? 'no signal agreed' : 'agreed: ' + said.join(', ');
  }

  function isDemoted(candidate) {
    const code = review.block.evidence.indexOf(TAKEN);
    return code >= 0 && code < 32 && ((candidate[4] >>> code) & 1) === 1;
  }

  // A source class by label and key, as the list names it.
  function sourceClassName(key) {
    const i = review.firstOfKey.get(key);
    const label = i === undefined ? '' : classes[i][LABEL];
    return label === '' || label === key ? key : label + ' (' + key + ')';
  }

  // What took a demoted candidate's target: a table line that maps it
  // already, a class item, or an attribute item (its class and label).
  function demotionText(candidate) {
    const taker = candidate[5];
    if (typeof taker === 'number') return 'line ' + taker + ' of the mapping table maps this target already';
    if (typeof taker === 'string') return 'taken by the class ' + sourceClassName(taker);
    if (Array.isArray(taker)) return 'taken by the attribute ' + taker[1] + ' of ' + sourceClassName(taker[0]);
    return 'taken by another item';
  }

  // Both kinds of candidate hold their score fourth; a typed target has none.
  const scoreText = (candidate) => candidate[3] === null ? 'typed, not a candidate' : 'score ' + Number(candidate[3]).toFixed(2);

  // An attribute candidate's label is left out when the page carries it
  // with its class's attributes.
  function attributeLabel(candidate) {
    if (candidate[2] !== '') return candidate[2];
    const found = (review.block.attributes[candidate[0]] || []).find((a) => a[0] === candidate[1]);
    return found ? found[1] : candidate[1];
  }

  function candidateName(kind, candidate) {
    return kind === 'class'
      ? candidate[1] + ' (' + candidate[0] + ')'
      : attributeLabel(candidate) + ' (' + candidate[1] + ') in ' + candidate[0];
  }

  function decisionText(kind, decision) {
    if (decision === undefined) return 'open';
    if (decision.none) return NO_MAPPING;
    return kind === 'class' ? 'mapped to ' + decision.k : 'mapped to ' + decision.k + ' in ' + decision.c;
  }

  // Target keys that begin with, then hold, what is typed; at most `limit`.
  function completions(typed, keys, limit) {
    const wanted = typed.toLowerCase();
    if (wanted === '') return [];
    const first = [], then = [];
    for (const key of keys) {
      const lower = key.toLowerCase();
      if (lower.startsWith(wanted)) first.push(key);
      else if (then.length < limit && lower.includes(wanted)) then.push(key);
      if (first.length >= limit) break;
    }
    return first.concat(then).slice(0, limit);
  }

  // A text box for a target key: Tab completes to the first proposal, Enter
  // decides when the key is found, Escape leaves the box.
  function keyBox(placeholder, keysOf, onKey) {
    const box = make('span', 'key-box');
    const input = make('input');
    input.type = 'text';
    input.placeholder = placeholder;
    input.autocomplete = 'off';
    input.spellcheck = false;
    const proposals = make('span', 'proposals');
    const note = make('span', 'key-note');
    input.addEventListener('input', () => {
      const found = completions(input.value, keysOf(), 8);
      proposals.replaceChildren(...found.map((key) => {
        const option = make('button', 'proposal', key);
        option.type = 'button';
        option.addEventListener('click', () => { input.value = key; input.focus(); });
        return option;
      }));
      note.textContent = '';
    });
    input.addEventListener('keydown', (event) => {
      event.stopPropagation();
      if (event.key === 'Tab' && proposals.firstChild && input.value !== proposals.firstChild.textContent) {
        event.preventDefault();
        input.value = proposals.firstChild.textContent;
      } else if (event.key === 'Enter') {
        event.preventDefault();
        const problem = onKey(input.value.trim());
        if (problem) note.textContent = problem;
      } else if (event.key === 'Escape') {
        input.blur();
      }
    });
    box.append(input, proposals, note);
    return box;
  }

  function button(text, title, action) {
    const node = make('button', null, text);
    node.type = 'button';
    node.title = title;
    node.addEventListener('click', action);
    return node;
  }

  function drawReview(i, entry) {
    const item = review.ofClass[i];
    const c = classes[i];
    const items = reviewItems(item);
    view.focus = Math.max(0, Math.min(view.focus, items.length - 1));
    const box = make('section', 'review');
    box.append(make('h3', null, 'Review the suggestions'));
    // The source attributes the page knows: those of the items and of the
    // attribute findings, each once.
    const sourceAttributes = new Map();
    for (const a of item[S_ATTRIBUTES]) sourceAttributes.set(attributeId(a), [a[A_KEY], a[A_LABEL]]);
    if (entry) {
      for (let n = E_FIRST_ITEM; n < entry.length; n++) {
        const [type, , , label, key] = entry[n];
        if (type === ATTRIBUTE_ITEM) sourceAttributes.set(key + '\n' + label, [key, label]);
      }
    }
    items.forEach(([kind, part], n) => {
      box.append(kind === 'class'
        ? classReview(item, c, part, n, sourceAttributes)
        : attributeReview(item, part, n));
    });
    return box;
  }

  function focusMark(node, n) {
    node.dataset.item = String(n);
    if (n === view.focus) node.classList.add('focused');
    node.addEventListener('click', () => { if (view.focus !== n) { view.focus = n; drawDetail(); } });
  }

  function decisionButtons(item, kind, part, candidate) {
    const line = make('div', 'decide');
    const decision = decisionOf(item, kind, part);
    const status = make('span', 'decision ' + (decision === undefined ? 'open' : 'decided'),
      'Decision: ' + decisionText(kind, decision));
    line.append(
      button('Accept', 'accept the shown candidate and go to the next open item (a)', () => acceptShown()),
      button(NO_MAPPING, 'no target (n)', () => decideFocused({ none: true })),
      button('Leave open', 'undo the decision (u)', () => decideFocused(undefined)),
      status);
    line.dataset.candidate = candidate ? String(candidate[0]) : '';
    return line;
  }

  function candidateList(item, kind, part, n, shown) {
    const list = make('ol', 'candidates');
    const decision = decisionOf(item, kind, part);
    const accepted = part[kind === 'class' ? C_ACCEPTED : A_ACCEPTED];
    const tied = tiedCount(kind, part);
    part[kind === 'class' ? C_CANDIDATES : A_CANDIDATES].forEach((candidate, at) => {
      const line = make('li', at === shown ? 'shown' : null);
      const pick = make('button', 'candidate', candidateName(kind, candidate));
      pick.type = 'button';
      pick.addEventListener('click', () => { view.focus = n; showCandidate(at); });
      line.append(pick, make('span', 'muted', ' ' + scoreText(candidate, kind) +
        (at === accepted ? ', accepted by the tool' : '') + (at < tied ? ', tied' : '') +
        (sameTarget(kind, decision, candidate) ? ', chosen' : '') +
        (isDemoted(candidate) ? ', ' + demotionText(candidate) : '')));
      list.append(line);
    });
    return list;
  }

  const tiedCount = (kind, part) => part[kind === 'class' ? C_TIED : A_TIED] || 0;

  // Why the tool accepted none of an item's candidates, where the first ones
  // are tied; null otherwise.
  function tiedNote(kind, part) {
    const tied = tiedCount(kind, part);
    if (tied < 2) return null;
    return make('div', 'tied', 'Nothing accepted: the first ' + (tied === 2 ? 'two' : tied) + ' candidates are tied. ' +
      'Their scores read the same and nothing the tool knows tells them apart: choose one, or type the target.');
  }

  // The item's row in the table: its line, and its text where the table
  // holds it complete.
  function mappingRowLine(item, kind, part) {
    const row = part[kind === 'class' ? C_ROW : A_ROW];
    if (row === null || row === undefined) return null;
    const line = Array.isArray(row) ? row[0] + ': ' + completeRowText(item, kind, part) : row;
    return make('div', 'muted', 'Mapping row: line ' + line);
  }

  // The target attribute a source attribute pairs with in a candidate class
  // (`attributes`: its attributes and its ancestors'): the one decided, else
  // the one the tool accepted, else its best candidate there that no other
  // item took, else one of the same name. Null when it pairs with none, or
  // is decided No Mapping.
  function partnerOf(item, part, key, label, attributes) {
    // A typed attribute names the class decided, which may hold it through
    // an ancestor.
    const inCandidate = (owner, attribute) => attributes.find((a) => a[0] === attribute &&
      (a[2] === owner || parentChain(owner).includes(a[2])));
    const decision = part === undefined ? undefined : decisionOf(item, 'attribute', part);
    if (decision) return decision.none ? null : inCandidate(decision.c, decision.k) || null;
    const candidates = part === undefined ? [] : part[A_CANDIDATES];
    const accepted = candidates[part === undefined ? -1 : part[A_ACCEPTED]];
    const paired = [accepted, ...candidates.filter((candidate) => !isDemoted(candidate))]
      .map((candidate) => candidate && inCandidate(candidate[0], candidate[1])).find((found) => found);
    if (paired) return paired;
    const names = new Set([plainName(key), plainName(label)].filter((name) => name !== ''));
    return attributes.find((a) => names.has(plainName(a[0])) || names.has(plainName(a[1]))) || null;
  }

  // The candidate's side of a class item (or the typed target's): its facts
  // and attributes, and which of them each source attribute pairs with.
  function candidateSide(item, part, shown, candidate, sourceAttributes) {
    const target = make('div', 'side-target');
    const partners = new Map();
    target.append(make('h5', null, shown < 0 ? 'Typed target' : 'Candidate'));
    if (candidate === undefined) {
      target.append(make('p', 'hint', 'No candidate.'));
      return { target, partners };
    }
    const chain = parentChain(candidate[0]);
    const typed = candidate[3] === null;
    target.append(facts([['Label', candidate[1]], ['Key', candidate[0]],
      ['Parents', chain.length > 0 ? chain.join(' \u2190 ') : candidate[2] || '\u2014'],
      ['Score', typed ? scoreText(candidate)
        : Number(candidate[3]).toFixed(2) + (shown === part[C_ACCEPTED] ? ', accepted by the tool' : '')],
      ['Evidence', typed ? null : evidenceWords(candidate)],
      ['Demoted', isDemoted(candidate) ? demotionText(candidate) : null]]));
    const attributes = targetAttributes(candidate[0]);
    if (attributes === null) {
      target.append(make('p', 'hint', 'Its attributes are not in this page.'));
      return { target, partners };
    }
    const parts = new Map(item[S_ATTRIBUTES].map((a) => [attributeId(a), a]));
    for (const [id, [key, label]] of sourceAttributes) {
      const partner = partnerOf(item, parts.get(id), key, label, attributes);
      if (partner !== null) partners.set(id, partner);
    }
    const list = make('ul', 'attributes');
    for (const a of attributes) {
      list.append(make('li', null, a[1] + ' (' + a[0] + ')' + (a[2] === candidate[0] ? '' : ', from ' + a[2])));
    }
    target.append(make('div', 'muted', 'Attributes (' + attributes.length + ')'), list);
    return { target, partners };
  }

  function classReview(item, c, part, n, sourceAttributes) {
    const node = make('div', 'review-item class-item');
    focusMark(node, n);
    const shown = shownCandidate(item, n, 'class', part);
    const candidate = candidateAt(item, 'class', part, shown);
    node.append(make('h4', null, 'Class: ' + words(part[C_REASON])));
    for (const line of [mappingRowLine(item, 'class', part), tiedNote('class', part)]) if (line !== null) node.append(line);
    const side = make('div', 'side');
    const source = make('div', 'side-source');
    source.append(make('h5', null, 'Source'), facts([['Label', item[S_LABEL]], ['Key', item[S_KEY]], ['Parent', item[S_PARENT]]]));
    const { target, partners } = candidateSide(item, part, shown, candidate, sourceAttributes);
    const list = make('ul', 'attributes');
    for (const [id, [key, label]] of sourceAttributes) {
      const partner = partners.get(id);
      const line = make('li', partner ? 'partner' : null, label + (key === '' ? '' : ' (' + key + ')') +
        (partner ? ' \u2713 has a partner: ' + partner[1] + ' (' + partner[0] + ')' : ''));
      list.append(line);
    }
    source.append(make('div', 'muted', 'Attributes (' + sourceAttributes.size + ')'), list);
    side.append(source, target);
    node.append(side, decisionButtons(item, 'class', part, candidate),
      candidateList(item, 'class', part, n, shown),
      keyBox('type a target class key', () => review.targets.keys(), (key) => {
        if (!review.targets.has(key)) return key + ' is not a class of the target dictionary';
        decideTyped(item, n, { k: key });
        return null;
      }));
    return node;
  }

  // The target class of an attribute: its class's decision, else the shown
  // candidate's class.
  function attributeClass(item, candidate) {
    const saved = review.decisions[item[S_KEY]];
    if (saved && saved.c && !saved.c.none) return saved.c.k;
    return candidate ? candidate[0] : '';
  }

  function attributeReview(item, part, n) {
    const node = make('div', 'review-item attribute-item');
    focusMark(node, n);
    const shown = shownCandidate(item, n, 'attribute', part);
    const candidate = candidateAt(item, 'attribute', part, shown);
    node.append(make('h4', null, 'Attribute ' + part[A_LABEL] + (part[A_KEY] === '' ? '' : ' (' + part[A_KEY] + ')') +
      ': ' + words(part[A_REASON])));
    for (const line of [mappingRowLine(item, 'attribute', part), tiedNote('attribute', part)]) if (line !== null) node.append(line);
    if (candidate !== undefined) {
      node.append(make('div', 'evidence', candidateName('attribute', candidate) + ', ' + scoreText(candidate) +
        (candidate[3] === null ? '' : ', ' + evidenceWords(candidate))));
      if (isDemoted(candidate)) node.append(make('div', 'demoted', 'Demoted: ' + demotionText(candidate)));
    }
    const keysOf = () => (targetAttributes(attributeClass(item, candidate)) || []).map((a) => a[0]);
    node.append(decisionButtons(item, 'attribute', part, candidate),
      candidateList(item, 'attribute', part, n, shown),
      keyBox('type a target attribute key', keysOf, (key) => {
        const owner = attributeClass(item, candidate);
        const found = (targetAttributes(owner) || []).some((a) => a[0] === key);
        if (!found) return key + ' is not an attribute of ' + (owner || 'the target class') + ' in this page';
        decideTyped(item, n, { c: owner, k: key });
        return null;
      }));
    return node;
  }

  // ---- Review actions ---------------------------------------------------------

  function focusedItem() {
    if (state.selected < 0 || readReview() === null) return null;
    const item = review.ofClass[state.selected];
    if (item === null) return null;
    const items = reviewItems(item);
    if (items.length === 0) return null;
    const n = Math.min(view.focus, items.length - 1);
    return { item, n, kind: items[n][0], part: items[n][1] };
  }

  function decideFocused(decision) {
    const at = focusedItem();
    if (at === null) return;
    decide(at.item, at.kind, at.part, decision);
    drawDetail();
  }

  function acceptShown() {
    const at = focusedItem();
    if (at === null) return;
    const candidate = candidateAt(at.item, at.kind, at.part, shownCandidate(at.item, at.n, at.kind, at.part));
    if (candidate === undefined) return;
    decide(at.item, at.kind, at.part, candidateDecision(at.kind, candidate));
    nextOpen();
  }

  function showCandidate(at) {
    const focus = focusedItem();
    if (focus === null) return;
    const count = focus.part[focus.kind === 'class' ? C_CANDIDATES : A_CANDIDATES].length;
    if (count === 0) return;
    view.shown.set(focus.item[S_KEY] + '\n' + focus.n, (at + count) % count);
    drawDetail();
  }

  // From a typed target, → shows the first candidate and ← the last.
  function stepCandidate(step) {
    const at = focusedItem();
    if (at === null) return;
    const shown = shownCandidate(at.item, at.n, at.kind, at.part);
    showCandidate(shown < 0 ? (step > 0 ? 0 : -1) : shown + step);
  }

  // j and k: the next or previous item of the class, round from the last to
  // the first and from the first to the last.
  function stepItem(step) {
    const at = focusedItem();
    if (at === null) return;
    const count = reviewItems(at.item).length;
    const next = at.n + step;
    view.focus = (next + count) % count;
    if (next >= count) say('Back to the first item of this class.');
    else if (next < 0) say('On to the last item of this class.');
    drawDetail();
  }

  // The first open item among items[from, to) of a class, or -1.
  function openItemIn(item, from, to) {
    const items = reviewItems(item);
    for (let n = from; n < Math.min(to, items.length); n++) {
      if (decisionOf(item, items[n][0], items[n][1]) === undefined) return n;
    }
    return -1;
  }

  // The next open item: in this class after the focused one, else the first
  // open item of the next class down the list that has one, going on from
  // the top of the list after its end, and last the open items of this class
  // before the focused one. The status line says when it went round.
  function nextOpen() {
    const at = focusedItem();
    if (at === null) return;
    let n = openItemIn(at.item, at.n + 1, Infinity);
    if (n >= 0) {
      view.focus = n;
      drawDetail();
      return;
    }
    const from = rows.indexOf(state.selected);
    for (let step = 1; step < rows.length + (from < 0 ? 1 : 0); step++) {
      const r = (from + step) % rows.length;
      const i = rows[r];
      if (i < 0 || i === state.selected || review.ofClass[i] === null) continue;
      const first = openItemIn(review.ofClass[i], 0, Infinity);
      if (first < 0) continue;
      view.nextFocus = first;
      if (from >= 0 && r < from) say('Round to the top of the list: no open item below.');
      selectLine(r, 1);
      return;
    }
    n = openItemIn(at.item, 0, at.n + 1);
    if (n >= 0 && n !== at.n) {
      view.focus = n;
      say('Back to an earlier item of this class: no other class in the list has an open item.');
    } else if (n === at.n) {
      say('This is the last open item in the list.');
    } else {
      say('No open item left in the list.');
    }
    drawDetail();
  }

  function acceptTheTools() {
    if (readReview() === null) return;
    let decided = 0;
    for (const item of review.block.items) {
      for (const [kind, part] of reviewItems(item)) {
        const accepted = part[kind === 'class' ? C_ACCEPTED : A_ACCEPTED];
        if (accepted < 0 || decisionOf(item, kind, part) !== undefined) continue;
        const candidate = part[kind === 'class' ? C_CANDIDATES : A_CANDIDATES][accepted];
        const saved = review.decisions[item[S_KEY]] || (review.decisions[item[S_KEY]] = {});
        if (kind === 'class') saved.c = candidateDecision(kind, candidate);
        else (saved.a = saved.a || {})[attributeId(part)] = candidateDecision(kind, candidate);
        decided += 1;
      }
    }
    review.unsaved += decided;
    say(decided + ' items decided as the tool accepted them.');
    saveDecisions();
    rebuild();
    drawDetail();
  }

  // ---- Keeping the decisions: status line, clear and undo, save and load -------

  // What the last action did, with its buttons, then the undo of the last
  // clear or load, then a reminder to save while many decisions are only in
  // this browser.
  function showStatus() {
    const bar = byId('review-status');
    if (bar === null || !review) return;
    const parts = [];
    if (view.message) parts.push(make('span', 'message', view.message), ...view.actions);
    if (view.undo !== null) {
      const undo = button(view.undo.label, 'bring back the decisions as they were before', undoReplace);
      undo.id = 'undo';
      parts.push(undo);
    }
    if (review.unsaved >= UNSAVED_REMINDER) {
      parts.push(make('span', 'reminder', review.unsaved + ' decisions are not saved to a file: they are kept ' +
        'only in this browser. Save decisions writes them to one.'));
    }
    bar.replaceChildren(...parts);
  }

  function say(message, actions = []) {
    view.message = message;
    view.actions = actions;
    showStatus();
  }

  function decisionCount(decisions) {
    let count = 0;
    for (const saved of Object.values(decisions)) count += (saved.c ? 1 : 0) + Object.keys(saved.a || {}).length;
    return count;
  }

  // Puts `decisions` in place of the page's, keeping what they replace for
  // an undo (labelled `label`) until the page is closed. Replacing none
  // leaves the undo there was: after a clear, loading a file can still be
  // undone to the decisions cleared.
  function replaceDecisions(decisions, unsaved, label) {
    const before = decisionCount(review.decisions);
    if (before > 0) view.undo = { decisions: review.decisions, unsaved: review.unsaved, label };
    review.decisions = decisions;
    review.unsaved = unsaved;
    view.shown.clear();
    saveDecisions();
    rebuild();
    drawDetail();
    return before;
  }

  // An undo can itself be undone ("Redo clear"), so that decisions made
  // after a clear are not lost to its undo.
  function undoReplace() {
    const kept = view.undo;
    if (kept === null) return;
    view.undo = null;
    const again = (kept.label.startsWith('Undo') ? 'Redo' : 'Undo') + kept.label.slice(4);
    replaceDecisions(kept.decisions, kept.unsaved, again);
    say(decisionCount(review.decisions) + ' decisions are back.');
  }

  // Clearing asks first; the decisions cleared can be brought back while
  // the page stays open.
  function clearDecisions() {
    if (readReview() === null) return;
    const count = decisionCount(review.decisions);
    if (count === 0) {
      say('There is no decision to clear.');
      return;
    }
    const yes = button('Clear them', 'forget every decision of this page', () => {
      replaceDecisions({}, 0, 'Undo clear');
      say('Cleared ' + count + ' decisions.');
    });
    yes.id = 'confirm-clear';
    const no = button('Keep them', 'clear nothing', () => say('Nothing was cleared.'));
    no.id = 'keep-decisions';
    say('Clear all ' + count + ' decisions of this page?', [yes, no]);
    no.focus();
  }

  // The decisions as a file: the page's suggestion hash and one entry per
  // decided item, in the order of the source dictionary (see
  // doc/suggestions.md, "Decisions file").
  function decisionsFileText() {
    const entries = [];
    const entry = (fields, kind, decision) => {
      if (decision.none) fields.no_mapping = true;
      else fields.target = kind === 'class' ? { key: decision.k } : { class: decision.c, key: decision.k };
      entries.push(JSON.stringify(fields));
    };
    for (const item of review.block.items) {
      const saved = review.decisions[item[S_KEY]];
      if (saved === undefined) continue;
      if (saved.c !== undefined && item[S_CLASS] !== null) entry({ class: item[S_KEY] }, 'class', saved.c);
      for (const part of item[S_ATTRIBUTES]) {
        const decision = (saved.a || {})[attributeId(part)];
        if (decision !== undefined) {
          entry({ class: item[S_KEY], attribute: { key: part[A_KEY], label: part[A_LABEL] } }, 'attribute', decision);
        }
      }
    }
    const head = { format: DECISIONS_FORMAT, version: 1, suggestions: review.hash, source: index.inputs.source };
    return JSON.stringify(head).slice(0, -1) + ',"decisions":[' +
      (entries.length === 0 ? '' : '\n' + entries.join(',\n') + '\n') + ']}\n';
  }

  function decisionsFileName() {
    const base = String(index.inputs.source).split(/[\\/]/).pop().replace(/\.[^.]*$/, '');
    return (base === '' ? 'review' : base) + '-decisions.json';
  }

  function saveDecisionsFile() {
    if (readReview() === null) return;
    const name = decisionsFileName();
    download(decisionsFileText(), 'application/json', name);
    review.unsaved = 0;
    saveDecisions(true);
    say('Saved ' + decisionCount(review.decisions) + ' decisions as ' + name +
      ' (in your downloads). Load decisions reads them back into this page, in any browser.');
  }

  // One entry of a decisions file as [item, kind, part, decision], or null
  // when it names no item of this page or a target the page does not know.
  function entryDecision(entry) {
    if (entry === null || typeof entry !== 'object' || typeof entry.class !== 'string') return null;
    const item = review.itemOfKey.get(entry.class);
    if (item === undefined) return null;
    let kind = 'class', part = item[S_CLASS];
    if (entry.attribute !== undefined) {
      const wanted = entry.attribute || {};
      kind = 'attribute';
      part = item[S_ATTRIBUTES].find((a) => a[A_KEY] === wanted.key && a[A_LABEL] === wanted.label) || null;
    }
    if (part === null) return null;
    if (entry.no_mapping === true) return [item, kind, part, { none: true }];
    const target = entry.target || {};
    if (typeof target.key !== 'string') return null;
    if (kind === 'class') return review.targets.has(target.key) ? [item, kind, part, { k: target.key }] : null;
    const known = (targetAttributes(target.class) || []).some((a) => a[0] === target.key);
    return known ? [item, kind, part, { c: target.class, k: target.key }] : null;
  }

  // Reads a decisions file in place of the page's decisions; a file of
  // other suggestions, or no decisions file at all, changes nothing.
  function loadDecisionsText(text, name) {
    let file;
    try {
      file = JSON.parse(text);
    } catch (error) {
      say(name + ' is not a decisions file (it is not JSON): nothing was loaded.');
      return;
    }
    if (file === null || typeof file !== 'object' || file.format !== DECISIONS_FORMAT || !Array.isArray(file.decisions)) {
      say(name + ' is not a decisions file of this page (Save decisions writes one): nothing was loaded.');
      return;
    }
    if (file.version !== 1) {
      say(name + ' is a decisions file of version ' + file.version + ', which this page cannot read: nothing was loaded.');
      return;
    }
    if (file.suggestions !== review.hash) {
      say(name + ' holds decisions for other suggestions (' + file.suggestions + ', this page ' + review.hash +
        '): it was saved from a page written from other inputs or by another version. Nothing was loaded.');
      return;
    }
    const decisions = {};
    let loaded = 0;
    for (const entry of file.decisions) {
      const found = entryDecision(entry);
      if (found === null) continue;
      setDecision(decisions, ...found);
      loaded += 1;
    }
    const skipped = file.decisions.length - loaded;
    const replaced = replaceDecisions(decisions, 0, 'Undo load');
    say('Loaded ' + loaded + ' decisions from ' + name +
      (skipped > 0 ? '; ' + skipped + ' entries name no item or target of this page and were left out' : '') +
      (replaced > 0 ? '. They replace the ' + replaced + ' decisions the page had.' : '.'));
  }

  // The file picker's file, read where it is: FileReader fetches nothing,
  // so the page's policy lets it through.
  function loadDecisionsFile(file) {
    if (readReview() === null) return;
    const reader = new FileReader();
    reader.addEventListener('load', () => loadDecisionsText(String(reader.result), file.name));
    reader.addEventListener('error', () => say(file.name + ' could not be read: nothing was loaded.'));
    reader.readAsText(file);
  }

  // ---- Export -----------------------------------------------------------------

  // A value as the mapping table spells it: every "&" that does not begin
  // "&amp;" or "&nbsp;" as "&amp;".
  const spelled = (value) => String(value).replace(/&(?!amp;|nbsp;)/gi, '&amp;');
  const tableRow = (values) => values.map((v) => (v === '*' ? v : spelled(v)) + ',').join('') + '\n';
  const S_ROW_NAME = 5, S_ROW_PARENT = 6, S_MAPPED = 7;

  function domainOf(targetParent, sourceParent) {
    const domains = review.block.domains;
    if (Object.hasOwn(domains.target, targetParent)) return domains.target[targetParent];
    if (Object.hasOwn(domains.source, sourceParent)) return domains.source[sourceParent];
    return domains.fallback;
  }

  // How a table row names a target class: [name, parent].
  function targetRowNames(key) {
    const t = review.targets.get(key);
    if (t === undefined) return [key, ''];
    return t.length > 3 ? [t[3], t[4]] : [t[0], t[2]];
  }

  // Whether the target dictionary has more than one class of this key.
  function twoOfKey(key) {
    if (review.repeatedKeys === undefined) {
      const seen = new Set();
      review.repeatedKeys = new Set();
      for (const t of review.block.targets) {
        if (seen.has(t[0])) review.repeatedKeys.add(t[0]); else seen.add(t[0]);
      }
    }
    return review.repeatedKeys.has(key);
  }

  // The class an attribute row naming `key` finds: the lookup takes the
  // first target class with the same parent.
  function classLookedUp(key) {
    if (review.firstOfParent === undefined) {
      review.firstOfParent = new Map();
      for (const t of review.block.targets) if (!review.firstOfParent.has(t[2])) review.firstOfParent.set(t[2], t[0]);
    }
    const t = review.targets.get(key);
    return t === undefined ? undefined : review.firstOfParent.get(t[2]);
  }

  // The decided rows, as `zorvez suggest --format csv` writes the rows of
  // the same decisions: in the source dictionary's order, a class row, then
  // its attribute rows. A row that is not written is said in `notes`, with
  // what to do.
  function exportRows() {
    const out = { text: '', notes: [] };
    if (readReview() === null) return out;
    for (const item of review.block.items) {
      const saved = review.decisions[item[S_KEY]];
      if (saved === undefined) continue;
      const target = exportClassRow(item, saved, out);
      const agrees = classAsTheTool(item, saved);
      for (const part of item[S_ATTRIBUTES]) {
        const decision = (saved.a || {})[attributeId(part)];
        if (decision !== undefined) exportAttributeRow(item, part, decision, { target, agrees }, out);
      }
    }
    return out;
  }

  // Whether `decision` is the candidate the tool accepted.
  function isToolsChoice(kind, part, decision) {
    const accepted = part[kind === 'class' ? C_ACCEPTED : A_ACCEPTED];
    return accepted >= 0 && sameTarget(kind, decision, part[kind === 'class' ? C_CANDIDATES : A_CANDIDATES][accepted]);
  }

  // Whether the class stands as suggest planned its attribute rows: the
  // tool's choice decided, or nothing decided where the tool accepted none.
  function classAsTheTool(item, saved) {
    const part = item[S_CLASS];
    if (part === null) return true;
    if (part[C_ACCEPTED] < 0) return saved.c === undefined;
    return saved.c !== undefined && isToolsChoice('class', part, saved.c);
  }

  // What suggest planned for the row of the tool's own choice: undefined for
  // another decision, null where it writes the row, else [why, note].
  function toolFate(kind, part, decision, agrees) {
    if (!agrees || !isToolsChoice(kind, part, decision)) return undefined;
    return part[kind === 'class' ? C_FATE : A_FATE] ?? null;
  }

  // Suggest's note on a row it does not write; the table holding that very
  // row has none, as there is nothing to do, and an attribute waiting for
  // its class none either, as suggest says it of the class (null).
  function fateNote(fate, said) {
    if (fate.length > 2) return (fate[2] > 0 ? index.inputs.mapping + ':' + fate[2] + ': ' : '') + said + ': ' + fate[1];
    if (fate.length > 1) return fate[1];
    const why = review.block.fates[fate[0]];
    if (why === 'class_not_placed') return null;
    return said + ': ' + (why === 'in_table' ? 'the table holds this very row already' : words(why));
  }

  function pushNote(notes, note) {
    if (note !== null) notes.push(note);
  }

  // The text of an item's complete row in the table, which the block gives
  // without the columns the page knows (the class's row name and parent,
  // then * or the attribute's label).
  function completeRowText(item, kind, part) {
    const row = part[kind === 'class' ? C_ROW : A_ROW];
    if (!Array.isArray(row)) return null;
    if (row.length > 2) return row[1];
    return tableRow([item[S_ROW_NAME], item[S_ROW_PARENT], kind === 'class' ? '*' : part[A_LABEL]]).slice(0, -1) + row[1];
  }

  // A row of a reviewer's own decision goes unless the item's row in the
  // table is complete: a merge never replaces it. The same row is there
  // already; another is said, with the row to write in its place.
  function tableTakesRow(item, kind, part, row, said, notes) {
    const own = completeRowText(item, kind, part);
    if (own === null) return true;
    const text = row.slice(0, -1);
    if (own !== text) {
      notes.push(said + ': table line ' + part[kind === 'class' ? C_ROW : A_ROW][0] + ' says otherwise and a merge ' +
        'never replaces it; edit it to read: ' + text);
    }
    return false;
  }

  // Whether a row can hold the values: the table reader misreads a row with
  // an empty name or parent, and no row can hold a comma or a line end.
  function writable(values, said, notes) {
    const bad = values.find((v) => v === '' || /[,\n]/.test(v));
    if (bad === '') notes.push(said + ': an empty name or parent, which no table row can hold: give it one in its dictionary');
    else if (bad !== undefined) {
      notes.push(said + ": '" + bad + "' holds a comma or a line end, which no table row can hold: rename it in its dictionary");
    }
    return bad === undefined;
  }

  // The class row of a class decision. Returns the target its attribute
  // rows name: the decided one where its row is written, else the one the
  // table maps the class to.
  function exportClassRow(item, saved, out) {
    const part = item[S_CLASS], decision = saved.c, mapped = item[S_MAPPED];
    if (part === null || decision === undefined) return mapped;
    const name = item[S_ROW_NAME], parent = item[S_ROW_PARENT];
    const fate = toolFate('class', part, decision, true);
    if (fate) {
      pushNote(out.notes, fateNote(fate, name));
      return mapped;
    }
    const [targetName, targetParent] = decision.none ? [NO_MAPPING, ''] : targetRowNames(decision.k);
    if (!writable(decision.none ? [name, parent] : [name, parent, targetName, targetParent], name, out.notes)) return mapped;
    const domain = domainOf(targetParent, parent);
    const row = tableRow([name, parent, '*', targetName, targetParent, '*', ...(domain === '' ? [] : [domain])]);
    if (fate === undefined && !tableTakesRow(item, 'class', part, row, name, out.notes)) return mapped;
    out.text += row;
    return decision.none ? mapped : decision.k;
  }

  // The attribute row of an attribute decision, in its class's target
  // (`place.target`); `place.agrees` when that is the target suggest
  // planned the row in.
  function exportAttributeRow(item, part, decision, place, out) {
    const said = item[S_ROW_NAME] + ': ' + part[A_LABEL];
    const fate = toolFate('attribute', part, decision, place.agrees);
    if (fate) {
      pushNote(out.notes, fateNote(fate, said));
      return;
    }
    const row = attributeRowOf(item, part, decision, place.target, said, out.notes);
    if (row === null || (fate === undefined && !tableTakesRow(item, 'attribute', part, row, said, out.notes))) return;
    out.text += row;
  }

  // Why a row cannot name the class holding the attribute, and the way out.
  function outOfReach(decision, target, found) {
    const named = decision.c + '.' + decision.k;
    if (found === undefined) return named + ' names a class this page does not know: decide it again';
    return named + " is out of any row's reach: a row naming " + decision.c + ' is looked up in ' + found +
      ', the first class under ' + review.targets.get(decision.c)[2] + '; map it by hand, or give ' + target +
      ' the attribute in the target';
  }

  // The row an attribute decision gives, or null (said in `notes`) where no
  // row can give it.
  function attributeRowOf(item, part, decision, target, said, notes) {
    const name = item[S_ROW_NAME], parent = item[S_ROW_PARENT], label = part[A_LABEL];
    if (decision.none) return writable([name, parent, label], said, notes) ? tableRow([name, parent, label, NO_MAPPING, '', '']) : null;
    if (target === '') {
      notes.push(said + ': its class has no target yet: decide the class first');
      return null;
    }
    if (twoOfKey(decision.c)) {
      notes.push(said + ': the target has two classes of key ' + decision.c + ' and no row can tell them apart: ' +
        'give one of them another key in the target');
      return null;
    }
    const found = decision.c === target ? target : classLookedUp(decision.c);
    if (found !== decision.c) {
      notes.push(said + ': ' + outOfReach(decision, target, found));
      return null;
    }
    const [targetName, targetParent] = targetRowNames(decision.c);
    if (!writable([name, parent, label, targetName, targetParent, decision.k], said, notes)) return null;
    return tableRow([name, parent, label, targetName, targetParent, decision.k]);
  }

  // The decided rows, downloaded and shown to copy.
  function exportDecisions() {
    const { text, notes } = exportRows();
    const panel = byId('export-box') || make('section');
    panel.id = 'export-box';
    const area = make('textarea');
    area.readOnly = true;
    area.rows = 8;
    area.value = text;
    const lines = text === '' ? 0 : text.split('\n').length - 1;
    const said = make('ul', 'export-notes');
    for (const note of notes) said.append(make('li', null, note));
    panel.replaceChildren(make('p', null, lines + ' decided rows, to save or copy into a CSV for zorvez merge:'), area,
      said, button('Close', 'close the export', () => panel.remove()));
    byId('controls').after(panel);
    download(text, 'text/csv', 'suggested-rows.csv');
    area.focus();
    area.select();
  }

  // The download is a Blob behind an object URL that an <a download> is
  // clicked on: nothing is fetched and nothing navigates, so the page's
  // policy (default-src 'none') lets it through.
  function download(text, type, name) {
    const link = make('a');
    const url = URL.createObjectURL(new Blob([text], { type }));
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // The review controls, added once the block has arrived and only when the
  // page has one.
  function buildReviewControls() {
    if (readReview() === null || byId('review-filter') !== null) return;
    const select = make('select');
    select.id = 'review-filter';
    for (const [value, text] of [['', 'all classes'], ['open', 'open items only'], ['tool', 'accepted by the tool, not yet reviewed']]) {
      const option = make('option', null, text);
      option.value = value;
      select.append(option);
    }
    select.addEventListener('change', () => { state.review = select.value; rebuild(); });
    const label = make('label', null, 'Review ');
    label.append(select);
    const accept = button('Accept the tool\u2019s', 'decide every open item the tool accepted as it did', acceptTheTools);
    accept.id = 'accept-tools';
    const exporter = button('Export', 'the decided rows as a completed CSV', exportDecisions);
    exporter.id = 'export';
    const saver = button('Save decisions', 'write the decisions to a file, to keep them, take them to another ' +
      'browser or hand them on', saveDecisionsFile);
    saver.id = 'save-decisions';
    const picker = make('input');
    picker.type = 'file';
    picker.id = 'decisions-file';
    picker.accept = '.json,application/json';
    picker.hidden = true;
    picker.addEventListener('change', () => {
      if (picker.files.length > 0) loadDecisionsFile(picker.files[0]);
      picker.value = '';
    });
    const loader = button('Load decisions', 'read decisions saved from a page of the same suggestions, in place ' +
      'of these', () => picker.click());
    loader.id = 'load-decisions';
    const clear = button('Clear decisions', 'forget every decision of this page (asks first)', clearDecisions);
    clear.id = 'clear-decisions';
    byId('shown').before(label, accept, exporter, saver, loader, picker, clear);
    const status = make('div');
    status.id = 'review-status';
    status.setAttribute('role', 'status');
    byId('controls').after(status);
    showStatus();
  }

  function reviewKeys(event) {
    const target = event.target;
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    if (target instanceof HTMLElement && target.closest('input, select, textarea')) return;
    if (focusedItem() === null) return;
    const actions = {
      a: acceptShown, s: nextOpen, n: () => decideFocused({ none: true }), u: () => decideFocused(undefined),
      ArrowRight: () => stepCandidate(1), ArrowLeft: () => stepCandidate(-1),
      j: () => stepItem(1), k: () => stepItem(-1),
      t: () => { const box = byId('detail').querySelector('.focused .key-box input'); if (box) box.focus(); },
    };
    let action = actions[event.key];
    if (action === undefined && /^[1-9]$/.test(event.key)) action = () => showCandidate(Number(event.key) - 1);
    if (action === undefined) return;
    event.preventDefault();
    // A message says what the key before did; a question not answered is
    // left unanswered.
    if (view.message !== '') say('');
    action();
  }

  // ---- Wiring ---------------------------------------------------------------

  function wire() {
    const list = byId('list');
    list.addEventListener('scroll', () => drawList(), { passive: true });
    window.addEventListener('resize', () => drawList());
    list.addEventListener('click', (event) => {
      if (event.target.closest('a')) return;
      const line = event.target.closest('.row, .group');
      if (line === null) return;
      if (line.dataset.group !== undefined) {
        const g = Number(line.dataset.group);
        if (state.collapsed.has(g)) state.collapsed.delete(g); else state.collapsed.add(g);
        rebuild();
      } else {
        select(Number(line.dataset.index));
      }
    });
    list.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        event.preventDefault();
        moveSelection(event.key === 'ArrowDown' ? 1 : -1);
      } else if (['Home', 'End', 'PageUp', 'PageDown'].includes(event.key)) {
        event.preventDefault();
        jumpSelection(event.key);
      }
    });
    byId('search').addEventListener('input', (event) => {
      state.query = event.target.value;
      rebuild();
    });
    byId('group').addEventListener('change', (event) => {
      state.grouped = event.target.checked;
      rebuild();
    });
    byId('reset').addEventListener('click', resetFilters);
    document.addEventListener('keydown', reviewKeys);
    document.addEventListener('DOMContentLoaded', () => {
      // A search typed while the page was arriving could not yet look
      // through the attribute names.
      buildReviewControls();
      if (state.query.trim() !== '' || review) rebuild();
      if (state.selected >= 0) drawDetail();
    });
  }

  describeInputs();
  const counts = verdictCounts();
  drawTotals();
  buildVerdictFilter(counts);
  buildKindFilter();
  wire();
  rebuild();
  window.zorvezExplore = { firstScreen: performance.now() };
})();
