// The review's server as an attacker would try it: every request that
// changes something, replayed without the token, from a foreign origin and
// under a foreign host name, is refused and writes nothing; so is a path
// outside the page and a body too large to read. It listens on the loopback
// address alone, and its page's answers allow nothing but itself.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const wb = require('./workbench');

// The state-changing requests the page makes, with bodies it would send.
const CHANGES = [
  ['decide', { class: 'PMP', attribute: { key: 'MPW', label: 'Motor Power' }, typed: 'Speed', showing: 'PMP' }],
  ['decide', { class: 'STR', no_mapping: true }],
  ['accept-tools', { class: 'STR', showing: 'STR' }],
  ['undo', { showing: 'PMP' }],
  ['apply', { preview: 'x', retarget: [11] }],
  ['apply-undo', {}],
  ['quit', {}],
];

function filesOf(files) {
  return [files.table, files.decisions].map((file) => (fs.existsSync(file) ? fs.readFileSync(file, 'utf8') : null));
}

test('changes without the token, from another origin or host name are refused and write nothing', async () => {
  const scratch = wb.scratchFolder('zorvez-review-security-');
  const files = wb.copyExample(scratch.folder);
  const review = await wb.startReview(files);
  try {
    const cookie = await wb.cookieOf(review);
    assert.match(cookie, /^zorvez-review-\d+=[0-9a-f]{64}$/);
    const before = filesOf(files);
    const own = wb.pageHeaders(review, cookie);
    const tries = {
      'no token': Object.assign({}, own, { Cookie: '' }),
      'a wrong token': Object.assign({}, own, { Cookie: cookie.replace(/=.*/, '=' + '0'.repeat(64)) }),
      'a foreign origin': Object.assign({}, own, { Origin: 'http://attacker.example' }),
      'no origin': Object.fromEntries(Object.entries(own).filter(([name]) => name !== 'Origin')),
      'a foreign host name': Object.assign({}, own, { Host: 'attacker.example:' + review.port }),
      'a form body': Object.assign({}, own, { 'Content-Type': 'application/x-www-form-urlencoded' }),
      'another site': Object.assign({}, own, { 'Sec-Fetch-Site': 'cross-site' }),
    };
    for (const [name, body] of CHANGES) {
      for (const [how, headers] of Object.entries(tries)) {
        const answer = await wb.request(review.port, { method: 'POST', path: '/api/' + name, headers, body: JSON.stringify(body) });
        assert.ok([403, 415].includes(answer.status), `${name} with ${how}: ${answer.status} ${answer.body}`);
        assert.equal(answer.headers['access-control-allow-origin'], undefined);
      }
      // The token in the address opens the page only, never a change.
      const url = new URL(review.address);
      const viaAddress = await wb.request(review.port, {
        method: 'POST', path: '/api/' + name + url.search,
        headers: Object.assign({}, own, { Cookie: '' }), body: JSON.stringify(body),
      });
      assert.equal(viaAddress.status, 403, name + ' with the token in the address');
    }
    // Reads need the token and the host name too.
    for (const target of ['/', '/api/state', '/api/class?key=PMP', '/api/apply']) {
      assert.equal((await wb.request(review.port, { path: target, headers: { Host: '127.0.0.1:' + review.port } })).status, 403);
      assert.equal((await wb.request(review.port, { path: target, headers: { Host: 'localhost.attacker.example', Cookie: cookie } })).status, 403);
    }
    assert.deepEqual(filesOf(files), before, 'a refused request wrote something');
    assert.equal(await Promise.race([review.stopped, new Promise((r) => setTimeout(() => r('running'), 300))]), 'running');

    // Nothing but the page and its answers; nothing read from a path given.
    for (const target of ['/../../etc/passwd', '/%2e%2e/%2e%2e/etc/passwd', '/MappingTable/plant_mapping.csv',
      '/api/../plant_mapping.csv', '/favicon.ico', '/api/', '/api/state/x', '/index.html']) {
      const answer = await wb.request(review.port, { path: target, headers: wb.pageHeaders(review, cookie, false) });
      assert.ok([400, 404].includes(answer.status), target + ': ' + answer.status);
      assert.doesNotMatch(answer.body, /Pump,Equipment|root:/);
    }
    // A body larger than any the page sends is refused unread, by the
    // length it states; one that states none is refused too (the server
    // may close the connection on it rather than read it).
    const tooLarge = await wb.request(review.port, {
      method: 'POST', path: '/api/decide', headers: Object.assign({ 'Content-Length': String(1 << 20) }, own), body: '',
    });
    assert.equal(tooLarge.status, 413);
    const unsized = await wb.request(review.port, {
      method: 'POST', path: '/api/decide', headers: Object.assign({ 'Transfer-Encoding': 'chunked' }, own),
      body: JSON.stringify(CHANGES[0][1]),
    });
    assert.ok([411, 'reset'].includes(unsized.status), String(unsized.status));
    assert.deepEqual(filesOf(files), before);

    // The page allows nothing but its own style and script and its server,
    // never in a frame; every answer is kept out of caches.
    const page = await wb.request(review.port, { path: '/', headers: wb.pageHeaders(review, cookie, false) });
    assert.equal(page.status, 200);
    const policy = page.headers['content-security-policy'];
    assert.match(policy, /default-src 'none'/);
    assert.match(policy, /frame-ancestors 'none'/);
    assert.match(policy, /connect-src 'self'/);
    assert.doesNotMatch(policy, /unsafe/);
    assert.equal(page.headers['x-frame-options'], 'DENY');
    assert.equal(page.headers['cache-control'], 'no-store');

    // The page's own request is taken, and is on disk when answered.
    const [name, body] = CHANGES[0];
    const taken = await wb.request(review.port, { method: 'POST', path: '/api/' + name, headers: own, body: JSON.stringify(body) });
    assert.equal(taken.status, 200, taken.body);
    assert.match(fs.readFileSync(files.decisions, 'utf8'), /"Speed"/);
  } finally {
    review.child.kill();
    await review.stopped;
    scratch.remove();
  }
});

