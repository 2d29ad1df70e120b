// A decisions file: what the page saves reads back as the same decisions,
// in the published format; a file of another version or no decisions file
// at all is refused; any other is judged entry by entry, as suggest
// --decisions judges it, and merged into the page's decisions.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { REPO, BUILD, handWrittenPage, examplePage, load } = require('./page_blocks');

const model = load('review_model.js');
const decisions = load('review_decisions.js');
const file = load('decisions_file.js');
const example = examplePage('example');
const reviewOf = (page) => model.readReview(page.blockText, page.classKeys);

// Decides about every third item: a candidate, No Mapping, or the tool's.
function someDecisions(review) {
  const saved = {};
  let n = 0;
  for (const item of review.block.items) {
    for (const [kind, part] of model.reviewItems(item)) {
      const candidates = model.candidatesOf(kind, part);
      const pick = n++ % 3;
      if (pick === 1 && candidates.length > 0) {
        decisions.setDecision(saved, item, kind, part, decisions.candidateDecision(kind, candidates[candidates.length - 1]));
      } else if (pick === 2) decisions.setDecision(saved, item, kind, part, { none: true });
    }
  }
  return saved;
}

test('saved decisions read back as they were, in the published format', () => {
  for (const page of [example, handWrittenPage()]) {
    const review = reviewOf(page);
    const saved = someDecisions(review);
    const text = file.fileText(review, saved, 'V4_Exported_XML/plant_v4.xml');
    const written = JSON.parse(text);
    assert.deepEqual([written.format, written.version, written.suggestions, written.source],
      ['zorvez-review-decisions', 1, review.hash, 'V4_Exported_XML/plant_v4.xml']);
    assert.equal(written.decisions.length, decisions.decisionCount(saved));
    const read = file.readFile(review, text, 'f.json');
    assert.deepEqual([read.decisions || {}, read.carried, read.left], [saved, written.decisions.length, []]);
    const copy = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-decisions-')), 'decisions.json');
    fs.writeFileSync(copy, text);
    const checked = spawnSync('/usr/bin/python3', ['-c', 'import json, sys, jsonschema; ' +
      'jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))', copy,
    path.join(REPO, 'doc', 'decisions.schema.json')], { encoding: 'utf8' });
    assert.equal(checked.status, 0, checked.stderr);
  }
  // The example's Strainer, accepted: one entry per decision, in the
  // dictionary's order.
  const review = reviewOf(example);
  const saved = {};
  const strainer = review.itemOfKey.get('STR');
  for (const [kind, part] of model.reviewItems(strainer).slice(0, 2)) {
    decisions.setDecision(saved, strainer, kind, part, decisions.candidateDecision(kind, model.candidatesOf(kind, part)[0]));
  }
  assert.deepEqual(JSON.parse(file.fileText(review, saved, 'plant_v4.xml')).decisions, [
    { class: 'STR', target: { key: 'PipeStrainer' } },
    { class: 'STR', attribute: { key: 'MSH', label: 'Mesh Size' }, target: { class: 'PipeStrainer', key: 'MeshSize' } },
  ]);
});

test('a file that is no decisions file is refused; any other loads, whatever suggestions it was saved from', () => {
  const review = reviewOf(example);
  const other = reviewOf(examplePage('other', (table) => table.replace(/^Sump,.*\n/m, '')));
  assert.notEqual(other.hash, review.hash);
  const head = { format: 'zorvez-review-decisions', version: 1, suggestions: review.hash, source: 'x', decisions: [] };
  const refused = [
    ['Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n', /^notes\.json is not a decisions file \(it is not JSON\)/],
    [JSON.stringify({ ...head, format: 'other' }), /is not a decisions file \(Save decisions writes one\)/],
    [JSON.stringify({ ...head, decisions: {} }), /is not a decisions file/],
    [JSON.stringify({ ...head, version: 2 }), /of version 2, which this page cannot read/],
  ];
  for (const [text, said] of refused) assert.match(file.readFile(review, text, 'notes.json').refused, said);
  const strainer = { class: 'STR', target: { key: 'PipeStrainer' } };
  const fromOther = file.readFile(review, JSON.stringify({ ...head, suggestions: other.hash, decisions: [strainer] }), 'f.json');
  assert.equal(fromOther.message, 'Loaded 1 decision from f.json (saved from other suggestions): 1 of 1 entry carried.');
});

// What `zorvez suggest --decisions --verbose` says of each entry left out,
// as "entry N: ...".
function suggestSays(entries, editTable) {
  const d = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-judge-'));
  const example = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const table = path.join(d, 'table.csv');
  fs.writeFileSync(table, editTable(fs.readFileSync(path.join(example, 'MappingTable', 'plant_mapping.csv'), 'utf8')));
  fs.writeFileSync(path.join(d, 'f.json'), JSON.stringify({ ...head, decisions: entries }));
  const done = spawnSync(path.join(BUILD, 'src', 'zorvez'), ['suggest', '--verbose', '--wordnet', 'none', '--decisions',
    path.join(d, 'f.json'), path.join(example, 'V4_Exported_XML', 'plant_v4.xml'),
    path.join(example, 'V5_Exported_XML', 'plant_v5.xml'), table], { encoding: 'utf8' });
  fs.rmSync(d, { recursive: true, force: true });
  return done.stderr.split('\n').map((line) => /: (entry \d+: .*)$/.exec(line)).filter((m) => m).map((m) => m[1]);
}
const head = { format: 'zorvez-review-decisions', version: 1, suggestions: 'elsewhere' };
const mergedTable = (table) => table + 'Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n' +
  'Strainer,Pipe Fitting,Mesh Size,PipeStrainer,PipingComponent,MeshSize,EQT,\n';

