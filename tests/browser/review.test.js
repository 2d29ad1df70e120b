// Reviewing suggestions in the explorer page: by keyboard, switching
// candidates, typing a key with completion, No Mapping, decisions kept over a
// reload, and the export as a download and as text; a demoted candidate's
// evidence apart from what took it; tied candidates and the words lexicon
// evidence relates; hostile names in candidates stay text. Which rows and
// notes decisions give is tested without a browser (tests/explore_page).
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { TOOLS, run, runTo } = require('./explore-cases');
const driver = require('./explore-driver');
const { exported } = require('./review-driver');

const REPO = path.resolve(__dirname, '..', '..');
let scratch = null;
let chromium = null;
let pages = {};

// The example's findings with hand-written suggestion records after them.
before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-review-'));
  const example = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const findings = path.join(scratch, 'findings.jsonl');
  runTo(findings, TOOLS.zorvez, ['check', '--format', 'jsonl', '--fail-on', 'none',
    path.join(example, 'V4_Exported_XML', 'plant_v4.xml'), path.join(example, 'V5_Exported_XML', 'plant_v5.xml'),
    path.join(example, 'MappingTable', 'plant_mapping.csv')]);
  const withSuggestions = path.join(scratch, 'review.jsonl');
  fs.writeFileSync(withSuggestions, fs.readFileSync(findings, 'utf8') +
    fs.readFileSync(path.join(REPO, 'tests', 'data', 'explore', 'review-suggestions.jsonl'), 'utf8'));
  pages = { plain: path.join(scratch, 'plain.html'), review: path.join(scratch, 'review.html') };
  run(TOOLS.findingsPage, ['-o', pages.plain, findings]);
  run(TOOLS.findingsPage, ['-o', pages.review, withSuggestions]);
  chromium = await driver.launchBrowser();
});

