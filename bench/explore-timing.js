// Times the explorer page in headless Chromium: the first screen after
// opening, the whole page read, a verdict filter, each keystroke of a
// search, grouping, scrolling to the end and opening the last class there.
// Each figure runs from the action to the second animation frame after it,
// so it includes style, layout and paint. Prints one line per figure.
//
//   node bench/explore-timing.js PAGE.html [runs]
'use strict';
const path = require('node:path');
const driver = require(path.join(__dirname, '..', 'tests', 'browser', 'explore-driver.js'));

// Runs `action` in the page, then waits for two animation frames so that
// the time includes style, layout and paint of what it changed.
const timedInPage = (page, action, ...args) => page.evaluate(async (source, actionArgs) => {
  const act = new Function('return ' + source)();
  const start = performance.now();
  act(...actionArgs);
  await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
  return performance.now() - start;
}, action.toString(), args);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => value.toFixed(0).padStart(6) + ' ms';

async function measure(browser, file) {
  const started = Date.now();
  const { page } = await driver.openPage(browser, file);
  const loaded = Date.now() - started;
  const firstScreen = await page.evaluate(() => window.zorvezExplore.firstScreen);
  const loadEvent = await page.evaluate(() => performance.getEntriesByType('navigation')[0].loadEventStart);
  // The last largest-contentful-paint entry: when the biggest piece of the
  // first screen (the chart, the list or its lines) was painted.
  const painted = await page.evaluate(() => new Promise((done) => {
    new PerformanceObserver((list) => {
      const entries = list.getEntries();
      done(entries[entries.length - 1].startTime);
    }).observe({ type: 'largest-contentful-paint', buffered: true });
  }));
  const filter = await timedInPage(page, () => document.querySelector('#verdict-filter input[data-verdict="green"]').click());
  const unfilter = await timedInPage(page, () => document.querySelector('#verdict-filter input[data-verdict="green"]').click());
  // The start of a label in the middle of the list, typed a letter at a time.
  const query = await page.evaluate(() => {
    const { classes } = JSON.parse(document.getElementById('zv-index').textContent);
    return classes[Math.floor(classes.length / 2)][2].slice(0, 8);
  });
  const keystrokes = [];
  let typed = '';
  for (const letter of query) {
    typed += letter;
    keystrokes.push(await timedInPage(page, (text) => {
      const box = document.getElementById('search');
      box.value = text;
      box.dispatchEvent(new Event('input'));
    }, typed));
  }
  const group = await timedInPage(page, () => document.getElementById('group').click());
  await timedInPage(page, () => document.getElementById('reset').click());
  const open = await timedInPage(page, () => {
    const list = document.getElementById('list');
    list.scrollTop = list.scrollHeight;
    list.dispatchEvent(new Event('scroll'));
  });
  const lastRow = await page.$$eval('#rows .row', (rows) => rows[rows.length - 1].dataset.index);
  const openClass = await timedInPage(page, (i) => document.querySelector(`.row[data-index="${i}"]`).click(), lastRow);
  // With suggestions: the review filter, opening the first open class, and
  // accepting its shown candidate (which moves to the next open item).
  const reviewing = {};
  if (await page.$('#review-filter') !== null) {
    reviewing.reviewFilter = await timedInPage(page, () => {
      const select = document.getElementById('review-filter');
      select.value = 'open';
      select.dispatchEvent(new Event('change'));
    });
    reviewing.reviewOpen = await timedInPage(page, () => document.querySelector('#rows .row').click());
    reviewing.reviewAccept = await timedInPage(page, () =>
      document.dispatchEvent(new KeyboardEvent('keydown', { key: 'a', bubbles: true })));
    reviewing.reviewExport = await timedInPage(page, () => document.getElementById('export').click());
  }
  await page.close();
  return { query, firstScreen, painted, loadEvent, loaded, filter: Math.max(filter, unfilter), search: Math.max(...keystrokes),
    group, scroll: open, openClass, ...reviewing };
}

async function main() {
  const [file, runs = '3'] = process.argv.slice(2);
  const chromium = await driver.launchBrowser();
  const results = [];
  try {
    for (let run = 0; run < Number(runs); run++) results.push(await measure(chromium.browser, path.resolve(file)));
  } finally {
    await chromium.close();
  }
  const figure = (name) => median(results.map((r) => r[name]));
  const worst = (name) => Math.max(...results.map((r) => r[name]));
  console.log(`runs: ${runs} (median, worst)`);
  console.log(`first screen (navigation start to list drawn) ${ms(figure('firstScreen'))} ${ms(worst('firstScreen'))}`);
  console.log(`first screen painted (largest content)       ${ms(figure('painted'))} ${ms(worst('painted'))}`);
  console.log(`whole page read (load event)                  ${ms(figure('loadEvent'))} ${ms(worst('loadEvent'))}`);
  console.log(`open, as the driver sees it (until load)      ${ms(figure('loaded'))} ${ms(worst('loaded'))}`);
  console.log(`verdict filter, drawn                         ${ms(figure('filter'))} ${ms(worst('filter'))}`);
  console.log(`search, slowest keystroke                     ${ms(figure('search'))} ${ms(worst('search'))}  (typing "${results[0].query}")`);
  console.log(`group by parent, drawn                        ${ms(figure('group'))} ${ms(worst('group'))}`);
  console.log(`scroll to the end, drawn                      ${ms(figure('scroll'))} ${ms(worst('scroll'))}`);
  console.log(`open the last class (parses its chunk)        ${ms(figure('openClass'))} ${ms(worst('openClass'))}`);
  if (results[0].reviewFilter === undefined) return;
  console.log(`review filter "open items only", drawn       ${ms(figure('reviewFilter'))} ${ms(worst('reviewFilter'))}`);
  console.log(`open the first open class, drawn              ${ms(figure('reviewOpen'))} ${ms(worst('reviewOpen'))}`);
  console.log(`accept and go to the next open item (a)       ${ms(figure('reviewAccept'))} ${ms(worst('reviewAccept'))}`);
  console.log(`export the decided rows                       ${ms(figure('reviewExport'))} ${ms(worst('reviewExport'))}`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
