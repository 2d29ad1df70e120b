'use strict';
// The review of a class's suggestions in the detail panel, the review
// controls, the status line under them and the export panel. It draws from
// the page's state; every button and key box calls one of the page's actions.
const ZorReviewView = ((dom, model, decisionsModel) => {
  const { LABEL, byId, make, words, button, facts } = dom;
  const { cols: { C_REASON, C_ROW, C_ACCEPTED, A_LABEL, A_KEY, A_REASON, A_ROW, A_CANDIDATES, A_ACCEPTED,
    S_KEY, S_LABEL, S_PARENT, S_CLASS, S_ATTRIBUTES }, NO_MAPPING, TAKEN, reviewItems, attributeId, candidatesOf, acceptedOf,
  tiedCount, parentChain, targetAttributes, attributeLabel, isDemoted, isCarriedDecision, completions, typedKey,
  CARRIED } = model;
  const { decisionOf, sameTarget } = decisionsModel;
  // The page reminds the reviewer to save once this many decisions are
  // kept only in the browser.
  const UNSAVED_REMINDER = 25;
  const NOTHING_TO_ACCEPT = 'Nothing to accept: this item has no candidate. Type a target, or decide No Mapping.';

  const plainName = (text) => String(text).toLowerCase().replace(/[^\p{L}\p{N}]+/gu, '');

  // The signals that agreed on a candidate, each with the words it relates
  // where it names them ("lexicon: renal ~ kidney"); being taken by another
  // item is not one of them and is said apart (demotion).
  function evidenceWords(review, candidate) {
    const mask = candidate[4], details = candidate[6] || [];
    const names = review.block.evidence.filter((name, code) =>
      name !== TAKEN && name !== CARRIED && ((mask >>> code) & 1) === 1);
    const said = names.map((name) => {
      const detailed = details.filter((detail) => detail.startsWith(name + ': '));
      return detailed.length > 0 ? detailed.join(', ') : words(name);
    });
    return said.length === 0 ? 'no signal agreed' : 'agreed: ' + said.join(', ');
  }

  // A source class by label and key, as the list names it.
  function sourceClassName(page, key) {
    const i = page.review.firstOfKey.get(key);
    const label = i === undefined ? '' : page.classes[i][LABEL];
    return label === '' || label === key ? key : label + ' (' + key + ')';
  }

  // The item of the page that a demoted candidate's taker names, as
  // [item, kind, part], or null.
  function takerItem(page, taker) {
    const item = page.review.itemOfKey.get(Array.isArray(taker) ? taker[0] : taker);
    if (item === undefined) return null;
    if (!Array.isArray(taker)) return item[S_CLASS] === null ? null : [item, 'class', item[S_CLASS]];
    const part = item[S_ATTRIBUTES].find((a) => a[A_LABEL] === taker[1]);
    return part === undefined ? null : [item, 'attribute', part];
  }

  // Whether the taker holds the target now: decided to it, or, left open,
  // accepted by the tool. A taker that merely ranks it first has not taken it.
  function takerHolds(page, kind, candidate, taker) {
    const found = takerItem(page, taker);
    if (found === null) return false;
    const [item, , part] = found;
    const decision = decisionOf(page.decisions, item, kind, part);
    if (decision !== undefined) return sameTarget(kind, decision, candidate);
    const accepted = candidatesOf(kind, part)[acceptedOf(kind, part)];
    return accepted !== undefined && sameTarget(kind, decisionsModel.candidateDecision(kind, accepted), candidate);
  }

  // What a demoted candidate's target went to: a table line that maps it
  // already, a class item, or an attribute item (its class and label).
  function demotionText(page, kind, candidate) {
    const taker = candidate[5];
    if (typeof taker === 'number') return 'line ' + taker + ' of the mapping table maps this target already';
    let who = null;
    if (typeof taker === 'string') who = 'the class ' + sourceClassName(page, taker);
    else if (Array.isArray(taker)) who = 'the attribute ' + taker[1] + ' of ' + sourceClassName(page, taker[0]);
    if (who === null) return 'taken by another item';
    return takerHolds(page, kind, candidate, taker) ? 'taken by ' + who : 'also the best candidate of ' + who +
      ', which has not taken it';
  }

  // How the run came to accept a candidate: by its rules, or by a decision
  // carried in from a decisions file.
  const acceptedWords = (review, candidate) =>
    isCarriedDecision(review, candidate) ? ', decided in the decisions file' : ', accepted by the tool';

  // Both kinds of candidate hold their score fourth; a typed target has none.
  const scoreText = (candidate) => candidate[3] === null ? 'typed, not a candidate' : 'score ' + Number(candidate[3]).toFixed(2);

  function candidateName(review, kind, candidate) {
    return kind === 'class'
      ? candidate[1] + ' (' + candidate[0] + ')'
      : attributeLabel(review, candidate) + ' (' + candidate[1] + ') in ' + candidate[0];
  }

  function decisionText(kind, decision) {
    if (decision === undefined) return 'open';
    if (decision.none) return NO_MAPPING;
    return kind === 'class' ? 'mapped to ' + decision.k : 'mapped to ' + decision.k + ' in ' + decision.c;
  }

  // A text box for a target key: what is typed is looked for in the keys
  // and labels of `targetsOf()` ([key, label, ...]), letter case aside; Tab
  // completes to the first proposal's key and never leaves a box with text
  // in it, Enter decides the key found, Escape leaves the box.
  function keyBox(placeholder, targetsOf, onKey) {
    const box = make('span', 'key-box');
    const input = make('input');
    input.type = 'text';
    input.placeholder = placeholder;
    input.autocomplete = 'off';
    input.spellcheck = false;
    const proposals = make('span', 'proposals');
    const note = make('span', 'key-note');
    input.addEventListener('input', () => {
      const found = completions(input.value, targetsOf(), 8);
      proposals.replaceChildren(...found.map(([key, label]) => {
        const option = make('button', 'proposal', key);
        option.type = 'button';
        option.dataset.key = key;
        if (label !== key) option.append(make('span', 'muted', ' ' + label));
        option.addEventListener('click', () => { input.value = key; input.focus(); });
        return option;
      }));
      note.textContent = '';
    });
    input.addEventListener('keydown', (event) => {
      event.stopPropagation();
      const first = proposals.firstChild;
      // Tab never leaves a box with text in it: the next button may be No
      // Mapping, which an Enter meant for the box would then decide.
      if (event.key === 'Tab' && input.value.trim() !== '') {
        event.preventDefault();
        if (first && input.value !== first.dataset.key) input.value = first.dataset.key;
        else if (!first) note.textContent = 'No target begins with that: Enter decides what is typed, Escape leaves the box.';
      } else if (event.key === 'Enter') {
        event.preventDefault();
        const typed = input.value.trim();
        const problem = onKey(typedKey(typed, targetsOf()) ?? typed);
        if (problem) note.textContent = problem;
      } else if (event.key === 'Escape') {
        input.blur();
      }
    });
    box.append(input, proposals, note);
    return box;
  }

  function focusMark(page, node, n) {
    node.dataset.item = String(n);
    if (n === page.view.focus) node.classList.add('focused');
    node.addEventListener('click', () => page.actions.focusItem(n));
  }

  function decisionButtons(page, item, kind, part, candidate) {
    const line = make('div', 'decide');
    const decision = decisionOf(page.decisions, item, kind, part);
    const status = make('span', 'decision ' + (decision === undefined ? 'open' : 'decided'),
      'Decision: ' + decisionText(kind, decision));
    const accept = button('Accept', 'accept the shown candidate and go to the next open item (a)', () => page.actions.acceptShown());
    if (candidate === undefined) {
      accept.disabled = true;
      accept.title = NOTHING_TO_ACCEPT;
    }
    line.append(accept, ...(candidate === undefined ? [make('span', 'hint', NOTHING_TO_ACCEPT)] : []),
      button(NO_MAPPING, 'no target (n)', () => page.actions.decideFocused({ none: true })),
      button('Leave open', 'undo the decision (u)', () => page.actions.decideFocused(undefined)),
      status);
    line.dataset.candidate = candidate ? String(candidate[0]) : '';
    return line;
  }

  function candidateList(page, item, kind, part, n, shown) {
    const list = make('ol', 'candidates');
    const decision = decisionOf(page.decisions, item, kind, part);
    const accepted = acceptedOf(kind, part);
    const tied = tiedCount(kind, part);
    candidatesOf(kind, part).forEach((candidate, at) => {
      const line = make('li', at === shown ? 'shown' : null);
      const pick = make('button', 'candidate', candidateName(page.review, kind, candidate));
      pick.type = 'button';
      pick.addEventListener('click', () => page.actions.showCandidateOf(n, at));
      line.append(pick, make('span', 'muted', ' ' + scoreText(candidate) +
        (at === accepted ? acceptedWords(page.review, candidate) : '') + (at < tied ? ', tied' : '') +
        (sameTarget(kind, decision, candidate) ? ', chosen' : '') +
        (isDemoted(page.review, candidate) ? ', ' + demotionText(page, kind, candidate) : '')));
      list.append(line);
    });
    return list;
  }

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
    const line = Array.isArray(row) ? row[0] + ': ' + ZorExportRows.completeRowText(item, kind, part) : row;
    return make('div', 'muted', 'Mapping row: line ' + line);
  }

  // The target attribute a source attribute pairs with in a candidate class
  // (`attributes`: its attributes and its ancestors'): the one decided, else
  // the one the tool accepted, else its best candidate there that no other
  // item took, else one of the same name. Null when it pairs with none, or
  // is decided No Mapping.
  function partnerOf(page, item, part, key, label, attributes) {
    const review = page.review;
    // A typed attribute names the class decided, which may hold it through
    // an ancestor.
    const inCandidate = (owner, attribute) => attributes.find((a) => a[0] === attribute &&
      (a[2] === owner || parentChain(review, owner).includes(a[2])));
    const decision = part === undefined ? undefined : decisionOf(page.decisions, item, 'attribute', part);
    if (decision) return decision.none ? null : inCandidate(decision.c, decision.k) || null;
    const candidates = part === undefined ? [] : part[A_CANDIDATES];
    const accepted = candidates[part === undefined ? -1 : part[A_ACCEPTED]];
    const paired = [accepted, ...candidates.filter((candidate) => !isDemoted(review, candidate))]
      .map((candidate) => candidate && inCandidate(candidate[0], candidate[1])).find((found) => found);
    if (paired) return paired;
    const names = new Set([plainName(key), plainName(label)].filter((name) => name !== ''));
    return attributes.find((a) => names.has(plainName(a[0])) || names.has(plainName(a[1]))) || null;
  }

  // The candidate's side of a class item (or the typed target's): its facts
  // and attributes, and which of them each source attribute pairs with.
  function candidateSide(page, item, part, shown, candidate, sourceAttributes) {
    const review = page.review;
    const target = make('div', 'side-target');
    const partners = new Map();
    target.append(make('h5', null, shown < 0 ? 'Typed target' : 'Candidate'));
    if (candidate === undefined) {
      target.append(make('p', 'hint', 'No candidate.'));
      return { target, partners };
    }
    const chain = parentChain(review, candidate[0]);
    const typed = candidate[3] === null;
    target.append(facts([['Label', candidate[1]], ['Key', candidate[0]],
      ['Parents', chain.length > 0 ? chain.join(' \u2190 ') : candidate[2] || '\u2014'],
      ['Score', typed ? scoreText(candidate)
        : Number(candidate[3]).toFixed(2) + (shown === part[C_ACCEPTED] ? acceptedWords(review, candidate) : '')],
      ['Evidence', typed ? null : evidenceWords(review, candidate)],
      ['Demoted', isDemoted(review, candidate) ? demotionText(page, 'class', candidate) : null]]));
    const attributes = targetAttributes(review, candidate[0]);
    if (attributes === null) {
      target.append(make('p', 'hint', 'Its attributes are not in this page.'));
      return { target, partners };
    }
    const parts = new Map(item[S_ATTRIBUTES].map((a) => [attributeId(a), a]));
    for (const [id, [key, label]] of sourceAttributes) {
      const partner = partnerOf(page, item, parts.get(id), key, label, attributes);
      if (partner !== null) partners.set(id, partner);
    }
    const list = make('ul', 'attributes');
    for (const a of attributes) {
      list.append(make('li', null, a[1] + ' (' + a[0] + ')' + (a[2] === candidate[0] ? '' : ', from ' + a[2])));
    }
    target.append(make('div', 'muted', 'Attributes (' + attributes.length + ')'), list);
    return { target, partners };
  }

  function classReview(page, item, part, n, sourceAttributes) {
    const node = make('div', 'review-item class-item');
    focusMark(page, node, n);
    const shown = page.shownCandidate(item, n, 'class', part);
    const candidate = page.candidateAt(item, 'class', part, shown);
    node.append(make('h4', null, 'Class: ' + words(part[C_REASON])));
    for (const line of [mappingRowLine(item, 'class', part), tiedNote('class', part)]) if (line !== null) node.append(line);
    const side = make('div', 'side');
    const source = make('div', 'side-source');
    source.append(make('h5', null, 'Source'), facts([['Label', item[S_LABEL]], ['Key', item[S_KEY]], ['Parent', item[S_PARENT]]]));
    const { target, partners } = candidateSide(page, item, part, shown, candidate, sourceAttributes);
    const list = make('ul', 'attributes');
    for (const [id, [key, label]] of sourceAttributes) {
      const partner = partners.get(id);
      list.append(make('li', partner ? 'partner' : null, label + (key === '' ? '' : ' (' + key + ')') +
        (partner ? ' \u2713 has a partner: ' + partner[1] + ' (' + partner[0] + ')' : '')));
    }
    source.append(make('div', 'muted', 'Attributes (' + sourceAttributes.size + ')'), list);
    side.append(source, target);
    node.append(side, decisionButtons(page, item, 'class', part, candidate),
      candidateList(page, item, 'class', part, n, shown),
      keyBox('type a target class key or label', () => page.review.targets.values(), (key) => {
        if (!page.review.targets.has(key)) return key + ' is not a class of the target dictionary';
        page.actions.decideTyped(item, n, { k: key });
        return null;
      }));
    return node;
  }

  // The target class of an attribute: its class's decision, else the shown
  // candidate's class.
  function attributeClass(page, item, candidate) {
    const saved = page.decisions[item[S_KEY]];
    if (saved && saved.c && !saved.c.none) return saved.c.k;
    return candidate ? candidate[0] : '';
  }

  function attributeReview(page, item, part, n) {
    const review = page.review;
    const node = make('div', 'review-item attribute-item');
    focusMark(page, node, n);
    const shown = page.shownCandidate(item, n, 'attribute', part);
    const candidate = page.candidateAt(item, 'attribute', part, shown);
    node.append(make('h4', null, 'Attribute ' + part[A_LABEL] + (part[A_KEY] === '' ? '' : ' (' + part[A_KEY] + ')') +
      ': ' + words(part[A_REASON])));
    for (const line of [mappingRowLine(item, 'attribute', part), tiedNote('attribute', part)]) if (line !== null) node.append(line);
    if (candidate !== undefined) {
      node.append(make('div', 'evidence', candidateName(review, 'attribute', candidate) + ', ' + scoreText(candidate) +
        (candidate[3] === null ? '' : ', ' + evidenceWords(review, candidate))));
      if (isDemoted(review, candidate)) node.append(make('div', 'demoted', 'Demoted: ' + demotionText(page, 'attribute', candidate)));
    }
    const attributesOf = () => targetAttributes(review, attributeClass(page, item, candidate)) || [];
    node.append(decisionButtons(page, item, 'attribute', part, candidate),
      candidateList(page, item, 'attribute', part, n, shown),
      keyBox('type a target attribute key or label', attributesOf, (key) => {
        const owner = attributeClass(page, item, candidate);
        const found = (targetAttributes(review, owner) || []).find((a) => a[0] === key);
        if (!found) return key + ' is not an attribute of ' + (owner || 'the target class') + ' in this page';
        // A decision names the class that holds the attribute, which may be
        // an ancestor of the class decided.
        page.actions.decideTyped(item, n, { c: found[2], k: key });
        return null;
      }));
    return node;
  }

  // The review of the class opened; `findingAttributes` are the source
  // attributes its findings name, [key, label].
  function draw(page, item, findingAttributes) {
    const items = reviewItems(item);
    page.view.focus = Math.max(0, Math.min(page.view.focus, items.length - 1));
    const box = make('section', 'review');
    box.append(make('h3', null, 'Review the suggestions'));
    // The source attributes the page knows: those of the items and of the
    // attribute findings, each once.
    const sourceAttributes = new Map();
    for (const a of item[S_ATTRIBUTES]) sourceAttributes.set(attributeId(a), [a[A_KEY], a[A_LABEL]]);
    for (const [key, label] of findingAttributes) sourceAttributes.set(key + '\n' + label, [key, label]);
    items.forEach(([kind, part], n) => {
      box.append(kind === 'class' ? classReview(page, item, part, n, sourceAttributes) : attributeReview(page, item, part, n));
    });
    return box;
  }

  // What the last action did, with its buttons, then the undo of the last
  // clear or load, then a reminder to save while many decisions are only in
  // this browser.
  function drawStatus(page) {
    const bar = byId('review-status');
    if (bar === null || !page.review) return;
    const { view } = page;
    const parts = [];
    if (view.message) parts.push(make('span', 'message', view.message), ...view.actions);
    if (view.undo !== null) {
      const undo = button(view.undo.label, 'bring back the decisions as they were before', () => page.actions.undoReplace());
      undo.id = 'undo';
      parts.push(undo);
    }
    if (page.unsaved >= UNSAVED_REMINDER) {
      parts.push(make('span', 'reminder', page.unsaved + ' decisions are not saved to a file: they are kept ' +
        'only in this browser. Save decisions writes them to one.'));
    }
    bar.replaceChildren(...parts);
  }

  // The review controls, added once the block has arrived.
  function buildControls(page) {
    const { actions } = page;
    const select = make('select');
    select.id = 'review-filter';
    for (const [value, text] of [['', 'all classes'], ['open', 'open items only'], ['tool', 'accepted by the tool, not yet reviewed']]) {
      const option = make('option', null, text);
      option.value = value;
      select.append(option);
    }
    select.addEventListener('change', () => actions.setReviewFilter(select.value));
    const label = make('label', null, 'Review ');
    label.append(select);
    const accept = button('Accept the tool\u2019s', 'decide every open item the tool accepted as it did', () => actions.acceptTheTools());
    accept.id = 'accept-tools';
    const exporter = button('Export', 'the decided rows as a completed CSV', () => actions.exportDecisions());
    exporter.id = 'export';
    const saver = button('Save decisions', 'write the decisions to a file, to keep them, take them to another ' +
      'browser or hand them on', () => actions.saveDecisionsFile());
    saver.id = 'save-decisions';
    const picker = make('input');
    picker.type = 'file';
    picker.id = 'decisions-file';
    picker.accept = '.json,application/json';
    picker.hidden = true;
    picker.addEventListener('change', () => {
      if (picker.files.length > 0) actions.loadDecisionsFile(picker.files[0]);
      picker.value = '';
    });
    const loader = button('Load decisions', 'read a decisions file saved from any page: its decisions whose item ' +
      'and target this page has replace those of the same items', () => picker.click());
    loader.id = 'load-decisions';
    const clear = button('Clear decisions', 'forget every decision of this page (asks first)', () => actions.clearDecisions());
    clear.id = 'clear-decisions';
    byId('shown').before(label, accept, exporter, saver, loader, picker, clear);
    const status = make('div');
    status.id = 'review-status';
    status.setAttribute('role', 'status');
    byId('controls').after(status);
  }

  // The entries of a decisions file left out, each with its number and why.
  function leftOutList(left) {
    const box = make('details', 'left-out');
    box.append(make('summary', null, 'Entries left out (' + left.length + ')'));
    const list = make('ul');
    for (const one of left) list.append(make('li', null, one.text));
    box.append(list);
    return box;
  }

  // The exported rows shown to copy, with the notes on the rows not
  // written; returns the text box.
  function drawExport(text, notes, fileName) {
    const panel = byId('export-box') || make('section');
    panel.id = 'export-box';
    const area = make('textarea');
    area.readOnly = true;
    area.rows = 8;
    area.value = text;
    const lines = text === '' ? 0 : text.split('\n').length - 1;
    const said = make('ul', 'export-notes');
    for (const note of notes) said.append(make('li', null, note));
    panel.replaceChildren(make('p', null, ZorReviewModel.counted(lines, 'decided row') + ' downloaded as ' + fileName +
      ' (in your downloads), and here to copy, for zorvez merge:'), area,
      said, button('Close', 'close the export', () => panel.remove()));
    byId('controls').after(panel);
    return area;
  }

  return { NOTHING_TO_ACCEPT, draw, drawStatus, buildControls, drawExport, leftOutList };
})(ZorPageDom, ZorReviewModel, ZorDecisions);
