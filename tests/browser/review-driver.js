// What the review tests do to a page: open a class's line, export the
// decided rows, load a decisions file, wait for a download.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');

// The review status's message, without the controls beside it.
const reviewMessage = (page) => page.$eval('#review-status .message', (node) => node.textContent);

async function exported(page) {
  await page.click('#export');
  return page.$eval('#export-box textarea', (node) => node.value);
}

// Scrolls the unfiltered list (a line per class, 28 px each) to the class's
// line and clicks it in the page, in one step (the list may draw its lines
// again between finding a line and clicking it from outside), the list given
// the focus as a click gives it.
async function openClass(page, key) {
  const at = await page.evaluate((wanted) =>
    JSON.parse(document.getElementById('zv-index').textContent).classes.findIndex((c) => c[3] === wanted), key);
  assert.ok(at >= 0, key);
  await page.evaluate((line) => { document.getElementById('list').scrollTop = Math.max(0, line * 28 - 100); }, at);
  await page.waitForSelector(`#rows .row[data-index="${at}"]`, { timeout: 5000 });
  await page.$eval(`#rows .row[data-index="${at}"]`, (line) => {
    line.click();
    document.getElementById('list').focus();
  });
}

// Loads a decisions file through the page's chooser and returns what the
// page says; the status is emptied first, as it may still say what the last
// load said.
async function loadFile(page, file) {
  await page.evaluate(() => { document.getElementById('review-status').textContent = ''; });
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#load-decisions')]);
  await chooser.accept([file]);
  await page.waitForFunction(() => /Loaded|nothing was loaded|Nothing was loaded/.test(
    document.getElementById('review-status').textContent), { timeout: 5000 });
  return reviewMessage(page);
}

// A download's text once it is there; with `remove`, the file is removed
// then, so that the next download of that name can be waited for.
async function waitForFile(file, { remove = false } = {}) {
  for (let wait = 0; wait < 50 && !fs.existsSync(file); wait++) await new Promise((r) => setTimeout(r, 100));
  const text = fs.readFileSync(file, 'utf8');
  if (remove) fs.rmSync(file);
  return text;
}

module.exports = { reviewMessage, exported, openClass, loadFile, waitForFile };
