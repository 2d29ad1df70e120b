// The review page's own logic, without a browser: the list's filter and its
// way through the open items, the lines an answer brings, and which
// candidate an item shows and what accepting it asks for. Every rule of the
// review itself is the server's and is tested in C++.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const PAGE = path.join(__dirname, '..', '..', 'src', 'review', 'page');
const lines = require(path.join(PAGE, 'review_lines.js'));
const items = require(path.join(PAGE, 'review_items.js'));

const LINES = [
  ['PMP', 'Pump', 'Equipment', 2, 1, 0],
  ['CVL', 'Check Valve', 'Valve', 3, 0, 0],
  ['STR', 'Strainer', 'Pipe Fitting', 3, 3, 3],
  ['ßX', 'Straße <b>', 'Weg', 1, 1, 0],
];

test('the list shows the lines the search and the filter keep, and goes round to open items', () => {
  const cases = [
    ['', '', [0, 1, 2, 3]],
    ['', 'open', [0, 2, 3]],
    ['', 'tool', [2]],
    ['str', '', [2, 3]],
    ['STR', 'open', [2, 3]],
    ['  valve ', '', [1]],
    ['<b>', '', [3]],
    ['nothing', '', []],
  ];
  for (const [query, filter, expected] of cases) assert.deepEqual(lines.shown(LINES, query, filter), expected, query + '/' + filter);
  const all = lines.shown(LINES, '', '');
  assert.equal(lines.nextOpen(LINES, all, -1), 0);
  assert.equal(lines.nextOpen(LINES, all, 0), 2, 'a decided class is passed over');
  assert.equal(lines.nextOpen(LINES, all, 3), 0, 'round to the top');
  const onlyOne = [['A', 'A', '', 1, 1, 0], ['B', 'B', '', 1, 0, 0]];
  assert.equal(lines.nextOpen(onlyOne, [0, 1], 0), -1, 'the class shown is no next class');
  assert.equal(lines.nextOpen(onlyOne, [], -1), -1);
  assert.equal(lines.progressText(LINES[0]), '1 of 2 open');
  assert.equal(lines.progressText(LINES[1]), 'decided');
});

test('an answer puts its lines in place of those of the same key, and no others', () => {
  const copy = LINES.map((line) => line.slice());
  lines.update(copy, [['STR', 'Strainer', 'Pipe Fitting', 3, 0, 0], ['GONE', 'x', '', 1, 1, 0]]);
  assert.deepEqual(copy[2], ['STR', 'Strainer', 'Pipe Fitting', 3, 0, 0]);
  assert.equal(copy.length, LINES.length);
  assert.deepEqual(copy[0], LINES[0]);
});

test('an item shows the candidate picked, else the one chosen, else the first', () => {
  const candidate = (key, marks = []) => ({ target: { key }, marks });
  const item = { kind: 'class', candidates: [candidate('A'), candidate('B', ['chosen']), candidate('C')] };
  assert.equal(items.shownCandidate(item, undefined), 1);
  assert.equal(items.shownCandidate(item, 2), 2);
  assert.equal(items.shownCandidate(item, 7), 1, 'a pick past the list is no pick');
  assert.equal(items.shownCandidate({ candidates: [candidate('A')] }, undefined), 0);
  assert.equal(items.shownCandidate({ candidates: [] }, undefined), -1);

  const review = { key: 'PMP', items: [
    { kind: 'class', nameable: true, decision: { state: 'decided' } },
    { kind: 'attribute', nameable: false, attribute: { key: 'K', label: 'L' }, decision: { state: 'open' } },
    { kind: 'attribute', nameable: true, attribute: { key: '', label: 'Motor Power' }, decision: { state: 'open' } },
  ] };
  assert.deepEqual(items.acceptRequest(review, review.items[2], { target: { class: 'CentrifugalPump', key: 'Speed' } }),
    { class: 'PMP', attribute: { key: '', label: 'Motor Power' }, target: { class: 'CentrifugalPump', key: 'Speed' } });
  assert.deepEqual(items.itemName(review, review.items[0]), { class: 'PMP' });
  assert.equal(items.openItem(review, 0), 2, 'an item no decisions file can name is never open to decide');
  assert.equal(items.openAfter(review, 2), -1);
  assert.equal(items.openAfter(review, 0), 2);
});
