'use strict';
// The reviewer's decisions, as plain data: per source class key, {c: the
// class item's decision, a: {attribute id: decision}}. A decision is a
// target ({k} for a class, {c, k} for an attribute) or No Mapping ({none:
// true}); no decision leaves the item open.
const ZorDecisions = ((model) => {
  const { cols: { S_KEY, S_CLASS, S_ATTRIBUTES, A_KEY, A_LABEL }, reviewItems, attributeId, candidatesOf, acceptedOf } = model;

  function decisionOf(decisions, item, kind, entry) {
    const saved = decisions[item[S_KEY]];
    if (saved === undefined) return undefined;
    return kind === 'class' ? saved.c : (saved.a || {})[attributeId(entry)];
  }

  // Sets one decision, or with `undefined` removes it; a class left with
  // no decision leaves the map.
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

  const isOpen = (decisions, item) =>
    reviewItems(item).some(([kind, entry]) => decisionOf(decisions, item, kind, entry) === undefined);
  const toolAcceptedOpen = (decisions, item) => reviewItems(item).some(([kind, entry]) =>
    acceptedOf(kind, entry) >= 0 && decisionOf(decisions, item, kind, entry) === undefined);

  // A candidate as a decision, and whether a decision names a candidate.
  function candidateDecision(kind, candidate) {
    return kind === 'class' ? { k: candidate[0] } : { c: candidate[0], k: candidate[1] };
  }
  function sameTarget(kind, decision, candidate) {
    if (!decision || decision.none) return false;
    return kind === 'class' ? decision.k === candidate[0] : decision.c === candidate[0] && decision.k === candidate[1];
  }

  // Whether `decision` is the candidate the tool accepted.
  function isToolsChoice(kind, part, decision) {
    const accepted = acceptedOf(kind, part);
    return accepted >= 0 && sameTarget(kind, decision, candidatesOf(kind, part)[accepted]);
  }

  function decisionCount(decisions) {
    let count = 0;
    for (const saved of Object.values(decisions)) count += (saved.c ? 1 : 0) + Object.keys(saved.a || {}).length;
    return count;
  }

  // Decides every open item the tool accepted a candidate for, as it did;
  // returns how many.
  function acceptTheTools(review, decisions) {
    let decided = 0;
    for (const item of review.block.items) {
      for (const [kind, part] of reviewItems(item)) {
        const accepted = acceptedOf(kind, part);
        if (accepted < 0 || decisionOf(decisions, item, kind, part) !== undefined) continue;
        setDecision(decisions, item, kind, part, candidateDecision(kind, candidatesOf(kind, part)[accepted]));
        decided += 1;
      }
    }
    return decided;
  }

  // The first open item among items[from, to) of a class, or -1.
  function openItemIn(decisions, item, from, to) {
    const items = reviewItems(item);
    for (let n = from; n < Math.min(to, items.length); n++) {
      if (decisionOf(decisions, item, items[n][0], items[n][1]) === undefined) return n;
    }
    return -1;
  }

  // The candidate an item shows when none was picked: the one decided, else
  // the first; -1 for a typed target that no candidate names.
  function decidedCandidate(decisions, item, kind, entry) {
    const decision = decisionOf(decisions, item, kind, entry);
    const at = candidatesOf(kind, entry).findIndex((candidate) => sameTarget(kind, decision, candidate));
    return at >= 0 ? at : decision && !decision.none ? -1 : 0;
  }

  // A typed target in a candidate's shape, with no score; undefined for no
  // target.
  function typedCandidate(review, kind, decision) {
    if (!decision || decision.none) return undefined;
    if (kind === 'class') {
      const t = review.targets.get(decision.k) || [decision.k, decision.k, ''];
      return [t[0], t[1], t[2], null, 0];
    }
    const found = (model.targetAttributes(review, decision.c) || []).find((a) => a[0] === decision.k);
    return [decision.c, decision.k, found ? found[1] : decision.k, null, 0];
  }

  // The item a class key and an attribute (key and label) name, as
  // [item, kind, part], or null.
  function itemNamed(review, classKey, attribute) {
    const item = review.itemOfKey.get(classKey);
    if (item === undefined) return null;
    if (attribute === undefined) return item[S_CLASS] === null ? null : [item, 'class', item[S_CLASS]];
    const wanted = attribute || {};
    const part = item[S_ATTRIBUTES].find((a) => a[A_KEY] === wanted.key && a[A_LABEL] === wanted.label);
    return part === undefined ? null : [item, 'attribute', part];
  }

  // Whether the page knows a decision's target: a target class, or an
  // attribute that the page carries of the target class that holds it (as
  // suggest --decisions looks for it: not in that class's ancestors).
  function knownTarget(review, kind, decision) {
    if (decision.none) return true;
    if (kind === 'class') return review.targets.has(decision.k);
    const { attributes } = review.block;
    return Object.prototype.hasOwnProperty.call(attributes, decision.c) && attributes[decision.c].some((a) => a[0] === decision.k);
  }

  return {
    decisionOf, setDecision, isOpen, toolAcceptedOpen, candidateDecision, sameTarget, isToolsChoice, decisionCount,
    acceptTheTools, openItemIn, decidedCandidate, typedCandidate, itemNamed, knownTarget,
  };
})(typeof ZorReviewModel === 'undefined' ? require('./review_model.js') : ZorReviewModel);
if (typeof module !== 'undefined') module.exports = ZorDecisions;
