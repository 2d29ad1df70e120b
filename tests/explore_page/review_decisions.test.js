// The decisions model on the blocks of real pages: every item can be decided
// and opened again, "Accept the tool's" decides exactly the open items the
// tool accepted, and an item shows the candidate its decision names.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { handWrittenPage, examplePage, load } = require('./page_blocks');

const model = load('review_model.js');
const decisions = load('review_decisions.js');
const pages = { handWritten: handWrittenPage(), example: examplePage('example') };
const reviewOf = (page) => model.readReview(page.blockText, page.classKeys);
const everyPart = (review) => review.block.items.flatMap((item) => model.reviewItems(item).map(([kind, part]) => [item, kind, part]));

test('every item is decided, read back, and opened again', () => {
  for (const [name, page] of Object.entries(pages)) {
    const review = reviewOf(page);
    const saved = {};
    const parts = everyPart(review);
    assert.ok(parts.length > 3, name);
    parts.forEach(([item, kind, part], n) => {
      const first = model.candidatesOf(kind, part)[0];
      const decision = n % 2 === 0 || !first ? { none: true } : decisions.candidateDecision(kind, first);
      decisions.setDecision(saved, item, kind, part, decision);
      assert.deepEqual(decisions.decisionOf(saved, item, kind, part), decision, `${name} item ${n}`);
    });
    assert.equal(decisions.decisionCount(saved), parts.length);
    for (const item of review.block.items) assert.equal(decisions.isOpen(saved, item), false);
    for (const [item, kind, part] of parts) decisions.setDecision(saved, item, kind, part, undefined);
    assert.deepEqual(saved, {}, `${name}: a class with no decision left leaves the map`);
  }
});

test("accepting the tool's decides the open items it accepted, each once, as it did", () => {
  for (const [name, page] of Object.entries(pages)) {
    const review = reviewOf(page);
    const accepted = everyPart(review).filter(([, kind, part]) => model.acceptedOf(kind, part) >= 0);
    const saved = {};
    // One of them decided otherwise beforehand stays as it was.
    const [item0, kind0, part0] = accepted[0];
    decisions.setDecision(saved, item0, kind0, part0, { none: true });
    assert.equal(decisions.acceptTheTools(review, saved), accepted.length - 1, name);
    assert.equal(decisions.acceptTheTools(review, saved), 0, `${name}: nothing left to accept`);
    for (const [item, kind, part] of accepted.slice(1)) {
      assert.ok(decisions.isToolsChoice(kind, part, decisions.decisionOf(saved, item, kind, part)));
    }
    assert.deepEqual(decisions.decisionOf(saved, item0, kind0, part0), { none: true });
    assert.ok(review.block.items.every((item) => !decisions.toolAcceptedOpen(saved, item)));
  }
});

test('an item shows the candidate its decision names, a typed target as -1, and the next open item', () => {
  const review = reviewOf(pages.handWritten);
  const item = review.itemOfKey.get('STR');
  const part = item[3];
  const cases = [
    [undefined, 0], [{ none: true }, 0], [{ k: 'YStrainer' }, 0], [{ k: 'BasketStrainer' }, 1], [{ k: 'GateValve' }, -1],
  ];
  for (const [decision, shown] of cases) {
    const saved = {};
    if (decision) decisions.setDecision(saved, item, 'class', part, decision);
    assert.equal(decisions.decidedCandidate(saved, item, 'class', part), shown, JSON.stringify(decision));
  }
  assert.deepEqual(decisions.typedCandidate(review, 'class', { k: 'GateValve' }), ['GateValve', 'Gate Valve', 'Valve', null, 0]);
  assert.deepEqual(decisions.typedCandidate(review, 'attribute', { c: 'YStrainer', k: 'PipeSize' }),
    ['YStrainer', 'PipeSize', 'Pipe Size', null, 0]);
  // STR holds the class item and two attributes: the first open one from a place.
  const saved = {};
  decisions.setDecision(saved, item, 'attribute', item[4][0], { none: true });
  assert.deepEqual([[0, 3], [1, 3], [1, 2], [2, 2]].map(([from, to]) => decisions.openItemIn(saved, item, from, to)),
    [0, 2, -1, -1]);
});

// What is typed in a target box is looked for in keys and labels whatever
// the letter case; a lineage lists each attribute key once, the nearest.
test('typed targets are found by key or label, letter case aside', () => {
  const targets = [['CafeteriaRoom', 'Cafeteria Room'], ['Room', 'Room'], ['ROOM', 'Big Room'], ['Hall', 'Dining Hall']];
  const cases = [
    ['cafeteriaroom', 'CafeteriaRoom', ['CafeteriaRoom']],
    ['cafeteria room', 'CafeteriaRoom', ['CafeteriaRoom']],
    ['Room', 'Room', ['Room', 'ROOM', 'CafeteriaRoom']],
    ['room', null, ['Room', 'ROOM', 'CafeteriaRoom']],  // two keys read so: none is guessed
    ['dining', null, ['Hall']],
    ['dining hall', 'Hall', ['Hall']],
    ['', null, []],
  ];
  for (const [typed, key, proposed] of cases) {
    assert.equal(model.typedKey(typed, targets), key, typed);
    assert.deepEqual(model.completions(typed, targets, 8).map((t) => t[0]), proposed, typed);
  }
  const review = reviewOf(pages.example);
  for (const key of review.targets.keys()) {
    const keys = (model.targetAttributes(review, key) || []).map((a) => a[0]);
    assert.equal(new Set(keys).size, keys.length, key);
  }
});
