// The explorer page in a real browser: its totals agree with the summary
// record, filtering, searching, grouping and opening a class show what the
// records say, each class links into the defined report, hostile names stay
// text, and the page asks the network for nothing.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { makeCases } = require('./explore-cases');
const driver = require('./explore-driver');

let cases = {};
let chromium = null;
let scratch = null;

before(async () => {
  ({ cases, scratch } = await makeCases());
  chromium = await driver.launchBrowser();
});

after(async () => {
  if (chromium) await chromium.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

const haystack = (record) => (record.class.label + '\n' + record.class.key).toLowerCase();
const attributeItems = (record) => record.items.filter((item) => item.record === 'attribute');
// What the page's search looks through: the class's label and key and those
// of its attribute findings.
const searchedBy = (record, query) => haystack(record).includes(query.toLowerCase()) ||
  attributeItems(record).some((item) => (item.attribute.label + '\n' + item.attribute.key).toLowerCase().includes(query.toLowerCase()));
// A ticked verdict shows the classes whose own finding has it, and those
// with an attribute or child finding of it.
const hasVerdict = (record, verdict) => record.verdict === verdict || record.items.some((item) => item.verdict === verdict);
const selectedIndex = (page) => page.evaluate(() => Number(document.querySelector('#rows .row[aria-selected="true"]')?.dataset.index ?? -1));
// A key that scrolls the list selects a row the list draws on its next
// frame: waits for that row (or a few seconds), then reads the selection.
const selectedAfterKey = async (page, expected) => {
  await page
    .waitForFunction(
      (want) => document.querySelector('#rows .row[aria-selected="true"]')?.dataset.index === String(want),
      { timeout: 5000 },
      expected,
    )
    .catch(() => {});
  return selectedIndex(page);
};
const countWhere = (list, predicate) => list.filter(predicate).length;

async function open(name) {
  const chosen = cases[name];
  const opened = await driver.openPage(chromium.browser, chosen.pageFile);
  return { ...chosen, ...opened };
}

async function assertQuiet({ page, watch }) {
  assert.deepEqual(watch.requests, [], 'requests beyond the page itself');
  assert.deepEqual(watch.dialogs, [], 'dialogs');
  assert.deepEqual(watch.errors, [], 'script errors');
  assert.deepEqual(await page.evaluate(() => window.__violations), [], 'policy violations');
  assert.equal(await page.evaluate(() => window.__pwned), undefined, 'script from the data ran');
}

function caseTest(name, title, body) {
  test(`${name}: ${title}`, async () => {
    const opened = await open(name);
    try {
      await body(opened);
      await assertQuiet(opened);
    } finally {
      await opened.page.close();
    }
  });
}

for (const name of ['small', 'hostile', 'v4v5', 'v5v5', 'tree']) {
  caseTest(name, 'totals agree with the summary record', async ({ page, findings }) => {
    const { summary, classes } = findings;
    const shown = await page.evaluate(() => {
      const text = (selector) => document.querySelector(selector)?.textContent ?? null;
      const verdicts = {};
      for (const node of document.querySelectorAll('[data-count]')) verdicts[node.dataset.count] = Number(node.textContent);
      return {
        verdicts,
        classes: Number(text('[data-summary="classes"]')),
        findings: Number(text('[data-summary="findings"]')),
        newClasses: Number(text('[data-summary="new_classes_suggested"]')),
        requested: Number(text('[data-summary="requested_unmapped"]')),
        listed: Number(document.getElementById('shown').dataset.shown),
      };
    });
    assert.deepEqual(shown.verdicts, summary.verdicts);
    assert.equal(shown.classes, summary.classes);
    assert.equal(shown.newClasses, summary.new_classes_suggested);
    assert.equal(shown.requested, summary.requested_unmapped);
    assert.equal(shown.findings, classes.length);
    assert.equal(shown.listed, classes.length);
    const sum = Object.values(summary.verdicts).reduce((a, b) => a + b, 0);
    assert.equal(sum, classes.length, 'the summary counts every class record');
  });

  caseTest(name, 'filters by verdict, by finding and groups by parent', async ({ page, findings }) => {
    const { classes } = findings;
    const verdict = ['red', 'orange', 'blue', 'purple', 'green'].find((v) => classes.some((c) => c.verdict === v));
    await driver.showVerdicts(page, [verdict]);
    assert.equal(await driver.shownCount(page), countWhere(classes, (c) => hasVerdict(c, verdict)));
    const lines = await page.$$eval('#rows .row', (rows) => rows.map((row) => [row.dataset.verdict, row.dataset.via ?? '']));
    assert.ok(lines.length > 0 && lines.every(([v, via]) => v === verdict || via.includes('verdict')), lines.join());

    const kind = classes.find((c) => c.verdict === verdict).finding;
    await driver.showKind(page, 'c', kind);
    assert.equal(await driver.shownCount(page), countWhere(classes, (c) => hasVerdict(c, verdict) && c.finding === kind));

    await driver.showVerdicts(page, ['green', 'blue', 'red', 'orange', 'purple']);
    const itemKind = classes.flatMap((c) => c.items).find((item) => item.finding !== 'valid')?.finding;
    if (itemKind !== undefined) {
      await driver.showKind(page, 'i', itemKind);
      assert.equal(await driver.shownCount(page), countWhere(classes, (c) => c.items.some((item) => item.finding === itemKind)));
    }

    await page.click('#reset');
    await page.click('#group');
    assert.equal(await driver.shownCount(page), classes.length, 'grouping hides nothing');
    const parents = [...new Set(classes.map((c) => c.class.parent))].sort((a, b) => {
      const x = a.toLowerCase(), y = b.toLowerCase();
      return x < y ? -1 : x > y ? 1 : a < b ? -1 : a > b ? 1 : 0;
    });
    const firstGroup = await page.$eval('#rows .group', (line) => line.textContent);
    const inFirst = countWhere(classes, (c) => c.class.parent === parents[0]);
    assert.ok(firstGroup.endsWith(` (${inFirst})`) && firstGroup.includes(parents[0] || '(no parent)'), firstGroup);
    await page.click('#rows .group');
    const afterCollapse = await page.$$eval('#rows > div', (lines) => lines.slice(0, 2).map((l) => l.className));
    assert.deepEqual(afterCollapse.slice(0, 2), parents.length > 1 ? ['group', 'group'] : ['group']);
  });

  caseTest(name, 'search answers as you type, without regard to case', async ({ page, findings, query }) => {
    await driver.search(page, query);
    const expected = countWhere(findings.classes, (c) => searchedBy(c, query));
    assert.ok(expected > 0, `the query ${query} should find something`);
    assert.equal(await driver.shownCount(page), expected);
    await driver.search(page, query.toUpperCase());
    assert.equal(await driver.shownCount(page), expected);
    const labels = await page.$$eval('#rows .row', (rows) => rows.map((row) => [row.querySelector('.label').textContent + '\n' + row.querySelector('.key').textContent, row.dataset.via ?? '']));
    assert.ok(labels.every(([text, via]) => text.toLowerCase().includes(query.toLowerCase()) || via.includes('search')), labels.join(' | '));
  });

  caseTest(name, 'a verdict shows classes by their attribute findings, which are marked', async ({ page, findings }) => {
    const { classes } = findings;
    const at = classes.findIndex((c) => attributeItems(c).some((item) => item.verdict !== c.verdict));
    if (at < 0) return;
    const chosen = classes[at];
    const verdict = attributeItems(chosen).find((item) => item.verdict !== chosen.verdict).verdict;
    await driver.showVerdicts(page, [verdict]);
    assert.equal(await driver.shownCount(page), countWhere(classes, (c) => hasVerdict(c, verdict)));
    await driver.search(page, chosen.class.key);
    await page.click(`.row[data-index="${at}"]`);
    assert.equal(await page.$eval(`.row[data-index="${at}"]`, (row) => row.dataset.via), 'verdict');
    await page.waitForFunction(() => !document.querySelector('#detail .hint'));
    const marked = await page.$$eval('#detail tbody tr', (rows) => rows.map((row) => row.classList.contains('hit')));
    assert.deepEqual(marked, attributeItems(chosen).map((item) => item.verdict === verdict));
  });

  caseTest(name, 'search finds attribute labels and keys and marks them', async ({ page, findings }) => {
    const { classes } = findings;
    // Of the first attribute keys that no class label or key holds, the one
    // that finds the fewest classes, so that its class is in view.
    let at = -1, key = null, fewest = Infinity, tried = 0;
    for (let i = 0; i < classes.length && tried < 20; i++) {
      for (const item of attributeItems(classes[i])) {
        const candidate = item.attribute.key;
        if (candidate.length < 3 || classes.some((c) => haystack(c).includes(candidate.toLowerCase()))) continue;
        tried += 1;
        const found = countWhere(classes, (c) => searchedBy(c, candidate));
        if (found < fewest) [at, key, fewest] = [i, candidate, found];
      }
    }
    if (key === null) return;
    await driver.search(page, key.toLowerCase());
    assert.equal(await driver.shownCount(page), fewest);
    await page.waitForSelector(`.row[data-index="${at}"]`);
    assert.equal(await page.$eval(`.row[data-index="${at}"]`, (row) => row.dataset.via), 'search');
    await page.click(`.row[data-index="${at}"]`);
    await page.waitForFunction(() => !document.querySelector('#detail .hint'));
    const marked = await page.$$eval('#detail tbody tr.hit', (rows) => rows.map((row) => row.cells[1].lastChild.textContent));
    assert.ok(marked.includes(key), marked.join());
  });

  caseTest(name, 'Home, End, Page Up and Page Down move through the list', async ({ page, findings }) => {
    const total = findings.classes.length;
    if (total < 2) return;
    await page.click('#rows .row');
    assert.equal(await selectedIndex(page), 0);
    await page.keyboard.press('End');
    assert.equal(await selectedAfterKey(page, total - 1), total - 1);
    await page.keyboard.press('Home');
    assert.equal(await selectedAfterKey(page, 0), 0);
    const perPage = await page.evaluate(() => Math.max(1, Math.floor(document.getElementById('list').clientHeight / 28) - 1));
    await page.keyboard.press('PageDown');
    assert.equal(await selectedAfterKey(page, Math.min(total - 1, perPage)), Math.min(total - 1, perPage));
    await page.keyboard.press('PageUp');
    assert.equal(await selectedAfterKey(page, 0), 0);
  });

  caseTest(name, 'opens a class to its attribute findings and child warnings', async ({ page, findings }) => {
    const { classes } = findings;
    let at = 0;
    classes.forEach((c, i) => { if (c.items.length > classes[at].items.length) at = i; });
    const chosen = classes[at];
    await driver.search(page, chosen.class.key);
    await page.click(`.row[data-index="${at}"]`);
    await page.waitForFunction(() => !document.querySelector('#detail .hint'));
    const detail = await page.evaluate(() => ({
      title: document.querySelector('#detail h2').textContent,
      attributes: [...document.querySelectorAll('#detail tbody tr')].map((row) => [row.dataset.verdict, row.cells[1].firstChild.textContent]),
      children: document.querySelectorAll('#detail ul.rows > li strong').length,
    }));
    assert.equal(detail.title, chosen.class.label || '(no label)');
    const attributes = chosen.items.filter((item) => item.record === 'attribute');
    assert.deepEqual(detail.attributes, attributes.map((item) => [item.verdict, item.attribute.label]));
    assert.equal(detail.children, chosen.items.filter((item) => item.record === 'child').length);
  });

  caseTest(name, 'links each class to its anchor in the defined report', async ({ page, url, findings, report, reportFile }) => {
    if (report === undefined) return;
    const links = await page.$$eval('#rows .row', (rows) => rows.map((row) => [Number(row.dataset.index), row.querySelector('a.report-link')?.href ?? null]));
    assert.ok(links.length > 0);
    const keys = [];
    for (const [i, href] of links) {
      const key = findings.classes[i].class.key;
      const base = report.split('/').map(encodeURIComponent).join('/');
      assert.equal(href, new URL(base + '#' + encodeURIComponent(key), url).href);
      assert.equal(decodeURIComponent(new URL(href).hash.slice(1)), key);
      keys.push(key);
    }
    if (reportFile !== undefined) {
      // The defined report names an anchor by each of those keys, as it
      // writes them.
      const reportText = fs.readFileSync(reportFile, 'latin1');
      const utf8 = (text) => Buffer.from(text, 'utf8').toString('latin1');
      assert.deepEqual(keys.filter((key) => !reportText.includes(`<a name="${utf8(key)}">`)), []);
    }
  });
}

for (const name of ['small', 'hostile']) {
  caseTest(name, 'hostile names show as text and run nothing', async ({ page, findings }) => {
    const hostile = findings.classes.filter((c) => /[<>&]/.test(c.class.label));
    assert.ok(hostile.length >= 2);
    for (const record of hostile) {
      const at = findings.classes.indexOf(record);
      await driver.search(page, record.class.key);
      await page.click(`.row[data-index="${at}"]`);
      await page.waitForFunction(() => !document.querySelector('#detail .hint'));
      const shown = await page.evaluate((i) => ({
        label: document.querySelector(`.row[data-index="${i}"] .label`).textContent,
        title: document.querySelector('#detail h2').textContent,
        parent: [...document.querySelectorAll('#detail dt')].find((dt) => dt.textContent === 'Parent').nextSibling.textContent,
        attributes: [...document.querySelectorAll('#detail tbody tr')].map((row) => row.cells[1].firstChild.textContent),
      }), at);
      assert.equal(shown.label, record.class.label);
      assert.equal(shown.title, record.class.label);
      assert.equal(shown.parent, record.class.parent);
      assert.deepEqual(shown.attributes, record.items.map((item) => item.attribute.label));
    }
    const elements = await page.evaluate(() => ({
      scripts: document.scripts.length,
      dataBlocks: document.querySelectorAll('script[type="application/json"]').length,
      injected: document.querySelectorAll('img, svg [onload], b, i, iframe, object').length,
    }));
    assert.equal(elements.scripts, elements.dataBlocks + 1, 'one script besides the data blocks');
    assert.equal(elements.injected, 0);
  });
}

caseTest('tree', 'stays under three times the size of its JSON Lines', async ({ pageFile, jsonl }) => {
  const pageBytes = fs.statSync(pageFile).size;
  const jsonlBytes = fs.statSync(jsonl).size;
  assert.ok(pageBytes < 3 * jsonlBytes, `${pageBytes} bytes of page for ${jsonlBytes} bytes of records`);
});

