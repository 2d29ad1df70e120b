// `zorvez review` started on a scratch copy of the V4/V5 example, and raw
// HTTP requests to it: what both the attacker's tests and the browser's use.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const readline = require('node:readline');
const { spawn, spawnSync } = require('node:child_process');

const REPO = path.resolve(__dirname, '..', '..');
const BUILD = process.env.ZOR_BUILD_DIR || path.join(REPO, 'build');
const ZORVEZ = path.join(BUILD, 'src', process.platform === 'win32' ? 'zorvez.exe' : 'zorvez');

// The example's inputs in a scratch folder; returns their paths.
function copyExample(scratch) {
  const from = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const d = path.join(scratch, 'Dictionary');
  for (const folder of ['V4_Exported_XML', 'V5_Exported_XML', 'MappingTable']) {
    fs.cpSync(path.join(from, folder), path.join(d, folder), { recursive: true });
  }
  return {
    source: path.join(d, 'V4_Exported_XML', 'plant_v4.xml'),
    target: path.join(d, 'V5_Exported_XML', 'plant_v5.xml'),
    table: path.join(d, 'MappingTable', 'plant_mapping.csv'),
    decisions: path.join(d, 'MappingTable', 'plant_mapping.decisions.json'),
  };
}

function scratchFolder(name) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), name));
  return { folder, remove: () => fs.rmSync(folder, { recursive: true, force: true }) };
}

// Starts the review and resolves once it printed its address: {child,
// address, origin, port, err (what it said so far), stopped (a promise of
// its exit status)}.
function startReview(files, extra = []) {
  const args = ['review', '--no-browser', '--wordnet', 'none', ...extra, files.source, files.target, files.table];
  const child = spawn(ZORVEZ, args, { stdio: ['ignore', 'pipe', 'pipe'] });
  const said = { err: '' };
  child.stderr.on('data', (chunk) => { said.err += chunk; });
  const stopped = new Promise((resolve) => child.on('exit', (code, signal) => resolve(signal || code)));
  return new Promise((resolve, reject) => {
    // A review that did not start as it should is stopped here: no caller
    // holds it to stop it.
    const fail = (error) => {
      child.kill('SIGKILL');
      reject(error);
    };
    const lines = readline.createInterface({ input: child.stdout });
    const timer = setTimeout(() => fail(new Error('the review printed no address: ' + said.err)), 60000);
    lines.once('line', (address) => {
      clearTimeout(timer);
      let url;
      try {
        url = new URL(address);
      } catch (error) {
        fail(new Error('the review printed no address but ' + JSON.stringify(address)));
        return;
      }
      resolve({ child, address, origin: url.origin, port: Number(url.port), said, stopped });
    });
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error('the review ended with ' + code + ': ' + said.err));
    });
  });
}

// One request, raw: the headers exactly as given (Host included), the body
// as given. Resolves {status, headers, body}; a server that closes the
// connection on a body it refuses to read resolves {status: 'reset'}.
function request(port, { method = 'GET', path: target = '/', headers = {}, body = null, host = '127.0.0.1' }) {
  if (body !== null && !('Transfer-Encoding' in headers) && !('Content-Length' in headers)) {
    headers = Object.assign({ 'Content-Length': Buffer.byteLength(body) }, headers);
  }
  return new Promise((resolve, reject) => {
    const asked = http.request({ host, port, method, path: target, headers, setHost: false, agent: false }, (res) => {
      let text = '';
      res.setEncoding('utf8');
      res.on('data', (chunk) => { text += chunk; });
      res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, body: text }));
    });
    asked.on('error', (error) => (['ECONNRESET', 'EPIPE'].includes(error.code) ? resolve({ status: 'reset' }) : reject(error)));
    if (body !== null) asked.write(body);
    asked.end();
  });
}

// The cookie the first visit with the token sets, as a Cookie header.
async function cookieOf(review) {
  const url = new URL(review.address);
  const answer = await request(review.port, {
    path: url.pathname + url.search, headers: { Host: url.host },
  });
  const set = answer.headers['set-cookie'] || [];
  return set.map((line) => line.split(';')[0]).join('; ');
}

// The headers the page's own requests carry.
function pageHeaders(review, cookie, json = true) {
  const headers = { Host: '127.0.0.1:' + review.port, Cookie: cookie, Origin: review.origin };
  if (json) headers['Content-Type'] = 'application/json';
  return headers;
}

function check(files) {
  const done = spawnSync(ZORVEZ, ['check', '--format', 'jsonl', '--fail-on', 'none', files.source, files.target,
    files.table], { encoding: 'utf8', maxBuffer: 1 << 26 });
  return done.stdout.split('\n').filter((line) => line !== '').map((line) => JSON.parse(line));
}

module.exports = { REPO, BUILD, ZORVEZ, copyExample, scratchFolder, startReview, request, cookieOf, pageHeaders, check };
