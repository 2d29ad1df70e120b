// A decisions file: what the page saves reads back as the same decisions,
// in the published format; a file of other suggestions, of another version
// or no decisions file at all is refused; entries naming nothing of the page
// are left out and counted.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { REPO, handWrittenPage, examplePage, load } = require('./page_blocks');

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
    assert.deepEqual(file.readFile(review, text, 'f.json'), { decisions: saved, loaded: written.decisions.length, skipped: 0 });
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

test('a file that is not of this page is refused; entries naming nothing of it are left out', () => {
  const review = reviewOf(example);
  const other = reviewOf(examplePage('other', (table) => table.replace(/^Sump,.*\n/m, '')));
  assert.notEqual(other.hash, review.hash);
  const head = { format: 'zorvez-review-decisions', version: 1, suggestions: review.hash, source: 'x', decisions: [] };
  const refused = [
    ['Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n', /^notes\.json is not a decisions file \(it is not JSON\)/],
    [JSON.stringify({ ...head, format: 'other' }), /is not a decisions file of this page/],
    [JSON.stringify({ ...head, decisions: {} }), /is not a decisions file of this page/],
    [JSON.stringify({ ...head, version: 2 }), /of version 2, which this page cannot read/],
    [file.fileText(other, {}, 'x'), new RegExp(`other suggestions \\(${other.hash}, this page ${review.hash}\\).*Nothing was loaded`)],
  ];
  for (const [text, said] of refused) assert.match(file.readFile(review, text, 'notes.json').refused, said);

  const entries = [
    { class: 'STR', target: { key: 'PipeStrainer' } },
    { class: 'STR', attribute: { key: 'MSH', label: 'Mesh Size' }, no_mapping: true },
    { class: 'NOPE', target: { key: 'PipeStrainer' } },
    { class: 'STR', target: { key: 'NoSuchClass' } },
    { class: 'STR', attribute: { key: 'MSH', label: 'Mesh Size' }, target: { class: 'PipeStrainer', key: 'Nope' } },
    { class: 'STR', attribute: { key: 'XXX', label: 'Mesh Size' }, no_mapping: true },
    null, 'STR',
  ];
  const read = file.readFile(review, JSON.stringify({ ...head, decisions: entries }), 'f.json');
  assert.deepEqual([read.loaded, read.skipped, decisions.decisionCount(read.decisions)], [2, 6, 2]);
});

test('the file is named after the dictionary to migrate', () => {
  for (const [source, name] of [['V4_Exported_XML/plant_v4.xml', 'plant_v4-decisions.json'],
    ['C:\\Wörterbuch\\Pumpen.v4.xml', 'Pumpen.v4-decisions.json'], ['', 'review-decisions.json'], ['dir/', 'review-decisions.json']]) {
    assert.equal(file.fileName(source), name);
  }
});
