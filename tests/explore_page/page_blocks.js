// The suggestion blocks the unit tests read, written by the page's own
// writer (the built zor_findings_page and zorvez) and taken out of the page
// as the browser would read them: no browser is needed.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');

const REPO = path.resolve(__dirname, '..', '..');
const BUILD = process.env.ZOR_BUILD_DIR || path.join(REPO, 'build');
const PAGE = path.join(REPO, 'src', 'explore', 'page');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-page-units-'));
process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));

function run(tool, args, stdout = 'pipe') {
  const done = spawnSync(path.join(BUILD, tool), args, { stdio: ['ignore', stdout, 'pipe'], maxBuffer: 1 << 28 });
  if (done.error) throw done.error;
  if (![0, 1].includes(done.status)) throw new Error(`${tool} ${args.join(' ')} exited ${done.status}: ${done.stderr}`);
}

const blockOf = (html, id) => {
  const found = new RegExp(`<script type="application/json" id="${id}">([^<]*)</script>`).exec(html);
  return found === null ? null : found[1];
};

// A page as the review reads it: the block's text, the keys of the list's
// classes and the table's name as notes give it.
function readPage(file) {
  const html = fs.readFileSync(file, 'utf8');
  const index = JSON.parse(blockOf(html, 'zv-index'));
  return { blockText: blockOf(html, 'zv-suggest'), classKeys: index.classes.map((c) => c[3]), mapping: index.inputs.mapping };
}

// The example's findings with the hand-written suggestion records of
// tests/data/explore after them (hostile names, tied and demoted candidates).
function handWrittenPage() {
  const d = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const records = path.join(scratch, 'review.jsonl');
  const out = fs.openSync(records, 'w');
  run(path.join('src', 'zorvez'), ['check', '--format', 'jsonl', '--fail-on', 'none',
    path.join(d, 'V4_Exported_XML', 'plant_v4.xml'), path.join(d, 'V5_Exported_XML', 'plant_v5.xml'),
    path.join(d, 'MappingTable', 'plant_mapping.csv')], out);
  fs.closeSync(out);
  fs.appendFileSync(records, fs.readFileSync(path.join(REPO, 'tests', 'data', 'explore', 'review-suggestions.jsonl')));
  const page = path.join(scratch, 'review.html');
  run(path.join('bench', 'zor_findings_page'), ['-o', page, records]);
  return readPage(page);
}

// `zorvez explore --suggest` on the example, its table changed by `edit`.
function examplePage(name, edit = (text) => text) {
  const d = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const table = path.join(scratch, name + '.csv');
  fs.writeFileSync(table, edit(fs.readFileSync(path.join(d, 'MappingTable', 'plant_mapping.csv'), 'utf8')));
  const page = path.join(scratch, name + '.html');
  run(path.join('src', 'zorvez'), ['explore', '--suggest', '--wordnet', 'none', '-o', page,
    path.join(d, 'V4_Exported_XML', 'plant_v4.xml'), path.join(d, 'V5_Exported_XML', 'plant_v5.xml'), table]);
  return readPage(page);
}

const load = (part) => require(path.join(PAGE, part));

module.exports = { REPO, BUILD, handWrittenPage, examplePage, load };
