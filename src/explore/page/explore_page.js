'use strict';
// The explorer page: its state, the actions that change it, and render(),
// which draws the page from its state. The data comes in as `source`: the
// index, the texts of the page's other blocks (the findings' chunks, the
// attribute names, the suggestions) and the browser's storage.
const ZorExplorePage = ((dom, model, decisionsModel, decisionsFile, exportRows, listFilter, listView, detailView,
  reviewView) => {
  const { LABEL, KEY, make, button } = dom;
  const { cols: { S_KEY }, reviewItems, candidatesOf, counted } = model;
  const { decisionOf, setDecision } = decisionsModel;
  const CHUNK_CACHE_SIZE = 8;

  function start(source) {
    const index = source.index;
    const classes = index.classes;
    const page = {
      index, classes, total: classes.length, verdictNames: index.verdicts, kindNames: index.kinds,
      sectionNames: index.sections,
      state: {
        verdicts: new Set(index.verdicts.map((_, code) => code)),
        kind: '',
        query: '',
        grouped: false,
        collapsed: new Set(),
        selected: -1,
        review: '',  // '', 'open' or 'tool': the review filter
      },
      // Lines of the list: a class's position in `classes`, or -(group + 1)
      // for a group heading; why a class is shown (for the marks on its
      // line); the groups by parent.
      rows: [], reasons: new Map(), grouping: null,
      // The review: undefined until read, null when the page has none; the
      // decisions and how many changed since they were last saved to a file
      // or loaded from one.
      review: undefined, decisions: {}, unsaved: 0, storageName: '',
      // The focused item of the open class, the one to focus in the class
      // opened next, the candidate shown per item ("KEY\nitem"), the class
      // the panel shows, the status line's message and its buttons, and
      // what the last clear or load replaced.
      view: { focus: 0, nextFocus: 0, shown: new Map(), drawnClass: -1, message: '', actions: [], undo: null },
      actions: null, shownCandidate, candidateAt,
    };
    const { state, view } = page;
    const haystack = classes.map((c) => (c[LABEL] + '\n' + c[KEY]).toLowerCase());

    // ---- Drawing ------------------------------------------------------------

    // What changed since the last drawing: the filters (the list's lines are
    // made again), the class opened or its review (the detail panel), the
    // status line. The lines in view are drawn every time: they are few.
    const changed = { filters: 1, detail: 0, status: 0 };
    const drawn = { filters: 0, detail: 0, status: 0 };
    function touch(...parts) {
      for (const part of parts) changed[part] += 1;
    }

    function render() {
      if (drawn.filters !== changed.filters) {
        drawn.filters = changed.filters;
        listView.drawFilters(page);
        listView.drawCount(page, filterRows());
      }
      listView.drawLines(page);
      if (drawn.detail !== changed.detail) {
        drawn.detail = changed.detail;
        drawDetail();
      }
      if (drawn.status !== changed.status) {
        drawn.status = changed.status;
        reviewView.drawStatus(page);
      }
    }

    function drawDetail() {
      const i = state.selected;
      if (i < 0) return;
      const entry = entryOf(i);
      const item = readReview() === null ? null : page.review.ofClass[i];
      const panel = item === null ? null : reviewView.draw(page, item, detailView.findingAttributes(entry || null));
      detailView.draw(page, entry, panel);
    }

    // ---- The list's lines -----------------------------------------------------

    // The attribute labels and keys of each class, read when a search begins.
    let attributeHaystack = null;
    function attributeNames() {
      if (attributeHaystack === null) {
        const text = source.text('zv-attribute-names');
        if (text === null || source.loading() && source.text('zv-chunk-0') === null) return null;
        try {
          attributeHaystack = JSON.parse(text).map((names) => String(names).toLowerCase());
        } catch (error) {
          attributeHaystack = [];
        }
      }
      return attributeHaystack;
    }

    // The review filter's test of a class, or null for no filter.
    function reviewTest() {
      if (!state.review || readReview() === null) return null;
      const test = state.review === 'open' ? decisionsModel.isOpen : decisionsModel.toolAcceptedOpen;
      return (i) => page.review.ofClass[i] !== null && test(page.decisions, page.review.ofClass[i]);
    }

    // The list's lines as the filters have them; returns how many classes
    // are shown.
    function filterRows() {
      const names = state.query.trim() === '' ? null : attributeNames();
      if (state.grouped && page.grouping === null) page.grouping = listFilter.groupsOf(classes);
      const { rows, shown } = listFilter.filterRows(
        { classes, haystack, state, names, reviewed: reviewTest(), reasons: page.reasons }, page.grouping);
      page.rows = rows;
      return shown;
    }

    // ---- The findings of one class ----------------------------------------------

    // The attribute findings are parsed a chunk at a time, when a class of
    // the chunk is opened; the chunks follow the script in the page and may
    // still be arriving when the first class is opened.
    const chunkCache = new Map();
    function entryOf(i) {
      const chunk = Math.floor(i / index.chunkClasses);
      if (!chunkCache.has(chunk)) {
        const text = source.text('zv-chunk-' + chunk);
        const complete = !source.loading() || source.text('zv-chunk-' + (chunk + 1)) !== null;
        if (text === null || !complete) return undefined;
        let entries = null;
        try {
          entries = JSON.parse(text);
        } catch (error) {
          entries = null;
        }
        if (chunkCache.size >= CHUNK_CACHE_SIZE) chunkCache.delete(chunkCache.keys().next().value);
        chunkCache.set(chunk, entries);
      }
      const entries = chunkCache.get(chunk);
      return entries === null ? null : entries[i % index.chunkClasses] ?? null;
    }

    // ---- The review's state ---------------------------------------------------

    // The block of suggestions follows the findings and is read at the first
    // need: opening a class, or a review filter. Decisions live in the
    // browser's storage under a name made from the block's text, so another
    // page never picks them up. A page written with --decisions opens with
    // the decisions that carried until the browser keeps decisions of its
    // own for it: from then on (even cleared) those are the reviewer's
    // latest word, and the file's are not brought back over them.
    function readReview() {
      if (page.review !== undefined) return page.review;
      if (source.loading()) return null;
      const text = source.text('zv-suggest');
      page.review = text === null ? null : model.readReview(text, classes.map((c) => c[KEY]));
      if (page.review === null) return null;
      page.storageName = 'zorvez-review:' + page.review.hash;
      try {
        const storage = source.storage();
        const kept = storage.getItem(page.storageName);
        page.decisions = kept === null ? decisionsFile.carriedDecisions(page.review) : JSON.parse(kept) || {};
        page.unsaved = Number(storage.getItem(page.storageName + ':unsaved')) || 0;
      } catch (error) {
        page.decisions = decisionsFile.carriedDecisions(page.review);
      }
      return page.review;
    }

    // Keeps the decisions in the browser, with how many changed since they
    // were last saved to a file or loaded from one.
    function keepDecisions(countOnly = false) {
      try {
        const storage = source.storage();
        if (!countOnly) storage.setItem(page.storageName, JSON.stringify(page.decisions));
        storage.setItem(page.storageName + ':unsaved', String(page.unsaved));
      } catch (error) {
        say('The decisions could not be kept in this browser: ' + error.message + '. Save decisions keeps them in a file.');
      }
      touch('status');
    }

    function say(message, actions = []) {
      view.message = message;
      view.actions = actions;
      touch('status');
    }

    // The place of the candidate an item shows: the one picked with the
    // arrows or a digit, else the one decided, else the first; -1 for a
    // typed target that no candidate names.
    function shownCandidate(item, n, kind, entry) {
      const id = item[S_KEY] + '\n' + n;
      if (view.shown.has(id)) return view.shown.get(id);
      return decisionsModel.decidedCandidate(page.decisions, item, kind, entry);
    }

    // The candidate at `at`, or for -1 the typed target in a candidate's
    // shape.
    function candidateAt(item, kind, entry, at) {
      if (at >= 0) return candidatesOf(kind, entry)[at];
      return decisionsModel.typedCandidate(page.review, kind, decisionOf(page.decisions, item, kind, entry));
    }

    function focusedItem() {
      if (state.selected < 0 || readReview() === null) return null;
      const item = page.review.ofClass[state.selected];
      if (item === null) return null;
      const items = reviewItems(item);
      if (items.length === 0) return null;
      const n = Math.min(view.focus, items.length - 1);
      return { item, n, kind: items[n][0], part: items[n][1] };
    }

    function decide(item, kind, entry, decision) {
      setDecision(page.decisions, item, kind, entry, decision);
      page.unsaved += 1;
      keepDecisions();
      touch('detail');
    }

    // Puts `decisions` in place of the page's, keeping what they replace for
    // an undo (labelled `label`) until the page is closed. Replacing none
    // leaves the undo there was: after a clear, loading a file can still be
    // undone to the decisions cleared.
    function replaceDecisions(decisions, unsaved, label) {
      const before = decisionsModel.decisionCount(page.decisions);
      if (before > 0) view.undo = { decisions: page.decisions, unsaved: page.unsaved, label };
      page.decisions = decisions;
      page.unsaved = unsaved;
      view.shown.clear();
      keepDecisions();
      touch('filters', 'detail');
      return before;
    }

    // ---- Moving through the list and the items ------------------------------------

    function select(i) {
      if (i !== state.selected) view.focus = view.nextFocus;
      view.nextFocus = 0;
      state.selected = i;
      touch('detail');
    }

    // Selects the class on line `from`, or the nearest one in the direction
    // `step`, else the nearest one the other way, and scrolls it into view.
    function selectLine(from, step) {
      const target = Math.max(0, Math.min(page.rows.length - 1, from));
      for (const direction of [step, -step]) {
        for (let r = target; r >= 0 && r < page.rows.length; r += direction) {
          if (page.rows[r] < 0) continue;
          select(page.rows[r]);
          listView.scrollToLine(r);
          return;
        }
      }
    }

    // The next open item: in this class after the focused one, else the
    // first open item of the next class down the list that has one, going on
    // from the top of the list after its end, and last the open items of
    // this class before the focused one. The status line says when it went
    // round.
    function nextOpen() {
      const at = focusedItem();
      if (at === null) return;
      const { rows } = page;
      let n = decisionsModel.openItemIn(page.decisions, at.item, at.n + 1, Infinity);
      if (n >= 0) {
        view.focus = n;
        touch('detail');
        return;
      }
      const from = rows.indexOf(state.selected);
      for (let step = 1; step < rows.length + (from < 0 ? 1 : 0); step++) {
        const r = (from + step) % rows.length;
        const i = rows[r];
        if (i < 0 || i === state.selected || page.review.ofClass[i] === null) continue;
        const first = decisionsModel.openItemIn(page.decisions, page.review.ofClass[i], 0, Infinity);
        if (first < 0) continue;
        view.nextFocus = first;
        if (from >= 0 && r < from) say('Round to the top of the list: no open item below.');
        selectLine(r, 1);
        return;
      }
      n = decisionsModel.openItemIn(page.decisions, at.item, 0, at.n + 1);
      if (n >= 0 && n !== at.n) {
        view.focus = n;
        say('Back to an earlier item of this class: no other class in the list has an open item.');
      } else if (n === at.n) {
        say('This is the last open item in the list.');
      } else {
        say('No open item left in the list.');
      }
      touch('detail');
    }

    function showCandidate(at) {
      const focus = focusedItem();
      if (focus === null) return;
      const count = candidatesOf(focus.kind, focus.part).length;
      if (count === 0) return;
      view.shown.set(focus.item[S_KEY] + '\n' + focus.n, (at + count) % count);
      touch('detail');
    }

    // ---- Actions: each changes the state, then the page is drawn again ----------

    // Clearing asks first; the decisions cleared can be brought back while
    // the page stays open.
    function clearDecisions() {
      if (readReview() === null) return;
      const count = decisionsModel.decisionCount(page.decisions);
      if (count === 0) return say('There is no decision to clear.');
      const yes = button('Clear them', 'forget every decision of this page', () => act(() => {
        replaceDecisions({}, 0, 'Undo clear');
        say('Cleared ' + counted(count, 'decision') + '.');
      }));
      yes.id = 'confirm-clear';
      const no = button('Keep them', 'clear nothing', () => act(() => say('Nothing was cleared.')));
      no.id = 'keep-decisions';
      say((count === 1 ? 'Clear the 1 decision' : 'Clear all ' + count + ' decisions') + ' of this page?', [yes, no]);
      return no;
    }

    // A file's decisions replace those of the items it names; the others
    // stay. A file that carries nothing changes nothing.
    function loadDecisionsText(text, name) {
      const read = decisionsFile.readFile(page.review, text, name, page.decisions);
      if (read.refused) return say(read.refused);
      const listed = read.left.length > 0 ? [reviewView.leftOutList(read.left)] : [];
      if (read.decisions === undefined) return say(read.message, listed);
      const kept = decisionsModel.decisionCount(read.decisions) - read.carried;
      replaceDecisions(read.decisions, kept > 0 ? page.unsaved : 0, 'Undo load');
      say(read.message, listed);
    }

    const actions = {
      tickVerdict(code, on) {
        if (on) state.verdicts.add(code); else state.verdicts.delete(code);
        touch('filters');
      },
      showOnlyVerdict(code) {
        if (code < 0) return;
        state.verdicts = new Set([code]);
        touch('filters');
      },
      setKind(value) {
        state.kind = value;
        touch('filters');
      },
      setQuery(text) {
        state.query = text;
        touch('filters');
      },
      setGrouped(on) {
        state.grouped = on;
        touch('filters');
      },
      toggleGroup(g) {
        if (state.collapsed.has(g)) state.collapsed.delete(g); else state.collapsed.add(g);
        touch('filters');
      },
      setReviewFilter(value) {
        state.review = value;
        touch('filters');
      },
      resetFilters() {
        state.verdicts = new Set(page.verdictNames.map((_, code) => code));
        state.kind = '';
        state.query = '';
        state.review = '';
        touch('filters');
      },
      select,
      moveSelection(step) {
        const at = page.rows.indexOf(state.selected);
        for (let r = at + step; r >= 0 && r < page.rows.length; r += step) {
          if (page.rows[r] >= 0) return selectLine(r, step);
        }
      },
      // Home, End, Page Up and Page Down: the first and last class, or a
      // page of lines up or down.
      jumpSelection(key) {
        if (page.rows.length === 0) return;
        const lines = listView.pageOfLines();
        const at = Math.max(0, page.rows.indexOf(state.selected));
        if (key === 'Home') selectLine(0, 1);
        else if (key === 'End') selectLine(page.rows.length - 1, -1);
        else if (key === 'PageDown') selectLine(at + lines, 1);
        else selectLine(at - lines, -1);
      },
      focusItem(n) {
        if (view.focus === n) return;
        view.focus = n;
        touch('detail');
      },
      showCandidateOf(n, at) {
        view.focus = n;
        showCandidate(at);
      },
      showCandidate,
      // From a typed target, → shows the first candidate and ← the last.
      stepCandidate(step) {
        const at = focusedItem();
        if (at === null) return;
        const shown = shownCandidate(at.item, at.n, at.kind, at.part);
        showCandidate(shown < 0 ? (step > 0 ? 0 : -1) : shown + step);
      },
      // j and k: the next or previous item of the class, round from the
      // last to the first and from the first to the last.
      stepItem(step) {
        const at = focusedItem();
        if (at === null) return;
        const count = reviewItems(at.item).length;
        const next = at.n + step;
        view.focus = (next + count) % count;
        if (next >= count) say('Back to the first item of this class.');
        else if (next < 0) say('On to the last item of this class.');
        touch('detail');
      },
      decideFocused(decision) {
        const at = focusedItem();
        if (at !== null) decide(at.item, at.kind, at.part, decision);
      },
      // Typing a key decides; the item then shows what was typed.
      decideTyped(item, n, decision) {
        view.focus = n;
        view.shown.delete(item[S_KEY] + '\n' + n);
        actions.decideFocused(decision);
      },
      acceptShown() {
        const at = focusedItem();
        if (at === null) return;
        const candidate = candidateAt(at.item, at.kind, at.part, shownCandidate(at.item, at.n, at.kind, at.part));
        if (candidate === undefined) return say(reviewView.NOTHING_TO_ACCEPT);
        decide(at.item, at.kind, at.part, decisionsModel.candidateDecision(at.kind, candidate));
        nextOpen();
      },
      nextOpen,
      acceptTheTools() {
        if (readReview() === null) return;
        const decided = decisionsModel.acceptTheTools(page.review, page.decisions);
        page.unsaved += decided;
        say(counted(decided, 'item') + ' decided as the tool accepted ' + (decided === 1 ? 'it.' : 'them.'));
        keepDecisions();
        touch('filters', 'detail');
      },
      clearDecisions,
      // An undo can itself be undone ("Redo clear"), so that decisions made
      // after a clear are not lost to its undo.
      undoReplace() {
        const kept = view.undo;
        if (kept === null) return;
        view.undo = null;
        const again = (kept.label.startsWith('Undo') ? 'Redo' : 'Undo') + kept.label.slice(4);
        replaceDecisions(kept.decisions, kept.unsaved, again);
        const back = decisionsModel.decisionCount(page.decisions);
        say(counted(back, 'decision') + (back === 1 ? ' is back.' : ' are back.'));
      },
      saveDecisionsFile() {
        if (readReview() === null) return;
        const name = decisionsFile.fileName(index.inputs.source);
        download(decisionsFile.fileText(page.review, page.decisions, index.inputs.source), 'application/json', name);
        page.unsaved = 0;
        keepDecisions(true);
        say('Saved ' + counted(decisionsModel.decisionCount(page.decisions), 'decision') + ' as ' + name +
          ' (in your downloads). Load decisions reads them back into any page of this review, in any browser.');
      },
      // The file picker's file, read where it is: FileReader fetches
      // nothing, so the page's policy lets it through.
      loadDecisionsFile(file) {
        if (readReview() === null) return;
        const reader = new FileReader();
        reader.addEventListener('load', () => act(() => loadDecisionsText(String(reader.result), file.name)));
        reader.addEventListener('error', () => act(() => say(file.name + ' could not be read: nothing was loaded.')));
        reader.readAsText(file);
      },
      // The decided rows, downloaded and shown to copy.
      exportDecisions() {
        const { text, notes } = readReview() === null ? { text: '', notes: [] }
          : exportRows.exportRows(page.review, page.decisions);
        const name = 'suggested-rows.csv';
        const area = reviewView.drawExport(text, notes, name);
        download(text, 'text/csv', name);
        area.focus();
        area.select();
      },
    };
    // Every action the page's controls call draws the page after it.
    function act(action) {
      const result = action();
      render();
      return result;
    }
    page.actions = Object.fromEntries(Object.entries(actions).map(([name, action]) =>
      [name, (...args) => act(() => action(...args))]));

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

    // ---- Keys and wiring ----------------------------------------------------------

    // The keys this page answers to (wire, reviewKeys, and review_view.js's
    // keyBox), shown by "Keys" or "?": a key added there belongs here.
    const keyLegend = ZorKeyLegend.legendOf([
      ZorKeyLegend.LIST,
      ['Reviewing an open class (no text box focused)', ZorKeyLegend.REVIEW],
      ZorKeyLegend.TARGET_BOX,
      ZorKeyLegend.ANYWHERE,
    ]);

    function reviewKeys(event) {
      const target = event.target;
      if (event.ctrlKey || event.metaKey || event.altKey) return;
      if (target instanceof HTMLElement && target.closest('input, select, textarea')) return;
      if (event.key === '?') {
        event.preventDefault();
        return keyLegend.toggle();
      }
      if (focusedItem() === null) return;
      const keys = {
        a: actions.acceptShown, s: nextOpen, n: () => actions.decideFocused({ none: true }),
        u: () => actions.decideFocused(undefined), ArrowRight: () => actions.stepCandidate(1),
        ArrowLeft: () => actions.stepCandidate(-1), j: () => actions.stepItem(1), k: () => actions.stepItem(-1),
      };
      keys.t = () => {
        const box = dom.byId('detail').querySelector('.focused .key-box input');
        if (box) box.focus();
      };
      let action = keys[event.key];
      if (action === undefined && /^[1-9]$/.test(event.key)) action = () => showCandidate(Number(event.key) - 1);
      if (action === undefined) return;
      event.preventDefault();
      // A message says what the key before did; a question not answered is
      // left unanswered.
      if (view.message !== '') say('');
      act(action);
    }

    function wire() {
      const list = dom.byId('list');
      list.addEventListener('scroll', () => render(), { passive: true });
      window.addEventListener('resize', () => render());
      list.addEventListener('click', (event) => {
        if (event.target.closest('a')) return;
        const line = event.target.closest('.row, .group');
        if (line === null) return;
        if (line.dataset.group !== undefined) page.actions.toggleGroup(Number(line.dataset.group));
        else page.actions.select(Number(line.dataset.index));
      });
      list.addEventListener('keydown', (event) => {
        if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
          event.preventDefault();
          page.actions.moveSelection(event.key === 'ArrowDown' ? 1 : -1);
        } else if (['Home', 'End', 'PageUp', 'PageDown'].includes(event.key)) {
          event.preventDefault();
          page.actions.jumpSelection(event.key);
        }
      });
      dom.byId('search').addEventListener('input', (event) => page.actions.setQuery(event.target.value));
      dom.byId('group').addEventListener('change', (event) => page.actions.setGrouped(event.target.checked));
      dom.byId('reset').addEventListener('click', () => page.actions.resetFilters());
      dom.byId('keys').addEventListener('click', () => keyLegend.toggle());
      document.addEventListener('keydown', reviewKeys);
      document.addEventListener('DOMContentLoaded', () => {
        // The review controls come with the block; a search typed while the
        // page was arriving could not yet look through the attribute names.
        if (readReview() !== null) {
          reviewView.buildControls(page);
          touch('status');
        }
        if (state.query.trim() !== '' || page.review) touch('filters');
        if (state.selected >= 0) touch('detail');
        render();
      });
    }

    // The "Clear decisions" question focuses its "Keep them".
    const clearAction = page.actions.clearDecisions;
    page.actions.clearDecisions = () => {
      const keep = clearAction();
      if (keep) keep.focus();
    };

    listView.describeInputs(page);
    listView.drawTotals(page);
    listView.buildVerdictFilter(page);
    listView.buildKindFilter(page);
    wire();
    render();
  }

  return { start };
})(ZorPageDom, ZorReviewModel, ZorDecisions, ZorDecisionsFile, ZorExportRows, ZorListFilter, ZorListView, ZorDetailView,
  ZorReviewView);

ZorExplorePage.start({
  index: JSON.parse(document.getElementById('zv-index').textContent),
  text: (id) => {
    const node = document.getElementById(id);
    return node === null ? null : node.textContent;
  },
  loading: () => document.readyState === 'loading',
  storage: () => window.localStorage,
});
window.zorvezExplore = { firstScreen: performance.now() };
