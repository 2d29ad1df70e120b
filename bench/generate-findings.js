#!/usr/bin/env node
// Writes a large, deterministic set of finding records as JSON Lines, shaped
// like the records of a real comparison (every verdict and kind, mapping
// rows, proposals, child warnings), for timing the page on shapes that a
// generated tree does not give (more attributes, other verdict mixes).
//
//   node bench/generate-findings.js [--classes 16000] [--attributes 20] [--seed 1] [--suggest 0|1] > findings.jsonl
//
// --suggest 1 adds what `zorvez explore --suggest` puts into the page: the
// target dictionary (as zor_findings_page reads it) and five ranked
// candidates for every red class and every badly mapped attribute.
'use strict';

function options(argv) {
  const chosen = { classes: 16000, attributes: 20, seed: 1, suggest: 0 };
  for (let i = 0; i < argv.length; i += 2) {
    const name = argv[i].replace(/^--/, '');
    if (!(name in chosen) || argv[i + 1] === undefined) throw new Error('unknown option ' + argv[i]);
    chosen[name] = Number(argv[i + 1]);
  }
  return chosen;
}

// A small linear congruential generator: the same seed gives the same bytes.
function randomFrom(seed) {
  let state = seed >>> 0;
  return (n) => {
    state = (Math.imul(state, 1664525) + 1013904223) >>> 0;
    return state % n;
  };
}

const WORDS = ['Pump', 'Valve', 'Gauge', 'Switch', 'Tank', 'Motor', 'Filter', 'Heater', 'Cooler',
  'Sensor', 'Drive', 'Plate', 'Flange', 'Nozzle', 'Damper', 'Fan', 'Boiler', 'Meter'];
const ATTRIBUTES = ['Flow Rate', 'Head', 'Design Pressure', 'Body Material', 'Nominal Size', 'Weight',
  'Duty', 'Tube Count', 'Rated Power', 'Speed', 'Set Point', 'Range', 'Tag', 'Serial Number'];

function* records({ classes, attributes, seed }) {
  const pick = randomFrom(seed);
  const verdicts = { green: 0, blue: 0, red: 0, orange: 0, purple: 0 };
  let line = 1, proposedClasses = 0, requested = 0;
  for (let c = 0; c < classes; c++) {
    const key = 'C' + String(c).padStart(6, '0');
    const label = WORDS[pick(WORDS.length)] + ' ' + WORDS[pick(WORDS.length)] + ' ' + c;
    const parent = 'Group ' + (c % 400);
    const cls = { label, key, parent };
    const classRow = { line, text: `${label},${parent},*,T${key},TP${c % 400},*,EQT,` };
    const roll = pick(100);
    const shape = roll < 60 ? 'green' : roll < 72 ? 'blue' : roll < 82 ? 'red' : roll < 92 ? 'orange' : 'purple';
    const target = { label: 'Target ' + label, key: 'T' + key, parent: 'TP' + (c % 400) };
    let attributeVerdict = () => ['green', 'valid'];
    if (shape === 'green') {
      verdicts.green++;
      yield { record: 'class', section: 'body', verdict: 'green', finding: 'valid', class: cls, target,
        message: `${label} is mapped to ${target.label}`, row: classRow };
      attributeVerdict = (a) => a % 9 === 4 ? ['blue', 'not_found_in_target'] : a % 13 === 6 ? ['red', 'badly_mapped'] : ['green', 'valid'];
    } else if (shape === 'blue' || shape === 'purple') {
      const kind = shape === 'blue' ? (pick(2) ? 'not_found_in_target' : 'uuid_differs') : (pick(2) ? 'domain_missing' : 'parent_unknown');
      if (shape === 'purple' && pick(3) === 0) {
        verdicts.red++;
        yield { record: 'class', section: 'body', verdict: 'red', finding: 'badly_mapped', class: cls, target: { label: 'EQT', key: 'EQT' },
          message: `${label} is badly mapped: its row names a domain code`, row: classRow };
      }
      verdicts[shape]++;
      proposedClasses++;
      yield { record: 'class', section: 'body', verdict: shape, finding: kind, class: cls, target,
        message: `${label}: ${kind.replace(/_/g, ' ')}`, row: classRow,
        proposal: { ddl: 'class', mapping_rows: [] } };
      attributeVerdict = () => [shape, 'class_not_in_target'];
    } else if (shape === 'red') {
      verdicts.red++;
      yield { record: 'class', section: 'body', verdict: 'red', finding: 'not_in_mapping_table', class: cls, target: null,
        message: `${label} is not in the mapping table`,
        proposal: { ddl: null, mapping_rows: [`${label},${parent},*,,,*,`] } };
      attributeVerdict = () => ['red', 'not_in_mapping_table'];
    } else {
      verdicts.orange++;
      const nothingKept = pick(4) === 0;
      if (nothingKept) requested++;
      yield { record: 'class', section: nothingKept ? 'requested_unmapped' : 'body', verdict: 'orange',
        finding: 'explicitly_unmapped', class: cls, target: null, message: `${label}: No Mapping`, row: classRow };
      if (nothingKept) { line++; continue; }
      attributeVerdict = (a) => a % 3 === 0 ? ['orange', 'retained'] : ['red', 'badly_mapped'];
    }
    line++;
    for (let a = 0; a < attributes; a++) {
      const name = ATTRIBUTES[a % ATTRIBUTES.length] + (a >= ATTRIBUTES.length ? ' ' + a : '');
      const attribute = { label: name, key: name.replace(/ /g, '') };
      const [verdict, finding] = attributeVerdict(a);
      const record = { record: 'attribute', verdict, finding, class: cls, attribute,
        target: finding === 'valid' || finding === 'not_found_in_target' || finding === 'retained'
          ? { label: 'T ' + name, key: 'T' + attribute.key, class: 'T' + key } : null,
        message: `${name}: ${finding.replace(/_/g, ' ')}` };
      if (finding === 'not_in_mapping_table') {
        record.proposal = { ddl: null, mapping_rows: [`${label},${parent},${name},,,,`] };
      } else if (finding !== 'class_not_in_target') {
        record.row = { line: line++, text: `${label},${parent},${name},T${key},TP${c % 400},T${attribute.key},EQT,` };
        if (finding === 'not_found_in_target') record.proposal = { ddl: 'attribute', mapping_rows: [] };
      }
      yield record;
    }
    if (shape === 'orange') {
      yield { record: 'child', verdict: 'orange', finding: 'child_loses_attributes', class: cls,
        child: { label: label + ' Child' }, target: null,
        message: `${label} Child loses the retained attributes`, row: classRow };
    }
  }
  yield { record: 'summary', classes, verdicts, new_classes_suggested: proposedClasses, requested_unmapped: requested };
}