// The example after its Strainer class and Mesh Size rows were merged into
// the table: each entry judged as suggest --decisions judges it.
test('every entry is judged: carried, or left out with its number and why', () => {
  const merged = reviewOf(examplePage('merged', mergedTable));
  const pipeSize = { key: 'PSZ', label: 'Pipe Size' };
  const cases = [
    [{ class: 'STR', target: { key: 'PipeStrainer' } }, 'STR: now mapped by the table'],
    [{ class: 'STR', attribute: { key: 'MSH', label: 'Mesh Size' }, no_mapping: true }, 'STR: Mesh Size: now mapped by the table'],
    [{ class: 'PMP', attribute: { key: 'FLW', label: 'Flow Rate' }, no_mapping: true }, 'PMP: Flow Rate: now mapped by the table'],
    [{ class: 'VLV', no_mapping: true }, 'VLV: now mapped by the table'],
    [{ class: 'NOPE', no_mapping: true }, 'NOPE: gone from the dictionary to migrate'],
    [{ class: 'STR', attribute: { key: 'MSH', label: 'Mesh' }, no_mapping: true }, 'STR: Mesh: gone from the dictionary to migrate'],
    [{ class: 'STR', attribute: pipeSize, target: { class: 'Gone', key: 'X' } },
      'STR: Pipe Size: its target Gone.X is gone from the target dictionary'],
    [{ class: 'STR', attribute: pipeSize, target: { class: 'PipeStrainer', key: 'Gone' } },
      'STR: Pipe Size: its target PipeStrainer.Gone is gone from the target dictionary'],
    [{ class: 123, target: { key: 'T' } }, 'class is a number, not a string (a class key)'],
    [{ class: 'STR', no_mapping: 'yes' }, 'no_mapping is a string, not true'],
    [{ class: 'STR', target: 'Toilet' }, 'target is a string, not an object'],
    [null, 'is null, not an object'],
    [{ class: 'STR', target: { key: 'T' }, no_mapping: true }, 'has both target and no_mapping: decide one of them'],
    [{ class: 'STR' }, 'has neither target nor no_mapping'],
    [{ class: 'STR', attribute: pipeSize, target: { key: 'T' } },
      'target names no class: an attribute\'s target is a class and its attribute key'],
    [{ class: 'STR', attribute: { key: 'PSZ' }, no_mapping: true }, 'attribute needs its key and its label'],
    [{ class: 'STR', colour: 'red', no_mapping: true }, 'has a member \'colour\' no decision has'],
    [{ class: '__proto__', no_mapping: true }, '__proto__: gone from the dictionary to migrate'],
    [{ class: 'STR', attribute: pipeSize, no_mapping: true }, 'STR: Pipe Size: decided again by entry 20, which holds'],
    [{ class: 'STR', attribute: pipeSize, target: { class: 'PipeStrainer', key: 'NominalPipeSize' } }, 'carried'],
    [{ class: 'STR', attribute: pipeSize, target: { class: 'PipeStrainer', key: 'Gone' } },
      'STR: Pipe Size: its target PipeStrainer.Gone is gone from the target dictionary'],
    // An attribute is decided in the class that holds it, not in a child.
    [{ class: 'STR', attribute: pipeSize, target: { class: 'GateValve', key: 'BodyMaterial' } },
      'STR: Pipe Size: its target GateValve.BodyMaterial is gone from the target dictionary'],
  ];
  const text = JSON.stringify({ format: 'zorvez-review-decisions', version: 1, suggestions: 'elsewhere',
    decisions: cases.map((c) => c[0]) });
  const read = file.readFile(merged, text, 'f.json');
  const said = new Map(read.left.map((one) => [one.number, one.text]));
  cases.forEach(([, want], at) => {
    const number = at + 1;
    if (want === 'carried') assert.equal(said.get(number), undefined, `entry ${number} carries`);
    else assert.match(said.get(number), new RegExp(`^entry ${number}: `));
    if (want !== 'carried') assert.equal(said.get(number), `entry ${number}: ${want}`);
  });
  const strainer = merged.itemOfKey.get('STR');
  const [kind, part] = model.reviewItems(strainer).find(([, entry]) => entry[1] === 'PSZ');
  assert.deepEqual(decisions.decisionOf(read.decisions, strainer, kind, part), { c: 'PipeStrainer', k: 'NominalPipeSize' });
  assert.ok(read.message.startsWith('Loaded 1 decision from f.json (saved from other suggestions): 1 of 22 entries ' +
    'carried; 4 now mapped by the table; 3 gone from the dictionary to migrate; 4 whose target is gone from the target ' +
    'dictionary; 9 not a decision; 1 decided again by a later entry.'), read.message);
  assert.match(read.message, /entry 1: STR: now mapped by the table; entry 2: .*; and 18 more, listed below\./);

  // suggest --decisions says the same of each entry: of the well-formed
  // ones what it judges, of the others what it refuses the file for.
  const malformed = cases.map(([entry]) => entry).filter((entry, at) => said.get(at + 1) &&
    read.left.find((one) => one.number === at + 1).reason === 'malformed');
  const wellFormed = cases.map(([entry]) => entry).filter((entry) => !malformed.includes(entry));
  for (const list of [wellFormed, malformed]) {
    const pageSays = file.readFile(merged, JSON.stringify({ ...head, decisions: list }), 'f.json').left.map((one) => one.text);
    assert.ok(pageSays.length >= 8);
    assert.deepEqual(suggestSays(list, mergedTable), pageSays);
  }
});

