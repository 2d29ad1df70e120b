'use strict';
// The totals, the filters and the list of class findings. The list draws
// only the lines in view, placed by their height.
const ZorListView = ((dom) => {
  const { VERDICT, KIND, LABEL, KEY, MASK, ITEMS, ITEM_VERDICTS, byId, make, words, verdictClass } = dom;
  // Every line of the list is this tall (see .row in the style sheet).
  const ROW_HEIGHT = 28;
  const OVERSCAN = 10;
  const SVG = 'http://www.w3.org/2000/svg';

  function verdictCounts(page) {
    const counts = page.verdictNames.map(() => 0);
    for (const c of page.classes) counts[c[VERDICT]] += 1;
    return counts;
  }

  function reportHref(page, key) {
    if (page.index.report === null) return null;
    try {
      return page.index.report + '#' + encodeURIComponent(key);
    } catch (error) {
      return page.index.report;
    }
  }

  function drawChart(page, counts) {
    const labelWidth = 70, barSpace = 220, line = 24;
    const highest = Math.max(1, ...counts);
    const svg = document.createElementNS(SVG, 'svg');
    svg.setAttribute('width', String(labelWidth + barSpace + 60));
    // Grey marks attributes only: no class has it, so it gets no bar.
    const bars = counts.map((count, code) => [count, code]).filter(([, code]) => page.verdictNames[code] !== 'grey');
    svg.setAttribute('height', String(bars.length * line));
    svg.setAttribute('role', 'img');
    svg.setAttribute('aria-label', 'Class findings per verdict');
    bars.forEach(([count, code], place) => {
      const name = page.verdictNames[code];
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
      if (name !== undefined) page.actions.showOnlyVerdict(page.verdictNames.indexOf(name));
    });
    byId('chart').replaceChildren(svg);
  }

  function drawTotals(page) {
    const summary = page.index.summary;
    const computed = verdictCounts(page);
    const counts = summary && summary.verdicts
      ? page.verdictNames.map((name, code) => Number(summary.verdicts[name] ?? computed[code]))
      : computed;
    drawChart(page, counts);
    const facts = [
      ['classes', 'Classes', summary ? summary.classes : null],
      ['findings', 'Class findings', page.total],
      // The report's "new classes suggested": classes with no row in the
      // table, or whose target class is missing, not the suggestions.
      ['new_classes_suggested', 'Classes missing from the table or the target',
        summary ? summary.new_classes_suggested : null],
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

  function describeInputs(page) {
    const inputs = page.index.inputs;
    const parts = [
      'Source ' + inputs.source,
      'Target ' + inputs.target,
      'Mapping ' + inputs.mapping,
      (inputs.v5v5 ? 'V5/V5' : 'V4/V5') + (inputs.old ? ', older attribute layout' : ''),
    ];
    byId('inputs').textContent = parts.join(' \u00b7 ');
    document.title = 'zorvez explore: ' + inputs.source;
  }

  function buildVerdictFilter(page) {
    const counts = verdictCounts(page);
    const box = byId('verdict-filter');
    page.verdictNames.forEach((name, code) => {
      const label = make('label', verdictClass(name));
      const toggle = make('input');
      toggle.type = 'checkbox';
      toggle.checked = true;
      toggle.value = String(code);
      toggle.dataset.verdict = name;
      toggle.addEventListener('change', () => page.actions.tickVerdict(code, toggle.checked));
      label.append(toggle, make('span', 'swatch'), document.createTextNode(name + ' (' + counts[code] + ')'));
      box.append(label);
    });
  }

  function buildKindFilter(page) {
    const { kindNames } = page;
    const classKinds = kindNames.map(() => 0);
    const itemKinds = kindNames.map(() => 0);
    for (const c of page.classes) {
      classKinds[c[KIND]] += 1;
      for (let code = 0; code < kindNames.length && code < 31; code++) {
        if ((c[MASK] >>> code) & 1) itemKinds[code] += 1;
      }
    }
    const select = byId('kind-filter');
    // Class and attribute findings share names: each option says whose.
    const subject = (prefix, name) => prefix === 'c' ? 'class' : name.startsWith('child_') ? 'child' : 'attribute';
    const addGroup = (label, prefix, counts) => {
      const group = make('optgroup');
      group.label = label;
      counts.forEach((n, code) => {
        if (n === 0) return;
        const option = make('option', null, subject(prefix, kindNames[code]) + ': ' + words(kindNames[code]) + ' (' + n + ')');
        option.value = prefix + code;
        group.append(option);
      });
      if (group.children.length > 0) select.append(group);
    };
    addGroup('Class finding', 'c', classKinds);
    addGroup('Has an attribute or child finding', 'i', itemKinds);
    select.addEventListener('change', () => page.actions.setKind(select.value));
  }

  // The filter controls as the state has them (after "Show all" or a click
  // on a bar).
  function drawFilters(page) {
    const { state } = page;
    for (const box of byId('verdict-filter').querySelectorAll('input')) box.checked = state.verdicts.has(Number(box.value));
    // Set only where it differs: setting a text box moves its caret.
    for (const [id, value] of [['kind-filter', state.kind], ['search', state.query], ['review-filter', state.review]]) {
      const control = byId(id);
      if (control !== null && control.value !== value) control.value = value;
    }
  }

  function classLine(page, i) {
    const { state } = page;
    const c = page.classes[i];
    const verdict = page.verdictNames[c[VERDICT]];
    const line = make('div', 'row ' + verdictClass(verdict));
    line.setAttribute('role', 'option');
    line.setAttribute('aria-selected', String(i === state.selected));
    line.dataset.index = String(i);
    line.dataset.verdict = verdict;
    line.append(
      make('span', 'swatch'),
      make('span', 'label', c[LABEL] === '' ? '(no label)' : c[LABEL]),
      make('span', 'key', c[KEY]),
      make('span', 'kind', words(page.kindNames[c[KIND]])),
    );
    line.title = verdict + ': ' + c[LABEL] + ' (' + c[KEY] + ')';
    const why = page.reasons.get(i);
    if (why !== undefined) {
      const notes = [];
      if (why.byItems) {
        notes.push(page.verdictNames.filter((_, code) => state.verdicts.has(code) &&
          ((c[ITEM_VERDICTS] >>> code) & 1) === 1).join(', ') + ' attribute');
      }
      if (why.byAttribute) notes.push('attribute matches');
      line.dataset.via = why.byItems ? (why.byAttribute ? 'verdict search' : 'verdict') : 'search';
      line.append(make('span', 'via', notes.join('; ')));
    }
    const item = page.review ? page.review.ofClass[i] : null;
    if (item !== null) {
      const open = ZorDecisions.isOpen(page.decisions, item);
      line.dataset.review = open ? 'open' : 'decided';
      line.append(make('span', 'review-mark ' + (open ? 'open' : 'decided'), open ? 'to review' : 'decided'));
    }
    const items = make('span', 'count', c[ITEMS] > 0 ? c[ITEMS] : '');
    items.title = 'attribute and child findings';
    line.append(items);
    const href = reportHref(page, c[KEY]);
    if (href !== null) {
      const link = make('a', 'report-link', 'report');
      link.href = href;
      line.append(link);
    }
    return line;
  }

  function groupLine(page, g) {
    const group = page.grouping[g];
    const open = !page.state.collapsed.has(g);
    const line = make('div', 'group', (open ? '\u25be ' : '\u25b8 ') +
      (group.parent === '' ? '(no parent)' : group.parent) + ' (' + group.shown + ')');
    line.dataset.group = String(g);
    line.setAttribute('aria-expanded', String(open));
    return line;
  }

  // The count of classes shown and the list's height, once its lines change.
  function drawCount(page, shown) {
    const counter = byId('shown');
    counter.textContent = shown + ' of ' + page.total + ' class findings';
    counter.dataset.shown = String(shown);
    byId('spacer').style.height = page.rows.length * ROW_HEIGHT + 'px';
    byId('list').classList.toggle('grouped', page.state.grouped);
  }

  function drawLines(page) {
    const { rows } = page;
    const list = byId('list');
    const first = Math.max(0, Math.floor(list.scrollTop / ROW_HEIGHT) - OVERSCAN);
    const last = Math.min(rows.length, Math.ceil((list.scrollTop + list.clientHeight) / ROW_HEIGHT) + OVERSCAN);
    const lines = [];
    for (let r = first; r < last; r++) lines.push(rows[r] < 0 ? groupLine(page, -rows[r] - 1) : classLine(page, rows[r]));
    if (rows.length === 0) lines.push(make('div', 'empty', 'No class matches the filters.'));
    const box = byId('rows');
    box.style.transform = 'translateY(' + first * ROW_HEIGHT + 'px)';
    box.replaceChildren(...lines);
  }

  // Scrolls the list as little as brings line `r` into view.
  function scrollToLine(r) {
    const list = byId('list');
    const top = r * ROW_HEIGHT;
    if (top < list.scrollTop) list.scrollTop = top;
    else if (top + ROW_HEIGHT > list.scrollTop + list.clientHeight) list.scrollTop = top + ROW_HEIGHT - list.clientHeight;
  }

  const pageOfLines = () => Math.max(1, Math.floor(byId('list').clientHeight / ROW_HEIGHT) - 1);

  return {
    verdictCounts, reportHref, drawTotals, describeInputs, buildVerdictFilter, buildKindFilter, drawFilters, drawCount,
    drawLines, scrollToLine, pageOfLines,
  };
})(ZorPageDom);
