// The pages the browser tests look at, made in a scratch folder: one from
// hand-written records, the others by real runs of `zorvez check` and
// `zorvez explore`.
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

// Copies or generates a dictionary tree, runs the defined tool for its
// report, `zorvez check` for the records and `zorvez explore` for the page.
async function realCase(scratch, name, { tree, v5, names: [source, target, mapping], query }) {
  const root = path.join(scratch, name);
  if (typeof tree === 'string') fs.cpSync(tree, root, { recursive: true });
  else tree(root);
  const d = path.join(root, 'Dictionary');
  for (const folder of ['Reports', 'DDL_Files']) fs.mkdirSync(path.join(d, folder), { recursive: true });
  const files = [path.join(d, 'V4_Exported_XML', source), path.join(d, 'V5_Exported_XML', target),
    path.join(d, 'MappingTable', mapping)];
  const modeFlag = v5 ? ['--v5'] : [];
  run(TOOLS.defined, [...(v5 ? ['-v5'] : []), '-i', source, target, '-m', mapping, '-o', 'report'],
    { env: { ZODODEV_DIRECTORYPATH: root } });
  const jsonl = path.join(root, 'findings.jsonl');
  runTo(jsonl, TOOLS.zorvez, ['check', '--format', 'jsonl', '--fail-on', 'none', ...modeFlag, ...files]);
  const pageFile = path.join(d, 'Reports', 'explore.html');
  run(TOOLS.zorvez, ['explore', ...modeFlag, '--report', 'report.html', '-o', pageFile, ...files]);
  const findings = await readFindings(jsonl);
  const middle = findings.classes[Math.floor(findings.classes.length / 2)];
  return {
    pageFile, jsonl, findings, report: 'report.html', reportFile: path.join(d, 'Reports', 'report.html'),
    query: query ?? middle.class.label.slice(0, 4),
  };
}

// The hand-written records (every verdict and kind, hostile names), the
// example trees, a tree of hostile names, and a generated 16,000-class tree.
async function makeCases() {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvez-browser-'));
  fs.mkdirSync(path.join(scratch, 'pages'));
  const data = path.join(REPO, 'tests', 'data', 'explore');
  const examples = path.join(REPO, 'examples');
  const cases = {};
  cases.small = await fixtureCase(scratch, 'small', path.join(data, 'small.jsonl'),
    { report: '../Reports/plant report.html', query: 'pump' });
  cases.hostile = await realCase(scratch, 'hostile', { tree: path.join(data, 'hostile'),
    names: ['hostile_v4.xml', 'hostile_v5.xml', 'hostile_mapping.csv'], query: 'onerror' });
  cases.v4v5 = await realCase(scratch, 'v4v5', { tree: path.join(examples, 'v4v5'),
    names: ['plant_v4.xml', 'plant_v5.xml', 'plant_mapping.csv'], query: 'valve' });
  cases.v5v5 = await realCase(scratch, 'v5v5', { tree: path.join(examples, 'v5v5'), v5: true,
    names: ['plant_a.xml', 'plant_b.xml', 'plant_mapping.csv'], query: 'valve' });
  cases.tree = await realCase(scratch, 'tree', {
    tree: (root) => run(TOOLS.generateTree, ['--classes', '16000', '--attributes', '20', '--mode', 'v4', '--seed', '1', '--out', root]),
    names: ['source.xml', 'target.xml', 'mapping.csv'],
  });
  return { cases, scratch };
}

module.exports = { makeCases, TOOLS, run, runTo };
