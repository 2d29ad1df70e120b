'use strict';
// The entries of a decisions file judged one by one against this page, in
// the words `zorvez suggest --decisions` uses for the same entries: an
// entry carries where its item still needs a target here and its target is
// still in the target dictionary; a later entry for the same item holds.
const ZorDecisionEntries = ((model, decisionsModel) => {
  const { cols: { S_KEY } } = model;
  // Why an entry does not carry, as suggest counts them.
  const WHY = {
    malformed: 'not a decision',
    mapped: 'now mapped by the table',
    itemGone: 'gone from the dictionary to migrate',
    targetGone: 'whose target is gone from the target dictionary',
    overruled: 'decided again by a later entry',
    // A page written from saved records knows only its items.
    notAnItem: 'not an item of this page',
  };

  const typeWords = (value) => value === null ? 'null' : value === true ? 'true' : value === false ? 'false'
    : typeof value === 'number' ? 'a number' : typeof value === 'string' ? 'a string'
      : Array.isArray(value) ? 'an array' : 'an object';
  const has = (object, name) => Object.prototype.hasOwnProperty.call(object, name);

  function stringsProblem(value, what, names) {
    if (value === null || typeof value !== 'object' || Array.isArray(value)) {
      return what + ' is ' + typeWords(value) + ', not an object';
    }
    const unknown = Object.keys(value).find((name) => !names.includes(name));
    if (unknown !== undefined) return what + ' has a member \'' + unknown + '\' no decision has';
    const other = Object.keys(value).find((name) => typeof value[name] !== 'string');
    return other === undefined ? '' : what + '\'s ' + other + ' is ' + typeWords(value[other]) + ', not a string';
  }

  // Why a value cannot be an entry, or '' when it can.
  function entryProblem(value) {
    if (value === null || typeof value !== 'object' || Array.isArray(value)) return 'is ' + typeWords(value) + ', not an object';
    const unknown = Object.keys(value).find((name) => !['class', 'attribute', 'target', 'no_mapping'].includes(name));
    if (unknown !== undefined) return 'has a member \'' + unknown + '\' no decision has';
    if (!has(value, 'class')) return 'names no class';
    if (typeof value.class !== 'string') return 'class is ' + typeWords(value.class) + ', not a string (a class key)';
    const forAttribute = has(value, 'attribute');
    if (forAttribute) {
      const problem = stringsProblem(value.attribute, 'attribute', ['key', 'label']);
      if (problem !== '') return problem;
      if (!has(value.attribute, 'key') || !has(value.attribute, 'label')) return 'attribute needs its key and its label';
    }
    if (has(value, 'target') && has(value, 'no_mapping')) return 'has both target and no_mapping: decide one of them';
    if (has(value, 'no_mapping')) {
      return value.no_mapping === true ? '' : 'no_mapping is ' + typeWords(value.no_mapping) + ', not true';
    }
    if (!has(value, 'target')) return 'has neither target nor no_mapping';
    const problem = stringsProblem(value.target, 'target', ['class', 'key']);
    if (problem !== '') return problem;
    if (!has(value.target, 'key')) return 'target names no key';
    if (forAttribute && !has(value.target, 'class')) {
      return 'target names no class: an attribute\'s target is a class and its attribute key';
    }
    if (!forAttribute && has(value.target, 'class')) {
      return 'target names a class and a key, which an attribute\'s target does: a class\'s is its key alone';
    }
    return '';
  }

  // A source attribute as the page's writer hashes those the table maps:
  // FNV-1a over the UTF-8 of key, a line end and label.
  function attributeHash(key, label) {
    let hash = 0x811c9dc5;
    for (const byte of new TextEncoder().encode(key + '\n' + label)) hash = Math.imul(hash ^ byte, 0x01000193);
    return hash >>> 0;
  }

  // Why an entry's item is not one of this page's: the table maps it now,
  // or the dictionary to migrate no longer has it (where the page knows
  // which items the table maps).
  function missingItem(review, entry) {
    const mapped = review.block.mapped;
    if (mapped === null || typeof mapped !== 'object') return 'notAnItem';
    const known = has(mapped, entry.class);
    if (entry.attribute === undefined) return review.itemOfKey.has(entry.class) || known ? 'mapped' : 'itemGone';
    const { key, label } = entry.attribute;
    return known && mapped[entry.class].includes(attributeHash(key, label)) ? 'mapped' : 'itemGone';
  }

  // What an entry names, as suggest names it: "STR" or "STR: Mesh Size".
  const itemWords = (entry) => entry.class + (entry.attribute === undefined ? '' : ': ' + entry.attribute.label);

  // The decision of a well-formed entry, or why it does not carry.
  function judgeOne(review, entry) {
    const named = decisionsModel.itemNamed(review, entry.class, entry.attribute);
    if (named === null) return { reason: missingItem(review, entry) };
    const kind = named[1];
    if (entry.no_mapping === true) return { found: [...named, { none: true }] };
    const decision = kind === 'class' ? { k: entry.target.key } : { c: entry.target.class, k: entry.target.key };
    if (decisionsModel.knownTarget(review, kind, decision)) return { found: [...named, decision] };
    const target = kind === 'class' ? decision.k : decision.c + '.' + decision.k;
    // The page carries the attributes of the classes its suggestions name;
    // another class may still hold the attribute.
    const notCarried = kind === 'attribute' && review.targets.has(decision.c) && !has(review.block.attributes, decision.c);
    return {
      reason: 'targetGone',
      detail: notCarried ? 'its target ' + target + ' is not among the attributes this page carries'
        : 'its target ' + target + ' is gone from the target dictionary',
    };
  }

  // Every entry judged: `carried`, [item, kind, part, decision] in the
  // file's order, and `left`, {number, reason, text} for each entry left
  // out, numbered from 1.
  function judgeEntries(review, entries) {
    const left = [];
    const holding = new Map();  // item id -> the number of the entry that decides it
    const carried = new Map();
    entries.forEach((entry, at) => {
      const number = at + 1;
      const problem = entryProblem(entry);
      if (problem !== '') return left.push({ number, reason: 'malformed', text: 'entry ' + number + ': ' + problem });
      const judged = judgeOne(review, entry);
      if (judged.reason !== undefined) {
        return left.push({ number, reason: judged.reason,
          text: 'entry ' + number + ': ' + itemWords(entry) + ': ' + (judged.detail || WHY[judged.reason]) });
      }
      const [item, kind, part] = judged.found;
      const id = item[S_KEY] + '\n' + kind + '\n' + (kind === 'class' ? '' : model.attributeId(part));
      const earlier = holding.get(id);
      if (earlier !== undefined) {
        const text = 'entry ' + earlier.number + ': ' + itemWords(earlier.entry) + ': decided again by entry ' + number +
          ', which holds';
        left.push({ number: earlier.number, reason: 'overruled', text });
        carried.delete(earlier.number);
      }
      holding.set(id, { number, entry });
      carried.set(number, judged.found);
    });
    left.sort((a, b) => a.number - b.number);
    return { carried: [...carried.values()], left };
  }

  return { WHY, entryProblem, attributeHash, judgeEntries };
})(typeof ZorReviewModel === 'undefined' ? require('./review_model.js') : ZorReviewModel,
  typeof ZorDecisions === 'undefined' ? require('./review_decisions.js') : ZorDecisions);
if (typeof module !== 'undefined') module.exports = ZorDecisionEntries;