// Loading into a page that holds decisions: the file's replace those of the
// items it names, the others stay; a file that carries nothing changes
// nothing.
test('a load merges into the page\'s decisions', () => {
  const review = reviewOf(example);
  const strainer = review.itemOfKey.get('STR');
  const [[classKind, classPart], [attributeKind, meshSize]] = model.reviewItems(strainer);
  const current = {};
  decisions.setDecision(current, strainer, classKind, classPart, { none: true });
  decisions.setDecision(current, strainer, attributeKind, meshSize, { none: true });
  const fileOf = (list) => JSON.stringify({ format: 'zorvez-review-decisions', version: 1, suggestions: review.hash, decisions: list });
  const read = file.readFile(review, fileOf([{ class: 'STR', target: { key: 'PipeStrainer' } }]), 'f.json', current);
  assert.deepEqual(read.decisions.STR.c, { k: 'PipeStrainer' });
  assert.deepEqual(decisions.decisionOf(read.decisions, strainer, attributeKind, meshSize), { none: true });
  assert.equal(read.message, 'Loaded 1 decision from f.json: 1 of 1 entry carried. They replace 1 decision the page had.');
  assert.deepEqual(current.STR.c, { none: true }, 'the page\'s own are not touched');
  const none = file.readFile(review, fileOf([{ class: 'GONE', no_mapping: true }, 7]), 'g.json', current);
  assert.equal(none.decisions, undefined);
  assert.equal(none.message, 'Nothing was loaded from g.json: none of its 2 entries carries; 1 gone from the dictionary ' +
    'to migrate; 1 not a decision. entry 1: GONE: gone from the dictionary to migrate; entry 2: is a number, not an object.');
});

// On generated decisions: the file's decisions lie over the page's, item
// by item, and those it changes are counted.
test('a load lays the file\'s decisions over the page\'s', () => {
  for (const page of [example, handWrittenPage()]) {
    const review = reviewOf(page);
    const parts = review.block.items.flatMap((item) => model.reviewItems(item).map(([kind, part]) => [item, kind, part]));
    const current = {}, fromFile = {}, expected = {};
    let changed = 0;
    parts.forEach(([item, kind, part], n) => {
      const mine = n % 3 !== 2 ? { none: true } : undefined;
      const first = model.candidatesOf(kind, part)[0];
      const theirs = n % 2 === 0 && first ? decisions.candidateDecision(kind, first) : n % 5 === 0 ? { none: true } : undefined;
      if (mine) decisions.setDecision(current, item, kind, part, mine);
      if (theirs) decisions.setDecision(fromFile, item, kind, part, theirs);
      if (theirs || mine) decisions.setDecision(expected, item, kind, part, theirs || mine);
      if (theirs && mine && JSON.stringify(theirs) !== JSON.stringify(mine)) changed += 1;
    });
    const read = file.readFile(review, file.fileText(review, fromFile, 'x'), 'f.json', current);
    assert.deepEqual([read.decisions, read.replaced, read.carried], [expected, changed, decisions.decisionCount(fromFile)]);
  }
});

test('the file is named after the dictionary to migrate', () => {
  for (const [source, name] of [['V4_Exported_XML/plant_v4.xml', 'plant_v4-decisions.json'],
    ['C:\\Wörterbuch\\Pumpen.v4.xml', 'Pumpen.v4-decisions.json'], ['', 'review-decisions.json'], ['dir/', 'review-decisions.json']]) {
    assert.equal(file.fileName(source), name);
  }
});

// A page written from saved records does not know what the table maps: it
// says only that the item is not one of its own.
test('a page that does not know what the table maps does not guess', () => {
  const review = reviewOf(handWrittenPage());
  const read = file.readFile(review, JSON.stringify({ format: 'zorvez-review-decisions', version: 1,
    decisions: [{ class: 'VLV', no_mapping: true }] }), 'f.json');
  assert.deepEqual(read.left.map((one) => one.text), ['entry 1: VLV: not an item of this page']);
});
