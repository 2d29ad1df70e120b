// The pages the browser tests look at, made in a scratch folder: from the
// hand-written records with hostile names, from generated records of a
// 16,000-class tree, and from real runs of `zorvez check` and `zorvez
// explore` on the example trees and a generated tree.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { readFindings } = require('./explore-driver');

const REPO = path.resolve(__dirname, '..', '..');
const BUILD = process.env.ZOR_BUILD_DIR || path.join(REPO, 'build');
const TOOLS = {
  defined: path.join(BUILD, 'src', 'ZORVezIrudeduzazAduzizorav'),
  zorvez: path.join(BUILD, 'src', 'zorvez'),
  findingsPage: path.join(BUILD, 'bench', 'zor_findings_page'),
  generateTree: path.join(BUILD, 'bench', 'zor_generate'),
};

function run(tool, args, { env = {}, stdout = 'pipe', accept = [0] } = {}) {
  const done = spawnSync(tool, args, { env: { ...process.env, ...env }, stdio: ['ignore', stdout, 'pipe'], maxBuffer: 1 << 30 });
  if (done.error) throw done.error;
  if (!accept.includes(done.status)) {
    throw new Error(`${path.basename(tool)} ${args.join(' ')} exited ${done.status}: ${done.stderr}`);
  }
  return done;
}

// Writes a tool's standard output to `file`; returns its exit status.
function runTo(file, tool, args, options = {}) {
  const out = fs.openSync(file, 'w');
  try {
    return run(tool, args, { ...options, stdout: out }).status;
  } finally {
    fs.closeSync(out);
  }
}

async function fixtureCase(scratch, name, jsonl, { report, query }) {
  const pageFile = path.join(scratch, 'pages', name + '.html');
  run(TOOLS.findingsPage, ['--report', report, '-o', pageFile, jsonl]);
  return { pageFile, jsonl, report, query, findings: await readFindings(jsonl) };
}

// Whether `zorvez check` gives findings yet; the reason when it does not.
function checkUnavailable() {
  const tree = path.join(REPO, 'examples', 'v4v5', 'Dictionary');
  const done = spawnSync(TOOLS.zorvez, ['check', '--format', 'jsonl',
    path.join(tree, 'V4_Exported_XML', 'plant_v4.xml'), path.join(tree, 'V5_Exported_XML', 'plant_v5.xml'),
    path.join(tree, 'MappingTable', 'plant_mapping.csv')], { stdio: ['ignore', 'pipe', 'pipe'] });
  const summary = String(done.stdout).trim().split('\n').pop();
  if ((done.status === 0 || done.status === 1) && summary.startsWith('{"record":"summary"')) return null;
  return `zorvez check gives no findings yet (${String(done.stderr).trim()})`;
}

// Copies or generates a dictionary tree, runs the defined tool for its
// report, `zorvez check` for the records and `zorvez explore` for the page.
async function realCase(scratch, name, { tree, v5, source, target, query }) {
  const root = path.join(scratch, name);
  if (typeof tree === 'string') fs.cpSync(tree, root, { recursive: true });
  else tree(root);
  const d = path.join(root, 'Dictionary');
  const files = [path.join(d, 'V4_Exported_XML', source), path.join(d, 'V5_Exported_XML', target),
    path.join(d, 'MappingTable', path.basename(source).startsWith('plant') ? 'plant_mapping.csv' : 'mapping.csv')];
  const modeFlag = v5 ? ['--v5'] : [];
  run(TOOLS.defined, [...(v5 ? ['-v5'] : []), '-i', source, target, '-m', path.basename(files[2]), '-o', 'report'],
    { env: { ZODODEV_DIRECTORYPATH: root } });
  const jsonl = path.join(root, 'findings.jsonl');
  runTo(jsonl, TOOLS.zorvez, ['check', '--format', 'jsonl', ...modeFlag, ...files], { accept: [0, 1] });
  const pageFile = path.join(d, 'Reports', 'explore.html');
  run(TOOLS.zorvez, ['explore', ...modeFlag, '--report', 'report.html', '-o', pageFile, ...files]);
  const findings = await readFindings(jsonl);
  const middle = findings.classes[Math.floor(findings.classes.length / 2)];
  return {
    pageFile, jsonl, findings, report: 'report.html', reportFile: path.join(d, 'Reports', 'report.html'),
    query: query ?? middle.class.label.slice(0, 4),
  };
}

async function makeCases() {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-browser-'));
  fs.mkdirSync(path.join(scratch, 'pages'));
  const cases = { skipped: {} };
  cases.small = await fixtureCase(scratch, 'small', path.join(REPO, 'tests', 'data', 'explore', 'small.jsonl'),
    { report: '../Reports/plant report.html', query: 'pump' });

  const generated = path.join(scratch, 'large.jsonl');
  runTo(generated, process.execPath, [path.join(__dirname, 'generate-findings.js'), '--classes', '16000', '--attributes', '20']);
  cases.large = await fixtureCase(scratch, 'large', generated, { report: 'report.html', query: 'drive 12' });

  const unavailable = checkUnavailable();
  if (unavailable !== null) {
    for (const name of ['v4v5', 'v5v5', 'tree']) cases.skipped[name] = unavailable;
    return { cases, scratch };
  }
  const examples = path.join(REPO, 'examples');
  cases.v4v5 = await realCase(scratch, 'v4v5', { tree: path.join(examples, 'v4v5'), source: 'plant_v4.xml', target: 'plant_v5.xml', query: 'valve' });
  cases.v5v5 = await realCase(scratch, 'v5v5', { tree: path.join(examples, 'v5v5'), v5: true, source: 'plant_a.xml', target: 'plant_b.xml', query: 'valve' });
  cases.tree = await realCase(scratch, 'tree', {
    tree: (root) => run(TOOLS.generateTree, ['--classes', '16000', '--attributes', '20', '--mode', 'v4', '--seed', '1', '--out', root]),
    source: 'source.xml', target: 'target.xml',
  });
  return { cases, scratch };
}

module.exports = { makeCases, TOOLS };