// The target dictionary and the suggestion records for the classes and
// attributes that need a target, in the order of the findings.
function* suggestions(findings, { classes, attributes, seed }) {
  const pick = randomFrom(seed + 1);
  for (let c = 0; c < classes; c++) {
    const key = 'TC' + String(c).padStart(6, '0');
    const names = [];
    for (let a = 0; a < attributes; a++) names.push(ATTRIBUTES[a % ATTRIBUTES.length] + (a >= ATTRIBUTES.length ? ' ' + a : ''));
    yield { record: 'target_class', key, label: 'Target ' + WORDS[c % WORDS.length] + ' ' + c, parent: c < 400 ? '' : 'TC' + String(c % 400).padStart(6, '0'),
      attributes: names.map((name) => ({ key: 'T' + name.replace(/ /g, ''), label: name })) };
  }
  yield { record: 'domains', target: {}, source: {}, fallback: 'EQT' };
  const candidate = () => {
    const c = pick(classes);
    return { key: 'TC' + String(c).padStart(6, '0'), label: 'Target ' + WORDS[c % WORDS.length] + ' ' + c,
      parent: c < 400 ? '' : 'TC' + String(c % 400).padStart(6, '0') };
  };
  const scores = () => [0.91, 0.74, 0.52, 0.4, 0.31].map((s) => s - pick(10) / 100);
  const evidence = ['label', 'key', 'stems', 'hierarchy', 'attributes'];
  for (const record of findings) {
    if (record.record === 'class' && record.finding === 'not_in_mapping_table') {
      const candidates = scores().map((score, n) => ({ ...candidate(), score, evidence: evidence.slice(0, 5 - n) }));
      yield { record: 'suggestion', for: 'class', reason: 'not_in_mapping_table', class: record.class, row: null,
        candidates, accepted: pick(3) === 0 ? null : candidates[0].key };
    } else if (record.record === 'attribute' && (record.finding === 'badly_mapped' || record.finding === 'not_in_mapping_table')) {
      const owner = candidate().key;
      const candidates = scores().map((score, n) => ({ class: owner, key: 'T' + ATTRIBUTES[(n + pick(3)) % ATTRIBUTES.length].replace(/ /g, ''),
        label: ATTRIBUTES[n % ATTRIBUTES.length], score, evidence: evidence.slice(0, 3 - (n % 3)) }));
      yield { record: 'suggestion', for: 'attribute', reason: record.finding, class: record.class, attribute: record.attribute,
        row: record.row ?? null, candidates, accepted: pick(2) === 0 ? null : { class: owner, key: candidates[0].key } };
    }
  }
}

function main() {
  const chosen = options(process.argv.slice(2));
  let batch = '';
  const all = [...records(chosen)];
  const extra = chosen.suggest ? suggestions(all, chosen) : [];
  for (const record of [...all, ...extra]) {
    batch += JSON.stringify(record) + '\n';
    if (batch.length > 1 << 20) {
      process.stdout.write(batch);
      batch = '';
    }
  }
  process.stdout.write(batch);
}

if (require.main === module) main();
module.exports = { records };
