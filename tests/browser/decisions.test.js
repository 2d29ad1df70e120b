// Keeping a review's decisions in the page of `zorvez explore --suggest`:
// clearing asks first and can be undone, decisions are saved to a file and
// loaded back (a file that is no decisions file is refused and changes
// nothing), the page reminds the reviewer to save; and
// the panel follows the keyboard: the item being decided is in view after
// every key, j, k and "next open item" go round at the ends, and a list line
// says "decided" as soon as its class's last item is.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { TOOLS, run } = require('./explore-cases');
const driver = require('./explore-driver');
const { exported, openClass, loadFile, waitForFile } = require('./review-driver');

const REPO = path.resolve(__dirname, '..', '..');
let scratch = null;
let chromium = null;

before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-decisions-'));
  chromium = await driver.launchBrowser();
});

after(async () => {
  if (chromium) await chromium.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

// `zorvez explore --suggest` on a copy of the example's inputs, the table
// changed by `editTable` (other suggestions when it changes them).
function examplePage(name, editTable = (text) => text) {
  const from = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const d = path.join(scratch, name);
  fs.mkdirSync(d, { recursive: true });
  const inputs = [path.join(from, 'V4_Exported_XML', 'plant_v4.xml'), path.join(from, 'V5_Exported_XML', 'plant_v5.xml'),
    path.join(d, 'plant_mapping.csv')];
  fs.writeFileSync(inputs[2], editTable(fs.readFileSync(path.join(from, 'MappingTable', 'plant_mapping.csv'), 'utf8')));
  const pageFile = path.join(d, 'review.html');
  run(TOOLS.zorvez, ['explore', '--suggest', '-o', pageFile, ...inputs]);
  return pageFile;
}

// A generated tree with every third class's rows taken out of the table:
// class items of 20 attributes each, taller together than the window.
function generatedPage() {
  const root = path.join(scratch, 'tree');
  run(TOOLS.generateTree, ['--classes', '40', '--attributes', '20', '--mode', 'v4', '--seed', '5', '--out', root]);
  const d = path.join(root, 'Dictionary');
  const table = path.join(d, 'MappingTable', 'mapping.csv');
  let classRows = 0;
  const kept = fs.readFileSync(table, 'utf8').split('\n').filter((line) => {
    if (line.split(',')[2] === '*') classRows += 1;
    return classRows % 3 !== 0;
  });
  fs.writeFileSync(table, kept.join('\n'));
  const pageFile = path.join(root, 'review.html');
  run(TOOLS.zorvez, ['explore', '--suggest', '-o', pageFile, path.join(d, 'V4_Exported_XML', 'source.xml'),
    path.join(d, 'V5_Exported_XML', 'target.xml'), table]);
  return pageFile;
}

async function downloadsTo(page, folder) {
  const cdp = await page.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
}

const status = (page) => page.$eval('#review-status', (node) => node.textContent);
const selectedKey = (page) => page.evaluate(() => {
  const line = document.querySelector('#rows .row[aria-selected="true"]');
  return line === null ? null : JSON.parse(document.getElementById('zv-index').textContent).classes[line.dataset.index][3];
});
const lineMark = (page, key) => page.evaluate((wanted) => {
  const at = JSON.parse(document.getElementById('zv-index').textContent).classes.findIndex((c) => c[3] === wanted);
  return document.querySelector(`#rows .row[data-index="${at}"] .review-mark`).textContent;
}, key);

test('the example: decide two items, save, clear, undo, clear, load: the same export', async () => {
  const pageFile = examplePage('example');
  const { page, watch } = await driver.openPage(chromium.browser, pageFile);
  const downloads = path.join(scratch, 'downloads');
  await downloadsTo(page, downloads);

  await openClass(page, 'STR');
  await page.keyboard.press('a');
  await page.keyboard.press('a');
  const before = await exported(page);
  assert.equal(before.split('\n').length - 1, 2, 'the class row and one attribute row');

  // Saved as a download (its format is tested without a browser).
  await page.click('#save-decisions');
  const file = path.join(downloads, 'plant_v4-decisions.json');
  assert.equal(JSON.parse(await waitForFile(file)).decisions.length, 2);
  assert.match(await status(page), /Saved 2 decisions as plant_v4-decisions\.json/);

  // Clearing asks; "Keep them" keeps them, "Clear them" clears, Undo brings
  // them back, and the line of the class says so at once.
  await page.click('#clear-decisions');
  assert.match(await status(page), /Clear all 2 decisions of this page\?/);
  await page.click('#keep-decisions');
  assert.equal(await exported(page), before);
  await page.click('#clear-decisions');
  await page.click('#confirm-clear');
  assert.equal(await exported(page), '');
  assert.equal(await lineMark(page, 'STR'), 'to review');
  await page.click('#undo');
  assert.equal(await exported(page), before, 'undo brings the decisions back');
  await page.click('#clear-decisions');
  await page.click('#confirm-clear');
  assert.equal(await exported(page), '');

  // Loaded: both decisions are back, and the export is what it was.
  assert.match(await loadFile(page, file), /Loaded 2 decisions from plant_v4-decisions\.json/);
  assert.equal(await exported(page), before);

  // Refused, changing nothing: a file that is no decisions file (the other
  // refusals are tested without a browser).
  const notJson = path.join(scratch, 'notes.json');
  fs.writeFileSync(notJson, 'Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n');
  assert.match(await loadFile(page, notJson), /notes\.json is not a decisions file \(it is not JSON\)/);
  assert.equal(await exported(page), before);

  assert.deepEqual(watch.requests, []);
  assert.deepEqual(watch.dialogs, []);
  assert.deepEqual(watch.errors, []);
  assert.deepEqual(await page.evaluate(() => window.__violations), []);
  await page.close();
});

test('the panel follows the keyboard; j, k and the next open item go round at the ends', async () => {
  const { page, watch } = await driver.openPage(chromium.browser, generatedPage(), { viewport: { width: 1280, height: 900 } });
  // The classes with items in the order of the list, and those with a
  // class item (the class and its 20 attributes to decide).
  const [reviewed, withClassItem] = await page.evaluate(() => {
    const items = JSON.parse(document.getElementById('zv-suggest').textContent).items;
    const keys = JSON.parse(document.getElementById('zv-index').textContent).classes.map((c) => c[3]);
    const listed = (wanted) => keys.filter((key) => wanted.includes(key));
    return [listed(items.map((item) => item[0])), listed(items.filter((item) => item[3] !== null).map((item) => item[0]))];
  });
  const first = withClassItem[0], last = reviewed[reviewed.length - 1];
  await openClass(page, first);
  const count = await page.$$eval('#detail .review-item', (nodes) => nodes.length);
  assert.ok(count > 10, 'a class item and its attributes');
  // In view: the whole item, or where it is taller than the panel, its top
  // at the panel's top.
  const inView = () => page.evaluate(() => {
    const panel = document.getElementById('detail').getBoundingClientRect();
    const item = document.querySelector('#detail .review-item.focused').getBoundingClientRect();
    const whole = item.top >= panel.top && item.bottom <= panel.bottom;
    const topFirst = item.height > panel.height && item.top >= panel.top && item.top <= panel.top + 16;
    return whole || topFirst;
  });
  for (let n = 1; n <= count; n++) {
    await page.keyboard.press('j');
    assert.ok(await inView(), `item ${n % count} is in view after j`);
    assert.equal(await page.$eval('#detail .review-item.focused', (node) => node.dataset.item), String(n % count));
  }
  assert.match(await status(page), /Back to the first item of this class/);
  await page.keyboard.press('k');
  assert.ok(await inView());
  assert.equal(await page.$eval('#detail .review-item.focused', (node) => node.dataset.item), String(count - 1));
  assert.match(await status(page), /On to the last item of this class/);

  // Deciding the last open item turns the class's line "decided" at once,
  // with the class still open.
  await page.keyboard.press('j');
  for (let n = 0; n < count; n++) {
    await page.keyboard.press('n');
    await page.keyboard.press('j');
  }
  assert.equal(await selectedKey(page), first);
  assert.equal(await lineMark(page, first), 'decided');

  // The next open item from the last item of the last class goes round to
  // the top of the list, and is in view there too.
  await openClass(page, last);
  await page.keyboard.press('k');
  await page.keyboard.press('s');
  await page.waitForFunction((want) => {
    const line = document.querySelector('#rows .row[aria-selected="true"]');
    return line !== null && JSON.parse(document.getElementById('zv-index').textContent).classes[line.dataset.index][3] === want;
  }, { timeout: 5000 }, reviewed.find((key) => key !== first));
  assert.match(await status(page), /Round to the top of the list/);
  assert.equal(await page.$eval('#detail .review-item.focused', (node) => node.dataset.item), '0');
  assert.ok(await inView());

  // Many decisions only in the browser: the page asks to save them.
  assert.doesNotMatch(await status(page), /not saved to a file/);
  await page.click('#accept-tools');
  assert.match(await status(page), /\d+ decisions are not saved to a file/);
  await downloadsTo(page, path.join(scratch, 'tree-downloads'));
  await page.click('#save-decisions');
  assert.doesNotMatch(await status(page), /not saved to a file/);

  assert.deepEqual(watch.errors, []);
  assert.deepEqual(await page.evaluate(() => window.__violations), []);
  await page.close();
});
