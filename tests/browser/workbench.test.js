// `zorvez review` in headless Chromium, driven with the keyboard as a
// reviewer drives it: the decisions the engine answers, each on disk as
// soon as the page shows it taken, through a kill -9 and a restart; Apply
// to the table with its numbered backups and a retarget only where
// confirmed; and the synonyms file changed on disk while the page is open.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const wb = require('../review_server/workbench');
const driver = require('./explore-driver');

async function openReview(browser, review) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(review.address, { waitUntil: 'load' });
  await page.waitForFunction(() => window.zorvezReview && window.zorvezReview.ready, { timeout: 20000 });
  // The token left the address once it was kept in the cookie.
  assert.doesNotMatch(page.url(), /token/);
  return { page, errors };
}

async function openClass(page, key) {
  await page.waitForSelector(`#rows .row[data-key="${key}"]`);
  await page.click(`#rows .row[data-key="${key}"]`);
  await page.waitForFunction((wanted) => {
    const dd = document.querySelector('#detail .facts dd');
    return dd !== null && dd.textContent === wanted;
  }, {}, key);
}

// Waits for item n of the open class to say `text` of its decision.
async function decisionIs(page, n, text) {
  try {
    await page.waitForFunction((item, wanted) => {
      const node = document.querySelector(`#detail .review-item[data-item="${item}"] .decision`);
      return node !== null && node.textContent === 'Decision: ' + wanted;
    }, { timeout: 10000 }, n, text);
  } catch (error) {
    const shown = await page.evaluate((item) => [document.getElementById('status').textContent,
      document.querySelector(`#detail .review-item[data-item="${item}"]`)?.textContent], n);
    throw new Error(`item ${n} is not "${text}": ${JSON.stringify(shown)}`);
  }
}

async function typeTarget(page, text) {
  await page.keyboard.press('t');
  await page.waitForFunction(() => document.activeElement && document.activeElement.closest('.key-box'));
  await page.$eval('#detail .focused .key-box input', (input) => { input.value = ''; });
  await page.keyboard.type(text);
  await page.keyboard.press('Enter');
}

const decisionsOf = (files) => JSON.parse(fs.readFileSync(files.decisions, 'utf8')).decisions;

test('typed targets the engine accepts are on disk at once, and come back after kill -9', async () => {
  const scratch = wb.scratchFolder('zorvez-workbench-');
  const files = wb.copyExample(scratch.folder);
  const chromium = await driver.launchBrowser();
  let review;
  try {
    review = await wb.startReview(files);
    const { page, errors } = await openReview(chromium.browser, review);
    // Speed is an attribute of CentrifugalPump, where the table puts Pump,
    // though no candidate names it.
    await openClass(page, 'PMP');
    await page.keyboard.press('j');
    // A target the dictionary lacks is refused in the box, what was typed kept.
    await typeTarget(page, 'Torque');
    await page.waitForFunction(() => document.querySelector('#detail .focused .key-note')?.textContent ===
      'Torque is not an attribute of CentrifugalPump or its ancestors in the target dictionary');
    assert.equal(await page.$eval('#detail .focused .key-box input', (n) => n.value), 'Torque');
    await page.keyboard.press('Escape');
    await typeTarget(page, 'speed');
    await decisionIs(page, 1, 'mapped to Speed in CentrifugalPump');
    assert.deepEqual(decisionsOf(files), [{ attribute: { key: 'MPW', label: 'Motor Power' }, class: 'PMP',
      target: { class: 'CentrifugalPump', key: 'Speed' } }]);
    assert.match(await page.$eval('#detail .review-item[data-item="1"] .outcome', (n) => n.textContent),
      /Apply writes Pump,Equipment,Motor Power,CentrifugalPump,RotatingEquipment,Speed,/);

    // A class target typed by hand: its attributes are ranked in it, and
    // accepting the first records a target of that class.
    await openClass(page, 'STR');
    await typeTarget(page, 'gatevalve');
    await decisionIs(page, 0, 'mapped to Gate Valve (GateValve)');
    await page.keyboard.press('j');
    await page.waitForFunction(() => document.querySelector('#detail .review-item.focused .candidates li.shown button')
      ?.textContent === 'Nominal Size (NominalSize) in GateValve');
    await page.keyboard.press('a');
    await decisionIs(page, 1, 'mapped to NominalSize in GateValve');
    // `a` goes on to the next open item, Pipe Size.
    await page.waitForFunction(() => document.querySelector('#detail .review-item.focused')?.dataset.item === '2');
    assert.deepEqual(decisionsOf(files).find((d) => d.attribute && d.attribute.label === 'Mesh Size'),
      { attribute: { key: 'MSH', label: 'Mesh Size' }, class: 'STR', target: { class: 'GateValve', key: 'NominalSize' } });

    // Tab in a box with text never leaves it for the next button.
    await page.keyboard.press('j');
    await page.keyboard.press('t');
    await page.keyboard.type('zzz');
    await page.keyboard.press('Tab');
    assert.ok(await page.evaluate(() => document.activeElement.closest('.key-box') !== null));
    await page.keyboard.press('Escape');

    // Killed at once, started again: every decision is there, in the
    // published format.
    review.child.kill('SIGKILL');
    await review.stopped;
    const saved = decisionsOf(files);
    const checked = spawnSync('/usr/bin/python3', ['-c', 'import json, sys, jsonschema; ' +
      'jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))', files.decisions,
    path.join(wb.REPO, 'doc', 'decisions.schema.json')], { encoding: 'utf8' });
    assert.equal(checked.status, 0, checked.stderr);
    review = await wb.startReview(files);
    const again = await openReview(chromium.browser, review);
    await openClass(again.page, 'PMP');
    await decisionIs(again.page, 1, 'mapped to Speed in CentrifugalPump');
    await openClass(again.page, 'STR');
    await decisionIs(again.page, 0, 'mapped to Gate Valve (GateValve)');
    await decisionIs(again.page, 1, 'mapped to NominalSize in GateValve');
    assert.deepEqual(decisionsOf(files), saved);
    assert.deepEqual([...errors, ...again.errors], []);
  } finally {
    if (review) review.child.kill();
    await chromium.close();
    scratch.remove();
  }
});

