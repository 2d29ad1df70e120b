'use strict';
// A review's decisions as a file (doc/suggestions.md, "Decisions file"):
// written to keep them or hand them on, read back into a page of the same
// suggestions only.
const ZorDecisionsFile = ((model, decisionsModel) => {
  const { cols: { S_KEY, S_CLASS, S_ATTRIBUTES, A_KEY, A_LABEL }, attributeId } = model;
  const FORMAT = 'zorvez-review-decisions';

  // The page's suggestion hash and one entry per decided item, in the order
  // of the source dictionary.
  function fileText(review, decisions, source) {
    const entries = [];
    const entry = (fields, kind, decision) => {
      if (decision.none) fields.no_mapping = true;
      else fields.target = kind === 'class' ? { key: decision.k } : { class: decision.c, key: decision.k };
      entries.push(JSON.stringify(fields));
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
      (entries.length === 0 ? '' : '\n' + entries.join(',\n') + '\n') + ']}\n';
  }

  // Named after the dictionary to migrate.
  function fileName(source) {
    const base = String(source).split(/[\\/]/).pop().replace(/\.[^.]*$/, '');
    return (base === '' ? 'review' : base) + '-decisions.json';
  }

  // One entry of a file as [item, kind, part, decision], or null when it
  // names no item of this page or a target the page does not know.
  function entryDecision(review, entry) {
    if (entry === null || typeof entry !== 'object' || typeof entry.class !== 'string') return null;
    const named = decisionsModel.itemNamed(review, entry.class, entry.attribute);
    if (named === null) return null;
    const kind = named[1];
    let decision = { none: true };
    if (entry.no_mapping !== true) {
      const target = entry.target || {};
      if (typeof target.key !== 'string') return null;
      decision = kind === 'class' ? { k: target.key } : { c: target.class, k: target.key };
    }
    return decisionsModel.knownTarget(review, kind, decision) ? [...named, decision] : null;
  }

  // Reads a file's text: {decisions, loaded, skipped}, or {refused: why}
  // for a file of other suggestions or no decisions file at all.
  function readFile(review, text, name) {
    let file;
    try {
      file = JSON.parse(text);
    } catch (error) {
      return { refused: name + ' is not a decisions file (it is not JSON): nothing was loaded.' };
    }
    if (file === null || typeof file !== 'object' || file.format !== FORMAT || !Array.isArray(file.decisions)) {
      return { refused: name + ' is not a decisions file of this page (Save decisions writes one): nothing was loaded.' };
    }
    if (file.version !== 1) {
      return { refused: name + ' is a decisions file of version ' + file.version + ', which this page cannot read: ' +
        'nothing was loaded.' };
    }
    if (file.suggestions !== review.hash) {
      return { refused: name + ' holds decisions for other suggestions (' + file.suggestions + ', this page ' +
        review.hash + '): it was saved from a page written from other inputs or by another version. Nothing was loaded.' };
    }
    const decisions = {};
    let loaded = 0;
    for (const entry of file.decisions) {
      const found = entryDecision(review, entry);
      if (found === null) continue;
      decisionsModel.setDecision(decisions, ...found);
      loaded += 1;
    }
    return { decisions, loaded, skipped: file.decisions.length - loaded };
  }

  return { FORMAT, fileText, fileName, readFile };
})(typeof ZorReviewModel === 'undefined' ? require('./review_model.js') : ZorReviewModel,
  typeof ZorDecisions === 'undefined' ? require('./review_decisions.js') : ZorDecisions);
if (typeof module !== 'undefined') module.exports = ZorDecisionsFile;
