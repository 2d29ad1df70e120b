'use strict';
// A review's decisions as a file (doc/suggestions.md, "Decisions file"):
// written to keep them or hand them on, and read back into any page. The
// decisions belong to the reviewer, not to the page they were made in: a
// page takes every entry whose item and target it has, whatever suggestions
// the file was saved from.
const ZorDecisionsFile = ((model, decisionsModel, entries) => {
  const { cols: { S_KEY, S_CLASS, S_ATTRIBUTES, A_KEY, A_LABEL }, attributeId, counted } = model;
  const FORMAT = 'zorvez-review-decisions';
  // The entries left out that a load's message names; the rest are listed
  // under it.
  const FIRST_FEW = 3;

  // The page's suggestion hash and one entry per decided item, in the order
  // of the source dictionary.
  function fileText(review, decisions, source) {
    const lines = [];
    const entry = (fields, kind, decision) => {
      if (decision.none) fields.no_mapping = true;
      else fields.target = kind === 'class' ? { key: decision.k } : { class: decision.c, key: decision.k };
      lines.push(JSON.stringify(fields));
    };
    for (const item of review.block.items) {
      const saved = decisions[item[S_KEY]];
      if (saved === undefined) continue;
      if (saved.c !== undefined && item[S_CLASS] !== null) entry({ class: item[S_KEY] }, 'class', saved.c);
      for (const part of item[S_ATTRIBUTES]) {
        const decision = (saved.a || {})[attributeId(part)];
        if (decision !== undefined) {
          entry({ class: item[S_KEY], attribute: { key: part[A_KEY], label: part[A_LABEL] } }, 'attribute', decision);
        }
      }
    }
    const head = { format: FORMAT, version: 1, suggestions: review.hash, source };
    return JSON.stringify(head).slice(0, -1) + ',"decisions":[' +
      (lines.length === 0 ? '' : '\n' + lines.join(',\n') + '\n') + ']}\n';
  }

  // Named after the dictionary to migrate.
  function fileName(source) {
    const base = String(source).split(/[\\/]/).pop().replace(/\.[^.]*$/, '');
    return (base === '' ? 'review' : base) + '-decisions.json';
  }

  // The decisions `zorvez explore --suggest --decisions` carried into this
  // page, which it opens with where the browser holds none of its own.
  function carriedDecisions(review) {
    const decisions = {};
    const carried = Array.isArray(review.block.carried) ? review.block.carried : [];
    for (const found of entries.judgeEntries(review, carried).carried) decisionsModel.setDecision(decisions, ...found);
    return decisions;
  }

  const sameDecision = (a, b) => JSON.stringify(a) === JSON.stringify(b);

  // The page's decisions with those of the file in place of the ones of the
  // items it names; how many it changed.
  function merged(current, carried) {
    const decisions = JSON.parse(JSON.stringify(current));
    let replaced = 0;
    for (const [item, kind, part, decision] of carried) {
      const before = decisionsModel.decisionOf(decisions, item, kind, part);
      if (before !== undefined && !sameDecision(before, decision)) replaced += 1;
      decisionsModel.setDecision(decisions, item, kind, part, decision);
    }
    return { decisions, replaced };
  }

  // What a load says: what carried, from which file, and the entries left
  // out by reason, the first few named.
  function loadMessage(name, read) {
    const { carried, left, total, otherSuggestions, replaced } = read;
    const byReason = new Map();
    for (const one of left) byReason.set(one.reason, (byReason.get(one.reason) || 0) + 1);
    const reasons = [...byReason].map(([reason, count]) => count + ' ' + entries.WHY[reason]).join('; ');
    const origin = otherSuggestions ? ' (saved from other suggestions)' : '';
    let said = carried === 0
      ? 'Nothing was loaded from ' + name + origin + ': none of its ' + counted(total, 'entry', 'entries') + ' carries'
      : 'Loaded ' + counted(carried, 'decision') + ' from ' + name + origin + ': ' + carried + ' of ' +
        counted(total, 'entry', 'entries') + ' carried';
    if (reasons !== '') said += '; ' + reasons;
    said += '.';
    if (left.length > 0) {
      said += ' ' + left.slice(0, FIRST_FEW).map((one) => one.text).join('; ') +
        (left.length > FIRST_FEW ? '; and ' + (left.length - FIRST_FEW) + ' more, listed below.' : '.');
    }
    if (replaced > 0) said += ' They replace ' + counted(replaced, 'decision') + ' the page had.';
    return said;
  }

  // Reads a file's text into the page's `current` decisions: {decisions,
  // carried, replaced, left, total, otherSuggestions, message}, with no
  // decisions where nothing carried; or {refused: why} for no decisions
  // file at all.
  function readFile(review, text, name, current = {}) {
    let file;
    try {
      file = JSON.parse(text);
    } catch (error) {
      return { refused: name + ' is not a decisions file (it is not JSON): nothing was loaded.' };
    }
    if (file === null || typeof file !== 'object' || file.format !== FORMAT || !Array.isArray(file.decisions)) {
      return { refused: name + ' is not a decisions file (Save decisions writes one): nothing was loaded.' };
    }
    if (file.version !== 1) {
      return { refused: name + ' is a decisions file of version ' + JSON.stringify(file.version) +
        ', which this page cannot read: nothing was loaded.' };
    }
    const judged = entries.judgeEntries(review, file.decisions);
    const read = {
      carried: judged.carried.length, left: judged.left, total: file.decisions.length,
      otherSuggestions: typeof file.suggestions === 'string' && file.suggestions !== review.hash, replaced: 0,
      decisions: undefined,
    };
    if (read.carried > 0) Object.assign(read, merged(current, judged.carried));
    read.message = loadMessage(name, read);
    return read;
  }

  return { FORMAT, fileText, fileName, readFile, carriedDecisions };
})(typeof ZorReviewModel === 'undefined' ? require('./review_model.js') : ZorReviewModel,
  typeof ZorDecisions === 'undefined' ? require('./review_decisions.js') : ZorDecisions,
  typeof ZorDecisionEntries === 'undefined' ? require('./decision_entries.js') : ZorDecisionEntries);
if (typeof module !== 'undefined') module.exports = ZorDecisionsFile;
