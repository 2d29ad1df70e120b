// Headless Chromium (Debian's /usr/bin/chromium) driving explorer pages,
// with every request other than the page itself blocked and recorded, and
// dialogs, script errors and policy violations collected.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const readline = require('node:readline');
const { pathToFileURL } = require('node:url');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  return {
    browser,
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens `file` in a new tab and waits for the page's load event.
async function openPage(browser, file, { viewport = { width: 1280, height: 800 } } = {}) {
  const page = await browser.newPage();
  const url = pathToFileURL(file).href;
  const watch = { requests: [], dialogs: [], errors: [] };
  await page.setViewport(viewport);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url() === url && request.isNavigationRequest()) {
      request.continue();
    } else {
      watch.requests.push(request.url());
      request.abort();
    }
  });
  page.on('dialog', (dialog) => {
    watch.dialogs.push(dialog.message());
    dialog.dismiss();
  });
  page.on('pageerror', (error) => watch.errors.push(error.message));
  await page.evaluateOnNewDocument(() => {
    window.__violations = [];
    document.addEventListener('securitypolicyviolation', (event) => {
      window.__violations.push(event.violatedDirective + ' ' + event.blockedURI);
    });
  });
  await page.goto(url, { waitUntil: 'load', timeout: 120000 });
  return { page, url, watch };
}

// The class, attribute and child records and the summary of a JSON Lines file
// (hazard records, of the table or of a name holding markup, are no finding).
async function readFindings(file) {
  const findings = { classes: [], attributes: 0, children: 0, summary: null };
  const lines = readline.createInterface({ input: fs.createReadStream(file), crlfDelay: Infinity });
  for await (const line of lines) {
    if (line === '') continue;
    const record = JSON.parse(line);
    if (record.record === 'class') findings.classes.push({ ...record, items: [] });
    else if (record.record === 'summary') findings.summary = record;
    else if (record.record === 'hazard') continue;
    else if (findings.classes.length > 0) findings.classes[findings.classes.length - 1].items.push(record);
  }
  return findings;
}

// Page-side helpers, run with page.evaluate.
const shownCount = (page) => page.evaluate(() => Number(document.getElementById('shown').dataset.shown));

async function showVerdicts(page, names) {
  await page.evaluate((wanted) => {
    for (const box of document.querySelectorAll('#verdict-filter input')) {
      if (box.checked !== wanted.includes(box.dataset.verdict)) box.click();
    }
  }, names);
}

// Chooses a finding kind in the filter: `scope` 'c' for the class's own
// finding, 'i' for an attribute or child finding.
async function showKind(page, scope, kind) {
  const value = await page.evaluate((s, k) => {
    const index = JSON.parse(document.getElementById('zv-index').textContent);
    return s + index.kinds.indexOf(k);
  }, scope, kind);
  await page.select('#kind-filter', value);
}

async function search(page, text) {
  await page.click('#search', { clickCount: 3 });
  await page.keyboard.press('Backspace');
  await page.type('#search', text);
}

module.exports = { launchBrowser, openPage, readFindings, shownCount, showVerdicts, showKind, search };
