'use strict';
// The suggestions to review as the page reads them from its block: items by
// class, target classes by key, and the few facts derived from them. Plain
// data in, plain data out, so that Node's test runner loads this file as it
// is (see tests/explore_page).
const ZorReviewModel = (() => {
  // A class item: [reason, row, candidates, accepted or -1, tied, fate].
  // An attribute item: [label, key, reason, row, candidates, accepted or -1,
  // tied, fate]. An item of a source class: [key, label, parent, class item
  // or null, attribute items, ...what the row plan gives it]. The tied count
  // and the fate may be left out at the end.
  const cols = {
    C_REASON: 0, C_ROW: 1, C_CANDIDATES: 2, C_ACCEPTED: 3, C_TIED: 4, C_FATE: 5,
    A_LABEL: 0, A_KEY: 1, A_REASON: 2, A_ROW: 3, A_CANDIDATES: 4, A_ACCEPTED: 5, A_TIED: 6, A_FATE: 7,
    S_KEY: 0, S_LABEL: 1, S_PARENT: 2, S_CLASS: 3, S_ATTRIBUTES: 4,
  };
  const { C_CANDIDATES, C_ACCEPTED, C_TIED, A_LABEL, A_KEY, A_REASON, A_CANDIDATES, A_ACCEPTED, A_TIED,
    S_KEY, S_CLASS, S_ATTRIBUTES } = cols;
  const NO_MAPPING = 'No Mapping';
  const TAKEN = 'taken by another item';
  const CARRIED = 'decision';

  // A short hash of the block's text: it names the page's decisions in the
  // browser's storage and in a decisions file, so that decisions never land
  // on a page of other suggestions.
  function hashText(text) {
    let a = 0x811c9dc5, b = 0x01000193 ^ text.length;
    for (let n = 0; n < text.length; n++) {
      const unit = text.charCodeAt(n);
      a = Math.imul(a ^ unit, 0x01000193);
      b = Math.imul(b ^ unit, 0x5bd1e995) ^ (b >>> 15);
    }
    return (a >>> 0).toString(16).padStart(8, '0') + (b >>> 0).toString(16).padStart(8, '0');
  }

  // Evidence as [mask, word with its detail, ...] where a word has a
  // detail: the candidate then holds its mask fifth and the details seventh.
  function splitEvidence(candidate) {
    const evidence = candidate[4];
    if (Array.isArray(evidence)) {
      candidate[4] = evidence[0];
      candidate[6] = evidence.slice(1);
    }
    return candidate;
  }

  // Undoes what the writer did to keep the block small: a carried attribute
  // given by its label alone (its key is the label without blanks), an
  // attribute item's reason as a number, its candidates as [class or ""
  // for the previous one's, place among the class's carried attributes or
  // key, score, evidence, label where not carried, what took it]. A
  // candidate of either kind then holds its evidence mask fifth and what
  // took it sixth.
  function expandBlock(block) {
    for (const key of Object.keys(block.attributes)) {
      block.attributes[key] = block.attributes[key].map((a) => typeof a === 'string' ? [a.replace(/ /g, ''), a] : a);
    }
    for (const item of block.items) {
      if (item[S_CLASS] !== null) item[S_CLASS][C_CANDIDATES].forEach(splitEvidence);
      for (const attribute of item[S_ATTRIBUTES]) {
        attribute[A_REASON] = block.reasons[attribute[A_REASON]] ?? '';
        let owner = '';
        attribute[A_CANDIDATES] = attribute[A_CANDIDATES].map((c) => {
          if (c[0] !== '') owner = c[0];
          if (typeof c[1] !== 'number') return splitEvidence([owner, c[1], c.length > 4 ? c[4] : '', c[2], c[3], c[5]]);
          const carried = (block.attributes[owner] || [])[c[1]] || ['', ''];
          return splitEvidence([owner, carried[0], carried[1], c[2], c[3], c[4]]);
        });
      }
    }
  }

  // The review of a page: its block read from `text`, each item placed on
  // the first class of the list (`classKeys`, in the list's order) with its
  // key. Null when the text is not a block.
  function readReview(text, classKeys) {
    let block;
    try {
      block = JSON.parse(text);
    } catch (error) {
      return null;
    }
    if (block === null || typeof block !== 'object' || !Array.isArray(block.items)) return null;
    const firstOfKey = new Map();
    classKeys.forEach((key, i) => { if (!firstOfKey.has(key)) firstOfKey.set(key, i); });
    const ofClass = new Array(classKeys.length).fill(null);
    const itemOfKey = new Map();
    for (const item of block.items) {
      const i = firstOfKey.get(item[S_KEY]);
      if (i !== undefined && ofClass[i] === null) ofClass[i] = item;
      if (!itemOfKey.has(item[S_KEY])) itemOfKey.set(item[S_KEY], item);
    }
    expandBlock(block);
    const targets = new Map(block.targets.map((t) => [t[0], t]));
    return { block, ofClass, itemOfKey, firstOfKey, targets, hash: hashText(text) };
  }

  // The items of a class to decide, the class item first: [kind, item].
  function reviewItems(item) {
    const list = [];
    if (item[S_CLASS] !== null) list.push(['class', item[S_CLASS]]);
    for (const attribute of item[S_ATTRIBUTES]) list.push(['attribute', attribute]);
    return list;
  }

  // An attribute is known by its key and label: a key may be empty.
  const attributeId = (entry) => entry[A_KEY] + '\n' + entry[A_LABEL];
  const candidatesOf = (kind, part) => part[kind === 'class' ? C_CANDIDATES : A_CANDIDATES];
  const acceptedOf = (kind, part) => part[kind === 'class' ? C_ACCEPTED : A_ACCEPTED];
  const tiedCount = (kind, part) => part[kind === 'class' ? C_TIED : A_TIED] || 0;

  // The target class's parent chain, nearest first, stopping at a loop.
  function parentChain(review, key) {
    const chain = [];
    const seen = new Set([key]);
    let at = review.targets.get(key);
    while (at && at[2] !== '' && !seen.has(at[2])) {
      seen.add(at[2]);
      chain.push(at[2]);
      at = review.targets.get(at[2]);
    }
    return chain;
  }

  // The attributes of a target class with those of its ancestors, as
  // [key, label, holder], or null when the page does not carry them (a
  // class no suggestion names).
  function targetAttributes(review, key) {
    const own = review.block.attributes[key];
    if (own === undefined) return null;
    const all = own.map((a) => [a[0], a[1], key]);
    for (const parent of parentChain(review, key)) {
      for (const a of review.block.attributes[parent] || []) all.push([a[0], a[1], parent]);
    }
    return nearestOfKey(all);
  }

  // An attribute candidate's label is left out when the page carries it
  // with its class's attributes.
  function attributeLabel(review, candidate) {
    if (candidate[2] !== '') return candidate[2];
    const found = (review.block.attributes[candidate[0]] || []).find((a) => a[0] === candidate[1]);
    return found ? found[1] : candidate[1];
  }

  function hasMark(review, candidate, mark) {
    const code = review.block.evidence.indexOf(mark);
    return code >= 0 && code < 32 && ((candidate[4] >>> code) & 1) === 1;
  }
  const isDemoted = (review, candidate) => hasMark(review, candidate, TAKEN);
  // A decision of the review file `explore --decisions` carried in, which
  // the run took as the accepted candidate.
  const isCarriedDecision = (review, candidate) => hasMark(review, candidate, CARRIED);

  // Targets ([key, label, ...]) whose key or label begins with, then holds,
  // what is typed, letter case aside; at most `limit`.
  function completions(typed, targets, limit) {
    const wanted = typed.toLowerCase();
    if (wanted === '') return [];
    const first = [], then = [];
    for (const target of targets) {
      const key = target[0].toLowerCase(), label = String(target[1]).toLowerCase();
      if (key.startsWith(wanted) || label.startsWith(wanted)) first.push(target);
      else if (then.length < limit && (key.includes(wanted) || label.includes(wanted))) then.push(target);
      if (first.length >= limit) break;
    }
    return first.concat(then).slice(0, limit);
  }

  // The key a typed text names among targets ([key, label, ...]): the key
  // itself, else the one key or label that reads the same in any letter
  // case; null for none, or for several.
  function typedKey(typed, targets) {
    const wanted = typed.toLowerCase();
    const byKey = [], byLabel = [];
    for (const target of targets) {
      if (target[0] === typed) return target[0];
      if (target[0].toLowerCase() === wanted) byKey.push(target[0]);
      else if (String(target[1]).toLowerCase() === wanted) byLabel.push(target[0]);
    }
    const found = new Set(byKey.length > 0 ? byKey : byLabel);
    return found.size === 1 ? [...found][0] : null;
  }

  // The attributes of a class's lineage, each key once: the nearest one.
  const nearestOfKey = (attributes) => {
    const seen = new Set();
    return attributes.filter((a) => !seen.has(a[0]) && seen.add(a[0]));
  };

  // "1 decision", "2 decisions"; "1 entry", "3 entries".
  const counted = (count, one, many = one + 's') => count + ' ' + (count === 1 ? one : many);

  return {
    counted, cols, NO_MAPPING, TAKEN, hashText, readReview, reviewItems, attributeId, candidatesOf, acceptedOf, tiedCount,
    parentChain, targetAttributes, attributeLabel, isDemoted, isCarriedDecision, completions, typedKey, CARRIED,
  };
})();
if (typeof module !== 'undefined') module.exports = ZorReviewModel;
