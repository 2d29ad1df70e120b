// A review carried from one page to another: decisions saved on one page
// load into a page written from other inputs (another class row in the
// table, a synonyms file), whose export then holds exactly the decisions
// that carried; an item the table now maps is reported, not carried; a
// file that carries nothing changes nothing; a hostile file stays inert and
// is judged entry by entry; `explore --suggest --decisions` opens with the
// decisions that carry. And the page's keys, its disabled Accept, the
// export's file name and the Finding filter's options.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { TOOLS, run } = require('./explore-cases');
const driver = require('./explore-driver');
const { reviewMessage: status, exported, openClass, loadFile, waitForFile } = require('./review-driver');

const REPO = path.resolve(__dirname, '..', '..');
const FROM = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
const STRAINER_ROW = 'Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n';
let scratch = null;
let chromium = null;

before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-carry-'));
  chromium = await driver.launchBrowser();
});

after(async () => {
  if (chromium) await chromium.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

// `zorvez explore --suggest` on the example, its table changed by
// `editTable`, with `extra` options.
function examplePage(name, { editTable = (text) => text, extra = [] } = {}) {
  const d = path.join(scratch, name);
  fs.mkdirSync(d, { recursive: true });
  const table = path.join(d, 'plant_mapping.csv');
  fs.writeFileSync(table, editTable(fs.readFileSync(path.join(FROM, 'MappingTable', 'plant_mapping.csv'), 'utf8')));
  const pageFile = path.join(d, 'review.html');
  run(TOOLS.zorvez, ['explore', '--suggest', '--wordnet', 'none', ...extra, '-o', pageFile,
    path.join(FROM, 'V4_Exported_XML', 'plant_v4.xml'), path.join(FROM, 'V5_Exported_XML', 'plant_v5.xml'), table]);
  return pageFile;
}

async function openPage(pageFile, downloads) {
  const opened = await driver.openPage(chromium.browser, pageFile);
  const cdp = await opened.page.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  return opened;
}

async function saved(page, downloads) {
  await page.click('#save-decisions');
  return JSON.parse(await waitForFile(path.join(downloads, 'plant_v4-decisions.json'), { remove: true })).decisions;
}

function assertQuiet(watch) {
  assert.deepEqual(watch.requests, []);
  assert.deepEqual(watch.dialogs, []);
  assert.deepEqual(watch.errors, []);
}

test('a review carries into pages of other inputs, and into explore --decisions', async () => {
  const downloads = path.join(scratch, 'downloads');
  // The first page: Strainer accepted with Mesh Size, Pipe Size No Mapping.
  const first = await openPage(examplePage('first'), downloads);
  await openClass(first.page, 'STR');
  await first.page.keyboard.press('a');
  await first.page.keyboard.press('a');
  await first.page.keyboard.press('n');
  const review = await exported(first.page);
  assert.match(await first.page.$eval('#export-box p', (node) => node.textContent), /downloaded as suggested-rows\.csv/);
  const entries = await saved(first.page, downloads);
  assert.equal(entries.length, 3);
  const file = path.join(scratch, 'review-decisions.json');
  fs.writeFileSync(file, JSON.stringify({ format: 'zorvez-review-decisions', version: 1, suggestions: 'x', decisions: entries }));
  await first.page.close();

  // A synonyms file gives other suggestions: every decision carries, and
  // the export is the first page's.
  const synonyms = path.join(scratch, 'synonyms.txt');
  fs.writeFileSync(synonyms, 'strainer = sieve\n');
  const withSynonyms = await openPage(examplePage('synonyms', { extra: ['--synonyms', synonyms] }), downloads);
  assert.match(await loadFile(withSynonyms.page, file),
    /^Loaded 3 decisions from review-decisions\.json \(saved from other suggestions\): 3 of 3 entries carried\.$/);
  assert.equal(await exported(withSynonyms.page), review);
  assertQuiet(withSynonyms.watch);
  await withSynonyms.page.close();

  // Strainer's class row now in the table: its class decision is reported,
  // the attributes' carry, and the page's decisions are exactly those.
  const mapped = await openPage(examplePage('mapped', { editTable: (table) => table + STRAINER_ROW }), downloads);
  assert.match(await loadFile(mapped.page, file), new RegExp('^Loaded 2 decisions from review-decisions\\.json ' +
    '\\(saved from other suggestions\\): 2 of 3 entries carried; 1 now mapped by the table\\. ' +
    'entry 1: STR: now mapped by the table\\.$'));
  assert.deepEqual(await saved(mapped.page, downloads), entries.slice(1));
  const rows = await exported(mapped.page);
  assert.equal(rows, 'Strainer,Pipe Fitting,Mesh Size,PipeStrainer,PipingComponent,MeshSize,\n' +
    'Strainer,Pipe Fitting,Pipe Size,No Mapping,\n');
  assert.doesNotMatch(rows, /Strainer,Pipe Fitting,\*/);

  // A file that carries nothing changes nothing, and can be undone to no
  // earlier state: the Undo stays the load's.
  const nothing = path.join(scratch, 'nothing.json');
  fs.writeFileSync(nothing, JSON.stringify({ format: 'zorvez-review-decisions', version: 1, decisions: [entries[0],
    { class: 'GONE', no_mapping: true }] }));
  assert.match(await loadFile(mapped.page, nothing), new RegExp('^Nothing was loaded from nothing\\.json: none of its ' +
    '2 entries carries; 1 now mapped by the table; 1 gone from the dictionary to migrate\\.'));
  assert.equal(await exported(mapped.page), rows);
  assertQuiet(mapped.watch);
  await mapped.page.close();

  // explore --decisions: the page opens with the decisions that carried,
  // Pipe Size decided No Mapping, and exports what the first page did.
  const seeded = await openPage(examplePage('seeded', { extra: ['--decisions', file] }), downloads);
  await openClass(seeded.page, 'STR');
  const decisions = await seeded.page.$$eval('#detail .decision', (nodes) => nodes.map((n) => n.textContent));
  assert.deepEqual(decisions, ['Decision: mapped to PipeStrainer', 'Decision: mapped to MeshSize in PipeStrainer',
    'Decision: No Mapping']);
  assert.match(await seeded.page.$eval('#detail .class-item .candidates li', (node) => node.textContent),
    /^Strainer \(PipeStrainer\) score [0-9.]+, decided in the decisions file, chosen$/);
  assert.equal(await exported(seeded.page), review);
  // The browser's own decisions hold over the seed from then on, even
  // cleared.
  await seeded.page.click('#clear-decisions');
  await seeded.page.click('#confirm-clear');
  await seeded.page.reload();
  assert.equal(await exported(seeded.page), '');
  assertQuiet(seeded.watch);
  await seeded.page.close();
});

test('a hostile decisions file stays inert and is judged entry by entry', async () => {
  const { page, watch } = await openPage(examplePage('hostile'), path.join(scratch, 'hostile-downloads'));
  await openClass(page, 'STR');
  await page.keyboard.press('a');
  const before = await exported(page);
  const hostile = path.join(scratch, 'hostile.json');
  const script = '</script><script>window.__pwned=1</script>';
  fs.writeFileSync(hostile, JSON.stringify({ format: 'zorvez-review-decisions', version: 1, suggestions: script, decisions: [
    { class: 123, target: { key: 'PipeStrainer' } },
    { class: 'STR', no_mapping: 'yes' },
    { class: 'STR', target: 'Toilet' },
    null,
    { class: 'STR', target: { key: 'PipeStrainer' }, no_mapping: true },
    { class: '<img src=x onerror="window.__pwned=2">', no_mapping: true },
    { class: '__proto__', attribute: { key: 'constructor', label: 'prototype' }, no_mapping: true },
    { class: 'STR', target: { key: script } },
    { class: 'STR', constructor: { prototype: 1 }, no_mapping: true },
  ] }));
  const said = await loadFile(page, hostile);
  assert.match(said, /^Nothing was loaded from hostile\.json \(saved from other suggestions\): none of its 9 entries carries; /);
  await page.click('#review-status details summary');
  const listed = await page.$$eval('#review-status details li', (nodes) => nodes.map((n) => n.textContent));
  assert.deepEqual(listed, [
    'entry 1: class is a number, not a string (a class key)',
    'entry 2: no_mapping is a string, not true',
    'entry 3: target is a string, not an object',
    'entry 4: is null, not an object',
    'entry 5: has both target and no_mapping: decide one of them',
    'entry 6: <img src=x onerror="window.__pwned=2">: gone from the dictionary to migrate',
    'entry 7: __proto__: prototype: gone from the dictionary to migrate',
    `entry 8: STR: its target ${script} is gone from the target dictionary`,
    'entry 9: has a member \'constructor\' no decision has',
  ]);
  assert.equal(await exported(page), before);
  assert.equal(await page.$('#review-status img'), null);
  assert.equal(await page.evaluate(() => window.__pwned), undefined);
  assertQuiet(watch);
  assert.deepEqual(await page.evaluate(() => window.__violations), []);
  await page.close();
});

test('the keys are listed by ? and the Keys button; Accept says why it is off; filter options differ', async () => {
  const { page, watch } = await openPage(examplePage('keys'), path.join(scratch, 'keys-downloads'));
  await page.click('#keys');
  const keys = await page.$$eval('#key-legend kbd', (nodes) => nodes.map((n) => n.textContent));
  for (const key of ['a', 's', 'n', 'u', 't', 'j k', '\u2190 \u2192', '1 \u2013 9', '?', 'Tab', 'Enter', 'Escape', 'Home End']) {
    assert.ok(keys.includes(key), key);
  }
  await page.keyboard.press('?');
  assert.equal(await page.$('#key-legend'), null, '? hides it');
  await page.keyboard.press('?');
  assert.notEqual(await page.$('#key-legend'), null, '? shows it');
  // Typed in the search box, ? is a character.
  await page.click('#search');
  await page.keyboard.type('?');
  assert.notEqual(await page.$('#key-legend'), null);

  // An item with no candidate: Accept is off and says why; `a` says it too.
  const bare = await page.evaluate(() => {
    const items = JSON.parse(document.getElementById('zv-suggest').textContent).items;
    for (const item of items) {
      if (item[3] !== null && item[3][2].length === 0) return [item[0], 0];
      const at = item[4].findIndex((a) => a[4].length === 0);
      if (at >= 0) return [item[0], at + (item[3] === null ? 0 : 1)];
    }
    return null;
  });
  assert.ok(bare !== null, 'the example has an item with no candidate');
  await page.$eval('#search', (node) => { node.value = ''; node.dispatchEvent(new Event('input')); });
  await openClass(page, bare[0]);
  for (let n = 0; n < bare[1]; n++) await page.keyboard.press('j');
  const accept = await page.$eval('#detail .review-item.focused .decide button', (node) => [node.disabled, node.title]);
  assert.deepEqual(accept, [true, 'Nothing to accept: this item has no candidate. Type a target, or decide No Mapping.']);
  await page.keyboard.press('a');
  assert.match(await status(page), /^Nothing to accept/);

  // No two options of the Finding filter read the same; the totals say
  // what the report's "new classes suggested" counts.
  const options = await page.$$eval('#kind-filter option', (nodes) => nodes.map((n) => n.textContent));
  assert.equal(new Set(options).size, options.length, options.join(' | '));
  assert.ok(options.includes('class: not in mapping table (1)') && options.includes('attribute: not in mapping table (1)'),
    options.join(' | '));
  assert.match(await page.$eval('#summary', (node) => node.textContent), /Classes missing from the table or the target\d+/);
  assertQuiet(watch);
  await page.close();
});
