// Times `zorvez review` on a tree as a reviewer uses it: how long until it
// prints its address (ready to serve), then one decision after another
// through its HTTP interface as the page sends them, each timed from the
// request to its answer (the decision laid on the items it touches, its
// class's attributes ranked again, the rows planned, the decisions file
// written). With ZOR_REVIEW_TIME=FILE the review runs under /usr/bin/time,
// which writes its peak memory there; with ZOR_REVIEW_ACCEPT_ALL=1 every item
// the tool accepted is decided first, as in a review far along.
//   node bench/review-timing.js DECISIONS ZORVEZ REVIEW-ARGUMENTS...
'use strict';
const http = require('node:http');
const readline = require('node:readline');
const { spawn } = require('node:child_process');

const [count, zorvez, ...args] = process.argv.slice(2);

function request(port, cookie, method, target, body) {
  const headers = { Host: '127.0.0.1:' + port, Cookie: cookie };
  if (body !== undefined) {
    headers.Origin = 'http://127.0.0.1:' + port;
    headers['Content-Type'] = 'application/json';
    headers['Content-Length'] = Buffer.byteLength(body);
  }
  return new Promise((resolve, reject) => {
    const asked = http.request({ host: '127.0.0.1', port, method, path: target, headers, setHost: false }, (res) => {
      let text = '';
      res.setEncoding('utf8');
      res.on('data', (chunk) => { text += chunk; });
      res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, text }));
    });
    asked.on('error', reject);
    if (body !== undefined) asked.write(body);
    asked.end();
  });
}

const quantile = (sorted, q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];

function summary(name, times) {
  const sorted = [...times].sort((a, b) => a - b);
  if (sorted.length === 0) return `${name}: none`;
  return `${name}: ${sorted.length} decisions, median ${quantile(sorted, 0.5).toFixed(1)} ms, ` +
    `95th percentile ${quantile(sorted, 0.95).toFixed(1)} ms, slowest ${sorted[sorted.length - 1].toFixed(1)} ms`;
}

(async () => {
  const started = process.hrtime.bigint();
  const command = [zorvez, 'review', '--no-browser', ...args];
  if (process.env.ZOR_REVIEW_TIME) command.unshift('/usr/bin/time', '-f', '%e %U %S %M', '-o', process.env.ZOR_REVIEW_TIME);
  const child = spawn(command[0], command.slice(1), { stdio: ['ignore', 'pipe', 'inherit'] });
  const address = await new Promise((resolve) => readline.createInterface({ input: child.stdout }).once('line', resolve));
  const ready = Number(process.hrtime.bigint() - started) / 1e6;
  const url = new URL(address);
  const port = Number(url.port);
  const first = await request(port, '', 'GET', url.pathname + url.search);
  const cookie = first.headers['set-cookie'][0].split(';')[0];
  if (process.env.ZOR_REVIEW_ACCEPT_ALL) {
    // A review far along: every item the tool accepted decided first.
    const start = process.hrtime.bigint();
    const answer = await request(port, cookie, 'POST', '/api/accept-tools', '{}');
    console.log(`accept the tool's everywhere: ${JSON.parse(answer.text).said} ` +
      `(${(Number(process.hrtime.bigint() - start) / 1e6).toFixed(0)} ms)`);
  }
  const state = JSON.parse((await request(port, cookie, 'GET', '/api/state')).text);
  const lines = state.classes;
  const placed = [], others = [], inServer = [];
  for (let k = 0; k < lines.length && placed.length + others.length < Number(count); k += 7) {
    const key = lines[(k * 7919) % lines.length][0];
    const review = JSON.parse((await request(port, cookie, 'GET', '/api/class?key=' + encodeURIComponent(key))).text).review;
    for (const item of review.items) {
      if (!item.nameable) continue;
      const body = { class: key, showing: key };
      if (item.kind === 'attribute') body.attribute = item.attribute;
      // A class to another candidate than its first (its attributes are
      // ranked again there); an attribute to its first candidate, or No
      // Mapping.
      const candidate = item.kind === 'class' ? item.candidates[1] || item.candidates[0] : item.candidates[0];
      if (candidate) body.target = candidate.target; else body.no_mapping = true;
      const start = process.hrtime.bigint();
      const answer = await request(port, cookie, 'POST', '/api/decide', JSON.stringify(body));
      const took = Number(process.hrtime.bigint() - start) / 1e6;
      if (answer.status !== 200) throw new Error('decide answered ' + answer.status + ': ' + answer.text);
      (item.kind === 'class' && body.target ? placed : others).push(took);
      inServer.push(Number(/dur=([0-9.]+)/.exec(answer.headers['server-timing'])[1]));
      break;
    }
  }
  await request(port, cookie, 'POST', '/api/quit', '{}');
  await new Promise((resolve) => child.on('exit', resolve));
  console.log(`ready to serve: ${(ready / 1000).toFixed(2)} s`);
  console.log(summary('a class decided to a target (its attributes ranked again)', placed));
  console.log(summary('an attribute decided', others));
  console.log(summary('every decision', [...placed, ...others]));
  console.log(summary('every decision, in the server (from the request read to the answer made)', inServer));
})().catch((error) => { console.error(error); process.exit(1); });
