'use strict';
// The review of the class opened, drawn from the server's answer: each
// item with its candidates, its decision, the box to type a target in, and
// what Apply makes of its row. Every text comes worded from the server and
// enters the page as text; every button calls one of the page's actions.
const ZorReviewPanel = ((dom, items) => {
  const { byId, make, button, facts } = dom;
  const NOTHING_TO_ACCEPT = 'Nothing to accept: this item has no candidate. Type a target, or decide No Mapping.';

  function candidateLine(candidate) {
    const parts = [candidate.score === null ? 'typed, not a candidate' : 'score ' + candidate.score];
    for (const mark of candidate.marks) parts.push(mark);
    if (candidate.demoted) parts.push(candidate.demoted);
    return parts.join(', ');
  }

  // The target box: Tab completes to the first proposal and never leaves a
  // box with text in it (the next button could be No Mapping); Enter
  // decides what is typed; Escape leaves the box.
  function keyBox(page, review, item, n) {
    const box = make('span', 'key-box');
    const input = make('input');
    input.type = 'text';
    input.autocomplete = 'off';
    input.spellcheck = false;
    input.placeholder = item.kind === 'class' ? 'type a target class key or label' : 'type a target attribute key or label';
    const proposals = make('span', 'proposals');
    const note = make('span', 'key-note');
    let asked = 0;
    input.addEventListener('input', () => {
      note.textContent = '';
      const ask = ++asked;
      page.actions.complete(review, item, n, input.value).then((found) => {
        if (ask !== asked) return;
        proposals.replaceChildren(...found.map(([key, label, holder]) => {
          const option = make('button', 'proposal', key);
          option.type = 'button';
          option.tabIndex = -1;
          option.dataset.key = key;
          const more = (label !== key ? ' ' + label : '') + (holder ? ' in ' + holder : '');
          if (more) option.append(make('span', 'muted', more));
          option.addEventListener('click', () => { input.value = key; input.focus(); });
          return option;
        }));
      });
    });
    input.addEventListener('keydown', (event) => {
      event.stopPropagation();
      if (event.key === 'Tab' && input.value.trim() !== '') {
        event.preventDefault();
        const first = proposals.firstChild;
        if (first && input.value !== first.dataset.key) input.value = first.dataset.key;
        else if (!first) note.textContent = 'No target begins with that: Enter decides what is typed, Escape leaves the box.';
      } else if (event.key === 'Enter') {
        event.preventDefault();
        const typed = input.value.trim();
        if (typed === '') return;
        // The decision redraws the panel: the keys go back to the review,
        // and a refusal is said in the box drawn again, with what was typed.
        input.blur();
        page.actions.decideTyped(review, item, n, typed).then((refused) => {
          if (!refused) return;
          const again = byId('detail').querySelector(`.review-item[data-item="${n}"] .key-box`);
          if (again === null) return;
          again.querySelector('input').value = typed;
          again.querySelector('.key-note').textContent = refused;
          again.querySelector('input').focus();
        });
      } else if (event.key === 'Escape') {
        input.blur();
      }
    });
    box.append(input, proposals, note);
    return box;
  }

  function decisionLine(page, review, item, n, candidate) {
    const line = make('div', 'decide');
    const accept = button('Accept', 'accept the shown candidate and go to the next open item (a)', () => page.actions.acceptShown(n));
    accept.className = 'accept';
    const parts = [accept];
    if (candidate === undefined) {
      accept.disabled = true;
      accept.title = NOTHING_TO_ACCEPT;
      parts.push(make('span', 'hint', NOTHING_TO_ACCEPT));
    }
    const none = button('No Mapping', 'no target (n)', () => page.actions.decide(n, { no_mapping: true }));
    none.className = 'no-mapping';
    const open = button('Leave open', 'take the decision back (u)', () => page.actions.decide(n, { open: true }));
    open.className = 'leave-open';
    parts.push(none, open, make('span', 'decision ' + item.decision.state, 'Decision: ' + item.decision.text));
    line.append(...parts);
    return line;
  }

  function candidateList(page, item, n, shown) {
    const list = make('ol', 'candidates');
    item.candidates.forEach((candidate, at) => {
      const line = make('li', at === shown ? 'shown' : null);
      const pick = make('button', 'candidate', candidate.name);
      pick.type = 'button';
      pick.addEventListener('click', () => page.actions.showCandidate(n, at));
      line.append(pick, make('span', 'muted', ' ' + candidateLine(candidate)));
      list.append(line);
    });
    return list;
  }

  function shownCandidateFacts(item, candidate) {
    if (candidate === undefined) return null;
    const pairs = [['Candidate', candidate.name], ['Score', candidateLine(candidate)], ['Evidence', candidate.evidence]];
    if (candidate.parent !== undefined) pairs.push(['Parent', candidate.parent || '\u2014']);
    const node = facts(pairs);
    if (item.kind === 'class' && candidate.attributes) {
      const list = make('ul', 'attributes');
      for (const text of candidate.attributes) list.append(make('li', null, text));
      const wrap = make('div', 'offered');
      wrap.append(make('div', 'muted', 'Its attributes (' + candidate.attributes.length + ')'), list);
      node.append(wrap);
    }
    return node;
  }

  function itemNode(page, review, item, n) {
    const node = make('div', 'review-item ' + item.kind + '-item');
    node.dataset.item = String(n);
    if (n === page.view.focus) node.classList.add('focused');
    node.addEventListener('click', () => page.actions.focusItem(n));
    node.append(make('h4', null, item.title));
    if (item.row) node.append(make('div', 'muted', 'Mapping row: ' + item.row));
    if (item.tied) node.append(make('div', 'tied', item.tied));
    if (!item.nameable) {
      node.append(make('p', 'hint', 'Another class or attribute has the same key, and a decisions file cannot tell ' +
        'them apart: map this one in the table.'));
      return node;
    }
    const shown = items.shownCandidate(item, page.view.shown.get(review.key + '\n' + n));
    const candidate = shown >= 0 ? item.candidates[shown] : undefined;
    const facts = shownCandidateFacts(item, candidate);
    if (facts) node.append(facts);
    node.append(decisionLine(page, review, item, n, candidate), candidateList(page, item, n, shown), keyBox(page, review, item, n));
    const outcome = make('div', 'outcome ' + item.outcome.fate, item.outcome.text);
    if (item.outcome.retarget) outcome.append(make('div', 'muted', item.outcome.retarget));
    node.append(outcome);
    return node;
  }

  function scrollIntoPanel(box, node) {
    const margin = 8;
    const top = node.getBoundingClientRect().top - box.getBoundingClientRect().top + box.scrollTop;
    if (top - margin < box.scrollTop || node.offsetHeight + 2 * margin > box.clientHeight) {
      box.scrollTop = Math.max(0, top - margin);
    } else if (top + node.offsetHeight + margin > box.scrollTop + box.clientHeight) {
      box.scrollTop = top + node.offsetHeight + margin - box.clientHeight;
    }
  }

  function draw(page) {
    const box = byId('detail');
    const review = page.review;
    if (review === null) {
      box.replaceChildren(make('p', 'hint', page.lines.length === 0 ? 'Nothing to review: every class and attribute ' +
        'has its row.' : 'Select a class to review its suggestions.'));
      return;
    }
    const sameClass = page.view.drawnClass === review.key;
    const scrolled = sameClass ? box.scrollTop : 0;
    // A redraw (an answer, the inputs read again) keeps what is being typed.
    const typing = document.activeElement && document.activeElement.closest('#detail .key-box') ?
      { item: document.activeElement.closest('.review-item').dataset.item, value: document.activeElement.value } : null;
    page.view.drawnClass = review.key;
    const parts = [make('h2', null, review.label === '' ? review.key : review.label),
      facts([['Key', review.key], ['Parent', review.parent],
        ['Attributes placed in', review.placed || 'no target yet']])];
    review.items.forEach((item, n) => parts.push(itemNode(page, review, item, n)));
    box.replaceChildren(...parts);
    box.scrollTop = scrolled;
    const focused = box.querySelector('.review-item.focused');
    if (focused !== null) scrollIntoPanel(box, focused);
    const input = sameClass && typing ? box.querySelector(`.review-item[data-item="${typing.item}"] .key-box input`) : null;
    if (input !== null) {
      input.value = typing.value;
      input.focus();
    }
  }

  return { draw, NOTHING_TO_ACCEPT };
})(ZorPageDom, ZorReviewItems);
