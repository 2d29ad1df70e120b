'use strict';
// The findings of the class opened: its own finding, its attribute findings
// and its child classes, and the review of its suggestions where it has them.
const ZorDetailView = ((dom) => {
  const { VERDICT, KIND, LABEL, KEY, PARENT, SECTION, byId, make, words, verdictClass, facts } = dom;
  // Columns of a class's entry in its chunk, and of the items that follow it.
  const E_TARGET = 0, E_MESSAGE = 1, E_ROW = 2, E_PROPOSAL = 3, E_FIRST_ITEM = 4;
  const ATTRIBUTE_ITEM = 0;

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

  function badge(page, verdictCode, kindCode) {
    const verdict = page.verdictNames[verdictCode];
    const node = make('span', verdictClass(verdict));
    node.append(make('span', 'badge', verdict), document.createTextNode(' ' + words(page.kindNames[kindCode])));
    return node;
  }

  // An attribute finding is marked when its verdict is ticked but its
  // class's is not, or when it holds what is searched for.
  function isMarked(state, classVerdict, verdict, label, key) {
    if (!state.verdicts.has(classVerdict) && state.verdicts.has(verdict)) return true;
    const query = state.query.trim().toLowerCase();
    return query !== '' && (String(label) + '\n' + String(key)).toLowerCase().includes(query);
  }

  function itemTables(page, entry, entryVerdict) {
    const attributes = make('tbody');
    const children = make('ul', 'rows');
    for (let n = E_FIRST_ITEM; n < entry.length; n++) {
      const item = entry[n];
      if (item[0] === ATTRIBUTE_ITEM) {
        const [, verdict, kind, label, key, target, message, row, proposal] = item;
        const line = make('tr', verdictClass(page.verdictNames[verdict]));
        line.dataset.verdict = page.verdictNames[verdict];
        if (isMarked(page.state, entryVerdict, verdict, label, key)) line.classList.add('hit');
        const name = make('td');
        name.append(make('div', null, label), make('div', 'muted', key));
        const what = make('td');
        what.append(make('div', null, message));
        const proposed = proposalNode(proposal);
        if (proposed !== null) what.append(proposed);
        const where = make('td');
        where.append(rowNode(row));
        const judged = make('td');
        judged.append(badge(page, verdict, kind));
        line.append(judged, name, make('td', null, targetText(target)), what, where);
        attributes.append(line);
      } else {
        const [, verdict, kind, label, message, row] = item;
        const line = make('li');
        line.append(badge(page, verdict, kind), document.createTextNode(' '), make('strong', null, label),
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

  // The source attributes of an entry's attribute findings: [key, label].
  function findingAttributes(entry) {
    const found = [];
    for (let n = E_FIRST_ITEM; entry && n < entry.length; n++) {
      const [type, , , label, key] = entry[n];
      if (type === ATTRIBUTE_ITEM) found.push([key, label]);
    }
    return found;
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

  // `entry` is the class's chunk entry: undefined while its chunk is still
  // arriving, null where it cannot be read.
  function draw(page, entry, reviewPanel) {
    const box = byId('detail');
    const i = page.state.selected;
    if (i < 0) return;
    const c = page.classes[i];
    const parts = [make('h2', null, c[LABEL] === '' ? '(no label)' : c[LABEL]), badge(page, c[VERDICT], c[KIND])];
    const href = ZorListView.reportHref(page, c[KEY]);
    let link = null;
    if (href !== null) {
      link = make('a', 'report-link', 'open in the report');
      link.href = href;
    }
    const section = page.sectionNames[c[SECTION]];
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
      parts.push(facts(known), ...itemTables(page, entry, c[VERDICT]));
    }
    if (reviewPanel !== null) parts.splice(2, 0, reviewPanel);
    // Redrawn for the same class, the panel stays where it was, then
    // follows the item being decided.
    const scrolled = page.view.drawnClass === i ? box.scrollTop : 0;
    page.view.drawnClass = i;
    box.replaceChildren(...parts);
    box.scrollTop = scrolled;
    const focused = box.querySelector('.review-item.focused');
    if (focused !== null) scrollIntoPanel(box, focused);
  }

  return { draw, findingAttributes };
})(ZorPageDom);