after(async () => {
  if (chromium) await chromium.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

const shown = (page) => page.evaluate(() => Number(document.getElementById('shown').dataset.shown));
const detailText = (page) => page.$eval('#detail', (node) => node.textContent);
const focused = (page) => page.$eval('#detail .review-item.focused h4', (node) => node.textContent);

async function openClass(page, key) {
  const at = await page.evaluate((wanted) =>
    JSON.parse(document.getElementById('zv-index').textContent).classes.findIndex((c) => c[3] === wanted), key);
  assert.ok(at >= 0, key);
  // Clicked in the page, in one step (the list may draw its lines again
  // between finding a line and clicking it from outside), and the list
  // given the focus as a click gives it.
  await page.$eval(`#rows .row[data-index="${at}"]`, (line) => {
    line.click();
    document.getElementById('list').focus();
  });
}

async function typeKey(page, typed, { complete = true } = {}) {
  await page.keyboard.press('t');
  await page.keyboard.type(typed);
  if (complete) await page.keyboard.press('Tab');
  const completed = await page.$eval('#detail .focused .key-box input', (node) => node.value);
  await page.keyboard.press('Enter');
  return completed;
}

test('a page without suggestions has no review', async () => {
  const { page, watch } = await driver.openPage(chromium.browser, pages.plain);
  assert.equal(await page.$('#review-filter'), null);
  assert.equal(await page.$('#zv-suggest'), null);
  assert.deepEqual(watch.errors, []);
  await page.close();
});

test('review by keyboard, switch, type a key, No Mapping, reload, export', async () => {
  const { page, watch } = await driver.openPage(chromium.browser, pages.review);
  const cdp = await page.target().createCDPSession();
  const downloads = path.join(scratch, 'downloads');
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });

  await page.select('#review-filter', 'tool');
  assert.equal(await shown(page), 2, 'Pump and Strainer were accepted by the tool');
  await page.select('#review-filter', 'open');
  assert.equal(await shown(page), 3);

  await openClass(page, 'STR');
  assert.match(await focused(page), /not in mapping table/);
  let text = await detailText(page);
  assert.match(text, /Y Strainer/);
  assert.match(text, /agreed: label, stems, attributes/);
  assert.match(text, /Mesh Size \(MSH\) ✓ has a partner: Mesh Size \(MeshSize\)/);
  assert.match(text, /Valve ← Equipment/);
  // A demoted candidate: the signals that agreed, and apart from them which
  // item took its target (Pipe Size's second candidate, then the class's).
  await page.keyboard.press('j');
  await page.keyboard.press('j');
  await page.keyboard.press('ArrowRight');
  const pipeSize = await page.$eval('#detail .review-item.focused', (n) => [n.querySelector('.evidence').textContent,
    n.querySelector('.demoted').textContent]);
  assert.deepEqual(pipeSize, ['Mesh Size (MeshSize) in YStrainer, score 0.40, agreed: label',
    'Demoted: taken by the attribute Mesh Size of Strainer (STR)']);
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('j');
  assert.match(await focused(page), /not in mapping table/, 'j goes round to the first item');
  await page.keyboard.press('ArrowRight');
  assert.match(await page.$eval('#detail .class-item li.shown', (n) => n.textContent), /Basket Strainer/);
  // Pump is not an item here: nothing says it took the target, so the page
  // does not say so either.
  assert.match(await page.$eval('#detail .side-target', (n) => n.textContent),
    /Evidenceagreed: labelDemotedalso the best candidate of the class Pump \(PMP\), which has not taken it/);
  await page.keyboard.press('3');
  text = await detailText(page);
  assert.ok(text.includes('<img src=x onerror="window.__pwned=1">'), 'a hostile label is shown as text');
  assert.ok(text.includes('</script><script>window.__pwned=2</script>'));
  assert.equal(await page.$('#detail img'), null);

  // A typed key is checked, completed, and decides.
  assert.equal(await typeKey(page, 'Nothing', { complete: false }), 'Nothing');
  assert.match(await page.$eval('#detail .focused .key-note', (n) => n.textContent), /not a class of the target/);
  await page.$eval('#detail .focused .key-box input', (n) => { n.value = ''; n.blur(); });
  assert.equal(await typeKey(page, 'bas'), 'BasketStrainer');
  assert.match(await page.$eval('#detail .class-item .decision', (n) => n.textContent), /mapped to BasketStrainer/);
  // Back to the first candidate: accept it and move on to the attributes.
  await page.keyboard.press('1');
  await page.keyboard.press('a');
  assert.match(await focused(page), /Mesh Size/);
  await page.keyboard.press('a');
  assert.match(await focused(page), /Pipe Size/);
  await page.keyboard.press('n');

  // Pump is mapped: its attribute's key is checked against the attributes
  // of its target class.
  await openClass(page, 'PMP');
  assert.match(await page.$eval('#detail .attribute-item ol.candidates', (n) => n.textContent),
    /Speed \(Speed\) in CentrifugalPump score 0\.12, line 5 of the mapping table maps this target already/);
  assert.equal(await typeKey(page, 'Spe'), 'Speed');
  await page.select('#review-filter', '');
  await page.select('#review-filter', 'open');
  assert.equal(await shown(page), 1, 'only Heat Exchanger is still open');

  // Heat Exchanger's Duty: two tied candidates, nothing accepted. The first
  // gives the row the table holds complete already: nothing to write.
  await openClass(page, 'HEX');
  assert.match(await page.$eval('#detail .focused .tied', (n) => n.textContent),
    /^Nothing accepted: the first two candidates are tied\. .*nothing the tool knows tells them apart/);
  assert.deepEqual(await page.$$eval('#detail .focused ol.candidates li', (lines) => lines.map((n) => n.textContent)),
    ['Heat Duty (HeatDuty) in ShellTubeExchanger score 0.52, tied',
      'Thermal Load (ThermalLoad) in ShellTubeExchanger score 0.52, tied']);
  await page.keyboard.press('2');
  assert.equal(await page.$eval('#detail .focused .evidence', (n) => n.textContent),
    'Thermal Load (ThermalLoad) in ShellTubeExchanger, score 0.52, agreed: lexicon: duty ~ load');
  await page.keyboard.press('1');
  await page.keyboard.press('a');

  const expected = [
    'Pump,Equipment,Motor Power,CentrifugalPump,Equipment,Speed,',
    'Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT,',
    'Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,',
    'Strainer,Pipe Fitting,Pipe Size,No Mapping,',
  ].join('\n') + '\n';
  await page.reload({ waitUntil: 'load' });
  assert.equal(await exported(page), expected, 'decisions survive a reload');
  assert.equal(await page.$('#export-box .export-notes li'), null, "Duty's row is in the table already");
  const file = path.join(downloads, 'suggested-rows.csv');
  for (let wait = 0; wait < 50 && !fs.existsSync(file); wait++) await new Promise((r) => setTimeout(r, 100));
  assert.equal(fs.readFileSync(file, 'utf8'), expected, 'the download holds the same rows');

  assert.deepEqual(watch.requests, []);
  assert.deepEqual(watch.errors, []);
  assert.deepEqual(await page.evaluate(() => window.__violations), []);
  assert.equal(await page.evaluate(() => window.__pwned), undefined);
  await page.close();
});

