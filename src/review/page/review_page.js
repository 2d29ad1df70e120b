'use strict';
// The review's page: its state, the actions that change it (each asks the
// server, which decides, keeps the decision on disk and answers with what
// changed), the keys, and a look every two seconds whether the inputs were
// read again. render() draws the page from its state.
const ZorReviewPage = ((dom, api, lines, items, panel, apply) => {
  const { byId, make, button } = dom;
  const LINE_HEIGHT = 26;
  const POLL_MILLISECONDS = 2000;

  const page = {
    lines: [], rows: [], version: 0, state: null, review: null, stopped: false,
    filter: '', query: '',
    view: { selected: '', focus: 0, shown: new Map(), drawnClass: '', message: '', kind: '' },
    actions: null,
  };
  const { view } = page;

  // ---- Drawing ------------------------------------------------------------------

  function say(message, kind = '') {
    view.message = message;
    view.kind = kind;
  }

  function drawHead() {
    const state = page.state;
    if (state === null) return;
    const inputs = state.inputs;
    byId('inputs').textContent = inputs.source + ' \u2192 ' + inputs.target + ' through ' + inputs.mapping +
      '; decisions in ' + inputs.decisions;
    byId('counts').textContent = state.counts.text;
    const progress = state.progress;
    byId('progress').textContent = progress.decided + ' of ' + progress.items + ' items decided, ' + progress.open + ' open';
    byId('undo').disabled = state.undo === 0;
    byId('apply-undo').hidden = state.applied === 0;
  }

  function drawStatus() {
    const bar = byId('status');
    const parts = [];
    const state = page.state;
    if (view.message) parts.push(make('div', 'message ' + view.kind, view.message));
    if (state && state.problem) parts.push(make('div', 'problem', state.problem));
    if (state && state.notice) parts.push(make('div', 'notice', state.notice));
    if (state && state.carried && state.carried.left.length > 0) {
      const box = make('details', 'left-out');
      box.append(make('summary', null, (state.carried.text || 'Decisions') + ': ' + state.carried.left.length +
        ' do not carry'));
      const list = make('ul');
      for (const text of state.carried.left) list.append(make('li', null, text));
      box.append(list);
      parts.push(box);
    }
    bar.replaceChildren(...parts);
  }

  function drawLines() {
    const list = byId('list');
    byId('spacer').style.height = page.rows.length * LINE_HEIGHT + 'px';
    const first = Math.max(0, Math.floor(list.scrollTop / LINE_HEIGHT) - 5);
    const last = Math.min(page.rows.length, first + Math.ceil(list.clientHeight / LINE_HEIGHT) + 10);
    const drawn = [];
    for (let r = first; r < last; r++) {
      const line = page.lines[page.rows[r]];
      const node = make('div', 'row' + (line[lines.KEY] === view.selected ? ' selected' : '') +
        (line[lines.OPEN] === 0 ? ' done' : ''));
      node.style.top = r * LINE_HEIGHT + 'px';
      node.dataset.key = line[lines.KEY];
      node.setAttribute('role', 'option');
      node.append(make('span', 'label', line[lines.LABEL] === '' ? line[lines.KEY] : line[lines.LABEL]),
        make('span', 'muted', ' ' + line[lines.KEY]), make('span', 'progress', lines.progressText(line)));
      drawn.push(node);
    }
    byId('rows').replaceChildren(...drawn);
    byId('shown').textContent = page.rows.length + ' of ' + page.lines.length + ' classes';
  }

  function render() {
    drawHead();
    drawStatus();
    drawLines();
    panel.draw(page);
  }

  // ---- Reading from the server ----------------------------------------------------------

  function filterRows() {
    page.rows = lines.shown(page.lines, page.query, page.filter);
  }

  async function readState() {
    const state = await api.get('state');
    page.state = state;
    page.version = state.version;
    page.lines = state.classes;
    filterRows();
  }

  async function readClass(key) {
    if (key === '') {
      page.review = null;
      return;
    }
    try {
      const answer = await api.get('class', { key });
      page.review = answer.review;
    } catch (error) {
      page.review = null;
      say(error.message, 'refused');
    }
  }

  // Takes what an answer to a change brings: the lines that changed, the
  // open class's review, the counts.
  function take(answer) {
    page.version = answer.version;
    lines.update(page.lines, answer.lines || []);
    if (answer.review) page.review = answer.review;
    if (page.state) {
      if (answer.progress) page.state.progress = answer.progress;
      if (answer.undo !== undefined) page.state.undo = answer.undo;
    }
    filterRows();
  }

  // ---- Actions ------------------------------------------------------------------------

  async function select(key, focus = -1) {
    view.selected = key;
    view.shown.clear();
    await readClass(key);
    if (page.review !== null) {
      const open = items.openItem(page.review, 0);
      view.focus = focus >= 0 ? focus : Math.max(0, open);
    }
    render();
  }

  function focused() {
    if (page.review === null || page.review.items.length === 0) return null;
    view.focus = Math.min(view.focus, page.review.items.length - 1);
    return { n: view.focus, item: page.review.items[view.focus] };
  }

  // Sends a change; a refusal is said on the status line and changes nothing.
  async function change(name, body) {
    try {
      const answer = await api.post(name, Object.assign({ showing: view.selected }, body));
      take(answer);
      say(answer.said || '', 'saved');
      return null;
    } catch (error) {
      say(error.message, 'refused');
      return error.message;
    } finally {
      render();
    }
  }

  async function decide(n, what) {
    if (page.review === null) return 'No class is open.';
    const item = page.review.items[n];
    view.focus = n;
    return change('decide', Object.assign(items.itemName(page.review, item), what));
  }

  // The next open item: in this class after the focused one, then down the
  // list, going round to the top, then this class's earlier ones.
  async function nextOpen() {
    if (page.review !== null) {
      const after = items.openAfter(page.review, view.focus);
      if (after >= 0) {
        view.focus = after;
        render();
        return;
      }
    }
    const from = page.rows.findIndex((i) => page.lines[i][lines.KEY] === view.selected);
    const r = lines.nextOpen(page.lines, page.rows, from);
    if (r >= 0) {
      if (from >= 0 && r < from) say('Round to the top of the list: no open item below.');
      await select(page.lines[page.rows[r]][lines.KEY]);
      scrollToSelected();
      return;
    }
    const earlier = page.review === null ? -1 : items.openItem(page.review, 0);
    if (earlier >= 0 && earlier !== view.focus) {
      view.focus = earlier;
      say('Back to an earlier item of this class: no other class in the list has an open item.');
    } else {
      say('No open item left in the list.');
    }
    render();
  }

  function scrollToSelected() {
    const r = page.rows.findIndex((i) => page.lines[i][lines.KEY] === view.selected);
    if (r < 0) return;
    const list = byId('list');
    const top = r * LINE_HEIGHT;
    if (top < list.scrollTop || top + LINE_HEIGHT > list.scrollTop + list.clientHeight) {
      list.scrollTop = Math.max(0, top - list.clientHeight / 2);
    }
    drawLines();
  }

  const actions = {
    select: (key) => select(key),
    focusItem(n) {
      if (view.focus === n) return;
      view.focus = n;
      render();
    },
    showCandidate(n, at) {
      view.focus = n;
      const item = page.review.items[n];
      if (item.candidates.length === 0) return;
      view.shown.set(page.review.key + '\n' + n, (at + item.candidates.length) % item.candidates.length);
      render();
    },
    stepCandidate(step) {
      const at = focused();
      if (at === null) return;
      const shown = items.shownCandidate(at.item, view.shown.get(page.review.key + '\n' + at.n));
      actions.showCandidate(at.n, shown < 0 ? (step > 0 ? 0 : -1) : shown + step);
    },
    stepItem(step) {
      const at = focused();
      if (at === null) return;
      const count = page.review.items.length;
      const next = at.n + step;
      view.focus = (next + count) % count;
      if (next >= count) say('Back to the first item of this class.');
      else if (next < 0) say('On to the last item of this class.');
      render();
    },
    decide,
    async acceptShown(n = view.focus) {
      if (page.review === null) return;
      const item = page.review.items[n];
      const shown = items.shownCandidate(item, view.shown.get(page.review.key + '\n' + n));
      if (shown < 0) {
        say(panel.NOTHING_TO_ACCEPT);
        render();
        return;
      }
      view.focus = n;
      const refused = await change('decide', items.acceptRequest(page.review, item, item.candidates[shown]));
      if (refused === null) await nextOpen();
    },
    decideTyped(review, item, n, typed) {
      view.focus = n;
      view.shown.delete(review.key + '\n' + n);
      const body = Object.assign(items.itemName(review, item), { typed });
      const shown = items.shownCandidate(item, undefined);
      if (item.kind === 'attribute' && shown >= 0) body.in = item.candidates[shown].target.class;
      return change('decide', body);
    },
    async complete(review, item, n, text) {
      if (text.trim() === '') return [];
      const params = { key: review.key, text };
      if (item.kind === 'attribute') {
        params['attribute-key'] = item.attribute.key;
        params['attribute-label'] = item.attribute.label;
        const shown = items.shownCandidate(item, view.shown.get(review.key + '\n' + n));
        if (shown >= 0) params.in = item.candidates[shown].target.class;
      }
      try {
        return (await api.get('complete', params)).completions;
      } catch (error) {
        return [];
      }
    },
    nextOpen,
    undo: () => change('undo', {}),
    acceptTools: () => change('accept-tools', { class: view.selected }),
    async openApply() {
      try {
        const { preview } = await api.get('apply');
        const go = apply.drawPreview(preview, (retarget) => actions.apply(preview.stamp, retarget),
          () => apply.close());
        go.focus();
      } catch (error) {
        say(error.message, 'refused');
        render();
      }
    },
    async apply(stamp, retarget) {
      try {
        const answer = await api.post('apply', { preview: stamp, retarget });
        apply.close();
        say(answer.said + ' Before: ' + answer.before.text + '. After: ' + answer.after.text + '.', 'saved');
        await readState();
        await readClass(view.selected);
      } catch (error) {
        say(error.message, 'refused');
      }
      render();
    },
    async undoApply() {
      try {
        const answer = await api.post('apply-undo', {});
        say(answer.said + ' ' + answer.after.text + '.', 'saved');
        await readState();
        await readClass(view.selected);
      } catch (error) {
        say(error.message, 'refused');
      }
      render();
    },
    async quit() {
      try {
        const answer = await api.post('quit', {});
        page.stopped = true;
        document.body.classList.add('stopped');
        say(answer.said, 'saved');
      } catch (error) {
        say(error.message, 'refused');
      }
      render();
    },
  };
  page.actions = actions;

  // ---- Keys, wiring and the look for a new reading -----------------------------------------

  // The keys the review answers to (wire, reviewKeys, and review_panel.js's
  // keyBox), shown by "Keys" or "?": a key added there belongs here.
  const keyLegend = ZorKeyLegend.legendOf([
    ZorKeyLegend.LIST,
    ['Reviewing the open class (no text box focused)',
      [...ZorKeyLegend.REVIEW, ['z', 'take the last decision back']]],
    ZorKeyLegend.TARGET_BOX,
    ZorKeyLegend.ANYWHERE,
  ]);

  function reviewKeys(event) {
    const target = event.target;
    if (event.ctrlKey || event.metaKey || event.altKey || page.stopped) return;
    if (target instanceof HTMLElement && target.closest('input, select, textarea')) return;
    if (event.key === '?') {
      event.preventDefault();
      keyLegend.toggle();
      return;
    }
    if (event.key === 'z') {
      event.preventDefault();
      actions.undo();
      return;
    }
    const at = focused();
    if (at === null) return;
    const keys = {
      a: () => actions.acceptShown(), s: () => nextOpen(), n: () => decide(at.n, { no_mapping: true }),
      u: () => decide(at.n, { open: true }), ArrowRight: () => actions.stepCandidate(1),
      ArrowLeft: () => actions.stepCandidate(-1), j: () => actions.stepItem(1), k: () => actions.stepItem(-1),
      t: () => {
        const box = byId('detail').querySelector('.focused .key-box input');
        if (box) box.focus();
      },
    };
    let action = keys[event.key];
    if (action === undefined && /^[1-9]$/.test(event.key)) action = () => actions.showCandidate(at.n, Number(event.key) - 1);
    if (action === undefined) return;
    event.preventDefault();
    if (view.message !== '') say('');
    action();
  }

  function moveSelection(step) {
    const at = page.rows.findIndex((i) => page.lines[i][lines.KEY] === view.selected);
    const r = Math.max(0, Math.min(page.rows.length - 1, at < 0 ? 0 : at + step));
    if (page.rows.length === 0) return;
    select(page.lines[page.rows[r]][lines.KEY]).then(scrollToSelected);
  }

  function wire() {
    const list = byId('list');
    list.addEventListener('scroll', () => drawLines(), { passive: true });
    window.addEventListener('resize', () => drawLines());
    list.addEventListener('click', (event) => {
      const line = event.target.closest('.row');
      if (line !== null) select(line.dataset.key);
    });
    list.addEventListener('keydown', (event) => {
      const lineCount = Math.max(1, Math.floor(list.clientHeight / LINE_HEIGHT) - 1);
      const steps = { ArrowDown: 1, ArrowUp: -1, PageDown: lineCount, PageUp: -lineCount, Home: -Infinity, End: Infinity };
      if (!(event.key in steps)) return;
      event.preventDefault();
      const step = steps[event.key];
      moveSelection(Number.isFinite(step) ? step : step > 0 ? page.rows.length : -page.rows.length);
    });
    byId('search').addEventListener('input', (event) => {
      page.query = event.target.value;
      filterRows();
      drawLines();
    });
    byId('review-filter').addEventListener('change', (event) => {
      page.filter = event.target.value;
      filterRows();
      drawLines();
    });
    byId('accept-tools').addEventListener('click', () => actions.acceptTools());
    byId('undo').addEventListener('click', () => actions.undo());
    byId('apply').addEventListener('click', () => actions.openApply());
    byId('apply-undo').addEventListener('click', () => actions.undoApply());
    byId('keys').addEventListener('click', () => keyLegend.toggle());
    byId('quit').addEventListener('click', () => actions.quit());
    document.addEventListener('keydown', reviewKeys);
  }

  // A new version the page did not make (the inputs read again, an Apply
  // from another tab): everything is read again.
  async function poll() {
    if (page.stopped) return;
    try {
      const { version } = await api.get('poll');
      if (version !== page.version) {
        await readState();
        await readClass(view.selected);
        render();
      }
    } catch (error) {
      // The server is gone or busy: the next look tells.
    }
    setTimeout(poll, POLL_MILLISECONDS);
  }

  async function start() {
    wire();
    try {
      await readState();
    } catch (error) {
      say(error.message, 'refused');
      render();
      return;
    }
    const first = lines.nextOpen(page.lines, page.rows, -1);
    const r = first >= 0 ? first : 0;
    await select(page.rows.length > 0 ? page.lines[page.rows[r]][lines.KEY] : '');
    setTimeout(poll, POLL_MILLISECONDS);
    window.zorvezReview = { ready: true };
  }

  return { start, page };
})(ZorPageDom, ZorReviewApi, ZorReviewLines, ZorReviewItems, ZorReviewPanel, ZorReviewApply);

ZorReviewPage.start();