test('Apply writes the decided rows with numbered backups, and a retarget only once confirmed', async () => {
  const scratch = wb.scratchFolder('zorvez-workbench-apply-');
  const files = wb.copyExample(scratch.folder);
  const original = fs.readFileSync(files.table, 'utf8');
  const chromium = await driver.launchBrowser();
  let review;
  try {
    review = await wb.startReview(files);
    const { page, errors } = await openReview(chromium.browser, review);
    assert.ok(wb.check(files).some((r) => r.record === 'class' && r.class.key === 'STR' && r.finding === 'not_in_mapping_table'));
    await openClass(page, 'STR');
    await page.click('#accept-tools');
    await decisionIs(page, 2, 'mapped to NominalPipeSize in PipeStrainer');
    await openClass(page, 'CVL');
    await typeTarget(page, 'GateValve');
    await decisionIs(page, 0, 'mapped to Gate Valve (GateValve)');

    await page.click('#apply');
    await page.waitForSelector('#apply-box #apply-confirm');
    const preview = await page.$eval('#apply-box', (n) => n.innerText);
    assert.match(preview, /Strainer,Pipe Fitting,\*,PipeStrainer,PipingComponent,\*,EQT,/);
    assert.match(preview, /Check Valve, line 11/);
    // Not ticked: the table's own row stays.
    await page.click('#apply-confirm');
    await page.waitForFunction(() => /Applied: 3 rows added, 0 rows replaced/.test(document.getElementById('status').textContent));
    const applied = fs.readFileSync(files.table, 'utf8');
    assert.match(applied, /\nCheck Valve,Valve,\*,CheckValve,Valve,\*,EQT,\n/);
    assert.match(applied, /\nStrainer,Pipe Fitting,Mesh Size,PipeStrainer,PipingComponent,MeshSize,\n/);
    assert.equal(fs.readFileSync(files.table + '.bak.1', 'utf8'), original);
    assert.ok(!wb.check(files).some((r) => r.record === 'class' && r.class.key === 'STR' && r.finding === 'not_in_mapping_table'));

    // Ticked: the row is replaced, the table before kept as the next backup.
    await page.click('#apply');
    await page.waitForSelector('#apply-box .retarget input[data-line="11"]');
    await page.click('#apply-box .retarget input[data-line="11"]');
    await page.click('#apply-confirm');
    await page.waitForFunction(() => /Applied: 0 rows added, 1 row replaced/.test(document.getElementById('status').textContent));
    assert.match(fs.readFileSync(files.table, 'utf8'), /\nCheck Valve,Valve,\*,GateValve,Valve,\*,EQT,\n/);
    assert.equal(fs.readFileSync(files.table + '.bak.2', 'utf8'), applied);
    assert.equal(fs.readFileSync(files.table + '.bak.1', 'utf8'), original);

    // Taken back: the table as the first Apply left it; the decisions stay.
    await page.click('#apply-undo');
    await page.waitForFunction(() => /back as it was before the Apply/.test(document.getElementById('status').textContent));
    assert.equal(fs.readFileSync(files.table, 'utf8'), applied);
    assert.ok(decisionsOf(files).some((d) => d.class === 'CVL' && !d.attribute));
    assert.deepEqual(errors, []);
  } finally {
    if (review) review.child.kill();
    await chromium.close();
    scratch.remove();
  }
});

test('the synonyms file changed on disk: the page shows the new suggestions with its decisions', async () => {
  const scratch = wb.scratchFolder('zorvez-workbench-synonyms-');
  const files = wb.copyExample(scratch.folder);
  const synonyms = path.join(scratch.folder, 'synonyms.txt');
  fs.writeFileSync(synonyms, 'mesh = sieve\n');
  const chromium = await driver.launchBrowser();
  let review;
  try {
    review = await wb.startReview(files, ['--synonyms', synonyms]);
    const { page, errors } = await openReview(chromium.browser, review);
    await openClass(page, 'PMP');
    await page.keyboard.press('n');
    await decisionIs(page, 0, 'No Mapping');
    assert.equal(await page.$$eval('#detail .review-item[data-item="1"] .candidates li', (l) => l.length), 0);

    fs.writeFileSync(synonyms, 'motor power = speed\n');
    await page.waitForFunction(() => /synonyms\.txt changed on disk: read again.*1 of 1 decisions carried/
      .test(document.getElementById('status').textContent), { timeout: 20000 });
    await page.waitForFunction(() => /synonyms: motor power ~ speed/.test(document.getElementById('detail').textContent));
    await decisionIs(page, 0, 'No Mapping');

    // A file that cannot be read leaves the last good state serving.
    fs.writeFileSync(synonyms, 'lonely\n');
    await page.waitForFunction(() => /cannot be read; the review goes on/.test(document.getElementById('status').textContent),
      { timeout: 20000 });
    await decisionIs(page, 0, 'No Mapping');
    assert.match(await page.$eval('#detail', (n) => n.textContent), /synonyms: motor power ~ speed/);
    assert.deepEqual(errors, []);
  } finally {
    if (review) review.child.kill();
    await chromium.close();
    scratch.remove();
  }
});