test('it listens on the loopback address alone', async () => {
  const scratch = wb.scratchFolder('zorvez-review-loopback-');
  const files = wb.copyExample(scratch.folder);
  const review = await wb.startReview(files);
  try {
    const others = Object.values(os.networkInterfaces()).flat()
      .filter((a) => a && a.family === 'IPv4' && !a.internal).map((a) => a.address);
    for (const address of [...others, '::1']) {
      const reached = await new Promise((resolve) => {
        const socket = net.connect({ host: address, port: review.port });
        socket.once('connect', () => { socket.destroy(); resolve(true); });
        socket.once('error', () => resolve(false));
      });
      assert.equal(reached, false, 'the review answers on ' + address);
    }
  } finally {
    review.child.kill();
    await review.stopped;
    scratch.remove();
  }
});

test('a second review of the same table is refused, and a killed one blocks no restart', async () => {
  const scratch = wb.scratchFolder('zorvez-review-lock-');
  const files = wb.copyExample(scratch.folder);
  const first = await wb.startReview(files);
  const started = [first];  // every review that started is stopped, whatever fails
  try {
    const refused = await wb.startReview(files).then((second) => { started.push(second); return null; },
      (error) => error);
    assert.match(String(refused && refused.message),
      /plant_mapping\.csv is the mapping table of another review \(process \d+ at http:\/\/127\.0\.0\.1:\d+\//);
    first.child.kill('SIGKILL');
    await first.stopped;
    const again = await wb.startReview(files);
    started.push(again);
    again.child.kill('SIGINT');
    const ended = await Promise.race([again.stopped, new Promise((resolve) => setTimeout(resolve, 20000, 'running'))]);
    assert.equal(ended, 0, 'Ctrl-C ends the review cleanly');
  } finally {
    for (const review of started) review.child.kill('SIGKILL');
    scratch.remove();
  }
});
