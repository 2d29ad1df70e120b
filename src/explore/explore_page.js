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
    reasons.clear();
    return (i) => {
      const c = classes[i];
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
    box.replaceChildren(...parts);
    box.scrollTop = 0;
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
    document.addEventListener('DOMContentLoaded', () => {
      // A search typed while the page was arriving could not yet look
      // through the attribute names.
      if (state.query.trim() !== '') rebuild();
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