// A generated tree with a third of its classes taken out of the table:
// accepting what the tool accepted and exporting gives, byte for byte, the
// rows of `zorvez suggest --format csv`, and under them the note of every
// accepted suggestion whose row is not written.
test('the export of accepted suggestions is what suggest --format csv writes', async () => {
  for (const seed of ['3', '8']) {
    const root = path.join(scratch, 'tree-' + seed);
    run(TOOLS.generateTree, ['--classes', '60', '--attributes', '3', '--mode', 'v4', '--seed', seed, '--out', root]);
    const d = path.join(root, 'Dictionary');
    const table = path.join(d, 'MappingTable', 'mapping.csv');
    let classRows = 0;
    const kept = fs.readFileSync(table, 'utf8').split('\n').filter((line) => {
      if (line.split(',')[2] === '*') classRows += 1;
      return classRows % 3 !== 0;
    });
    fs.writeFileSync(table, kept.join('\n'));
    const inputs = ['--wordnet', 'none', path.join(d, 'V4_Exported_XML', 'source.xml'),
      path.join(d, 'V5_Exported_XML', 'target.xml'), table];
    const rows = path.join(root, 'suggested.csv');
    runTo(rows, TOOLS.zorvez, ['suggest', '-q', '--format', 'csv', ...inputs], { accept: [0, 1] });
    const records = path.join(root, 'suggested.jsonl');
    runTo(records, TOOLS.zorvez, ['suggest', '--format', 'jsonl', ...inputs], { accept: [0, 1] });
    const pageFile = path.join(root, 'explore.html');
    run(TOOLS.zorvez, ['explore', '--suggest', '-o', pageFile, ...inputs]);
    const expected = fs.readFileSync(rows, 'utf8');
    assert.ok(expected.split('\n').length > 10, 'suggest accepted rows');
    const notes = fs.readFileSync(records, 'utf8').split('\n').filter((line) => line !== '').map((line) => JSON.parse(line))
      .filter((r) => r.accepted && r.note !== undefined).map((r) => r.note);
    assert.ok(notes.length > 3, 'some accepted rows are not written');

    const { page, watch } = await driver.openPage(chromium.browser, pageFile);
    await page.click('#accept-tools');
    assert.equal(await exported(page), expected);
    assert.deepEqual(await page.$$eval('#export-box .export-notes li', (lines) => lines.map((n) => n.textContent)), notes);
    assert.deepEqual(watch.errors, []);
    await page.close();
  }
});
